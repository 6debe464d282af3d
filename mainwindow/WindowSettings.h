#pragma once

class TForm1;

// The main window as the user left it: size, position, maximized or not, and
// the file table's column widths, kept in the program's settings.

// Shows the window as it was left last time (maximized the first time), and
// remembers how it is left each time it is closed.
void showAsLeft(TForm1 &form);

#pragma once

class TForm1;

// The main window as the user left it: size, position, maximized or not, and
// the file table's column widths, kept in the program's settings.

// Shows the window as it was left last time; maximized the first time.
void showAsLeft(TForm1 &form);

// Remembers how the window is now, for the next start.
void rememberWindow(const TForm1 &form);

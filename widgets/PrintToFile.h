#pragma once

#include <functional>

class QPrintPreviewDialog;
class QPrinter;

// The print preview's Print command, made safe for printing to a file. Qt's
// own command shows a print dialog that opens the named file to try it (a
// FIFO lying there hangs the program, a link is followed to its target), and
// the printer then writes the file itself. Here the print dialog's Print
// button first looks at what lies at the name (mayWriteFile: anything but a
// regular file is refused, a regular file replaced only after the question),
// and the printer writes a temporary file in the chosen folder, which is
// renamed into place once it is whole (outputfile::writeThrough). Printing
// on a printer stays as it was.
// `around`, when given, runs around the printing once the print dialog was
// accepted, and prints by calling its argument; an error it raises ends the
// printing and leaves the preview open.
void takeOverPrinting(QPrintPreviewDialog &preview, QPrinter &printer,
                      const std::function<void(const std::function<void()> &print)> &around = {});

#pragma once

#include <QPageLayout>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QWidget;

// The program's one printer and the ways a report page reaches paper: the
// print preview, the printer set-up dialog and a PDF file.
namespace printing {

// Paints every page of a document; starts further pages with newPage().
using PagePainter = std::function<void(QPainter &, QPagedPaintDevice &)>;

// A4 portrait with 10 mm margins, whatever the system's default paper is.
QPageLayout reportPageLayout();

// The printer that Page Setup configures and every preview prints on.
QPrinter &programPrinter();

// Prints a whole document onto the printer with a painter of its own.
using DocumentPrinter = std::function<void(QPrinter &)>;

// Runs around the printing of a certificate once the print dialog was
// accepted: `print` prints on the printer as set up.
using IssueAround = std::function<void(QPrinter &printer, const std::function<void()> &print)>;

// Opens the print preview (zoom, page stepping, printer set-up, print) on the
// program's printer and returns when it closes. Printing to a file writes
// only where the engineer chose (takeOverPrinting) and ends with a message
// naming the file; `what` names the document ("The certificate"), read
// when the preview closes (so `issue` may complete it). `issue`, when given,
// runs around the printing (a print dialog cancelled runs nothing). `title`,
// when given, is the preview window's title.
void preview(QWidget *parent, const QString &what, const PagePainter &paint, const IssueAround &issue = {},
             const QString &title = {});
void previewDocument(QWidget *parent, const QString &what, const DocumentPrinter &print,
                     const IssueAround &issue = {}, const QString &title = {});

// The platform's page set-up dialog for the program's printer. Its printer
// choice stays for the next preview; the page stays A4 with 10 mm margins.
void pageSetup(QWidget *parent);

// Writes the document as a PDF file the engineer chose (outputfile::write);
// errors raise a FileError naming the file.
void printToPdf(const QString &path, const QString &title, const PagePainter &paint);

} // namespace printing

#include "ReportPrinter.h"

#include "ErrorBox.h"
#include "FileWritten.h"
#include "OutputFile.h"
#include "PdfFinish.h"
#include "PrintToFile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>

namespace printing {

namespace {

QPrinter *thePrinter = nullptr;

void deletePrinter()
{
    delete thePrinter;
    thePrinter = nullptr;
}

// Applied before every preview and print, so a page set-up never leaves the
// report on other paper or margins.
void applyReportPage(QPrinter &printer)
{
    const QPageLayout layout = reportPageLayout();
    printer.setPageSize(layout.pageSize());
    printer.setPageOrientation(layout.orientation());
    printer.setPageMargins(layout.margins(), layout.units());
}

} // namespace

QPageLayout reportPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

QPrinter &programPrinter()
{
    if (!thePrinter) {
        thePrinter = new QPrinter(QPrinter::HighResolution);
        applyReportPage(*thePrinter);
        qAddPostRoutine(deletePrinter);
    }
    return *thePrinter;
}

void preview(QWidget *parent, const QString &what, const PagePainter &paint, const IssueAround &issue,
             const QString &title)
{
    previewDocument(
        parent, what,
        [&](QPrinter &target) {
            QPainter painter(&target);
            paint(painter, target);
        },
        issue, title);
}

void previewDocument(QWidget *parent, const QString &what, const DocumentPrinter &print, const IssueAround &issue,
                     const QString &title)
{
    QPrinter &printer = programPrinter();
    applyReportPage(printer);
    QPrintPreviewDialog dialog(&printer, parent);
    if (!title.isEmpty())
        dialog.setWindowTitle(title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&](QPrinter *target) { print(*target); });
    // Maximized, and as large as the screen where no window manager maximizes.
    dialog.setGeometry(dialog.screen()->availableGeometry());
    dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
    takeOverPrinting(dialog, printer, issue ? [&](const std::function<void()> &print) { issue(printer, print); }
                                            : std::function<void(const std::function<void()> &)>());
    // The preview closes accepted once it printed; the print dialog names a
    // file when the engineer printed into one.
    if (dialog.exec() == QDialog::Accepted && !printer.outputFileName().isEmpty())
        showFileWritten(parent, what, printer.outputFileName());
}

void pageSetup(QWidget *parent)
{
    QPrinter &printer = programPrinter();
    applyReportPage(printer);
    QPageSetupDialog dialog(&printer, parent);
    dialog.exec();
}

void printToPdf(const QString &path, const QString &title, const PagePainter &paint)
{
    // Rendered in memory first: the PDF writer does not report failed writes.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(ProgramTitle);
        writer.setPageLayout(reportPageLayout());
        QPainter painter(&writer);
        paint(painter, writer);
    }
    outputfile::write(path, pdffinish::apply(buffer.data()));
}

} // namespace printing

#include "PrintToFile.h"

#include "ErrorBox.h"
#include "OutputFile.h"
#include "PdfFinish.h"
#include "Questions.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScopeGuard>

namespace {

// Qt's own translation of the preview's Print command, as the dialog shows
// it; the context is passed as a variable so that it is looked up, not
// collected into the program's own translation.
constexpr char PreviewContext[] = "QPrintPreviewDialog";

QAction *printAction(QPrintPreviewDialog &preview)
{
    const QString print = QCoreApplication::translate(PreviewContext, "Print");
    for (QAction *action : preview.findChildren<QAction *>())
        if (action->text() == print)
            return action;
    return nullptr;
}

// The print dialog's Print button looks at the output file's name itself, in
// place of Qt's test, which opens the file. The file name field is the one
// Qt's dialog names "filename"; it is enabled when printing to a file.
void checkFileBeforePrinting(QPrintDialog &dialog)
{
    auto *buttons = dialog.findChild<QDialogButtonBox *>(QString(), Qt::FindDirectChildrenOnly);
    auto *fileName = dialog.findChild<QLineEdit *>(QStringLiteral("filename"));
    if (!buttons || !fileName)
        return;
    QObject::disconnect(buttons, SIGNAL(accepted()), &dialog, nullptr);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&dialog, fileName] {
        guarded(&dialog, [&] {
            // A name without a folder is taken in the home folder, as the
            // dialog itself then takes it.
            const QString name = fileName->text();
            const QString path = QDir::isAbsolutePath(name) ? name : QDir::homePath() + u'/' + name;
            if (fileName->isEnabled() && !mayWriteFile(&dialog, path))
                return;
            dialog.accept();
        });
    });
}

bool isWholePdf(const QByteArray &tail) { return tail.contains("%%EOF"); }

// The printed temporary file passed through the PDF's last step (signing)
// before it takes its name; errors name the file asked for.
void finishPrinted(const QString &temporaryPath, const QString &path)
{
    QFile file(temporaryPath);
    if (!file.open(QIODevice::ReadOnly))
        errors::throwFile(path, file.errorString());
    const QByteArray finished = pdffinish::apply(file.readAll());
    file.close();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(finished) != finished.size()
        || !file.flush())
        errors::throwFile(path, file.error() == QFileDevice::ResourceError ? errors::DiskFull : file.errorString());
}

// Prints the preview's pages as the print dialog set the printer up.
void printOut(QPrinter &printer, QPrintPreviewWidget &view)
{
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        const QString path = printer.outputFileName();
        const auto restore = qScopeGuard([&] { printer.setOutputFileName(path); });
        outputfile::writeThrough(
            path,
            [&](const QString &temporaryPath) {
                printer.setOutputFileName(temporaryPath);
                view.print();
                if (pdffinish::active())
                    finishPrinted(temporaryPath, path);
            },
            isWholePdf);
    } else {
        view.print();
    }
}

} // namespace

void takeOverPrinting(QPrintPreviewDialog &preview, QPrinter &printer,
                      const std::function<void(const std::function<void()> &print)> &around)
{
    QAction *print = printAction(preview);
    auto *view = preview.findChild<QPrintPreviewWidget *>();
    if (!print || !view)
        return;
    QObject::disconnect(print, nullptr, &preview, nullptr);
    QObject::connect(print, &QAction::triggered, &preview, [&preview, &printer, view, around] {
        guarded(&preview, [&] {
            QPrintDialog dialog(&printer, &preview);
            checkFileBeforePrinting(dialog);
            if (dialog.exec() != QDialog::Accepted)
                return;
            if (around)
                around([&] { printOut(printer, *view); });
            else
                printOut(printer, *view);
            preview.accept();
        });
    });
}


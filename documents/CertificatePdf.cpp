#include "CertificatePdf.h"

#include "CertificateIssuer.h"
#include "FileWritten.h"
#include "ProgramSettings.h"
#include "Questions.h"
#include "ReportContent.h"
#include "Unit5.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace certificatepdf {

namespace {

const QString FolderKey = QStringLiteral("Certificates/pdfFolder");
constexpr int MaxPartLength = 60;

// A value made fit for a file name on any file system the file may be copied
// to: no folder separators, reserved or control characters, no leading dots
// (a hidden file) and no run of spaces.
QString filePart(const QString &value)
{
    QString part;
    for (const QChar c : value)
        part += (c.category() == QChar::Other_Control || QStringView(u"/\\:*?\"<>|").contains(c)) ? u'_' : c;
    part = part.simplified();
    while (part.startsWith(u'.'))
        part.remove(0, 1);
    return part.left(MaxPartLength).trimmed();
}

QStringList parts(const RecordHeader &values, const QString &number)
{
    QStringList parts{number, values.vessel, values.manufacturerNo};
    if (values.testingDate.isValid())
        parts << values.testingDate.toString(Qt::ISODate);
    return parts;
}

QString startFolder()
{
    // Only a folder named in full: a relative one would depend on the folder
    // the program happens to run in.
    const QString remembered = ProgramSettings().value(FolderKey).toString();
    if (QDir::isAbsolutePath(remembered) && QFileInfo(remembered).isDir())
        return QDir::cleanPath(remembered);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

} // namespace

QString fileName(const RecordHeader &values, const QString &number)
{
    QStringList name;
    for (const QString &part : parts(values, number))
        if (const QString safe = filePart(part); !safe.isEmpty())
            name << safe;
    return (name.isEmpty() ? report::Title : name.join(QStringLiteral(" - "))) + QStringLiteral(".pdf");
}

QString title(const RecordHeader &values, const QString &number)
{
    QStringList title{report::Title};
    if (!number.isEmpty())
        title << QStringLiteral("certificate ") + number;
    for (QString part : parts(values, {})) {
        for (QChar &c : part)
            if (c.category() == QChar::Other_Control)
                c = u' ';
        if (part = part.simplified(); !part.isEmpty())
            title << part;
    }
    return title.join(QStringLiteral(", "));
}

void save(QWidget *parent, TQuickReport5 &report, const RecordHeader &values, CertificateIssuer &issuer)
{
    const QString expected = issuer.expectedNumber();
    QFileDialog dialog(parent, QCoreApplication::translate("CertificatePdf", "Save the certificate as PDF"));
    dialog.setObjectName(QStringLiteral("PdfDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QCoreApplication::translate("CertificatePdf", "PDF files (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);  // asked below, after a look at what lies there
    dialog.setDirectory(startFolder());
    dialog.selectFile(fileName(values, expected));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    if (!mayWriteFile(parent, path))
        return;

    report.fill(values);
    QString written, number;
    issuer.issue(
        [&](const QString &given, CertificateIssuer::Destination &destination) {
            QString target = path;
            if (given != expected && QFileInfo(path).fileName() == fileName(values, expected)) {
                target = QFileInfo(path).dir().filePath(fileName(values, given));
                if (!mayWriteFile(parent, target))
                    return false;
            }
            report.setNumberLine(issuer.printsNumber() ? report::numberLine(given) : QString());
            destination.goingTo(QStringLiteral("PDF ") + target, target);
            report.printToPdf(target, title(values, given));
            written = target;
            number = given;
            return true;
        },
        [&] { QFile::remove(written); });
    ProgramSettings().setValue(FolderKey, QFileInfo(path).absolutePath());
    if (!written.isEmpty())
        showFileWritten(parent, QCoreApplication::translate("CertificatePdf", "The certificate %1").arg(number), written);
}

} // namespace certificatepdf

#include "CertificateEntry.h"

#include "FileNames.h"
#include "RecordHeader.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <pwd.h>
#include <unistd.h>

namespace certregister {

namespace {

QString dateText(const QDate &date) { return date.isValid() ? date.toString(Qt::ISODate) : QString(); }

// The outputs cell: "<time> <how>: <status>", one output a line; the CSV
// keeps the stored (English) words, the screen shows them translated.
QString outputsText(const Entry &e, bool shown)
{
    QStringList lines;
    for (const Output &o : e.outputs)
        lines << QStringLiteral("%1 %2: %3")
                     .arg(o.issuedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                         shown ? howText(o.how) : o.how, shown ? statusText(o.status) : statusWord(o.status));
    return lines.join(u'\n');
}

} // namespace

QString sha256Of(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

QString sha256OfFile(const QString &path)
{
    // Only a regular file: a FIFO lying where the record was would block.
    if (!QFileInfo(path).isFile())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return {};
    return QString::fromLatin1(hash.result().toHex());
}

QString statusWord(OutputStatus status)
{
    switch (status) {
    case OutputStatus::BeingIssued:
        return QStringLiteral("being issued");
    case OutputStatus::NotCompleted:
        return QStringLiteral("not completed");
    case OutputStatus::Issued:
        break;
    }
    return QStringLiteral("issued");
}

QString statusText(OutputStatus status)
{
    switch (status) {
    case OutputStatus::BeingIssued:
        return QCoreApplication::translate("CertificateEntry", "being issued", "status of an output");
    case OutputStatus::NotCompleted:
        return QCoreApplication::translate("CertificateEntry", "not completed", "status of an output");
    case OutputStatus::Issued:
        break;
    }
    return QCoreApplication::translate("CertificateEntry", "issued", "status of an output");
}

QString howText(const QString &how)
{
    if (how.startsWith(QLatin1String("Printer ")))
        return QCoreApplication::translate("CertificateEntry", "Printer %1", "how a certificate went out")
            .arg(how.mid(8));
    return how; // "PDF <path>", "Word"
}

QString archiveName(const QString &recordPath, const QString &archiveFolder)
{
    const QString name = QFileInfo(recordPath).fileName();
    if (archiveFolder.isEmpty())
        return name;
    const QString relative = QDir(archiveFolder).relativeFilePath(QFileInfo(recordPath).absoluteFilePath());
    if (relative.isEmpty() || relative.startsWith(QStringLiteral("../")) || relative == QStringLiteral("..")
        || QDir::isAbsolutePath(relative))
        return name;
    return relative;
}

bool sameCertificate(const Entry &a, const Entry &b)
{
    return a.recordSha256 == b.recordSha256 && !a.recordSha256.isEmpty() && a.verdict == b.verdict
           && a.sartModel == b.sartModel && a.manufacturerNumber == b.manufacturerNumber && a.vessel == b.vessel
           && a.testingDate == b.testingDate && a.nextTestingDate == b.nextTestingDate
           && a.batteryDate == b.batteryDate && a.outsideLimits == b.outsideLimits && a.engineer == b.engineer
           && a.recordTestingDate == b.recordTestingDate && a.recordName == b.recordName;
}

int notCompleted(const Entry &entry)
{
    return int(std::count_if(entry.outputs.begin(), entry.outputs.end(),
                             [](const Output &o) { return o.status == OutputStatus::NotCompleted; }));
}

Entry entryFor(const QString &recordPath, const RecordHeader &values, const QString &outsideLimits,
               const QString &archiveFolder, const QDate &recordTestingDate)
{
    Entry e;
    e.recordName = archiveName(recordPath, archiveFolder);
    e.recordTestingDate = recordTestingDate.isValid() ? recordTestingDate : values.testingDate;
    e.recordPath = recordPath;
    e.recordFile = filenames::display(QFileInfo(recordPath).fileName());
    e.recordSha256 = sha256OfFile(recordPath);
    e.sartModel = values.sartModel;
    e.manufacturerNumber = values.manufacturerNo;
    e.vessel = values.vessel;
    e.testingDate = values.testingDate;
    e.nextTestingDate = values.nextTestDate;
    e.batteryDate = values.batteryDate;
    e.verdict = values.verdictText;
    e.outsideLimits = outsideLimits;
    e.engineer = values.radioEngineer;
    e.userName = computerUserName();
    return e;
}

QString computerUserName()
{
    if (const passwd *pw = ::getpwuid(::getuid()); pw && pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
    return QString::fromLocal8Bit(qgetenv("USER"));
}

QString checkText(RecordCheck check, const Entry &entry)
{
    switch (check) {
    case RecordCheck::Missing:
        return QCoreApplication::translate(
            "CertificateEntry", "The record %1 is missing: no file %2 in the archive folder (it was issued from %3).")
            .arg(entry.recordFile, filenames::display(entry.recordName.isEmpty() ? entry.recordFile : entry.recordName),
                filenames::display(entry.recordPath));
    case RecordCheck::Changed:
        return QCoreApplication::translate("CertificateEntry",
            "The record %1 changed since the certificate was issued: its bytes are "
            "not those certified (SHA-256 at issue %2).")
            .arg(entry.recordFile, entry.recordSha256);
    case RecordCheck::Unchanged:
        break;
    }
    return QCoreApplication::translate(
        "CertificateEntry", "The record %1 is unchanged since the certificate was issued.")
        .arg(entry.recordFile);
}

QStringList columnCaptions()
{
    // English: the CSV's header. The screen shows
    // QCoreApplication::translate("RegisterColumns", caption).
    static const char *const captions[] = {
        QT_TRANSLATE_NOOP("RegisterColumns", "Number"),
        QT_TRANSLATE_NOOP("RegisterColumns", "Issued"),
        QT_TRANSLATE_NOOP("RegisterColumns", "How"),
        QT_TRANSLATE_NOOP("RegisterColumns", "Record file"),
        QT_TRANSLATE_NOOP("RegisterColumns", "SART model"),
        QT_TRANSLATE_NOOP("RegisterColumns", "Manufacturer №"),
        QT_TRANSLATE_NOOP("RegisterColumns", "Vessel"),
        QT_TRANSLATE_NOOP("RegisterColumns", "Testing date"),
        QT_TRANSLATE_NOOP("RegisterColumns", "Next testing"),
        QT_TRANSLATE_NOOP("RegisterColumns", "Battery date"),
        QT_TRANSLATE_NOOP("RegisterColumns", "Verdict"),
        QT_TRANSLATE_NOOP("RegisterColumns", "Outside the limits"),
        QT_TRANSLATE_NOOP("RegisterColumns", "Engineer"),
        QT_TRANSLATE_NOOP("RegisterColumns", "User"),
        QT_TRANSLATE_NOOP("RegisterColumns", "Record SHA-256"),
        QT_TRANSLATE_NOOP("RegisterColumns", "Outputs"),
        QT_TRANSLATE_NOOP("RegisterColumns", "Not completed"),
        QT_TRANSLATE_NOOP("RegisterColumns", "Record's testing date"),
        QT_TRANSLATE_NOOP("RegisterColumns", "Record in the archive"),
    };
    QStringList list;
    for (const char *caption : captions)
        list << QString::fromUtf8(caption);
    return list;
}

namespace {

QStringList cellsOf(const Entry &e, bool shown)
{
    return {e.number,
            e.issuedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
            shown ? howText(e.issuedHow) : e.issuedHow,
            e.recordFile,
            e.sartModel,
            e.manufacturerNumber,
            e.vessel,
            dateText(e.testingDate),
            dateText(e.nextTestingDate),
            dateText(e.batteryDate),
            e.verdict,
            e.outsideLimits,
            e.engineer,
            e.userName,
            e.recordSha256,
            outputsText(e, shown),
            QString::number(notCompleted(e)),
            dateText(e.recordTestingDate),
            filenames::display(e.recordName)};
}

} // namespace

QStringList shownCells(const Entry &entry) { return cellsOf(entry, true); }

QStringList cells(const Entry &entry) { return cellsOf(entry, false); }

} // namespace certregister

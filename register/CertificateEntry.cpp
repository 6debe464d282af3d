#include "CertificateEntry.h"

#include "FileNames.h"
#include "RecordHeader.h"

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

QString outputsText(const Entry &e)
{
    QStringList lines;
    for (const Output &o : e.outputs)
        lines << QStringLiteral("%1 %2: %3")
                     .arg(o.issuedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), o.how,
                          statusText(o.status));
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

QString statusText(OutputStatus status)
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
        return QStringLiteral("The record %1 is missing: no file %2 in the archive folder (it was issued from %3).")
            .arg(entry.recordFile, filenames::display(entry.recordName.isEmpty() ? entry.recordFile : entry.recordName),
                 filenames::display(entry.recordPath));
    case RecordCheck::Changed:
        return QStringLiteral("The record %1 changed since the certificate was issued: its bytes are not "
                              "those certified (SHA-256 at issue %2).")
            .arg(entry.recordFile, entry.recordSha256);
    case RecordCheck::Unchanged:
        break;
    }
    return QStringLiteral("The record %1 is unchanged since the certificate was issued.").arg(entry.recordFile);
}

QStringList columnCaptions()
{
    return {QStringLiteral("Number"),         QStringLiteral("Issued"),       QStringLiteral("How"),
            QStringLiteral("Record file"),    QStringLiteral("SART model"),   QStringLiteral("Manufacturer №"),
            QStringLiteral("Vessel"),         QStringLiteral("Testing date"), QStringLiteral("Next testing"),
            QStringLiteral("Battery date"),   QStringLiteral("Verdict"),      QStringLiteral("Outside the limits"),
            QStringLiteral("Engineer"),       QStringLiteral("User"),         QStringLiteral("Record SHA-256"),
            QStringLiteral("Outputs"),        QStringLiteral("Not completed"), QStringLiteral("Record's testing date"),
            QStringLiteral("Record in the archive")};
}

QStringList cells(const Entry &e)
{
    return {e.number,
            e.issuedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
            e.issuedHow,
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
            outputsText(e),
            QString::number(notCompleted(e)),
            dateText(e.recordTestingDate),
            filenames::display(e.recordName)};
}

} // namespace certregister

#include "CertificateEntry.h"

#include "FileNames.h"
#include "PanelValues.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <pwd.h>
#include <unistd.h>

namespace certregister {

namespace {

QString dateText(const QDate &date) { return date.isValid() ? date.toString(Qt::ISODate) : QString(); }

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

Entry entryFor(const QString &recordPath, const PanelValues &values, const QString &outsideLimits)
{
    Entry e;
    e.recordPath = recordPath;
    e.recordFile = filenames::display(QFileInfo(recordPath).fileName());
    e.recordSha256 = sha256OfFile(recordPath);
    e.sartModel = values.edit3;
    e.manufacturerNumber = values.edit9;
    e.vessel = values.edit4;
    e.testingDate = values.dateTimePicker2;
    e.nextTestingDate = values.dateTimePicker1;
    e.batteryDate = values.dateTimePicker3;
    e.verdict = values.comboBox5Text;
    e.outsideLimits = outsideLimits;
    e.engineer = values.edit1;
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
        return QStringLiteral("The record %1 is missing: no file at %2.").arg(entry.recordFile, entry.recordPath);
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
            QStringLiteral("Engineer"),       QStringLiteral("User"),         QStringLiteral("Record SHA-256")};
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
            e.recordSha256};
}

} // namespace certregister

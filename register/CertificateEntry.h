#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

struct PanelValues;

// One certificate issued, as the register keeps it: never changed or
// deleted by the program once it is there.
namespace certregister {

struct Entry
{
    QString number;          // "2026-00042", given by the register
    QDateTime issuedAt;      // UTC
    QString issuedHow;       // "Printer <name>", "PDF <path>", "Word"
    QString recordFile;      // the record file's name
    QString recordPath;      // and its path when the certificate was issued
    QString recordSha256;    // of the record file's bytes at that moment, hex
    QString sartModel, manufacturerNumber, vessel;
    QDate testingDate, nextTestingDate, batteryDate;
    QString verdict;         // the conclusion chosen: "SART PASSED TESTS"
    QString outsideLimits;   // the values outside the limits, one line; empty when none
    QString engineer;        // Edit1
    QString userName;        // the computer's user name

    bool operator==(const Entry &) const = default;
};

// What the register says about an entry's record now.
enum class RecordCheck { Unchanged, Changed, Missing };

// The SHA-256 of a file's bytes, hex; empty when it cannot be read.
QString sha256OfFile(const QString &path);
QString sha256Of(const QByteArray &bytes);

// An entry for the record at the path with what the panel shows; the
// number, the time and how it is issued are filled when it is issued.
Entry entryFor(const QString &recordPath, const PanelValues &values, const QString &outsideLimits);

// The login name of the computer's user.
QString computerUserName();

// Verify's finding about the entry's record, for a tooltip.
QString checkText(RecordCheck check, const Entry &entry);

// Column captions of the register's table and CSV export, and an entry's
// cells in that order (time shown in the computer's time zone).
QStringList columnCaptions();
QStringList cells(const Entry &entry);

} // namespace certregister

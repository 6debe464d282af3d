#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

struct RecordHeader;

// One certificate issued, as the register keeps it: one number for one
// record's bytes, verdict and certified values, and each time it went out
// (printed, saved as PDF, exported to Word) as an output under that number.
namespace certregister {

enum class OutputStatus { BeingIssued, Issued, NotCompleted };

// One time a certificate went out.
struct Output
{
    int index = 0;            // 1, 2, ... within the certificate
    QDateTime issuedAt;       // UTC
    QString how;              // "Printer <name>", "PDF <path>", "Word"
    QString filePath;         // the output file, when it went into a file
    QString fileSha256;       // of that file's bytes once made, hex
    OutputStatus status = OutputStatus::BeingIssued;
    // Who is issuing it: the computer, the process and its start (so that a
    // pid used again later is not taken for the issuer).
    QString host;
    qint64 pid = 0;
    QString processStart;

    bool operator==(const Output &) const = default;
};

// "being issued", "issued", "not completed", in the interface's language.
QString statusText(OutputStatus status);
// The same in English, as the CSV export writes it.
QString statusWord(OutputStatus status);
// How an output went out ("Printer <name>", "PDF <path>", "Word"), for the
// screen: the stored text stays English.
QString howText(const QString &how);

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
    QString engineer;        // the radio engineer
    QString userName;        // the computer's user name
    // The record's name relative to the archive folder (a carried name, see
    // FileNames.h: its bytes come back exactly); Verify looks for it there.
    QString recordName;
    QDate recordTestingDate; // the testing date the record file holds
    QVector<Output> outputs; // as read from the register, first first

    bool operator==(const Entry &) const = default;
};

// What the register says about an entry's record now.
enum class RecordCheck { Unchanged, Changed, Missing };

// The SHA-256 of a file's bytes, hex; empty when it cannot be read.
QString sha256OfFile(const QString &path);
QString sha256Of(const QByteArray &bytes);

// An entry for the record at the path with what the panel shows; the
// number, the time and how it is issued are filled when it is issued. The
// record's name is taken relative to the archive folder (its file name when
// it lies elsewhere); its testing date is the one shown unless given.
Entry entryFor(const QString &recordPath, const RecordHeader &values, const QString &outsideLimits,
               const QString &archiveFolder = {}, const QDate &recordTestingDate = {});

// The record's name relative to the archive folder: the file name when the
// record is not inside it (or no folder is given).
QString archiveName(const QString &recordPath, const QString &archiveFolder);

// Whether two entries are one certificate: the same record (its archive name
// and bytes), verdict and certified values (dates included).
bool sameCertificate(const Entry &a, const Entry &b);

// The number of outputs not completed.
int notCompleted(const Entry &entry);

// The login name of the computer's user.
QString computerUserName();

// Verify's finding about the entry's record, for a tooltip.
QString checkText(RecordCheck check, const Entry &entry);

// Column captions of the register's table and CSV export, and an entry's
// cells in that order (time shown in the computer's time zone). After the
// first columns: the outputs ("<time> <how>: <status>", one per line), how
// many were not completed, the record's testing date and its archive name.
// The captions are English (the CSV's header); the table shows each as
// QCoreApplication::translate("RegisterColumns", caption). cells() are the
// CSV's (stored English words), shownCells() the table's (statuses and how
// an output went out translated).
QStringList columnCaptions();
inline constexpr int FirstColumns = 15;  // the columns before the outputs
QStringList cells(const Entry &entry);
QStringList shownCells(const Entry &entry);

} // namespace certregister

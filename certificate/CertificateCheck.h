#pragma once

#include "DecodeTarget.h"
#include "Provenance.h"
#include "RecordHeader.h"
#include "RecordState.h"

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

// The one check before a certificate goes out (print, PDF, Word): the record
// file's bytes are read once and decoded, and every value the certificate
// prints is compared with what the panel shows. Each difference is named with
// why the panel holds it: typed and not saved, carried over from another
// record, a testing date that is not the record's, or the file changed on disk
// since it was shown. The bytes read, and their SHA-256, are what the
// register keeps for the certificate.
namespace certificate {

struct Input
{
    QString recordPath;               // the record shown; empty: none
    recordstate::Fingerprint shown;   // the bytes the panel was decoded from
    RecordHeader panel;               // what the certificate would print
    Provenance::Origins provenance;   // where the values not the file's came from
    int currentYear = 0;              // for the testing date's two-digit year; 0: this year
};

struct Difference
{
    enum class Kind {
        Unreadable,      // the file cannot be read or decoded as a record now
        ChangedOnDisk,   // its bytes are not the ones the panel was decoded from
        Typed,           // typed (or filled in) and not saved
        CarriedOver,     // carried over from another record
        TestingDate,     // the testing date shown is not the record's
        NotInFile,       // differs from the file for no reason the panel knows
    };
    Kind kind;
    Field field = DecodeTarget::RadioEngineer;  // the value concerned (not for the file's own kinds)
    QString caption;   // "Vessel Name"
    QString shown;     // as the certificate would print it
    QString inFile;    // as the file holds it; empty: it holds none
    QString detail;    // CarriedOver: the record it came from; file kinds: what happened

    // One line of the question: "Vessel Name "MV Dawn II" is typed and not saved ..."
    QString text(const QString &recordName) const;
};

struct Result
{
    QString recordName;     // the file's name as shown to the user
    QList<Difference> differences;
    QByteArray bytes;       // the file's bytes as read for the check
    QString sha256;         // of those bytes, hex; empty when none could be read
    QDate recordTestingDate;  // the record's own; invalid when it has none

    bool clean() const { return differences.isEmpty(); }
    bool has(Difference::Kind kind) const;
    // Only the testing date differs: certifying the date shown is a choice.
    bool onlyTestingDate() const;
    // Whether Save changes would put the differences right.
    bool saveResolves() const;
    // The differences, one line each, under a sentence naming the record.
    QString describe() const;
};

// Reads and compares. No record (empty path) is the caller's to refuse
// before; here it raises AppError.
Result check(const Input &input);

// The captions the certificate's values go by on the panel.
QString captionOf(Field field);

} // namespace certificate

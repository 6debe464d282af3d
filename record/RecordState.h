#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// What a record file holds, as far as telling whether it is still the record
// that was shown: a hash of its service header (bytes 0..199) and a hash of
// everything after it, the measured part. Save changes and Delete compare the
// file as it is now with the record as it was decoded, by these hashes and not
// by time stamps, which a network share may keep or round.
namespace recordstate {

struct Fingerprint
{
    bool exists = false;      // false: no entry of that name
    bool regular = false;     // a regular file; only those are records
    bool readable = false;    // its bytes could be read and are hashed below
    qint64 size = 0;
    QByteArray header;        // SHA-256 of bytes 0..199, as many as there are
    QByteArray measured;      // SHA-256 of bytes 200 to the end

    bool operator==(const Fingerprint &) const = default;
    // A record Save changes can write into: a regular file of 4096 bytes or more.
    bool isRecord() const;
};

Fingerprint ofContent(const QByteArray &content);

// The file at path as it is now. A regular file's bytes are read (at most a
// little more than the largest file taken for a record, so a huge file costs
// no more); `content`, when given, receives them. Nothing else is opened: a
// pipe or device is told by its type. Never raises: a file that cannot be
// read is told by `readable`.
Fingerprint ofFile(const QString &path, QByteArray *content = nullptr);

// What happened to a record since it was shown.
enum class Change {
    None,           // the same bytes
    HeaderChanged,  // the same measured part under another header: a header saved by another program
    Replaced,       // another record, or a file that is no record, under its name
    Removed,        // no file of that name any more
};
Change compare(const Fingerprint &shown, const Fingerprint &now);

// The sentence that tells the user what happened to the file `name` since it
// was shown ("The record a.bin was removed by another program after it was
// shown."); `now` tells a replacing record from a file that is no record.
QString describe(Change change, const QString &name, const Fingerprint &now);

} // namespace recordstate

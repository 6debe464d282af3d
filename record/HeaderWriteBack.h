#pragma once

#include "RecordHeader.h"
#include "RecordState.h"

#include <QByteArray>
#include <QString>

// Save changes: writes the panel's header fields into bytes 0..199 of a record
// file and keeps every other byte.
namespace writeback {

// The 200 header bytes for the panel's values; the three marks are "9".
QByteArray buildHeader(const RecordHeader &values);

// A text field of `width` bytes: the characters before the first '@', cut to
// width, filled up with spaces.
QByteArray textField(const QString &text, int width);

// The answer digit for a selector's item index; no selection gives "2", the
// blank item.
char answerDigit(int itemIndex);

// The file's new content: the header followed by the source's bytes from 200
// on. An empty source stays empty; 1..199 bytes raise "Read beyond end of file".
QByteArray rewrite(const QByteArray &source, const RecordHeader &values);

// Replaces the record file atomically with its rewritten content, streaming
// the bytes after the header, so memory stays bounded whatever the file holds.
// A read-only record file is refused with "File access denied", anything but
// a regular file or a file far larger than a record as "not a record file";
// errors name the file; on any failure the file is unchanged.
void save(const QString &recordPath, const RecordHeader &values);

struct SaveResult
{
    recordstate::Change change = recordstate::Change::None;  // None: written
    recordstate::Fingerprint now;  // the file as written, or as found when nothing was written
};

// As save(), into the record that was shown: only while the file still holds
// exactly the bytes `shown` was taken from. When another program changed,
// replaced or removed it, nothing is written and the result says what
// happened. The file is compared by its bytes and replaced under the archive
// folder's lock (recordlock), so that no program that takes it too writes
// between the comparison and the replacement; once more by its identity just
// before the new copy takes its name, for a program that takes no lock.
// Raises, with nothing written, when the lock cannot be had.
SaveResult saveIfUnchanged(const QString &recordPath, const RecordHeader &values,
                           const recordstate::Fingerprint &shown);

} // namespace writeback

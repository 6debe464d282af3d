#pragma once

#include "RegisterSettings.h"

#include <QString>

#include <optional>

// The mark an archive folder carries of the register of certificates that
// numbers for it, so that two programs numbering with registers of their own
// (two local SQLite files) for one shared archive learn of each other before
// both give the same numbers. The mark is the small file ".sart-register" in
// the archive folder, written once and never replaced by the program.
namespace certregister {

// Who numbers: the register's identity, and its name for the engineer.
struct ArchiveMark
{
    QString identity;
    QString description;
    bool operator==(const ArchiveMark &) const = default;
};

// The same register wherever it is used from: for SQLite this computer
// (its machine id) and the database file, for PostgreSQL the server and the
// database.
QString registerIdentity(const Settings &register_);
ArchiveMark markOf(const Settings &register_);

QString markPath(const QString &archiveFolder);

// The folder's mark; nothing when it has none. Raises AppError naming the
// file when something else lies there (a link, a FIFO, a folder, a file
// that is no mark) or when it cannot be read.
std::optional<ArchiveMark> readMark(const QString &archiveFolder);

struct MarkCheck
{
    enum State {
        Ours,         // the folder was marked for this register, now or before
        Other,        // another register numbers for the folder: `found`
        NotWritable,  // no mark, and none can be written: `why`
    } state = Ours;
    ArchiveMark found;
    QString why;
};

// Before a certificate is numbered for a record of the folder: the folder's
// mark, written for this register when it has none.
MarkCheck claimArchive(const QString &archiveFolder, const Settings &register_);

} // namespace certregister

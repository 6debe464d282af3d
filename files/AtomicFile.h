#pragma once

#include "AppError.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <sys/types.h>

// Writes a file in one step: the new content goes to a temporary file in the
// same folder, is flushed to disk and renamed to the target's name. On any
// failure the target is unchanged, the temporary file is removed and an
// AppError with the I/O text is raised.
//
// The temporary file is named ".sart-XXXXXX.tmp" (six random letters or
// digits): hidden, never ending in ".bin" so the archive never lists it, and
// short, so that a target name of the system's full length still leaves room.
// The writer holds a lock on it (flock) from its creation until it has taken
// the target's name, so that the clean-up at another program's start, which
// removes only temporary files nobody holds, never takes it away mid-write.
namespace atomicfile {

// Raised when a new file would replace one of the same name that is there now.
class TargetExists : public AppError
{
public:
    explicit TargetExists(const QString &path);
};

// Raised when the folder's file system cannot give a file a name without
// replacing a file that appears under that name at the same moment.
class NoReplaceUnsupported : public AppError
{
public:
    explicit NoReplaceUnsupported(const QString &path);
};

// A new temporary file beside a target, locked while it is written, for
// content written into it by descriptor or, by a writer that takes names
// only, by its name. commit() puts it in place of the target; otherwise it is
// removed when destroyed.
class TempFile
{
public:
    explicit TempFile(const QString &target);  // raises the I/O text
    ~TempFile();
    TempFile(const TempFile &) = delete;
    TempFile &operator=(const TempFile &) = delete;

    int fd() const { return m_fd; }
    const char *path() const { return m_path.constData(); }
    QString name() const;
    // Gives the file the mode, flushes it to disk and closes it.
    void complete(mode_t mode);
    // Renames the complete file; -1 with errno on failure.
    int renameTo(const char *target);
    void placed() { m_placed = true; }  // it took a name: nothing to remove
    // complete(), then renamed over the target; raises the I/O text.
    void commit(mode_t mode);

private:
    QString m_target;
    QByteArray m_path;
    int m_fd = -1;
    int m_lockFd = -1;
    bool m_placed = false;
};

void replace(const QString &path, const QByteArray &content, mode_t mode = 0644);

// As replace(); `fill` writes the new content into the temporary file's
// descriptor, a piece at a time, so the content never needs to be in memory.
// `beforeRename`, when given, runs once the temporary file is complete, just
// before it takes the target's name; whatever it raises stops the replacement.
void replaceWith(const QString &path, mode_t mode, const std::function<void(int fd)> &fill,
                 const std::function<void()> &beforeRename = {});

// A new file that never replaces another: it takes its name only while no
// entry has that name, also one that appears while it is written (TargetExists).
// Where the file system cannot refuse the name by itself, NoReplaceUnsupported
// is raised, unless `checkedIsEnough` allows a look for the name just before a
// plain rename (which the user was told cannot rule out a file appearing
// between the two).
// `beforePlace`, when given, runs once the temporary file is complete, just
// before it takes its name.
void create(const QString &path, const QByteArray &content, mode_t mode = 0644, bool checkedIsEnough = false);
void createWith(const QString &path, mode_t mode, const std::function<void(int fd)> &fill,
                bool checkedIsEnough = false, const std::function<void()> &beforePlace = {});

// Writes all bytes; raises the I/O text.
void writeAll(int fd, const char *data, qsizetype size);

// Runs a rename or a removal (a call that returns -1 and sets errno) again
// for a moment while it fails with EBUSY: a network share refuses both while
// anyone, this program's own reading included, has the file open.
int retryWhileBusy(const std::function<int()> &call);

// True for a name this module gives its temporary files.
bool isTemporaryName(const QByteArray &name);
// Removes the temporary files an interrupted write left in the folder:
// regular files whose names match the pattern exactly and that no program
// holds locked, nothing else. Where the file system cannot lock, only those
// untouched for an hour, far longer than any write takes.
void removeStaleTemporaries(const QString &folder);

} // namespace atomicfile

#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <sys/types.h>

// Replaces a file in one step: the new content goes to a temporary file in the
// same folder, is flushed to disk and renamed over the target. On any failure
// the target is unchanged, the temporary file is removed and an AppError with
// the I/O text is raised.
//
// The temporary file is named ".sart-XXXXXX.tmp" (six random letters or
// digits): hidden, never ending in ".bin" so the archive never lists it, and
// short, so that a target name of the system's full length still leaves room.
namespace atomicfile {

void replace(const QString &path, const QByteArray &content, mode_t mode = 0644);

// As replace(); `fill` writes the new content into the temporary file's
// descriptor, a piece at a time, so the content never needs to be in memory.
void replaceWith(const QString &path, mode_t mode, const std::function<void(int fd)> &fill);

// Writes all bytes; raises the I/O text.
void writeAll(int fd, const char *data, qsizetype size);

// A new temporary file beside a target, for content that is written into it
// by descriptor or, by a writer that takes names only, by its path. commit()
// puts it in place of the target; otherwise it is removed when destroyed.
class TempFile
{
public:
    explicit TempFile(const QString &target);  // raises the I/O text
    ~TempFile();
    TempFile(const TempFile &) = delete;
    TempFile &operator=(const TempFile &) = delete;

    int fd() const { return m_fd; }
    QString path() const;
    // Gives the file the mode, flushes it to disk and renames it over the
    // target; raises the I/O text.
    void commit(mode_t mode);

private:
    QString m_target;
    QByteArray m_path;
    int m_fd = -1;
    bool m_kept = false;
};

// True for a name this module gives its temporary files.
bool isTemporaryName(const QByteArray &name);
// Removes the temporary files an interrupted replace left in the folder:
// regular files whose names match the pattern exactly, nothing else.
void removeStaleTemporaries(const QString &folder);

} // namespace atomicfile

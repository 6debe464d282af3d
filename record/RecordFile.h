#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// A record file opened for reading. Only a regular file is a record: anything
// else (a folder, a pipe, a device, a socket, a link to one) is refused as
// "not a record file" without being opened, and the open itself never waits,
// so no entry of the archive can hang the program. Errors name the file.
namespace recordfile {

// A record is 4096 bytes; the few bytes some tools append are kept. A file
// far larger than that is no record: Save changes and import refuse it
// instead of copying gigabytes with the window waiting.
constexpr qint64 MaxSize = 1 << 20;

// "not a record file (a folder)" and the like; empty for a regular file.
QString notRecordReason(mode_t mode);

class Source
{
public:
    explicit Source(const QString &path);
    ~Source();
    Source(const Source &) = delete;
    Source &operator=(const Source &) = delete;

    int fd() const { return m_fd; }
    qint64 size() const { return m_size; }
    mode_t mode() const { return m_mode; }
    const QString &path() const { return m_path; }

    // Refuses a file larger than MaxSize, naming it and its size.
    void refuseOversize() const;
    // Reads exactly n bytes from offset; a shorter file raises
    // "Read beyond end of file".
    void readAt(void *to, qsizetype n, qint64 offset) const;
    // Copies the bytes from offset to the end of the file into the descriptor
    // `to`, a piece at a time. Read errors name this file; write errors raise
    // the bare I/O text.
    void copyTail(qint64 offset, int to) const;
    // The whole file, or its first MaxSize + 1 bytes when it is larger: enough
    // to tell it from any record while memory stays bounded. Read from the
    // file system, not from pages kept of an earlier reading.
    QByteArray readAll() const;
    // True while `path` names the file opened, unchanged in size and time.
    bool stillNamedBy(const QString &path) const;

private:
    QString m_path;
    int m_fd = -1;
    qint64 m_size = 0;
    mode_t m_mode = 0;
};

} // namespace recordfile

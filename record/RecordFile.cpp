#include "RecordFile.h"

#include "AppError.h"
#include "AtomicFile.h"
#include "FileNames.h"
#include "RecordLayout.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace recordfile {

QString notRecordReason(mode_t mode)
{
    const char *kind = nullptr;
    if (S_ISREG(mode))
        return {};
    if (S_ISDIR(mode))
        kind = QT_TRANSLATE_NOOP("RecordFile", "a folder");
    else if (S_ISFIFO(mode))
        kind = QT_TRANSLATE_NOOP("RecordFile", "a named pipe");
    else if (S_ISCHR(mode))
        kind = QT_TRANSLATE_NOOP("RecordFile", "a character device");
    else if (S_ISBLK(mode))
        kind = QT_TRANSLATE_NOOP("RecordFile", "a block device");
    else if (S_ISSOCK(mode))
        kind = QT_TRANSLATE_NOOP("RecordFile", "a socket");
    else
        kind = QT_TRANSLATE_NOOP("RecordFile", "not a regular file");
    return QStringLiteral("%1 (%2)").arg(errors::shown(errors::NotRecordFile), QCoreApplication::translate("RecordFile", kind));
}

Source::Source(const QString &path)
    : m_path(path)
{
    const QByteArray bytes = filenames::toBytes(path);
    // The entry's type first, so that a device is never opened (opening a
    // serial port raises its lines); a pipe is never waited for.
    struct stat st {};
    if (::stat(bytes.constData(), &st) != 0)
        errors::throwFileIo(path, errno);
    if (const QString reason = notRecordReason(st.st_mode); !reason.isEmpty())
        errors::throwFile(path, reason);
    m_fd = ::open(bytes.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (m_fd < 0)
        errors::throwFileIo(path, errno);
    // The entry may have been replaced between the two looks.
    if (::fstat(m_fd, &st) != 0)
        errors::throwFileIo(path, errno);
    if (const QString reason = notRecordReason(st.st_mode); !reason.isEmpty())
        errors::throwFile(path, reason);
    m_size = st.st_size;
    m_mode = st.st_mode;
}

Source::~Source()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void Source::refuseOversize() const
{
    if (m_size > MaxSize)
        errors::throwFile(m_path, QCoreApplication::translate("RecordFile", "%1: it holds %2 bytes, far more than the %3 bytes of a record")
                                      .arg(errors::shown(errors::NotRecordFile))
                                      .arg(m_size)
                                      .arg(layout::RecordSize));
}

void Source::readAt(void *to, qsizetype n, qint64 offset) const
{
    auto *p = static_cast<char *>(to);
    while (n > 0) {
        const ssize_t got = ::pread(m_fd, p, size_t(n), offset);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            errors::throwFileIo(m_path, errno);
        }
        if (got == 0)
            errors::throwFile(m_path, errors::ReadBeyondEnd);
        p += got;
        n -= got;
        offset += got;
    }
}

void Source::copyTail(qint64 offset, int to) const
{
    char piece[65536];
    for (;;) {
        const ssize_t got = ::pread(m_fd, piece, sizeof piece, offset);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            errors::throwFileIo(m_path, errno);
        }
        if (got == 0)
            return;
        atomicfile::writeAll(to, piece, got);
        offset += got;
    }
}

QByteArray Source::readAll() const
{
    // The bytes as they are now: a network file system may still hold pages
    // of the version this computer read before another one replaced it.
    ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_DONTNEED);
    QByteArray bytes(qsizetype(std::min(m_size, MaxSize + 1)), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::pread(m_fd, bytes.data() + done, size_t(bytes.size() - done), done);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            errors::throwFileIo(m_path, errno);
        }
        if (got == 0)
            break;  // shorter than when it was opened
        done += got;
    }
    bytes.truncate(done);
    return bytes;
}

bool Source::stillNamedBy(const QString &path) const
{
    struct stat opened {}, named {};
    if (::fstat(m_fd, &opened) != 0 || ::stat(filenames::toBytes(path).constData(), &named) != 0)
        return false;
    return opened.st_dev == named.st_dev && opened.st_ino == named.st_ino && opened.st_size == named.st_size
           && opened.st_mtim.tv_sec == named.st_mtim.tv_sec && opened.st_mtim.tv_nsec == named.st_mtim.tv_nsec;
}

} // namespace recordfile

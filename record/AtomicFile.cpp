#include "AtomicFile.h"

#include "AppError.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace atomicfile {
namespace {

// Closes and, unless released, removes the temporary file.
class TempFile
{
public:
    explicit TempFile(const QString &target)
    {
        const QFileInfo info(target);
        m_path = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName()
                                   + QStringLiteral(".XXXXXX"));
        m_fd = ::mkstemp(m_path.data());
        if (m_fd < 0)
            errors::throwIo(errno);
    }
    ~TempFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_kept)
            ::unlink(m_path.constData());
    }
    TempFile(const TempFile &) = delete;
    TempFile &operator=(const TempFile &) = delete;

    int fd() const { return m_fd; }
    const char *path() const { return m_path.constData(); }
    void closeChecked()
    {
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0)
            errors::throwIo(errno);
    }
    void keep() { m_kept = true; }

private:
    QByteArray m_path;
    int m_fd = -1;
    bool m_kept = false;
};

void writeAll(int fd, const QByteArray &content)
{
    const char *p = content.constData();
    qsizetype left = content.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            errors::throwIo(errno);
        }
        p += n;
        left -= n;
    }
}

void syncFolder(const QString &path)
{
    const int dir = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                           O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

} // namespace

void replace(const QString &path, const QByteArray &content, mode_t mode)
{
    TempFile temp(path);
    writeAll(temp.fd(), content);
    if (::fchmod(temp.fd(), mode) != 0 || ::fsync(temp.fd()) != 0)
        errors::throwIo(errno);
    temp.closeChecked();
    if (::rename(temp.path(), QFile::encodeName(path).constData()) != 0)
        errors::throwIo(errno);
    temp.keep();
    syncFolder(path);
}

QByteArray readAll(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        errors::throwIo(errno);
    QByteArray content;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        errors::throwIo(EISDIR);
    }
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int e = errno;
            ::close(fd);
            errors::throwIo(e);
        }
        if (n == 0)
            break;
        content.append(chunk, n);
    }
    ::close(fd);
    return content;
}

} // namespace atomicfile

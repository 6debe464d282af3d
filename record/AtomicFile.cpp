#include "AtomicFile.h"

#include "AppError.h"
#include "FileNames.h"

#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace atomicfile {
namespace {

constexpr char Prefix[] = ".sart-";
constexpr char Suffix[] = ".tmp";
constexpr int RandomLength = 6;

QString folderOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash < 0 ? QStringLiteral(".") : slash == 0 ? QStringLiteral("/") : path.left(slash);
}

// Closes and, unless released, removes the temporary file.
class TempFile
{
public:
    explicit TempFile(const QString &target)
    {
        m_path = filenames::toBytes(folderOf(target)) + '/' + Prefix + QByteArray(RandomLength, 'X') + Suffix;
        m_fd = ::mkstemps(m_path.data(), int(sizeof Suffix - 1));
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

void syncFolder(const QString &path)
{
    const int dir = ::open(filenames::toBytes(folderOf(path)).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

} // namespace

void writeAll(int fd, const char *p, qsizetype left)
{
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

void replaceWith(const QString &path, mode_t mode, const std::function<void(int fd)> &fill)
{
    TempFile temp(path);
    fill(temp.fd());
    if (::fchmod(temp.fd(), mode) != 0 || ::fsync(temp.fd()) != 0)
        errors::throwIo(errno);
    temp.closeChecked();
    if (::rename(temp.path(), filenames::toBytes(path).constData()) != 0)
        errors::throwIo(errno);
    temp.keep();
    syncFolder(path);
}

void replace(const QString &path, const QByteArray &content, mode_t mode)
{
    replaceWith(path, mode, [&](int fd) { writeAll(fd, content.constData(), content.size()); });
}

bool isTemporaryName(const QByteArray &name)
{
    constexpr qsizetype prefix = sizeof Prefix - 1, suffix = sizeof Suffix - 1;
    if (name.size() != prefix + RandomLength + suffix || !name.startsWith(Prefix) || !name.endsWith(Suffix))
        return false;
    for (qsizetype i = prefix; i < prefix + RandomLength; ++i) {
        const char c = name[i];
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}

void removeStaleTemporaries(const QString &folder)
{
    DIR *dir = ::opendir(filenames::toBytes(folder).constData());
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir);
    while (const dirent *entry = ::readdir(dir)) {
        if (!isTemporaryName(QByteArray(entry->d_name)))
            continue;
        struct stat st {};
        if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
            ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(dir);
}

} // namespace atomicfile

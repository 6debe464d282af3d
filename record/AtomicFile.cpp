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
#include <utility>

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

void syncFolder(const QString &path)
{
    const int dir = ::open(filenames::toBytes(folderOf(path)).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

} // namespace

TempFile::TempFile(const QString &target)
    : m_target(target),
      m_path(filenames::toBytes(folderOf(target)) + '/' + Prefix + QByteArray(RandomLength, 'X') + Suffix)
{
    m_fd = ::mkstemps(m_path.data(), int(sizeof Suffix - 1));
    if (m_fd < 0)
        errors::throwIo(errno);
}

TempFile::~TempFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_kept)
        ::unlink(m_path.constData());
}

QString TempFile::path() const { return filenames::fromBytes(m_path); }

void TempFile::commit(mode_t mode)
{
    if (::fchmod(m_fd, mode) != 0 || ::fsync(m_fd) != 0)
        errors::throwIo(errno);
    const int fd = std::exchange(m_fd, -1);
    if (::close(fd) != 0)
        errors::throwIo(errno);
    if (::rename(m_path.constData(), filenames::toBytes(m_target).constData()) != 0)
        errors::throwIo(errno);
    m_kept = true;
    syncFolder(m_target);
}

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
    temp.commit(mode);
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

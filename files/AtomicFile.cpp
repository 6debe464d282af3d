#include "AtomicFile.h"

#include "FileNames.h"

#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace atomicfile {
namespace {

constexpr char Prefix[] = ".sart-";
constexpr char Suffix[] = ".tmp";
constexpr int RandomLength = 6;
constexpr time_t UnlockableAge = 3600;  // seconds; no write takes that long

QString folderOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash < 0 ? QStringLiteral(".") : slash == 0 ? QStringLiteral("/") : path.left(slash);
}

bool lockUnsupported(int e)
{
    // EBADF: a network file system that locks through its byte-range locks,
    // which need a descriptor open for writing.
    return e == ENOLCK || e == EOPNOTSUPP || e == ENOTSUP || e == ENOSYS || e == EINVAL || e == EBADF;
}

// Opened for writing where allowed: some network file systems lock only so.
int openForLock(int dirFd, const char *name)
{
    const int flags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY;
    const int fd = ::openat(dirFd, name, O_RDWR | flags);
    return fd >= 0 ? fd : ::openat(dirFd, name, O_RDONLY | flags);
}

void syncFolder(const QString &path)
{
    const int dir = ::open(filenames::toBytes(folderOf(path)).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

bool noReplaceUnsupported(int e) { return e == EINVAL || e == ENOSYS || e == EOPNOTSUPP || e == ENOTSUP; }
bool linkUnsupported(int e) { return e == EPERM || e == ENOSYS || e == EOPNOTSUPP || e == ENOTSUP || e == EMLINK; }

// Gives the complete temporary file the target's name without replacing an
// entry of that name: the kernel's rename that refuses it, else a hard link,
// which refuses it too, else (when allowed) a look just before a plain rename.
void placeNoReplace(TempFile &temp, const QString &path, bool checkedIsEnough)
{
    const QByteArray target = filenames::toBytes(path);
    if (::renameat2(AT_FDCWD, temp.path(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0) {
        temp.placed();
        return;
    }
    if (errno == EEXIST)
        throw TargetExists(path);
    if (!noReplaceUnsupported(errno))
        errors::throwIo(errno);
    if (::link(temp.path(), target.constData()) == 0)
        return;  // the temporary name goes with the TempFile
    if (errno == EEXIST)
        throw TargetExists(path);
    if (!linkUnsupported(errno))
        errors::throwIo(errno);
    if (!checkedIsEnough)
        throw NoReplaceUnsupported(path);
    struct stat st {};
    if (::lstat(target.constData(), &st) == 0)
        throw TargetExists(path);
    if (temp.renameTo(target.constData()) != 0)
        errors::throwIo(errno);
    temp.placed();
}

} // namespace

TempFile::TempFile(const QString &target)
    : m_target(target)
{
    m_path = filenames::toBytes(folderOf(target)) + '/' + Prefix + QByteArray(RandomLength, 'X') + Suffix;
    m_fd = ::mkstemps(m_path.data(), int(sizeof Suffix - 1));
    if (m_fd < 0)
        errors::throwIo(errno);
    // A file system without locks still gets the file written: the
    // clean-up then goes by its age.
    m_lockFd = openForLock(AT_FDCWD, m_path.constData());
    if (m_lockFd >= 0)
        ::flock(m_lockFd, LOCK_EX | LOCK_NB);
}

TempFile::~TempFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_placed)
        ::unlink(m_path.constData());
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

QString TempFile::name() const { return filenames::fromBytes(m_path); }

void TempFile::complete(mode_t mode)
{
    if (::fchmod(m_fd, mode) != 0 || ::fsync(m_fd) != 0)
        errors::throwIo(errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        errors::throwIo(errno);
}

// A network share refuses to rename a file still open (EBUSY), so the lock
// goes first there: nobody else sees the file anyway.
int TempFile::renameTo(const char *target)
{
    if (::rename(m_path.constData(), target) == 0)
        return 0;
    if (errno != EBUSY)
        return -1;
    if (m_lockFd >= 0)
        ::close(m_lockFd);
    m_lockFd = -1;
    return retryWhileBusy([&] { return ::rename(m_path.constData(), target); });
}

void TempFile::commit(mode_t mode)
{
    complete(mode);
    if (renameTo(filenames::toBytes(m_target).constData()) != 0)
        errors::throwIo(errno);
    placed();
    syncFolder(m_target);
}

TargetExists::TargetExists(const QString &path)
    : AppError(QCoreApplication::translate("AtomicFile", "The file %1 already exists.").arg(filenames::display(path)))
{
}

NoReplaceUnsupported::NoReplaceUnsupported(const QString &path)
    : AppError(QCoreApplication::translate("AtomicFile", "The file system of the folder %1 cannot refuse to replace a file: "
                              "a file named %2 that appears there while this one is saved would be "
                              "replaced without a question.")
                   .arg(filenames::display(folderOf(path)), filenames::display(QFileInfo(path).fileName())))
{
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

int retryWhileBusy(const std::function<int()> &call)
{
    constexpr int Tries = 20;  // a second at most
    for (int tried = 1;; ++tried) {
        const int result = call();
        if (result == 0 || errno != EBUSY || tried == Tries)
            return result;
        ::usleep(50000);
    }
}

void replaceWith(const QString &path, mode_t mode, const std::function<void(int fd)> &fill,
                 const std::function<void()> &beforeRename)
{
    TempFile temp(path);
    fill(temp.fd());
    temp.complete(mode);
    if (beforeRename)
        beforeRename();
    if (temp.renameTo(filenames::toBytes(path).constData()) != 0)
        errors::throwIo(errno);
    temp.placed();
    syncFolder(path);
}

void replace(const QString &path, const QByteArray &content, mode_t mode)
{
    replaceWith(path, mode, [&](int fd) { writeAll(fd, content.constData(), content.size()); });
}

void createWith(const QString &path, mode_t mode, const std::function<void(int fd)> &fill, bool checkedIsEnough,
                const std::function<void()> &beforePlace)
{
    TempFile temp(path);
    fill(temp.fd());
    temp.complete(mode);
    if (beforePlace)
        beforePlace();
    placeNoReplace(temp, path, checkedIsEnough);
    syncFolder(path);
}

void create(const QString &path, const QByteArray &content, mode_t mode, bool checkedIsEnough)
{
    createWith(path, mode, [&](int fd) { writeAll(fd, content.constData(), content.size()); }, checkedIsEnough);
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
        struct stat named {};
        if (::fstatat(dirFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(named.st_mode))
            continue;
        const int fd = openForLock(dirFd, entry->d_name);
        if (fd < 0)
            continue;
        struct stat held {};
        bool stale = false;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            stale = true;  // nobody writes it: the lock stays ours until it is gone
        else if (lockUnsupported(errno) && ::fstat(fd, &held) == 0)
            stale = std::time(nullptr) - held.st_mtime > UnlockableAge;
        // Removed only while the name still stands for the file looked at.
        if (stale && ::fstat(fd, &held) == 0 && ::fstatat(dirFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0
            && held.st_ino == named.st_ino && held.st_dev == named.st_dev)
            ::unlinkat(dirFd, entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(dir);
}

} // namespace atomicfile

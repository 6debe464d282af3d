#include "RecordLock.h"

#include "AppError.h"
#include "AtomicFile.h"
#include "FileNames.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocale>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace recordlock {
namespace {

// Locks this process holds now: a lock file that names this process while it
// holds none was left by a removal the share refused.
std::atomic_int heldHere{0};

QByteArray hostName()
{
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return "unknown";
    return QByteArray(name);
}

// What a lock file tells of its holder.
struct Holder
{
    QByteArray host;
    qint64 pid = 0;
    qint64 since = 0;  // seconds since the epoch; 0: not written yet
};

Holder parse(const QByteArray &content)
{
    Holder h;
    for (const QByteArray &line : content.split('\n')) {
        const qsizetype eq = line.indexOf('=');
        if (eq <= 0)
            continue;
        const QByteArray key = line.left(eq), value = line.mid(eq + 1);
        if (key == "host")
            h.host = value;
        else if (key == "pid")
            h.pid = value.toLongLong();
        else if (key == "since")
            h.since = value.toLongLong();
    }
    return h;
}

QString kindOf(mode_t mode)
{
    if (S_ISFIFO(mode))
        return QCoreApplication::translate("RecordLock", "a pipe (FIFO)");
    if (S_ISLNK(mode))
        return QCoreApplication::translate("RecordLock", "a link");
    if (S_ISDIR(mode))
        return QCoreApplication::translate("RecordLock", "a folder");
    if (S_ISSOCK(mode))
        return QCoreApplication::translate("RecordLock", "a socket");
    return QCoreApplication::translate("RecordLock", "a device");
}

QString recordName(const QString &recordPath) { return filenames::display(QFileInfo(recordPath).fileName()); }

// The lock file there now: its holder, or false when it is gone or is no file.
// Never opens anything but a regular file, and never waits on it.
bool readHolder(const QByteArray &path, Holder &holder, struct stat &st)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    QByteArray content;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        char buffer[512];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0)
            content = QByteArray(buffer, n);
    }
    ::close(fd);
    if (!S_ISREG(st.st_mode))
        return false;
    holder = parse(content);
    return true;
}

// A holder that ended without letting go: its process gone on this computer,
// or the lock older than any save takes.
bool isStale(const Holder &holder, const struct stat &st)
{
    static const QByteArray here = hostName();
    if (holder.host == here && holder.pid == qint64(::getpid()))
        return heldHere == 0;
    if (holder.host == here && holder.pid > 0)
        return ::kill(pid_t(holder.pid), 0) != 0 && errno == ESRCH;
    const qint64 since = holder.since > 0 ? holder.since : qint64(st.st_mtime);
    return std::time(nullptr) - since > StaleSeconds;
}

QString holderText(const Holder &holder)
{
    if (holder.pid <= 0)
        return QCoreApplication::translate("RecordLock", "another program");
    return QCoreApplication::translate("RecordLock", "another program (process %1 on %2)").arg(holder.pid).arg(QString::fromUtf8(holder.host));
}

} // namespace

QString lockPathFor(const QString &recordPath)
{
    return QFileInfo(recordPath).absolutePath() + u'/' + QLatin1String(FileName);
}

Held::Held(const QString &recordPath, const QString &action, int waitMs)
    : Held(recordPath, action == QLatin1String("delete") ? Action::Delete : Action::Save, waitMs)
{
}

Held::Held(const QString &recordPath, Action action, int waitMs)
{
    const QString lockPath = lockPathFor(recordPath);
    m_lockPath = filenames::toBytes(lockPath);
    const QByteArray content = "host=" + hostName() + "\npid=" + QByteArray::number(qint64(::getpid()))
                + "\nsince=" + QByteArray::number(qint64(std::time(nullptr))) + '\n';
    QElapsedTimer waited;
    waited.start();
    int pauseMs = 5;
    Holder holder;
    qint64 lookedAt = -1;  // when the holder was last read
    for (;;) {
        // An exclusive create never opens what is there, a pipe or a link included.
        const int fd =
            ::open(m_lockPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
        if (fd >= 0) {
            // Whoever finds it half written waits: only its age makes it stale.
            [[maybe_unused]] const ssize_t written = ::write(fd, content.constData(), size_t(content.size()));
            // Closed at once: a network share refuses to remove a file still open.
            ::close(fd);
            m_held = true;
            ++heldHere;
            return;
        }
        if (errno == EINTR)
            continue;
        if (errno != EEXIST)
            return;  // no lock file can be made here: nothing is written here either
        struct stat st {};
        if (::lstat(m_lockPath.constData(), &st) == 0 && !S_ISREG(st.st_mode))
            errors::throwText((action == Action::Save
                                   ? QCoreApplication::translate("RecordLock",
                                                                 "Cannot save the record %1: the archive folder holds "
                                                                 "%2 named %3 where this program keeps its lock file. "
                                                                 "Nothing was changed. Remove %4 and try again.")
                                   : QCoreApplication::translate("RecordLock",
                                                                 "Cannot delete the record %1: the archive folder "
                                                                 "holds %2 named %3 where this program keeps its lock "
                                                                 "file. Nothing was changed. Remove %4 and try again."))
                                  .arg(recordName(recordPath), kindOf(st.st_mode), QLatin1String(FileName),
                                       filenames::display(lockPath)));
        // Who holds it is read at once and then once a second: a share
        // refuses to remove a file someone has open, the holder's own lock
        // file included.
        if (lookedAt < 0 || waited.elapsed() - lookedAt >= 1000) {
            lookedAt = waited.elapsed();
            if (readHolder(m_lockPath, holder, st) && isStale(holder, st)) {
                atomicfile::retryWhileBusy([&] { return ::unlink(m_lockPath.constData()); });
                continue;
            }
        }
        if (waited.elapsed() >= waitMs)
            break;
        ::usleep(useconds_t(pauseMs) * 1000);
        pauseMs = std::min(pauseMs * 2, 50);
    }
    errors::throwText((action == Action::Save
                           ? QCoreApplication::translate("RecordLock",
                                                         "Cannot save the record %1 now: %2 is saving into the "
                                                         "archive and has held its lock file %3 for more than %4 "
                                                         "seconds. Nothing was changed; try again in a moment. If "
                                                         "no other program works on this archive, remove %3.")
                           : QCoreApplication::translate("RecordLock",
                                                         "Cannot delete the record %1 now: %2 is saving into the "
                                                         "archive and has held its lock file %3 for more than %4 "
                                                         "seconds. Nothing was changed; try again in a moment. If "
                                                         "no other program works on this archive, remove %3."))
                          .arg(recordName(recordPath), holderText(holder), filenames::display(lockPath))
                          .arg(QLocale().toString(waitMs / 1000.0)));
}

Held::~Held()
{
    if (!m_held)
        return;
    atomicfile::retryWhileBusy([&] { return ::unlink(m_lockPath.constData()); });
    --heldHere;
}

RemoveResult removeIfUnchanged(const QString &path, const recordstate::Fingerprint &expected)
{
    const Held lock(path, Action::Delete);
    RemoveResult result;
    result.now = recordstate::ofFile(path);
    result.change = recordstate::compare(expected, result.now);
    if (result.change != recordstate::Change::None)
        return result;
    const QByteArray doomed = filenames::toBytes(path);
    if (atomicfile::retryWhileBusy([&] { return ::unlink(doomed.constData()); }) != 0)
        result.error = errno;
    return result;
}

} // namespace recordlock

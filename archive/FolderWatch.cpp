#include "FolderWatch.h"

#include "ArchiveScan.h"
#include "FileNames.h"
#include "FolderEvents.h"

#include <QElapsedTimer>
#include <QSet>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace archive {
namespace {

// What FUSE file systems without inode numbers of their own list (32 bits of ones).
constexpr ino_t UnknownInode = 0xFFFFFFFF;

// An entry's identity as the scan records it: following a link, and a size
// of -1 for an entry that cannot be looked at.
FileIdentity entryIdentity(int dirFd, const char *name)
{
    struct stat st {};
    if (::fstatat(dirFd, name, &st, 0) == 0)
        return identityOf(st);
    return {};
}

} // namespace

void FolderSnapshot::reset(const QStringList &carriedNames, const QVector<FileIdentity> &identities)
{
    m_entries.clear();
    m_order.clear();
    m_entries.reserve(size_t(carriedNames.size()));
    for (qsizetype i = 0; i < carriedNames.size(); ++i)
        m_entries[filenames::toBytes(carriedNames[i]).toStdString()] = {identities.value(i), m_generation};
}

QList<QByteArray> FolderSnapshot::poll(const QByteArray &folder, qsizetype lookAt, QList<QByteArray> *gone)
{
    QList<QByteArray> changed;
    ++m_listings;
    const quint64 generation = ++m_generation;
    // This poll's turn: the places [m_turn, m_turn + lookAt) of the listing, wrapping.
    const size_t listed = std::max<size_t>(m_entries.size(), 1);
    const size_t turn = m_turn % listed;
    const size_t turnLength = size_t(std::min<qsizetype>(lookAt, qsizetype(listed)));
    m_lookedAt = 0;
    std::vector<std::pair<const std::string *, Slot *>> order;
    order.reserve(m_order.size());
    if (DIR *dir = ::opendir(folder.constData())) {
        const int dirFd = ::dirfd(dir);
        while (const dirent *entry = ::readdir(dir)) {
            if (!isRecordName(entry->d_name))
                continue;
            const std::string_view name(entry->d_name);
            const size_t place = order.size();
            std::pair<const std::string *, Slot *> known{nullptr, nullptr};
            if (place < m_order.size() && *m_order[place].first == name) {
                known = m_order[place];
            } else if (auto it = m_entries.find(name); it != m_entries.end()) {
                known = {&it->first, &it->second};
            } else {
                auto added = m_entries.emplace(std::string(name), Slot{entryIdentity(dirFd, entry->d_name), generation});
                order.emplace_back(&added.first->first, &added.first->second);
                changed.append(QByteArray(entry->d_name));
                continue;
            }
            order.push_back(known);
            Slot &slot = *known.second;
            slot.seen = generation;
            // The listing's inode number, where the file system gives a real
            // one, shows a file replaced under its name without a stat.
            const bool otherFile =
                entry->d_ino != 0 && entry->d_ino != UnknownInode && entry->d_ino != slot.identity.inode;
            const bool itsTurn = (place + listed - turn) % listed < turnLength;
            if (!otherFile && !itsTurn)
                continue;
            ++m_lookedAt;
            const FileIdentity identity = entryIdentity(dirFd, entry->d_name);
            if (slot.identity != identity) {
                slot.identity = identity;
                changed.append(QByteArray(entry->d_name));
            }
        }
        ::closedir(dir);
    }
    // A folder that cannot be listed lists nothing, as the scan does.
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        if (it->second.seen == generation) {
            ++it;
            continue;
        }
        changed.append(QByteArray::fromStdString(it->first));
        if (gone)
            gone->append(changed.constLast());
        it = m_entries.erase(it);
    }
    m_order = std::move(order);
    m_turn = turn + turnLength;
    return changed;
}

QList<QByteArray> FolderSnapshot::pollShare(const QByteArray &folder, qsizetype lookAt, QList<QByteArray> *gone)
{
    ++m_sharePolls;
    // The stamp is taken before the listing: a change while it lists gives
    // another stamp next time. A change within the stamp's clock tick right
    // after a listing keeps the stamp: the second listing finds it.
    struct stat st {};
    const bool stamped = ::stat(folder.constData(), &st) == 0;
    const FileIdentity stamp = stamped ? identityOf(st) : FileIdentity{};
    const bool quiet = stamped && stamp == m_stamp && m_stampListings >= 2 && m_order.size() == m_entries.size()
                       && m_sharePolls % RelistEvery != 0;
    if (!quiet) {
        m_stampListings = stamped && stamp == m_stamp ? m_stampListings + 1 : 1;
        m_stamp = stamp;
        return poll(folder, lookAt, gone);
    }
    QList<QByteArray> changed;
    m_lookedAt = 0;
    const size_t listed = m_order.size();
    const int dirFd = listed > 0 ? ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1;
    if (dirFd < 0)
        return changed;
    const size_t turn = m_turn % listed;
    const size_t looks = size_t(std::min<qsizetype>(lookAt, qsizetype(listed)));
    for (size_t k = 0; k < looks; ++k) {
        const auto &[name, slot] = m_order[(turn + k) % listed];
        ++m_lookedAt;
        struct stat entry {};
        if (::fstatat(dirFd, name->c_str(), &entry, 0) != 0) {
            m_stampListings = 0;  // gone while the folder's stamp stayed: the next poll lists
            continue;
        }
        const FileIdentity identity = identityOf(entry);
        if (slot->identity != identity) {
            slot->identity = identity;
            changed.append(QByteArray::fromStdString(*name));
        }
    }
    ::close(dirFd);
    m_turn = turn + looks;
    return changed;
}

QList<QByteArray> FolderSnapshot::recheck(const QByteArray &folder, const QList<QByteArray> &names,
                                          QList<QByteArray> *gone)
{
    QList<QByteArray> changed;
    m_order.clear();  // entries may go: the next poll looks each name up
    const int dirFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (const QByteArray &name : names) {
        struct stat st {};
        const bool exists = dirFd >= 0 && ::fstatat(dirFd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0;
        auto it = m_entries.find(std::string_view(name.constData(), size_t(name.size())));
        if (!exists) {
            if (it != m_entries.end()) {
                m_entries.erase(it);
                changed.append(name);
                if (gone)
                    gone->append(name);
            }
            continue;
        }
        const FileIdentity identity = entryIdentity(dirFd, name.constData());
        if (it == m_entries.end()) {
            m_entries.emplace(name.toStdString(), Slot{identity, m_generation});
            changed.append(name);
        } else if (it->second.identity != identity) {
            it->second.identity = identity;
            changed.append(name);
        }
    }
    if (dirFd >= 0)
        ::close(dirFd);
    return changed;
}

// Lives on the watch's thread: polls on a timer, reads the kernel's events.
class FolderPoller : public QObject
{
    Q_OBJECT

public:
    explicit FolderPoller(FolderWatch::Events events) : m_useEvents(events == FolderWatch::Events::FromKernel) {}

    void watch(const QByteArray &folder, const QStringList &names, const QVector<FileIdentity> &identities)
    {
        if (!m_poll) {
            m_poll = new QTimer(this);
            m_poll->setSingleShot(true);
            connect(m_poll, &QTimer::timeout, this, &FolderPoller::pollNow);
            m_settle = new QTimer(this);
            m_settle->setSingleShot(true);
            m_settle->setInterval(SettleMs);
            connect(m_settle, &QTimer::timeout, this, &FolderPoller::recheckNamed);
            if (m_useEvents && (m_events = FolderEvents::create())) {
                auto *notifier = new QSocketNotifier(m_events->descriptor(), QSocketNotifier::Read, this);
                connect(notifier, &QSocketNotifier::activated, this, &FolderPoller::eventsWaiting);
            }
        }
        if (folder != m_folder && m_events)
            m_events->watch(folder);
        m_folder = folder;
        m_shared = !m_events || isSharedFileSystem(folder);
        m_snapshot.reset(names, identities);
        // One listing finds what changed between the caller's listing and
        // the kernel's watch.
        m_poll->start(FolderWatch::PollIntervalMs);
    }

signals:
    void filesChanged(const QStringList &names, const QStringList &gone);

private:
    static constexpr int SettleMs = 20;  // events of one write come in a burst

    void tell(const QList<QByteArray> &names, const QList<QByteArray> &gone)
    {
        if (names.isEmpty())
            return;
        QStringList carried, carriedGone;
        carried.reserve(names.size());
        for (const QByteArray &name : names)
            carried.append(filenames::fromBytes(name));
        for (const QByteArray &name : gone)
            carriedGone.append(filenames::fromBytes(name));
        emit filesChanged(carried, carriedGone);
    }

    void pollNow()
    {
        QElapsedTimer took;
        took.start();
        // A folder that came back (or was made) is watched again.
        if (m_events && !m_events->isWatching())
            m_events->watch(m_folder);
        const bool kernelTells = !m_shared && m_events->isWatching();
        const qsizetype lookAt = std::exchange(m_lookAt, FolderWatch::LooksPerPoll);
        QList<QByteArray> gone;
        const QList<QByteArray> changed = kernelTells || lookAt == FolderSnapshot::Everything
                                              ? m_snapshot.poll(m_folder, lookAt, &gone)
                                              : m_snapshot.pollShare(m_folder, lookAt, &gone);
        tell(changed, gone);
        if (kernelTells)
            return;  // the kernel's events from now on
        // A share so slow that a poll takes long is polled less often: at
        // most about a tenth of one core.
        const double ms = double(took.nsecsElapsed()) / 1e6;
        m_poll->start(std::max<qint64>(FolderWatch::PollIntervalMs, qint64(10 * ms)));
    }

    void eventsWaiting()
    {
        bool lost = false;
        for (const QByteArray &name : m_events->take(lost))
            if (isRecordName(name.constData()))
                m_named.insert(name);
        if (lost) {
            m_lookAt = FolderSnapshot::Everything;  // nothing is known: every entry is looked at
            m_poll->start(0);
        }
        else if (!m_named.isEmpty() && !m_settle->isActive())
            m_settle->start();
    }

    void recheckNamed()
    {
        const QList<QByteArray> names(m_named.cbegin(), m_named.cend());
        m_named.clear();
        QList<QByteArray> gone;
        const QList<QByteArray> changed = m_snapshot.recheck(m_folder, names, &gone);
        tell(changed, gone);
    }

    const bool m_useEvents;
    QByteArray m_folder;
    FolderSnapshot m_snapshot;
    std::unique_ptr<FolderEvents> m_events;
    QTimer *m_poll = nullptr;
    QTimer *m_settle = nullptr;
    QSet<QByteArray> m_named;
    bool m_shared = true;  // polled: the kernel does not tell everything
    qsizetype m_lookAt = FolderWatch::LooksPerPoll;  // the next poll's closer looks
};

FolderWatch::FolderWatch(Events events, QObject *parent)
    : QObject(parent), m_poller(new FolderPoller(events))
{
    m_thread.setObjectName(QStringLiteral("FolderWatch"));
    m_poller->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_poller, &QObject::deleteLater);
    connect(m_poller, &FolderPoller::filesChanged, this, &FolderWatch::filesChanged);
    // A fair share of the processor (LowPriority is no idle thread on Linux).
    m_thread.start(QThread::LowPriority);
}

FolderWatch::~FolderWatch()
{
    m_thread.quit();
    m_thread.wait();
}

void FolderWatch::watch(const QString &folder, const QStringList &names, const QVector<FileIdentity> &identities)
{
    QMetaObject::invokeMethod(m_poller, [poller = m_poller, folder = filenames::toBytes(folder), names, identities] {
        poller->watch(folder, names, identities);
    });
}

} // namespace archive

#include "FolderWatch.moc"

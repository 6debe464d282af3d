#pragma once

#include "FileIdentity.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QThread>
#include <QVector>

#include <limits>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace archive {

// What the archive folder held at the last look: each listed entry's identity.
// A poll lists the folder again and tells which entries came, went or changed
// since; nothing is read. Every poll looks closer (a stat) at new names and at
// names the listing shows on another file (a record replaced by a rename, as
// every save does), and, in turns, at `lookAt` of the other entries, which
// finds files overwritten in place. Allocates nothing for an entry that
// stays, so that polling 100,000 records costs little more than the system
// calls themselves.
class FolderSnapshot
{
public:
    static constexpr qsizetype Everything = std::numeric_limits<qsizetype>::max();

    // The entries as the file table lists them.
    void reset(const QStringList &carriedNames, const QVector<FileIdentity> &identities);
    // Names (as bytes) of the entries that came, went or changed; `gone`,
    // when given, receives those of them the listing no longer holds.
    QList<QByteArray> poll(const QByteArray &folder, qsizetype lookAt = Everything, QList<QByteArray> *gone = nullptr);
    // As poll() on a share, where the folder is polled for as long as the
    // program runs: the folder's own stamp (its times, size and inode) is
    // looked at first. While it stays as it was at two listings in a row,
    // the folder is not listed again (every RelistEvery-th call lists all the
    // same) and only `lookAt` entries are looked at closer, in turns: the
    // cost of a quiet folder does not grow with its records.
    QList<QByteArray> pollShare(const QByteArray &folder, qsizetype lookAt, QList<QByteArray> *gone = nullptr);
    static constexpr int RelistEvery = 30;
    // How many times the folder was listed.
    qsizetype listings() const { return m_listings; }
    // As poll(), for the named entries only.
    QList<QByteArray> recheck(const QByteArray &folder, const QList<QByteArray> &names,
                              QList<QByteArray> *gone = nullptr);
    qsizetype size() const { return qsizetype(m_entries.size()); }
    // Entries the last poll looked at closer.
    qsizetype lookedAt() const { return m_lookedAt; }

private:
    struct Hash
    {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
    };
    struct Slot
    {
        FileIdentity identity;
        quint64 seen = 0;
    };
    std::unordered_map<std::string, Slot, Hash, std::equal_to<>> m_entries;
    // The entries in the order the last listing gave them: an unchanged
    // folder lists in the same order, so each name is matched with the entry
    // at its place, without a lookup.
    std::vector<std::pair<const std::string *, Slot *>> m_order;
    quint64 m_generation = 0;
    size_t m_turn = 0;  // where in the listing the next poll's closer looks begin
    qsizetype m_lookedAt = 0;
    qsizetype m_listings = 0;
    FileIdentity m_stamp;       // the folder's, as it was before the last listing
    int m_stampListings = 0;    // listings in a row that began with that stamp
    quint64 m_sharePolls = 0;
};

class FolderPoller;

// Tells which record files of the archive folder were added, changed or
// removed while the program runs, by another program or another computer. On
// a local file system the kernel reports every change (inotify): the folder
// is listed once after each watch() and then only when events were lost; an
// idle program does nothing. On a network or FUSE file system (NFS, SMB/CIFS,
// FUSE mounts...; told by statfs), where the kernel reports only what this
// computer did, the folder is also polled every second: a look at the
// folder's stamp, a listing only when it changed, and a closer look at a few
// records in turns, which finds files overwritten in place. Runs on a thread
// of its own, so that the window never waits for a poll. Widget-free.
class FolderWatch : public QObject
{
    Q_OBJECT

public:
    enum class Events { FromKernel, PollOnly };
    static constexpr int PollIntervalMs = 1000;
    static constexpr int LooksPerPoll = 32;  // closer looks at records a poll of a share takes

    explicit FolderWatch(Events events = Events::FromKernel, QObject *parent = nullptr);
    ~FolderWatch() override;

    // Watches `folder` from now on. `names` and `identities` are its files as
    // the file table lists them; changes are told against them. Called again
    // after every full listing.
    void watch(const QString &folder, const QStringList &names, const QVector<FileIdentity> &identities);

signals:
    // Carried names of the files added, changed or removed since they were
    // last told (or listed). `gone` are those of them no longer there: the
    // folder's listing no longer holds their names. A share may go on
    // answering a look at such a file from its cache for seconds; the
    // listing is what tells.
    void filesChanged(const QStringList &names, const QStringList &gone);

private:
    QThread m_thread;
    FolderPoller *m_poller;
};

} // namespace archive

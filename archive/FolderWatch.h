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
};

class FolderPoller;

// Tells which record files of the archive folder were added, changed or
// removed while the program runs, by another program or another computer: at
// once where the kernel reports changes to the folder (local folders, and what
// this computer did on a share), and by a poll every second for what the file
// system does not report (changes made on a network share from another
// machine). Each poll lists the folder, which finds records added, removed or
// replaced, and looks closer at as many other records as fit in a tenth of a
// second, in turns, which finds files overwritten in place within a few
// seconds even among 100,000; polling so takes about a tenth of one core. Both
// run on a thread of their own, so that the window never waits for a poll,
// however large the archive. Widget-free.
class FolderWatch : public QObject
{
    Q_OBJECT

public:
    enum class Events { FromKernel, PollOnly };
    static constexpr int PollIntervalMs = 1000;
    static constexpr int PollMs = 100;  // the time a poll may take, the listing included

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

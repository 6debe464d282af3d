#pragma once

#include "SartLimits.h"
#include "FileIdentity.h"
#include "RecordBuffer.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include <atomic>
#include <deque>
#include <memory>

class QThread;

// An index of the archive's records by their saved header fields, their
// testing dates and their measured values: what Find, the due list and a
// SART's history work from. Built off the user-interface thread.
namespace archive {

class SharedTexts;

// One record file to index: its name as the file table lists it, its path,
// and its identity as the table last saw it (an entry indexed with the same
// identity is not read again).
struct IndexSource
{
    QString fileName;
    QString path;
    FileIdentity identity;
};

struct IndexEntry
{
    QString fileName;
    FileIdentity identity;

    // The record file's path. Held as its folder, which the entries of one
    // folder share, and the file name.
    QString path() const { return m_pathIsWhole ? m_pathHead : m_pathHead + fileName; }
    bool hasPath(const QString &path) const
    {
        return m_pathIsWhole ? path == m_pathHead
                             : path.size() == m_pathHead.size() + fileName.size() && path.startsWith(m_pathHead)
                                   && QStringView(path).sliced(m_pathHead.size()) == fileName;
    }
    void setPath(const QString &path);

    // The service header: empty texts and invalid dates when it was never
    // saved (headerSaved false) or cannot be read (problem tells why).
    bool headerSaved = false;
    QString problem;
    QString engineer;   // the tester's name when the header was never saved
    QString sartModel, manufacturerNo, vessel;
    QString centreName, centreAddress, centreTel, centreFax;
    QDate nextTestDate, batteryDate;
    int standBy = -1, led = -1, beeper = -1;  // answers, as selector item indices

    QDate testingDate;  // invalid when the record holds no real date

    // Measured values (Auto block) as the record view panel shows them, and
    // as the record holds them.
    QString frequencyHigh, frequencyLow, power, signalDuration, tunings;
    std::optional<MeasuredValues> measured;

    // The values outside the limits, as the panel would mark them for this
    // record shown in Auto with its saved header; none for a record whose
    // header cannot be read.
    QList<limits::Judgement> outsideLimits(const limits::Limits &limits) const;
    // What Find looks through: the texts it matches, case folded, one per
    // line (see search()).
    QString searchText;

    double frequencyHighGHz() const;
    double frequencyLowGHz() const;
    double powerMw() const;

private:
    friend void shareTexts(IndexEntry &, SharedTexts &);
    QString m_pathHead;  // the folder with its '/', or the whole path
    bool m_pathIsWhole = false;
};

// Reads and decodes one record file. Raises AppError when it cannot be read;
// a record whose header cannot be decoded is indexed with what was read
// before the failure, with the failure's text in `problem`.
IndexEntry indexRecord(const IndexSource &source);
// The same for a record whose bytes are read already; never raises.
IndexEntry indexRecord(const IndexSource &source, const RecordBytes &bytes);

// Indexes every source that can be read, in their order; unreadable files are
// left out. Stops early, returning what it has, when `cancel` becomes true.
QVector<IndexEntry> buildIndex(const QVector<IndexSource> &sources, const std::atomic_bool *cancel = nullptr);

// Dates as every archive view shows them: the system's short date format.
QString dateText(const QDate &date);

// Entries that match every term of `query` (FindQuery.h): a word found in the
// file name, vessel, SART model, manufacturer's number or a written form of
// the testing or next testing date, case-insensitive; a date or month typed
// as the program writes dates, on the testing or next testing date. An empty
// query matches every entry. Stops early, returning what it has, when
// `cancel` becomes true.
QVector<int> search(const QVector<IndexEntry> &entries, const QString &query,
                    const std::atomic_bool *cancel = nullptr);

struct DueItem
{
    int entry = -1;      // the SART's latest record
    int daysLeft = 0;    // negative: overdue by that many days
    bool overdue() const { return daysLeft < 0; }
};

// For each manufacturer's number, its latest record by testing date; those
// whose next testing date falls within `withinDays` days of `today` or has
// passed, sorted by that date.
QVector<DueItem> dueForTest(const QVector<IndexEntry> &entries, const QDate &today, int withinDays);

// The due list as a table to export: one header row and one row per SART.
QList<QStringList> dueTable(const QVector<IndexEntry> &entries, const QVector<DueItem> &items);

// Every record with the given manufacturer's number (compared without
// surrounding blanks and case), oldest first.
QVector<int> history(const QVector<IndexEntry> &entries, const QString &manufacturerNo);

// Holds the index of the listed records and keeps it up to date on worker
// threads: after a full listing only the files whose identity changed are
// read again, and a file saved, received or changed by another program is read
// alone. Results come back through queued calls, so `changed` is emitted on
// this object's thread. Jobs run one after the other in the order they came;
// a new full listing cancels a running one and makes older queued jobs moot.
class ArchiveIndex : public QObject
{
    Q_OBJECT

public:
    explicit ArchiveIndex(QObject *parent = nullptr);
    ~ArchiveIndex() override;

    // The listed records after a full listing, in the listing's order.
    void rebuild(QVector<IndexSource> sources);
    // Records listed anew or changed, and records no longer listed (by name).
    void update(QVector<IndexSource> changed, QStringList removed);
    bool isBuilding() const { return m_running != nullptr; }
    // Entries in the listing's order.
    const QVector<IndexEntry> &entries() const { return m_entries; }
    // The entry of a record file by path; nullptr when it is not indexed.
    const IndexEntry *entryFor(const QString &path) const;
    // Record files read so far: a save's update reads one.
    qint64 filesRead() const { return m_filesRead; }

    // Searches the entries off this thread; a newer search cancels an older
    // one. `found` comes with the entries searched, which stay valid as long
    // as they are held, and the indices of those that match.
    void find(const QString &query);

signals:
    void changed();
    void found(const QString &query, const QVector<archive::IndexEntry> &entries, const QVector<int> &matches);

private:
    struct Job
    {
        bool full = false;
        QVector<IndexSource> sources;
        QStringList removed;
    };
    void startNext();
    void merge(const QVector<IndexEntry> &read, const QStringList &gone);
    qsizetype placeOf(const QString &fileName) const;

    QVector<IndexEntry> m_entries;
    std::deque<Job> m_queue;
    QThread *m_running = nullptr;
    std::atomic_bool m_cancel{false};
    qint64 m_filesRead = 0;
    std::shared_ptr<std::atomic_bool> m_searchCancel;
    QList<QThread *> m_searches;
    quint64 m_searchNumber = 0;
};

} // namespace archive

#pragma once

#include <QDate>
#include <QObject>
#include <QString>
#include <QVector>

#include <atomic>

class QThread;

// An index of the archive's records by their saved header fields, their
// testing dates and their measured values: what Find, the due list and a
// SART's history work from. Built off the user-interface thread.
namespace archive {

// One record file to index: its name as the file table lists it, and its path.
struct IndexSource
{
    QString fileName;
    QString path;
};

struct IndexEntry
{
    QString fileName;
    QString path;

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

    // Measured values (Auto block) as the record view panel shows them.
    QString frequencyHigh, frequencyLow, power, signalDuration, tunings;

    double frequencyHighGHz() const;
    double frequencyLowGHz() const;
    double powerMw() const;
};

// Reads and decodes one record file. Raises AppError when it cannot be read;
// a record whose header cannot be decoded is indexed with what was read
// before the failure, with the failure's text in `problem`.
IndexEntry indexRecord(const IndexSource &source);

// Indexes every source that can be read, in their order; unreadable files are
// left out. Stops early, returning what it has, when `cancel` becomes true.
QVector<IndexEntry> buildIndex(const QVector<IndexSource> &sources, const std::atomic_bool *cancel = nullptr);

// Dates as every archive view shows them: the system's short date format.
QString dateText(const QDate &date);

// Entries that match every term of `query` (FindQuery.h): a word found in the
// file name, vessel, SART model, manufacturer's number or a written form of
// the testing or next testing date, case-insensitive; a date or month typed
// as the program writes dates, on the testing or next testing date. An empty
// query matches every entry.
QVector<int> search(const QVector<IndexEntry> &entries, const QString &query);

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

// The due list as comma-separated values, UTF-8 with a byte order mark,
// one header line and one line per SART.
QByteArray dueCsv(const QVector<IndexEntry> &entries, const QVector<DueItem> &items);

// Every record with the given manufacturer's number (compared without
// surrounding blanks and case), oldest first.
QVector<int> history(const QVector<IndexEntry> &entries, const QString &manufacturerNo);

// Holds the index of the listed records and rebuilds it on a worker thread
// whenever the archive changes; results come back through a queued call, so
// `changed` is emitted on this object's thread. A change that comes while a
// build runs cancels it and starts again with the newer listing.
class ArchiveIndex : public QObject
{
    Q_OBJECT

public:
    explicit ArchiveIndex(QObject *parent = nullptr);
    ~ArchiveIndex() override;

    void rebuild(QVector<IndexSource> sources);
    bool isBuilding() const { return m_worker != nullptr; }
    const QVector<IndexEntry> &entries() const { return m_entries; }
    // The entry of a record file by path; nullptr when it is not indexed.
    const IndexEntry *entryFor(const QString &path) const;

signals:
    void changed();

private:
    void start(QVector<IndexSource> sources);

    QVector<IndexEntry> m_entries;
    QThread *m_worker = nullptr;
    std::atomic_bool m_cancel{false};
    bool m_pending = false;
    QVector<IndexSource> m_pendingSources;
};

} // namespace archive

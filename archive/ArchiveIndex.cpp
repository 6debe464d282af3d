#include "ArchiveIndex.h"

#include "AppError.h"
#include "ArchiveScan.h"
#include "Convert.h"
#include "DecodeTarget.h"
#include "Decoder.h"
#include "FileNames.h"
#include "FindQuery.h"
#include "RecordLayout.h"
#include "SharedTexts.h"

#include <QHash>
#include <QLocale>
#include <QThread>

#include <algorithm>
#include <memory>

namespace archive {
namespace {

// Collects what the decoder would put into the record view panel.
class EntryTarget : public DecodeTarget
{
public:
    explicit EntryTarget(IndexEntry &entry) : m_entry(entry) {}

    void setText(Field control, const QString &text) override
    {
        if (QString *field = textField(control))
            *field = text.trimmed();  // saved texts are filled up with spaces
    }
    void setItemIndex(Field control, int index) override
    {
        if (control == StandBy)
            m_entry.standBy = index;
        else if (control == Led)
            m_entry.led = index;
        else if (control == Beeper)
            m_entry.beeper = index;
    }
    void setMeasured(const MeasuredValues &measured) override { m_entry.measured = measured; }
    void setDate(Field control, const QDate &date) override
    {
        if (control == NextTestDate)
            m_entry.nextTestDate = date;
        else if (control == BatteryDate)
            m_entry.batteryDate = date;
    }

private:
    QString *textField(Field control)
    {
        switch (control) {
        case FrequencyHigh: return &m_entry.frequencyHigh;
        case FrequencyLow: return &m_entry.frequencyLow;
        case Power: return &m_entry.power;
        case SignalDuration: return &m_entry.signalDuration;
        case Tunings: return &m_entry.tunings;
        case RadioEngineer: return &m_entry.engineer;
        case SartModel: return &m_entry.sartModel;
        case ManufacturerNo: return &m_entry.manufacturerNo;
        case Vessel: return &m_entry.vessel;
        case CentreName: return &m_entry.centreName;
        case CentreAddress: return &m_entry.centreAddress;
        case CentreTel: return &m_entry.centreTel;
        case CentreFax: return &m_entry.centreFax;
        default: return nullptr;
        }
    }

    IndexEntry &m_entry;
};

QString numberKey(const QString &manufacturerNo) { return manufacturerNo.trimmed().toCaseFolded(); }

// Oldest first; records without a real testing date before all others.
bool olderThan(const IndexEntry &a, const IndexEntry &b)
{
    if (a.testingDate != b.testingDate)
        return a.testingDate < b.testingDate;
    return a.fileName < b.fileName;
}

} // namespace

QList<limits::Judgement> IndexEntry::outsideLimits(const limits::Limits &limits) const
{
    if (!problem.isEmpty())
        return {};
    return limits::outside({measured, standBy, led, beeper, batteryDate, testingDate}, limits);
}

IndexEntry indexRecord(const IndexSource &source)
{
    RecordBytes bytes;
    decoder::readRecord(source.path, bytes);
    return indexRecord(source, bytes);
}

IndexEntry indexRecord(const IndexSource &source, const RecordBytes &bytes)
{
    IndexEntry entry;
    entry.fileName = source.fileName;
    entry.setPath(source.path);
    entry.identity = source.identity;
    entry.headerSaved = bytes[layout::ServiceMark] == layout::Mark;

    // The testing date as the file table shows it and the panel reads it.
    const QString cell = testingDateCell(bytes.data() + layout::TestingDate);
    const int year = QDate::currentDate().year();
    try {
        entry.testingDate = convert::tableDate(cell, year);
    } catch (const AppError &) {
        // stays invalid
    }

    decoder::Input input;
    input.path = source.path;
    input.modeIndex = 0;  // the measurement block the program starts with
    // The testing date is read above; a cell that is no date must not stop
    // the decoding before the answers of a record as received.
    input.testingDateCell = entry.testingDate.isValid() ? cell : QStringLiteral("01.01.01");
    input.currentYear = year;
    EntryTarget target(entry);
    try {
        decoder::decodeBuffer(bytes, input, target);
    } catch (const AppError &e) {
        entry.problem = e.text();
    }
    // Folded once here, so that a search only compares. The file name is
    // matched apart (see search()): without it, records of one SART tested on
    // one day have equal texts, which an index holds once (shareTexts()).
    entry.searchText = searchText({entry.vessel, entry.sartModel, entry.manufacturerNo}, entry.testingDate,
                                  entry.nextTestDate);
    return entry;
}

void IndexEntry::setPath(const QString &path)
{
    m_pathIsWhole = !(path.endsWith(fileName) && path.size() > fileName.size()
                      && path[path.size() - fileName.size() - 1] == u'/');
    m_pathHead = m_pathIsWhole ? path : path.first(path.size() - fileName.size());
}

// Texts that many records repeat held once in `texts`: the file name is the
// record's own (and shared with the file table already).
void shareTexts(IndexEntry &e, SharedTexts &texts)
{
    texts.share(e.m_pathHead);
    for (QString *text : {&e.problem, &e.engineer, &e.sartModel, &e.manufacturerNo, &e.vessel, &e.centreName,
                          &e.centreAddress, &e.centreTel, &e.centreFax, &e.frequencyHigh, &e.frequencyLow, &e.power,
                          &e.signalDuration, &e.tunings, &e.searchText})
        texts.share(*text);
}

QVector<IndexEntry> buildIndex(const QVector<IndexSource> &sources, const std::atomic_bool *cancel)
{
    QVector<IndexEntry> entries;
    entries.reserve(sources.size());
    SharedTexts texts;
    for (const IndexSource &source : sources) {
        if (cancel && cancel->load(std::memory_order_relaxed))
            break;
        try {
            entries.append(indexRecord(source));
            shareTexts(entries.last(), texts);
        } catch (const AppError &) {
            // unreadable: the file table already tells about it
        }
    }
    return entries;
}

QString dateText(const QDate &date)
{
    return date.isValid() ? QLocale().toString(date, QLocale::ShortFormat) : QString();
}

QVector<int> search(const QVector<IndexEntry> &entries, const QString &query, const std::atomic_bool *cancel)
{
    const QVector<QueryTerm> terms = parseQuery(query);
    QVector<int> found;
    for (int i = 0; i < entries.size(); ++i) {
        if (cancel && (i & 1023) == 0 && cancel->load(std::memory_order_relaxed))
            break;
        const IndexEntry &e = entries[i];
        // The file name, folded only for a term not found in the rest.
        QString name;
        const bool matches = std::all_of(terms.begin(), terms.end(), [&](const QueryTerm &term) {
            if (matchesTerm(term, e.searchText, e.testingDate, e.nextTestDate))
                return true;
            if (name.isNull())
                name = filenames::display(e.fileName).toCaseFolded();
            return name.contains(term.folded);
        });
        if (matches)
            found.append(i);
    }
    return found;
}

QVector<DueItem> dueForTest(const QVector<IndexEntry> &entries, const QDate &today, int withinDays)
{
    QHash<QString, int> latest;
    for (int i = 0; i < entries.size(); ++i) {
        const QString key = numberKey(entries[i].manufacturerNo);
        if (!entries[i].headerSaved || key.isEmpty())
            continue;
        auto it = latest.find(key);
        if (it == latest.end())
            latest.insert(key, i);
        else if (olderThan(entries[*it], entries[i]))
            *it = i;
    }
    QVector<DueItem> items;
    const QDate limit = today.addDays(withinDays);
    for (int i : std::as_const(latest)) {
        const QDate next = entries[i].nextTestDate;
        if (next.isValid() && next <= limit)
            items.append({i, int(today.daysTo(next))});
    }
    std::sort(items.begin(), items.end(), [&](const DueItem &a, const DueItem &b) {
        if (a.daysLeft != b.daysLeft)
            return a.daysLeft < b.daysLeft;
        return numberKey(entries[a.entry].manufacturerNo) < numberKey(entries[b.entry].manufacturerNo);
    });
    return items;
}

QList<QStringList> dueTable(const QVector<IndexEntry> &entries, const QVector<DueItem> &items)
{
    const QString iso = QStringLiteral("yyyy-MM-dd");
    QList<QStringList> table{{QStringLiteral("Manufacturer's number"), QStringLiteral("SART model"),
                              QStringLiteral("Vessel"), QStringLiteral("Next testing date"),
                              QStringLiteral("Days left"), QStringLiteral("Status"), QStringLiteral("Testing date"),
                              QStringLiteral("Service centre"), QStringLiteral("File")}};
    for (const DueItem &item : items) {
        const IndexEntry &e = entries[item.entry];
        table.append({e.manufacturerNo, e.sartModel, e.vessel, e.nextTestDate.toString(iso),
                      QString::number(item.daysLeft),
                      item.overdue() ? QStringLiteral("OVERDUE") : QStringLiteral("due"),
                      e.testingDate.toString(iso), e.centreName, filenames::display(e.fileName)});
    }
    return table;
}

QVector<int> history(const QVector<IndexEntry> &entries, const QString &manufacturerNo)
{
    const QString key = numberKey(manufacturerNo);
    QVector<int> found;
    if (key.isEmpty())
        return found;
    for (int i = 0; i < entries.size(); ++i)
        if (entries[i].headerSaved && numberKey(entries[i].manufacturerNo) == key)
            found.append(i);
    std::stable_sort(found.begin(), found.end(), [&](int a, int b) { return olderThan(entries[a], entries[b]); });
    return found;
}

namespace {

// The entries for the listing `sources`: those indexed with the same identity
// are kept as they are, every other file is read. `read` counts the files read.
QVector<IndexEntry> refreshed(const QVector<IndexEntry> &old, const QVector<IndexSource> &sources,
                              const std::atomic_bool &cancel, qint64 &read)
{
    QHash<QString, qsizetype> known;
    known.reserve(old.size());
    for (qsizetype i = 0; i < old.size(); ++i)
        known.insert(old[i].fileName, i);
    QVector<IndexEntry> entries;
    entries.reserve(sources.size());
    SharedTexts texts;
    for (const IndexSource &source : sources) {
        if (cancel.load(std::memory_order_relaxed))
            break;
        const auto it = known.constFind(source.fileName);
        if (it != known.cend() && old[*it].identity == source.identity && old[*it].hasPath(source.path)) {
            entries.append(old[*it]);
            continue;
        }
        ++read;
        try {
            entries.append(indexRecord(source));
            shareTexts(entries.last(), texts);
        } catch (const AppError &) {
            // unreadable: the file table already tells about it
        }
    }
    return entries;
}

} // namespace

ArchiveIndex::ArchiveIndex(QObject *parent) : QObject(parent) {}

ArchiveIndex::~ArchiveIndex()
{
    m_cancel = true;
    if (m_searchCancel)
        *m_searchCancel = true;
    for (QThread *thread : std::as_const(m_searches)) {
        thread->wait();
        delete thread;
    }
    if (m_running) {
        m_running->wait();
        delete m_running;
    }
}

void ArchiveIndex::rebuild(QVector<IndexSource> sources)
{
    // A full listing makes every job still waiting moot, and the running one
    // if it is a full listing too.
    m_queue.clear();
    m_queue.push_back({true, std::move(sources), {}});
    if (m_running)
        m_cancel = true;
    else
        startNext();
}

void ArchiveIndex::update(QVector<IndexSource> changed, QStringList removed)
{
    m_queue.push_back({false, std::move(changed), std::move(removed)});
    if (!m_running)
        startNext();
}

void ArchiveIndex::startNext()
{
    if (m_queue.empty())
        return;
    Job job = std::move(m_queue.front());
    m_queue.pop_front();
    m_cancel = false;
    struct Result
    {
        QVector<IndexEntry> entries;
        qint64 read = 0;
    };
    auto result = std::make_shared<Result>();
    // A full listing reuses what is indexed: the worker gets its own
    // reference, which it lets go before the result comes back.
    auto old = std::make_shared<QVector<IndexEntry>>(job.full ? m_entries : QVector<IndexEntry>());
    const bool full = job.full;
    m_running = QThread::create([this, sources = std::move(job.sources), old, result, full]() mutable {
        if (full) {
            result->entries = refreshed(*old, sources, m_cancel, result->read);
        } else {
            for (const IndexSource &source : std::as_const(sources)) {
                ++result->read;
                try {
                    result->entries.append(indexRecord(source));
                } catch (const AppError &) {
                    // unreadable: left out, as a full listing leaves it out
                }
            }
        }
        *old = {};
    });
    // finished comes from the worker thread: queued to this object's thread.
    connect(m_running, &QThread::finished, this, [this, result, full, removed = std::move(job.removed)] {
        m_running->deleteLater();
        m_running = nullptr;
        m_filesRead += result->read;
        const bool cancelled = m_cancel.exchange(false);
        if (full && !cancelled) {
            m_entries = std::move(result->entries);
        } else if (!full) {
            // A file that cannot be read any more leaves the index too.
            QStringList gone = removed;
            merge(result->entries, gone);
        }
        if (!cancelled)
            emit changed();
        startNext();
    });
    // A fair share of the processor, as the window's thread has: never an
    // idle thread (SCHED_IDLE on Linux), which any busy process on the
    // machine holds off for as long as it runs.
    m_running->start(QThread::LowPriority);
}

qsizetype ArchiveIndex::placeOf(const QString &fileName) const
{
    return std::lower_bound(m_entries.cbegin(), m_entries.cend(), fileName,
                            [](const IndexEntry &e, const QString &name) { return listedBefore(e.fileName, name); })
           - m_entries.cbegin();
}

void ArchiveIndex::merge(const QVector<IndexEntry> &read, const QStringList &gone)
{
    auto take = [this](const QString &name) {
        const qsizetype at = placeOf(name);
        if (at < m_entries.size() && m_entries[at].fileName == name)
            m_entries.remove(at);
    };
    for (const QString &name : gone)
        take(name);
    for (const IndexEntry &entry : read) {
        const qsizetype at = placeOf(entry.fileName);
        if (at < m_entries.size() && m_entries[at].fileName == entry.fileName)
            m_entries[at] = entry;
        else
            m_entries.insert(at, entry);
    }
}

const IndexEntry *ArchiveIndex::entryFor(const QString &path) const
{
    const qsizetype at = placeOf(path.mid(path.lastIndexOf(u'/') + 1));
    return at < m_entries.size() && m_entries[at].hasPath(path) ? &m_entries[at] : nullptr;
}

void ArchiveIndex::find(const QString &query)
{
    if (m_searchCancel)
        *m_searchCancel = true;
    auto cancel = std::make_shared<std::atomic_bool>(false);
    m_searchCancel = cancel;
    const quint64 number = ++m_searchNumber;
    auto matches = std::make_shared<QVector<int>>();
    auto searched = std::make_shared<const QVector<IndexEntry>>(m_entries);
    QThread *thread = QThread::create([searched, query, cancel, matches] {
        *matches = search(*searched, query, cancel.get());
    });
    m_searches.append(thread);
    connect(thread, &QThread::finished, this, [this, thread, number, query, cancel, matches, searched] {
        m_searches.removeOne(thread);
        thread->deleteLater();
        // Only the newest search is told.
        if (number == m_searchNumber && !*cancel)
            emit found(query, *searched, *matches);
    });
    thread->start();
}

} // namespace archive

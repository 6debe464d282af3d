#include "ArchiveIndex.h"

#include "AppError.h"
#include "ArchiveScan.h"
#include "Convert.h"
#include "DecodeTarget.h"
#include "Decoder.h"
#include "FileNames.h"
#include "FindQuery.h"
#include "RecordLayout.h"

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

    void setText(Control control, const QString &text) override
    {
        if (QString *field = textField(control))
            *field = text.trimmed();  // saved texts are filled up with spaces
    }
    void setItemIndex(Control control, int index) override
    {
        if (control == ComboBox1)
            m_entry.standBy = index;
        else if (control == ComboBox2)
            m_entry.led = index;
        else if (control == ComboBox3)
            m_entry.beeper = index;
    }
    void setDate(Control control, const QDate &date) override
    {
        if (control == DateTimePicker1)
            m_entry.nextTestDate = date;
        else if (control == DateTimePicker3)
            m_entry.batteryDate = date;
    }

private:
    QString *textField(Control control)
    {
        switch (control) {
        case Label8: return &m_entry.frequencyHigh;
        case Label11: return &m_entry.frequencyLow;
        case Label12: return &m_entry.power;
        case Label13: return &m_entry.signalDuration;
        case Label14: return &m_entry.tunings;
        case Edit1: return &m_entry.engineer;
        case Edit3: return &m_entry.sartModel;
        case Edit9: return &m_entry.manufacturerNo;
        case Edit4: return &m_entry.vessel;
        case Edit5: return &m_entry.centreName;
        case Edit6: return &m_entry.centreAddress;
        case Edit7: return &m_entry.centreTel;
        case Edit8: return &m_entry.centreFax;
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

QByteArray csvField(const QString &text)
{
    QString t = text;
    if (t.contains(u',') || t.contains(u'"') || t.contains(u'\n')) {
        t.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        t = u'"' + t + u'"';
    }
    return t.toUtf8();
}

} // namespace

double IndexEntry::frequencyHighGHz() const { return QLocale().toDouble(frequencyHigh); }
double IndexEntry::frequencyLowGHz() const { return QLocale().toDouble(frequencyLow); }
double IndexEntry::powerMw() const { return power.toDouble(); }

IndexEntry indexRecord(const IndexSource &source)
{
    RecordBytes bytes;
    decoder::readRecord(source.path, bytes);

    IndexEntry entry;
    entry.fileName = source.fileName;
    entry.path = source.path;
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
    return entry;
}

QVector<IndexEntry> buildIndex(const QVector<IndexSource> &sources, const std::atomic_bool *cancel)
{
    QVector<IndexEntry> entries;
    entries.reserve(sources.size());
    for (const IndexSource &source : sources) {
        if (cancel && cancel->load(std::memory_order_relaxed))
            break;
        try {
            entries.append(indexRecord(source));
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

QVector<int> search(const QVector<IndexEntry> &entries, const QString &query)
{
    const QVector<QueryTerm> terms = parseQuery(query);
    const QLocale locale;
    QVector<int> found;
    for (int i = 0; i < entries.size(); ++i) {
        const IndexEntry &e = entries[i];
        if (matchesQuery(terms, {filenames::display(e.fileName), e.vessel, e.sartModel, e.manufacturerNo},
                         e.testingDate, e.nextTestDate, locale))
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

QByteArray dueCsv(const QVector<IndexEntry> &entries, const QVector<DueItem> &items)
{
    const QString iso = QStringLiteral("yyyy-MM-dd");
    QByteArray csv = "\xEF\xBB\xBF";
    csv += "Manufacturer's number,SART model,Vessel,Next testing date,Days left,Status,Testing date,"
           "Service centre,File\r\n";
    for (const DueItem &item : items) {
        const IndexEntry &e = entries[item.entry];
        const QString fields[] = {e.manufacturerNo, e.sartModel, e.vessel, e.nextTestDate.toString(iso),
                                  QString::number(item.daysLeft),
                                  item.overdue() ? QStringLiteral("OVERDUE") : QStringLiteral("due"),
                                  e.testingDate.toString(iso), e.centreName, filenames::display(e.fileName)};
        QByteArrayList line;
        for (const QString &f : fields)
            line.append(csvField(f));
        csv += line.join(',') + "\r\n";
    }
    return csv;
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

ArchiveIndex::ArchiveIndex(QObject *parent) : QObject(parent) {}

ArchiveIndex::~ArchiveIndex()
{
    if (m_worker) {
        m_cancel = true;
        m_worker->wait();
        delete m_worker;
    }
}

void ArchiveIndex::rebuild(QVector<IndexSource> sources)
{
    if (m_worker) {
        // The running build reads a listing that is out of date.
        m_cancel = true;
        m_pending = true;
        m_pendingSources = std::move(sources);
        return;
    }
    start(std::move(sources));
}

void ArchiveIndex::start(QVector<IndexSource> sources)
{
    m_cancel = false;
    auto result = std::make_shared<QVector<IndexEntry>>();
    m_worker = QThread::create([this, sources = std::move(sources), result] {
        *result = buildIndex(sources, &m_cancel);
    });
    // finished comes from the worker thread: queued to this object's thread.
    connect(m_worker, &QThread::finished, this, [this, result] {
        m_worker->deleteLater();
        m_worker = nullptr;
        if (m_pending) {
            m_pending = false;
            start(std::exchange(m_pendingSources, {}));
            return;
        }
        m_entries = std::move(*result);
        emit changed();
    });
    // The lowest priority (an idle thread on Linux): the window's thread,
    // which lists and shows the archive meanwhile, always comes first.
    m_worker->start(QThread::IdlePriority);
}

const IndexEntry *ArchiveIndex::entryFor(const QString &path) const
{
    for (const IndexEntry &e : m_entries)
        if (e.path == path)
            return &e;
    return nullptr;
}

} // namespace archive

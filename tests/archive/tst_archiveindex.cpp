// The archive index over a generated service archive: several hundred records
// of many SARTs over eight years, about one in ten without a saved header,
// Cyrillic names, and files that cannot be read or decoded.
#include "ArchiveIndex.h"
#include "ArchiveScan.h"
#include "CsvFile.h"
#include "Decoder.h"
#include "FileTable.h"
#include "RecordLayout.h"
#include "SampleArchive.h"
#include "TestSupport.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <sys/stat.h>

using archive::IndexEntry;
using sample::ArchiveRecord;

namespace {

QString trimmedKey(const QString &s) { return s.trimmed().toCaseFolded(); }

} // namespace

class TestArchiveIndex : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void indexesSavedHeadersAndMeasuredValues();
    void recordsWithoutHeaderAreMarked();
    void unreadableFilesAreSkippedAndBadHeadersKept();
    void search_data();
    void search();
    void dueList_data();
    void dueList();
    void historyOldestFirst();
    void dueCsvQuotesAndMarks();
    void rebuildsOffThreadAndKeepsTheNewestListing();
    void repeatedTextsHeldOnce();
    void pathKeptWhateverItsShape_data();
    void pathKeptWhateverItsShape();

private:
    QVector<archive::IndexSource> sources() const;
    const IndexEntry *entry(const QString &fileName) const;

    QTemporaryDir m_dir;
    QString m_folder;
    QDate m_today;
    QVector<ArchiveRecord> m_records;
    QVector<IndexEntry> m_entries;
};

void TestArchiveIndex::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_folder = m_dir.filePath(QStringLiteral("bin"));
    QVERIFY(QDir().mkpath(m_folder));
    m_today = QDate::currentDate();
    m_records = sample::serviceArchive(400, m_today);
    QVERIFY(sample::writeArchive(m_folder, m_records));

    // Files the index cannot read: too short, a folder, a pipe.
    testsupport::writeFile(m_folder + QStringLiteral("/обрыв.bin"), QByteArray(100, 'x'));
    QVERIFY(QDir(m_folder).mkdir(QStringLiteral("папка.bin")));
    QCOMPARE(::mkfifo(QFile::encodeName(m_folder + QStringLiteral("/pipe.bin")).constData(), 0644), 0);

    // A saved header whose next testing date is no number, and a record
    // whose testing date holds no digits.
    QByteArray badHeader = m_records[0].bytes;
    testsupport::put(badHeader, layout::NextTestDate, "AB0C2025");
    testsupport::writeFile(m_folder + QStringLiteral("/bad-header.bin"), badHeader);
    QByteArray noDate = m_records[1].bytes;
    testsupport::put(noDate, layout::TestingDate, QByteArray(6, char(0xFF)));
    testsupport::writeFile(m_folder + QStringLiteral("/no-date.bin"), noDate);

    m_entries = archive::buildIndex(sources());
}

QVector<archive::IndexSource> TestArchiveIndex::sources() const
{
    QVector<archive::IndexSource> list;
    for (const QString &name : QDir(m_folder).entryList({QStringLiteral("*.bin")}, QDir::AllEntries | QDir::System,
                                                        QDir::Name))
        list.append({name, m_folder + u'/' + name});
    return list;
}

const IndexEntry *TestArchiveIndex::entry(const QString &fileName) const
{
    for (const IndexEntry &e : m_entries)
        if (e.fileName == fileName)
            return &e;
    return nullptr;
}

void TestArchiveIndex::indexesSavedHeadersAndMeasuredValues()
{
    int saved = 0;
    for (const ArchiveRecord &r : m_records) {
        if (!r.saved)
            continue;
        ++saved;
        const IndexEntry *e = entry(r.fileName);
        QVERIFY2(e, qPrintable(r.fileName));
        QVERIFY(e->headerSaved);
        QVERIFY2(e->problem.isEmpty(), qPrintable(e->problem));
        QCOMPARE(e->path(), m_folder + u'/' + r.fileName);
        QCOMPARE(e->engineer, r.header.radioEngineer);
        QCOMPARE(e->sartModel, r.header.sartModel);
        QCOMPARE(e->manufacturerNo, r.header.manufacturerNo);
        QCOMPARE(e->vessel, r.header.vessel);
        QCOMPARE(e->centreName, r.header.centreName);
        QCOMPARE(e->centreAddress, r.header.centreAddress);
        QCOMPARE(e->centreTel, r.header.centreTel);
        QCOMPARE(e->centreFax, r.header.centreFax);
        QCOMPARE(e->nextTestDate, r.header.nextTestDate);
        QCOMPARE(e->batteryDate, r.header.batteryDate);
        QCOMPARE(e->standBy, r.header.standByIndex);
        QCOMPARE(e->led, r.header.ledIndex);
        QCOMPARE(e->beeper, r.header.beeperIndex);
        QCOMPARE(e->testingDate, r.params.testingDate);

        const sample::Measurement &m = r.params.automatic;
        QCOMPARE(e->frequencyHigh, decoder::frequencyText(m.highKHz));
        QCOMPARE(e->frequencyLow, decoder::frequencyText(m.lowKHz));
        QCOMPARE(e->power, QString::number(m.powerMw));
        QCOMPARE(e->signalDuration, decoder::signalDurationText(m.durationUnits));
        QCOMPARE(e->tunings, QString::number(m.tunings));
        // The values themselves, not as the texts round them.
        QVERIFY(e->measured);
        QCOMPARE(e->measured->highKHz, m.highKHz);
        QCOMPARE(e->measured->lowKHz, m.lowKHz);
        QCOMPARE(e->measured->powerMw, m.powerMw);
        QCOMPARE(e->measured->durationUnits, m.durationUnits);
        QCOMPARE(e->measured->tunings, m.tunings);
    }
    QVERIFY(saved > 300);
}

void TestArchiveIndex::recordsWithoutHeaderAreMarked()
{
    int unsaved = 0;
    for (const ArchiveRecord &r : m_records) {
        if (r.saved)
            continue;
        ++unsaved;
        const IndexEntry *e = entry(r.fileName);
        QVERIFY2(e, qPrintable(r.fileName));
        QVERIFY(!e->headerSaved);
        // What the record has: the tester's engineer, the testing date, the
        // measurements and the answers of the visual checks.
        QCOMPARE(e->engineer, QString::fromLatin1(r.params.testerEngineer));
        QCOMPARE(e->testingDate, r.params.testingDate);
        QCOMPARE(e->power, QString::number(r.params.automatic.powerMw));
        QCOMPARE(e->led, r.params.automatic.led);
        QVERIFY(e->vessel.isEmpty() && e->manufacturerNo.isEmpty() && e->sartModel.isEmpty());
        QVERIFY(!e->nextTestDate.isValid() && !e->batteryDate.isValid());
    }
    QVERIFY(unsaved >= 20);
}

void TestArchiveIndex::unreadableFilesAreSkippedAndBadHeadersKept()
{
    QCOMPARE(m_entries.size(), m_records.size() + 2);
    for (const char *name : {"обрыв.bin", "папка.bin", "pipe.bin"})
        QVERIFY2(!entry(QString::fromUtf8(name)), name);

    const IndexEntry *bad = entry(QStringLiteral("bad-header.bin"));
    QVERIFY(bad);
    QVERIFY(bad->headerSaved);
    QCOMPARE(bad->problem, QStringLiteral("'AB' is not a valid integer value"));
    QCOMPARE(bad->power, QString::number(m_records[0].params.automatic.powerMw));
    QCOMPARE(bad->testingDate, m_records[0].params.testingDate);

    const IndexEntry *noDate = entry(QStringLiteral("no-date.bin"));
    QVERIFY(noDate);
    QVERIFY(!noDate->testingDate.isValid());
    QVERIFY(noDate->problem.isEmpty());
    QCOMPARE(noDate->vessel, m_records[1].header.vessel);
}

void TestArchiveIndex::search_data()
{
    QTest::addColumn<QString>("query");
    QTest::newRow("Cyrillic vessel, lower case") << QStringLiteral("балтийская");
    QTest::newRow("Cyrillic vessel, upper case") << QStringLiteral("СЕВЕРНОЕ СИЯНИЕ");
    QTest::newRow("Latin vessel, two words") << QStringLiteral("baltic DAWN");
    QTest::newRow("Cyrillic model") << QStringLiteral("маяк");
    QTest::newRow("manufacturer's number") << QStringLiteral("41007");
    QTest::newRow("Cyrillic file name") << QStringLiteral("ПРОВЕРКА-41000");
    QTest::newRow("date and vessel") << QStringLiteral("2021 волна");
    QTest::newRow("file name and date") << QStringLiteral("проверка 2021");
    QTest::newRow("file name and vessel") << QStringLiteral(".bin балтийская");
    QTest::newRow("nothing matches") << QStringLiteral("Titanic");
    QTest::newRow("blank: everything") << QStringLiteral("   ");
}

void TestArchiveIndex::search()
{
    QFETCH(QString, query);
    // The expectation comes from what was written, not from the index.
    const QStringList terms = query.split(u' ', Qt::SkipEmptyParts);
    QVector<QStringList> written;
    for (const ArchiveRecord &r : m_records)
        written.append({r.fileName, r.header.vessel, r.header.sartModel, r.header.manufacturerNo,
                        archive::dateText(r.params.testingDate),
                        r.saved ? archive::dateText(r.header.nextTestDate) : QString()});
    // The undecodable header gives nothing but its name and testing date; the
    // record without a testing date has its header.
    const RecordHeader &h = m_records[1].header;
    written.append({QStringLiteral("bad-header.bin"), {}, {}, {}, archive::dateText(m_records[0].params.testingDate), {}});
    written.append({QStringLiteral("no-date.bin"), h.vessel, h.sartModel, h.manufacturerNo, {}, archive::dateText(h.nextTestDate)});
    QStringList expected;
    for (const QStringList &fields : std::as_const(written)) {
        const bool all = std::all_of(terms.begin(), terms.end(), [&](const QString &t) {
            return std::any_of(fields.begin(), fields.end(),
                               [&](const QString &f) { return f.toCaseFolded().contains(t.toCaseFolded()); });
        });
        if (all)
            expected.append(fields[0]);
    }

    QStringList found;
    for (int i : archive::search(m_entries, query))
        found.append(m_entries[i].fileName);
    found.sort();
    expected.sort();
    QCOMPARE(found, expected);
    if (query == QStringLiteral("41007")) {
        // The fixture holds records of this SART without a saved header: they
        // are found by their file names. (How many there are depends on today.)
        QVERIFY(std::any_of(m_records.cbegin(), m_records.cend(), [&](const ArchiveRecord &r) {
            return !r.saved && found.contains(r.fileName);
        }));
    }
}

void TestArchiveIndex::dueList_data()
{
    QTest::addColumn<int>("days");
    QTest::newRow("passed only") << 0;
    QTest::newRow("within 30 days") << 30;
    QTest::newRow("within 120 days") << 120;
    QTest::newRow("within a year and more") << 400;
}

void TestArchiveIndex::dueList()
{
    QFETCH(int, days);
    // The latest saved record of each SART, from the generated records.
    const QVector<const ArchiveRecord *> latest = sample::latestSavedOfEachSart(m_records);
    // The two extra records repeat SARTs whose later records are newer.
    QList<QPair<QDate, QString>> expected;
    for (const ArchiveRecord *r : latest)
        if (r->header.nextTestDate <= m_today.addDays(days))
            expected.append({r->header.nextTestDate, r->header.manufacturerNo});
    std::sort(expected.begin(), expected.end());

    const QVector<archive::DueItem> items = archive::dueForTest(m_entries, m_today, days);
    QCOMPARE(items.size(), expected.size());
    int overdue = 0;
    for (int i = 0; i < items.size(); ++i) {
        const IndexEntry &e = m_entries[items[i].entry];
        QCOMPARE(e.manufacturerNo, expected[i].second);
        QCOMPARE(e.nextTestDate, expected[i].first);
        QCOMPARE(items[i].daysLeft, int(m_today.daysTo(expected[i].first)));
        QCOMPARE(items[i].overdue(), expected[i].first < m_today);
        overdue += items[i].overdue();
    }
    // The archive has SARTs overdue, and with a long enough view, due ones.
    QVERIFY(overdue > 0);
    if (days == 400)
        QCOMPARE(items.size(), latest.size());
}

void TestArchiveIndex::historyOldestFirst()
{
    // SART 41007 (k = 1): tested yearly, one record without a saved header.
    QVector<const ArchiveRecord *> expected;
    int unsaved = 0;
    for (const ArchiveRecord &r : m_records) {
        if (r.saved && r.header.manufacturerNo == QStringLiteral("41007"))
            expected.append(&r);
        unsaved += !r.saved && r.fileName.contains(QStringLiteral("41007"));
    }
    std::sort(expected.begin(), expected.end(),
              [](auto *a, auto *b) { return a->params.testingDate < b->params.testingDate; });
    QVERIFY(expected.size() >= 6);

    for (const QString &asked : {QStringLiteral("41007"), QStringLiteral("  41007 ")}) {
        QVector<int> found = archive::history(m_entries, asked);
        // The copy of one of its records without a testing date comes first.
        QCOMPARE(found.size(), expected.size() + 1);
        QCOMPARE(m_entries[found.takeFirst()].fileName, QStringLiteral("no-date.bin"));
        for (int i = 0; i < found.size(); ++i) {
            const IndexEntry &e = m_entries[found[i]];
            QCOMPARE(e.fileName, expected[i]->fileName);
            QCOMPARE(e.power, QString::number(expected[i]->params.automatic.powerMw));
            if (i > 0)
                QVERIFY(m_entries[found[i - 1]].testingDate < e.testingDate);
        }
    }
    QCOMPARE(unsaved + expected.size(), 8);
    QVERIFY(archive::history(m_entries, QString()).isEmpty());
    QVERIFY(archive::history(m_entries, QStringLiteral("99999")).isEmpty());
}

void TestArchiveIndex::dueCsvQuotesAndMarks()
{
    IndexEntry a;
    a.headerSaved = true;
    a.manufacturerNo = QStringLiteral("41388");
    a.sartModel = QStringLiteral("Маяк-М2");
    a.vessel = QStringLiteral("Sea, \"Star\"");
    a.nextTestDate = QDate(2026, 1, 10);
    a.testingDate = QDate(2025, 1, 10);
    a.fileName = QStringLiteral("a.bin");
    IndexEntry b = a;
    b.manufacturerNo = QStringLiteral("50001");
    b.vessel = QStringLiteral("Волна");
    b.nextTestDate = QDate(2026, 3, 1);
    b.fileName = QStringLiteral("b.bin");
    const QVector<IndexEntry> entries = {b, a};

    const QDate today(2026, 2, 1);
    const QVector<archive::DueItem> items = archive::dueForTest(entries, today, 30);
    const QByteArray csv = csvfile::encode(archive::dueTable(entries, items));
    QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(csv.mid(3)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], QStringLiteral("Manufacturer's number,SART model,Vessel,Next testing date,Days left,Status,"
                                      "Testing date,Service centre,File"));
    QCOMPARE(lines[1], QStringLiteral("41388,Маяк-М2,\"Sea, \"\"Star\"\"\",2026-01-10,-22,OVERDUE,2025-01-10,,a.bin"));
    QCOMPARE(lines[2], QStringLiteral("50001,Маяк-М2,Волна,2026-03-01,28,due,2025-01-10,,b.bin"));
}

void TestArchiveIndex::rebuildsOffThreadAndKeepsTheNewestListing()
{
    // The waits are long because the index is read at the lowest priority;
    // they return as soon as it is there.
    archive::ArchiveIndex index;
    QThread *deliveredOn = nullptr;
    connect(&index, &archive::ArchiveIndex::changed, this, [&] { deliveredOn = QThread::currentThread(); });
    QSignalSpy changed(&index, &archive::ArchiveIndex::changed);

    index.rebuild(sources());
    QVERIFY(index.isBuilding());
    QVERIFY(changed.wait(120000));
    QCOMPARE(deliveredOn, QThread::currentThread());
    QCOMPARE(index.entries().size(), m_entries.size());
    QVERIFY(!index.isBuilding());

    // A second listing while the first is read: only the second one counts.
    // The first names hold the pipe, which is left out.
    QVector<archive::IndexSource> fewer = sources().mid(0, 5);
    index.rebuild(sources());
    index.rebuild(fewer);
    QVERIFY(changed.wait(120000));
    QTest::qWait(50);
    QCOMPARE(changed.size(), 2);
    QCOMPARE(index.entries().size(), 4);
    QVERIFY(index.entryFor(fewer[0].path));
    QVERIFY(!index.entryFor(m_folder + QStringLiteral("/nothing.bin")));
}

// An archive of many records repeats its vessels, SART models and dates: the
// index and the file table hold each such text once, whatever the number of
// records naming it, and the texts read stay what they were.
void TestArchiveIndex::repeatedTextsHeldOnce()
{
    QHash<QString, const QChar *> vessels;
    int repeated = 0;
    for (const IndexEntry &e : std::as_const(m_entries)) {
        if (e.vessel.isEmpty())
            continue;
        const auto held = vessels.constFind(e.vessel);
        if (held == vessels.cend()) {
            vessels.insert(e.vessel, e.vessel.constData());
            continue;
        }
        ++repeated;
        QCOMPARE(e.vessel.constData(), *held);
    }
    QVERIFY(repeated > 100);

    const archive::ScanResult scan = archive::scan(m_folder);
    FileTable table;
    table.setRecords(scan.rows, scan.names, scan.identities);
    QHash<QString, const QChar *> dates;
    repeated = 0;
    for (int row = 1; row <= table.listedCount(); ++row) {
        for (const int column : {FileTable::TestingDate, FileTable::ComputerDate, FileTable::ComputerTime}) {
            const QString date = table.cell(row, column);
            QCOMPARE(date, scan.rows[row - 1][column]);
            const auto held = dates.constFind(date);
            if (held == dates.cend()) {
                dates.insert(date, date.constData());
                continue;
            }
            ++repeated;
            QCOMPARE(date.constData(), *held);
        }
    }
    QVERIFY2(repeated > 10, qPrintable(QString::number(repeated)));
}

// An entry holds its path as its folder and file name where it can: the path
// comes back as it was given, and only that path finds the entry.
void TestArchiveIndex::pathKeptWhateverItsShape_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("path");
    QTest::newRow("in a folder") << "r1.bin" << "/archive/bin/r1.bin";
    QTest::newRow("Cyrillic, in the root") << "проверка.bin" << "/проверка.bin";
    QTest::newRow("no folder") << "r1.bin" << "r1.bin";
    QTest::newRow("name ends another name") << "1.bin" << "/archive/bin/r1.bin";
    QTest::newRow("another file's path") << "r1.bin" << "/archive/bin/r2.bin";
    QTest::newRow("no path") << "r1.bin" << "";
}

void TestArchiveIndex::pathKeptWhateverItsShape()
{
    QFETCH(QString, fileName);
    QFETCH(QString, path);
    IndexEntry e;
    e.fileName = fileName;
    e.setPath(path);
    QCOMPARE(e.path(), path);
    QVERIFY(e.hasPath(path));
    for (const QString &other : {path + u'x', QStringLiteral("/archive/bin/r1.bin.bin"), QStringLiteral("/other/r1.bin"),
                                 QStringLiteral("/archive/bin/") + fileName.toUpper()})
        QVERIFY2(!e.hasPath(other), qPrintable(other));
}

QTEST_GUILESS_MAIN(TestArchiveIndex)
#include "tst_archiveindex.moc"

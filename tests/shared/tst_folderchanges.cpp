// Following the changes other programs make in the archive folder, without
// windows: the poll of the folder's entries, the watch that reports them, the
// file table's rows put right one at a time, and the archive index that reads
// only what changed.
#include "ArchiveIndex.h"
#include "ArchiveScan.h"
#include "FileTable.h"
#include "FolderWatch.h"
#include "HeaderWriteBack.h"
#include "FolderEvents.h"
#include "SampleRecord.h"
#include "SharedMount.h"
#include "TestSupport.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

using namespace testsupport;

namespace {

QByteArray recordOf(int variant) { return sample::makeRecord(sample::variant(variant)); }

QStringList sortedNames(const QList<QByteArray> &names)
{
    QStringList texts;
    for (const QByteArray &n : names)
        texts.append(QString::fromUtf8(n));
    texts.sort();
    return texts;
}

// Overwrites a file in place, as a copy onto an existing file does: the same
// file, other bytes, the same size.
void overwriteInPlace(const QString &path, const QByteArray &bytes)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY);
    QVERIFY(fd >= 0);
    QCOMPARE(::pwrite(fd, bytes.constData(), size_t(bytes.size()), 0), ssize_t(bytes.size()));
    // A later modification time, whatever the clock's grain.
    const timespec times[2] = {{0, UTIME_OMIT}, {::time(nullptr) + 5, 0}};
    ::futimens(fd, times);
    ::close(fd);
}

// What the file table told its observer.
struct Told : FileTable::Observer
{
    QStringList events;
    void rowsAboutToBeInserted(int first, int last) override { events << QStringLiteral("insert %1-%2").arg(first).arg(last); }
    void rowsInserted() override {}
    void rowsAboutToBeRemoved(int first, int last) override { events << QStringLiteral("remove %1-%2").arg(first).arg(last); }
    void rowsRemoved() override {}
    void rowChanged(int row) override { events << QStringLiteral("change %1").arg(row); }
};

QStringList cellsFor(const QString &name) { return {QString(), name, QStringLiteral("01.02.03"), QString(), QString()}; }

} // namespace

class TestFolderChanges : public QObject
{
    Q_OBJECT

private slots:
    void pollTellsWhatCameWentOrChanged();
    void quietShareIsNotListedAgain();
    void sharesToldFromLocalFolders();
    void watchTellsOtherProgramsChanges_data();
    void watchTellsOtherProgramsChanges();
    void tableRowsOneAtATime();
    void indexReadsOnlyWhatChanged();
};

// The polls against the listing they started from: new, replaced,
// overwritten and removed records; other names and unchanged records are not
// told.
void TestFolderChanges::pollTellsWhatCameWentOrChanged()
{
    QTemporaryDir dir;
    for (const char *name : {"a.bin", "b.bin", "c.bin", "d.BIN"})
        writeFile(dir.filePath(name), recordOf(name[0] - 'a'));
    archive::FolderSnapshot snapshot;
    const archive::ScanResult listed = archive::scan(dir.path());
    snapshot.reset(listed.names, listed.identities);
    const QByteArray folder = QFile::encodeName(dir.path());
    QCOMPARE(snapshot.poll(folder), QList<QByteArray>());

    writeFile(dir.filePath("e.bin"), recordOf(4));                // came
    writeFile(dir.filePath("b.tmp"), recordOf(5));                // not a record name
    QVERIFY(::rename(QFile::encodeName(dir.filePath("b.tmp")).constData(),
                     QFile::encodeName(dir.filePath("b.bin")).constData()) == 0);  // replaced
    overwriteInPlace(dir.filePath("c.bin"), recordOf(6));         // same file, new bytes
    QVERIFY(QFile::remove(dir.filePath("d.BIN")));                // went
    writeFile(dir.filePath("notes.txt"), "not a record");
    // Listing alone finds what came, went or was renamed in; the file
    // overwritten in place takes a closer look, which comes in turns.
    QCOMPARE(sortedNames(snapshot.poll(folder, 0)), QStringList({"b.bin", "d.BIN", "e.bin"}));
    QStringList inTurns;
    for (int poll = 0; poll < 4; ++poll)
        inTurns += sortedNames(snapshot.poll(folder, 1));
    QCOMPARE(inTurns, QStringList({"c.bin"}));
    QCOMPARE(snapshot.poll(folder), QList<QByteArray>());  // told once
    QCOMPARE(snapshot.size(), 4);

    // Named entries looked at alone, as the kernel's events name them.
    QVERIFY(QFile::remove(dir.filePath("a.bin")));
    QCOMPARE(snapshot.recheck(folder, {"a.bin", "e.bin", "zzz.bin"}), QList<QByteArray>{"a.bin"});
}

// A share's poll lists the folder only while its stamp changes; then it looks
// at a few records per poll, in turns, which still finds one overwritten in
// place. A record added is listed and told at the next poll.
void TestFolderChanges::quietShareIsNotListedAgain()
{
    QTemporaryDir dir;
    for (int i = 0; i < 10; ++i)
        writeFile(dir.filePath(QStringLiteral("r%1.bin").arg(i)), recordOf(i % 4));
    archive::FolderSnapshot snapshot;
    const archive::ScanResult listed = archive::scan(dir.path());
    snapshot.reset(listed.names, listed.identities);
    const QByteArray folder = QFile::encodeName(dir.path());
    // Polls come a second apart; here a clock tick of file times is enough.
    auto poll = [&](QList<QByteArray> *gone = nullptr) {
        QTest::qWait(20);
        return sortedNames(snapshot.pollShare(folder, 3, gone));
    };
    for (int i = 0; i < 8; ++i)
        QCOMPARE(poll(), QStringList());
    QCOMPARE(snapshot.listings(), 2);
    QCOMPARE(snapshot.lookedAt(), 3);

    overwriteInPlace(dir.filePath("r4.bin"), recordOf(3));
    QStringList inTurns;
    for (int i = 0; i < 4; ++i)
        inTurns += poll();
    QCOMPARE(inTurns, QStringList{"r4.bin"});
    QCOMPARE(snapshot.listings(), 2);

    writeFile(dir.filePath("new.bin"), recordOf(0));
    QCOMPARE(poll(), QStringList{"new.bin"});
    QVERIFY(QFile::remove(dir.filePath("r7.bin")));
    QList<QByteArray> gone;
    QCOMPARE(poll(&gone), QStringList{"r7.bin"});
    QCOMPARE(gone, QList<QByteArray>{"r7.bin"});
    QCOMPARE(poll(), QStringList());
    const qsizetype listings = snapshot.listings();
    QCOMPARE(poll(), QStringList());
    QCOMPARE(snapshot.listings(), listings);
}

// The kernel's events suffice for a local folder; a FUSE mount of it (as a
// network share) is polled.
void TestFolderChanges::sharesToldFromLocalFolders()
{
    QTemporaryDir dir;
    QVERIFY(!archive::isSharedFileSystem(QFile::encodeName(dir.path())));
    if (const QString missing = sharedtest::fuseMissing(); !missing.isEmpty())
        QSKIP(qPrintable(missing));
    sharedtest::SharedMount mount(sharedtest::SharedMount::Kind::Bindfs, dir.path(), 1);
    QVERIFY2(mount.isMounted(), qPrintable(mount.error()));
    QVERIFY(archive::isSharedFileSystem(QFile::encodeName(mount.root())));
}

// The watch tells the names of what another program did, both where the
// kernel reports it and by polling alone (a network share).
void TestFolderChanges::watchTellsOtherProgramsChanges_data()
{
    QTest::addColumn<bool>("pollOnly");
    QTest::newRow("the kernel reports") << false;
    QTest::newRow("polled") << true;
}

void TestFolderChanges::watchTellsOtherProgramsChanges()
{
    QFETCH(bool, pollOnly);
    QTemporaryDir dir;
    writeFile(dir.filePath("a.bin"), recordOf(0));
    writeFile(dir.filePath("b.bin"), recordOf(1));
    archive::FolderWatch watch(pollOnly ? archive::FolderWatch::Events::PollOnly
                                        : archive::FolderWatch::Events::FromKernel);
    QStringList told;
    connect(&watch, &archive::FolderWatch::filesChanged, this, [&](const QStringList &names) { told += names; });
    const archive::ScanResult listed = archive::scan(dir.path());
    watch.watch(dir.path(), listed.names, listed.identities);
    QTest::qWait(50);  // the watch's thread takes its start

    writeFile(dir.filePath("c.bin"), recordOf(2));
    overwriteInPlace(dir.filePath("a.bin"), recordOf(3));
    QVERIFY(QFile::remove(dir.filePath("b.bin")));
    auto all = [&] {
        QStringList names = told;
        names.removeDuplicates();
        names.sort();
        return names;
    };
    QTRY_COMPARE_WITH_TIMEOUT(all(), QStringList({"a.bin", "b.bin", "c.bin"}), 5000);
    // Nothing more comes while nothing changes.
    told.clear();
    QTest::qWait(pollOnly ? 1500 : 300);
    QCOMPARE(told, QStringList());
}

// Rows come and go one at a time in the listing's order, the row count
// stays at least a thousand, and the view is told exactly which rows.
void TestFolderChanges::tableRowsOneAtATime()
{
    FileTable table;
    Told told;
    table.setObserver(&told);
    table.setRecords({cellsFor("b.bin"), cellsFor("D.bin")}, {"b.bin", "D.bin"});
    QCOMPARE(table.rowCount(), FileTable::MinimumRows);

    QCOMPARE(table.putRow("a.bin", cellsFor("a.bin"), {}), 1);
    QCOMPARE(table.putRow("C.BIN", cellsFor("C.BIN"), {}), 3);
    QCOMPARE(table.putRow("e.bin", cellsFor("e.bin"), {}), 5);
    QCOMPARE(table.putRow("b.bin", cellsFor("b.bin"), {1, 2, 3, 4, 5}), 2);  // listed: read again
    QCOMPARE(table.identity(2), (archive::FileIdentity{1, 2, 3, 4, 5}));
    QCOMPARE(table.names(), QStringList({"a.bin", "b.bin", "C.BIN", "D.bin", "e.bin"}));
    for (int row = 1; row <= 5; ++row) {
        QCOMPARE(table.cell(row, FileTable::Number), QString::number(row));
        QCOMPARE(table.cell(row, FileTable::Name), table.fileName(row));
    }
    QCOMPARE(table.rowCount(), FileTable::MinimumRows);
    // Below a thousand rows a blank row goes for each new one.
    QCOMPARE(told.events, QStringList({"insert 1-1", "remove 1000-1000", "insert 3-3", "remove 1000-1000",
                                       "insert 5-5", "remove 1000-1000", "change 2"}));

    told.events.clear();
    QCOMPARE(table.takeRow("C.BIN"), 3);
    QCOMPARE(table.takeRow("gone.bin"), 0);
    QCOMPARE(table.rowOfFile("D.bin"), 3);
    QCOMPARE(table.cell(5, FileTable::Name), QString());
    QCOMPARE(table.rowCount(), FileTable::MinimumRows);
    QCOMPARE(told.events, QStringList({"remove 3-3", "insert 999-999"}));

    // Beyond 999 files the table grows by the rows it lists.
    QVector<QStringList> rows;
    QStringList names;
    for (int i = 0; i < 1200; ++i) {
        names << QStringLiteral("f%1.bin").arg(i, 4, 10, QChar(u'0'));
        rows << cellsFor(names.last());
    }
    table.setRecords(rows, names);
    QCOMPARE(table.rowCount(), 1202);
    table.putRow("a.bin", cellsFor("a.bin"), {});
    QCOMPARE(table.rowCount(), 1203);
    table.takeRow("f0500.bin");
    table.takeRow("f0501.bin");
    QCOMPARE(table.rowCount(), 1201);
    QCOMPARE(table.fileName(1), QStringLiteral("a.bin"));
}

// After a full listing only files whose identity changed are read again;
// one saved file is one read; a file gone leaves the index.
void TestFolderChanges::indexReadsOnlyWhatChanged()
{
    QTemporaryDir dir;
    for (int i = 0; i < 20; ++i)
        writeFile(dir.filePath(QStringLiteral("r%1.bin").arg(i, 2, 10, QChar(u'0'))), recordOf(i));
    auto sources = [&] {
        const archive::ScanResult listed = archive::scan(dir.path());
        QVector<archive::IndexSource> s;
        for (qsizetype i = 0; i < listed.names.size(); ++i)
            s.append({listed.names[i], dir.filePath(listed.names[i]), listed.identities[i]});
        return s;
    };
    archive::ArchiveIndex index;
    QSignalSpy changed(&index, &archive::ArchiveIndex::changed);
    index.rebuild(sources());
    QTRY_COMPARE(changed.size(), 1);
    QCOMPARE(index.filesRead(), 20);
    QCOMPARE(index.entries().size(), 20);

    index.rebuild(sources());
    QTRY_COMPARE(changed.size(), 2);
    QCOMPARE(index.filesRead(), 20);  // nothing changed, nothing read

    RecordHeader saved;
    saved.vessel = QStringLiteral("MV Baltic Dawn");
    saved.manufacturerNo = QStringLiteral("41388");
    saved.nextTestDate = QDate(2027, 3, 5);
    saved.batteryDate = QDate(2025, 12, 24);
    writeback::save(dir.filePath("r07.bin"), saved);
    const QVector<archive::IndexSource> all = sources();
    index.update({all[7]}, {});
    QTRY_COMPARE(changed.size(), 3);
    QCOMPARE(index.filesRead(), 21);
    const archive::IndexEntry *entry = index.entryFor(dir.filePath("r07.bin"));
    QVERIFY(entry);
    QCOMPARE(entry->vessel, QStringLiteral("MV Baltic Dawn"));
    QCOMPARE(index.entries().size(), 20);

    // The next full listing knows it already; a removed file leaves.
    QVERIFY(QFile::remove(dir.filePath("r03.bin")));
    index.rebuild(sources());
    QTRY_COMPARE(changed.size(), 4);
    QCOMPARE(index.filesRead(), 21);
    QCOMPARE(index.entries().size(), 19);
    QVERIFY(!index.entryFor(dir.filePath("r03.bin")));
    index.update({}, {QStringLiteral("r05.bin")});
    QTRY_COMPARE(changed.size(), 5);
    QVERIFY(!index.entryFor(dir.filePath("r05.bin")));

    // Find runs off this thread and gives the matches with what it searched.
    QSignalSpy found(&index, &archive::ArchiveIndex::found);
    index.find(QStringLiteral("baltic 41388"));
    QTRY_COMPARE(found.size(), 1);
    const auto entries = found[0][1].value<QVector<archive::IndexEntry>>();
    const auto matches = found[0][2].value<QVector<int>>();
    QCOMPARE(matches.size(), 1);
    QCOMPARE(entries[matches[0]].fileName, QStringLiteral("r07.bin"));
    QCOMPARE(found[0][0].toString(), QStringLiteral("baltic 41388"));
}

QTEST_GUILESS_MAIN(TestFolderChanges)
#include "tst_folderchanges.moc"

// The archive listed at start-up as it comes: the names first, the dates after
// the window shows. Whatever the archive's size, the table ends with the
// cells a whole scan gives, the current row and the record shown at start are
// the last row's, and unreadable files are told once. A save made while the
// machine is busy is indexed alone, in bounded time.
#include "ArchiveIndex.h"
#include "ArchiveScan.h"
#include "FileTable.h"
#include "Finder.h"
#include "SampleRecord.h"
#include "TestSupport.h"
#include "Unit1.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <dirent.h>
#include <sched.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace windowtest;

namespace {

// `count` records r00000.bin ..., of the sample variants in turn; with
// `unreadable`, four files among them that cannot be read as records.
void fillArchive(const StartDirectory &dir, int count, bool unreadable)
{
    for (int i = 0; i < count; ++i)
        dir.addRecord(QStringLiteral("r%1.bin").arg(i, 5, 10, QChar(u'0')), i % 4);
    if (!unreadable)
        return;
    dir.addFile(QStringLiteral("a-short.bin"), QByteArray(100, 'x'));
    QVERIFY(QDir(dir.archive()).mkdir(QStringLiteral("b-folder.bin")));
    QVERIFY(QFile::link(dir.inArchive(QStringLiteral("nowhere")), dir.inArchive(QStringLiteral("c-link.bin"))));
    QCOMPARE(::mkfifo(QFile::encodeName(dir.inArchive(QStringLiteral("d-pipe.BIN"))).constData(), 0600), 0);
}

// Every cell of the table against what a whole scan of the folder lists.
void compareWithScan(const FileTable &table, const archive::ScanResult &scan)
{
    QCOMPARE(table.listedCount(), int(scan.rows.size()));
    QCOMPARE(table.names(), scan.names);
    QCOMPARE(table.rowCount(), std::max(FileTable::MinimumRows, int(scan.rows.size()) + 2));
    for (int row = 1; row <= table.listedCount(); ++row)
        for (int column = 0; column < FileTable::ColumnCount; ++column)
            if (table.cell(row, column) != scan.rows[row - 1][column])
                QFAIL(qPrintable(QStringLiteral("row %1, column %2: %3, a whole scan gives %4")
                                     .arg(row)
                                     .arg(column)
                                     .arg(table.cell(row, column), scan.rows[row - 1][column])));
    QCOMPARE(table.identities(), scan.identities);
    for (int row = table.listedCount() + 1; row < table.rowCount(); ++row)
        QCOMPARE(table.cell(row, FileTable::Name), QString());
}

// Busy processes, one per processor and at least two, for as long as it lives.
class BusyMachine
{
public:
    BusyMachine()
    {
        const int count = std::max(2u, std::thread::hardware_concurrency());
        for (int i = 0; i < count; ++i) {
            const pid_t pid = ::fork();
            if (pid == 0) {
                volatile unsigned long spin = 0;
                for (;;)
                    spin = spin + 1;
            }
            if (pid > 0)
                m_pids.push_back(pid);
        }
    }
    ~BusyMachine()
    {
        for (const pid_t pid : m_pids) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }
    int count() const { return int(m_pids.size()); }

private:
    std::vector<pid_t> m_pids;
};

// Threads of this process that run as idle threads (SCHED_IDLE), which any
// busy process holds off.
int idleThreads()
{
    int idle = 0;
    if (DIR *tasks = ::opendir("/proc/self/task")) {
        while (const dirent *task = ::readdir(tasks))
            if (task->d_name[0] != '.' && ::sched_getscheduler(pid_t(std::atoi(task->d_name))) == SCHED_IDLE)
                ++idle;
        ::closedir(tasks);
    }
    return idle;
}

} // namespace

class TestStartListing : public WindowTestCase
{
    Q_OBJECT

private slots:
    void listedAsAWholeScanLists_data();
    void listedAsAWholeScanLists();
    void rowChosenBeforeItsDatesAreRead();
    void saveIndexedAloneOnABusyMachine();
    void registerWaitsForTheFirstPaint();
};

void TestStartListing::listedAsAWholeScanLists_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("unreadable");
    QTest::newRow("no records") << 0 << false;
    QTest::newRow("one record") << 1 << false;
    QTest::newRow("one record and unreadable files") << 1 << true;
    QTest::newRow("as many as read before the window shows") << Navigation::WholeAtOnce << false;
    QTest::newRow("10,000 records") << 10000 << false;
    QTest::newRow("10,000 records and unreadable files") << 10000 << true;
}

void TestStartListing::listedAsAWholeScanLists()
{
    QFETCH(int, count);
    QFETCH(bool, unreadable);
    StartDirectory dir;
    fillArchive(dir, count, unreadable);
    const archive::ScanResult scan = archive::scan(dir.archive());
    const int listed = count + (unreadable ? 4 : 0);
    QCOMPARE(int(scan.rows.size()), listed);

    auto form = std::make_unique<TForm1>();
    const Navigation &navigation = form->navigation();
    // Beyond what is read before the window shows, the names come first.
    QCOMPARE(navigation.isListing(), listed > Navigation::WholeAtOnce);
    QCOMPARE(navigation.table().names(), scan.names);
    if (navigation.isListing()) {
        QCOMPARE(navigation.table().cell(1, FileTable::TestingDate), scan.rows[0][FileTable::TestingDate]);
        QCOMPARE(navigation.table().cell(listed, FileTable::ComputerTime),
                 scan.rows[listed - 1][FileTable::ComputerTime]);
        QCOMPARE(navigation.table().cell(listed - 100, FileTable::TestingDate), QString());
    }
    bool toldListed = false;
    form->navigation().whenListed([&] { toldListed = true; });
    form->show();
    waitForStartUp(*form);
    QVERIFY(toldListed);
    QVERIFY(!navigation.isListing());

    compareWithScan(navigation.table(), scan);
    QCOMPARE(navigation.LastRow, listed);
    if (count == 0) {
        QVERIFY(navigation.shownPath().isEmpty());
    } else {
        QCOMPARE(navigation.CurrentRow, listed);
        QCOMPARE(highlightedRows(*form), QList<int>{listed});
        QCOMPARE(navigation.shownPath(), navigation.rowPath(listed));
        QCOMPARE(shownPower(*form), powerOf((count - 1) % 4));
    }
    // Unreadable files are told once, by name, as a whole scan tells them.
    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    if (unreadable) {
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].text, archive::problemsMessage(scan.problems));
    } else {
        QCOMPARE(seen.size(), 0);
    }
}

// A row chosen while the dates are still being read shows its record with
// its own dates, and the listing goes on around it.
void TestStartListing::rowChosenBeforeItsDatesAreRead()
{
    StartDirectory dir;
    fillArchive(dir, 3000, false);
    const archive::ScanResult scan = archive::scan(dir.archive());
    auto form = std::make_unique<TForm1>();
    Navigation &navigation = form->navigation();
    QVERIFY(navigation.isListing());
    QCOMPARE(navigation.table().cell(1500, FileTable::TestingDate), QString());
    navigation.mouseUp(1500);
    QCOMPARE(navigation.shownPath(), dir.inArchive("r01499.bin"));
    QCOMPARE(shownPower(*form), powerOf(1499 % 4));
    QCOMPARE(navigation.table().cell(1500, FileTable::TestingDate), scan.rows[1499][FileTable::TestingDate]);
    QVERIFY(navigation.isListing());
    form->show();
    waitForStartUp(*form);
    compareWithScan(navigation.table(), scan);
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
}

// Beside busy processes the index of the archive is built in bounded time,
// and a save then reads its one record, not the archive again.
void TestStartListing::saveIndexedAloneOnABusyMachine()
{
    constexpr int Count = 2000;
    StartDirectory dir;
    fillArchive(dir, Count, false);
    BusyMachine busy;
    QVERIFY(busy.count() >= 2);
    auto form = startWindow();
    const archive::ArchiveIndex &index = form->Finder1->index();
    // Alone it takes a fraction of a second; an idle thread would wait for
    // the busy processes to end.
    QElapsedTimer took;
    took.start();
    int looks = 0;
    while (index.isBuilding() && took.elapsed() < 60000) {
        QCOMPARE(idleThreads(), 0);
        ++looks;
        QTest::qWait(2);
    }
    QVERIFY(looks > 0);
    QTRY_VERIFY_WITH_TIMEOUT(!index.isBuilding() && index.entries().size() == Count, 60000);
    qInfo("the index of %d records beside %d busy processes took %lld ms", Count, busy.count(), took.elapsed());
    const qint64 readBefore = index.filesRead();
    QVERIFY(readBefore >= Count);

    setEdit(*form, "Edit9", "BUSY-0042");
    clickTool(*form, "ToolButton11");
    QCOMPARE(m_dialogs->takeErrors(), QStringList());
    const QString saved = form->navigation().shownPath();
    QCOMPARE(saved, dir.inArchive("r01999.bin"));
    QTRY_VERIFY_WITH_TIMEOUT(index.entryFor(saved) && index.entryFor(saved)->manufacturerNo.trimmed() == "BUSY-0042",
                             30000);
    QTRY_VERIFY_WITH_TIMEOUT(!index.isBuilding(), 30000);
    QCOMPARE(index.filesRead() - readBefore, 1);
    QCOMPARE(index.entries().size(), Count);
}

// Before the window first paints, nothing but the listing and the record
// shown at start: no dialog is built and the register of certificates is not
// opened. After it, the register is looked up for the record shown.
void TestStartListing::registerWaitsForTheFirstPaint()
{
    QTemporaryDir data;
    QVERIFY(data.isValid());
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    const auto restore = qScopeGuard([&] { qputenv("XDG_DATA_HOME", dataHome); });
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    const QString registerFile = data.filePath(QStringLiteral("sart-tester/certificates.sqlite"));

    StartDirectory dir;
    fillArchive(dir, 3, false);
    QElapsedTimer since;
    since.start();
    auto form = std::make_unique<TForm1>();
    const QList<QWidget *> built = QApplication::topLevelWidgets();
    for (const QWidget *w : built)
        QVERIFY2(!qobject_cast<const QDialog *>(w), qPrintable(w->objectName()));
    // The record shown at start is shown without the window painting.
    QTRY_VERIFY(!form->Timer2->isActive());
    QCOMPARE(form->navigation().shownPath(), dir.inArchive("r00002.bin"));
    QTest::qWait(300);
    if (since.elapsed() < 8000) {  // the register comes after at most 10 s unpainted
        QVERIFY(form->lastIssuedPending());
        QVERIFY(!QFile::exists(registerFile));
    }

    form->show();
    waitForStartUp(*form);
    QTRY_VERIFY_WITH_TIMEOUT(!form->lastIssuedPending(), 20000);
    QVERIFY(QFile::exists(registerFile));
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
}

QTEST_MAIN(TestStartListing)
#include "tst_startlisting.moc"

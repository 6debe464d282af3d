// The archive scan: the cells it builds from record bytes, the listing order,
// broken files and a folder that shrinks between scans.
#include "AppError.h"
#include "ArchiveScan.h"
#include "FileNames.h"
#include "FileTable.h"
#include "RecordLayout.h"
#include "SampleRecord.h"
#include "TestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

using namespace testsupport;

class TestArchiveScan : public QObject
{
    Q_OBJECT

private slots:
    void dateRules_data();
    void dateRules();
    void timeCellShowsControlsAsSpaces();
    void everyRowShowsItsRecordsStamps();
    void rowReadAgainAfterAWrite();
    void sortedIgnoringCaseAndOnlyBinFiles();
    void brokenFilesAreListedWithoutDates();
    void shrinkingFolderClearsGoneRows();
    void tableGrowsBeyond999();
    void missingFolderListsNothing();
    void namesCarriedAsBytes_data();
    void namesCarriedAsBytes();
};

void TestArchiveScan::dateRules_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("testing");
    QTest::addColumn<QString>("reception");
    QTest::newRow("digits") << QByteArray("050324") << "05.03.24" << "05.03.24";
    QTest::newRow("0xFF") << QByteArray(6, char(0xFF)) << "00.00.00" << "00.00.00";
    QTest::newRow("spaces") << QByteArray(6, ' ') << "  .  .  " << "00.00.00";
    QTest::newRow("colon") << QByteArray("0:0324") << "0:.03.24" << "0:.03.24";
    QTest::newRow("semicolon") << QByteArray("0;0324") << "0;.03.24" << "00.03.24";
    QTest::newRow("zeros") << QByteArray(6, '\0') << "00.00.00" << "00.00.00";
    QTest::newRow("lower bounds") << QByteArray("\x1E\x1D\x28\x27" "12", 6) << "\x1E" "0.('.12" << "00.(0.12";
    QTest::newRow("letters") << QByteArray("AB<=12") << "00.00.12" << "00.00.12";
}

void TestArchiveScan::dateRules()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, testing);
    QFETCH(QString, reception);
    const auto *raw = reinterpret_cast<const std::uint8_t *>(bytes.constData());
    QCOMPARE(archive::testingDateCell(raw), testing);
    QCOMPARE(archive::receptionDateCell(raw), reception);
}

void TestArchiveScan::timeCellShowsControlsAsSpaces()
{
    const QByteArray bytes("14:05\0\x01" "9", 8);
    QCOMPARE(archive::timeCell(reinterpret_cast<const std::uint8_t *>(bytes.constData())),
             QStringLiteral("14:05  9"));
}

// The first row, like every other, shows the reception stamp inside its
// record, never the file's modification time; a first file too short for the
// stamp is listed without dates as any other would be.
void TestArchiveScan::everyRowShowsItsRecordsStamps()
{
    QTemporaryDir dir;
    QByteArray first = blankRecord();
    put(first, layout::TestingDate, "050324");
    put(first, layout::ReceiveDate, "010424");
    put(first, layout::ReceiveTime, "08:30:00");
    writeFile(dir.filePath("a.bin"), first);
    QFile file(dir.filePath("a.bin"));
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime(QDate(2020, 2, 2), QTime(2, 2, 2)), QFileDevice::FileModificationTime));
    file.close();
    QByteArray second = blankRecord();
    put(second, layout::TestingDate, "070324");
    put(second, layout::ReceiveDate, "060324");
    put(second, layout::ReceiveTime, "14:05:09");
    writeFile(dir.filePath("b.bin"), second);

    archive::ScanResult result = archive::scan(dir.path());
    QCOMPARE(result.rows.size(), 2);
    QVERIFY(result.problems.isEmpty());
    QCOMPARE(result.rows[0], QStringList({"1", "a.bin", "05.03.24", "01.04.24", "08:30:00"}));
    QCOMPARE(result.rows[1], QStringList({"2", "b.bin", "07.03.24", "06.03.24", "14:05:09"}));

    writeFile(dir.filePath("a.bin"), first.left(layout::ReceiveDate + 5));
    result = archive::scan(dir.path());
    QCOMPARE(result.problems.size(), 1);
    QCOMPARE(result.problems[0].reason, QStringLiteral("Read beyond end of file"));
    QCOMPARE(result.rows[0], QStringList({"1", "a.bin", "", "", ""}));
}

// After a file was written, its row is read again by itself: the other rows
// and the listing stay as they are.
void TestArchiveScan::rowReadAgainAfterAWrite()
{
    QTemporaryDir dir;
    QByteArray record = blankRecord();
    put(record, layout::TestingDate, "050324");
    put(record, layout::ReceiveDate, "060324");
    put(record, layout::ReceiveTime, "14:05:09");
    writeFile(dir.filePath("a.bin"), record);
    writeFile(dir.filePath("b.bin"), record);
    FileTable table;
    archive::ScanResult result = archive::scan(dir.path());
    table.setRecords(result.rows, result.names);

    put(record, layout::ReceiveDate, "070324");
    put(record, layout::ReceiveTime, "15:00:00");
    writeFile(dir.filePath("b.bin"), record);
    const archive::ScannedRow scanned = archive::scanFile(dir.path(), table.fileName(2));
    QVERIFY(scanned.exists);
    QVERIFY(scanned.problem.isEmpty());
    table.putRow(table.fileName(2), scanned.cells, scanned.identity);
    QCOMPARE(table.listedCount(), 2);
    QCOMPARE(table.cell(2, FileTable::ComputerDate), QStringLiteral("07.03.24"));
    QCOMPARE(table.cell(2, FileTable::ComputerTime), QStringLiteral("15:00:00"));
    QCOMPARE(table.cell(1, FileTable::ComputerTime), QStringLiteral("14:05:09"));

    QVERIFY(QFile::remove(dir.filePath("b.bin")));
    QVERIFY(!archive::scanFile(dir.path(), QStringLiteral("b.bin")).exists);
}

void TestArchiveScan::sortedIgnoringCaseAndOnlyBinFiles()
{
    QTemporaryDir dir;
    for (const char *name : {"c.bin", "B.BIN", "a.Bin", "notes.txt", "d.bin.txt", ".d.bin.Ab12cd"})
        writeFile(dir.filePath(QString::fromLatin1(name)), sample::makeRecord({}));
    const archive::ScanResult result = archive::scan(dir.path());
    QStringList names;
    for (const QStringList &row : result.rows)
        names << row[FileTable::Name];
    QCOMPARE(names, QStringList({"a.Bin", "B.BIN", "c.bin"}));
}

void TestArchiveScan::brokenFilesAreListedWithoutDates()
{
    QTemporaryDir dir;
    writeFile(dir.filePath("1.bin"), QByteArray(100, '1'));      // far too short
    writeFile(dir.filePath("2.bin"), sample::makeRecord({}));
    writeFile(dir.filePath("3.bin"), QByteArray(4095, '3'));     // one byte short of a record
    QVERIFY(QDir(dir.path()).mkdir("4.bin"));                    // a folder named like a record
    writeFile(dir.filePath("5.bin"), sample::makeRecord({}));

    const archive::ScanResult result = archive::scan(dir.path());
    QCOMPARE(result.rows.size(), 5);
    QCOMPARE(result.problems.size(), 3);
    QCOMPARE(result.problems[0].fileName, QStringLiteral("1.bin"));
    QCOMPARE(result.problems[0].reason, QStringLiteral("Read beyond end of file"));
    QCOMPARE(result.problems[1].fileName, QStringLiteral("3.bin"));
    QCOMPARE(result.problems[2].fileName, QStringLiteral("4.bin"));
    QCOMPARE(result.problems[2].reason, QStringLiteral("not a record file (a folder)"));
    for (int i : {0, 2, 3}) {
        QCOMPARE(result.rows[i][FileTable::Number], QString::number(i + 1));
        QVERIFY(result.rows[i][FileTable::TestingDate].isEmpty());
        QVERIFY(result.rows[i][FileTable::ComputerTime].isEmpty());
    }
    QCOMPARE(result.rows[4][FileTable::TestingDate], QStringLiteral("30.11.26"));
    const QString message = archive::problemsMessage(result.problems);
    QVERIFY(message.contains("1.bin: Read beyond end of file"));
    QVERIFY(message.contains("4.bin: not a record file (a folder)"));
}

void TestArchiveScan::shrinkingFolderClearsGoneRows()
{
    QTemporaryDir dir;
    for (int i = 1; i <= 5; ++i)
        writeFile(dir.filePath(QStringLiteral("%1.bin").arg(i)), sample::makeRecord(sample::variant(i)));
    FileTable table;
    table.setRecords(archive::scan(dir.path()).rows);
    QCOMPARE(table.fileName(5), QStringLiteral("5.bin"));

    QVERIFY(QFile::remove(dir.filePath("2.bin")));
    QVERIFY(QFile::remove(dir.filePath("4.bin")));
    table.setRecords(archive::scan(dir.path()).rows);
    QCOMPARE(table.listedCount(), 3);
    QCOMPARE(table.fileName(3), QStringLiteral("5.bin"));
    for (int row : {4, 5})
        for (int column = 0; column < FileTable::ColumnCount; ++column)
            QVERIFY(table.cell(row, column).isEmpty());

    QVERIFY(QFile::remove(dir.filePath("1.bin")) && QFile::remove(dir.filePath("3.bin"))
            && QFile::remove(dir.filePath("5.bin")));
    table.setRecords(archive::scan(dir.path()).rows);
    QCOMPARE(table.listedCount(), 0);
    QVERIFY(table.fileName(1).isEmpty());
    QCOMPARE(table.cell(0, FileTable::Name), QStringLiteral("File name"));
}

void TestArchiveScan::tableGrowsBeyond999()
{
    QTemporaryDir dir;
    const QByteArray record = sample::makeRecord({});
    for (int i = 0; i < 1001; ++i)
        writeFile(dir.filePath(QStringLiteral("r%1.bin").arg(i, 4, 10, QChar(u'0'))), record);
    FileTable table;
    table.setRecords(archive::scan(dir.path()).rows);
    QCOMPARE(table.listedCount(), 1001);
    QCOMPARE(table.rowCount(), 1003);  // header, 1001 records, the blank row
    QCOMPARE(table.fileName(1001), QStringLiteral("r1000.bin"));
    QVERIFY(table.fileName(1002).isEmpty());
    QVERIFY_THROWS_EXCEPTION(AppError, table.cell(1003, 0));
}

void TestArchiveScan::missingFolderListsNothing()
{
    QTemporaryDir dir;
    const archive::ScanResult result = archive::scan(dir.filePath("bin"));
    QVERIFY(result.rows.isEmpty());
    QVERIFY(result.problems.isEmpty());
}

void TestArchiveScan::namesCarriedAsBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("ASCII") << QByteArray("a.bin") << "a.bin";
    QTest::newRow("UTF-8") << QStringLiteral("Тест.bin").toUtf8() << "Тест.bin";
    QTest::newRow("windows-1251") << QByteArray("\xD2\xE5\xF1\xF2.bin") << "Тест.bin [windows-1251]";
    QTest::newRow("cp866") << QByteArray("\x92\xA5\xE1\xE2.bin") << "’Ґбв.bin [windows-1251]";
    // Beyond U+FFFF: the second half of the pair lies where escaped bytes do.
    QTest::newRow("U+100490") << QByteArray("\xF4\x80\x92\x90.bin") << QString::fromUtf8("\xF4\x80\x92\x90.bin");
    QTest::newRow("encoded surrogate") << QByteArray("\xED\xB2\x80.bin") << "нІЂ.bin [windows-1251]";
    QTest::newRow("overlong slash") << QByteArray("\xC0\xAF.bin") << "АЇ.bin [windows-1251]";
}

// Every byte name comes back exactly from the name the program carries, and
// shows as UTF-8 or, marked, as windows-1251.
void TestArchiveScan::namesCarriedAsBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    const QString carried = filenames::fromBytes(bytes);
    QCOMPARE(filenames::toBytes(carried), bytes);
    QCOMPARE(filenames::display(carried), shown);
    QCOMPARE(filenames::toBytes(QStringLiteral("/tmp/Архив/") + carried), QStringLiteral("/tmp/Архив/").toUtf8() + bytes);
}

QTEST_GUILESS_MAIN(TestArchiveScan)
#include "tst_archivescan.moc"

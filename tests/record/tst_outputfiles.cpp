// The files the engineer names: the CSV writer, read back by a standard CSV
// reader (Python's csv module), and the output file that is written only
// where it was asked for, never through a link, a FIFO or a folder lying at
// the name.
#include "AppError.h"
#include "CsvFile.h"
#include "OutputFile.h"
#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

using testsupport::readFile;
using testsupport::writeFile;

namespace {

// The rows of a CSV file as Python's csv module reads them.
QList<QStringList> readWithPython(const QString &path)
{
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import csv, json, sys\n"
                                 "with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:\n"
                                 "    json.dump(list(csv.reader(f)), sys.stdout)\n"),
                  path});
    if (!python.waitForFinished(30000) || python.exitCode() != 0)
        qWarning("python3: %s", python.readAllStandardError().constData());
    QList<QStringList> rows;
    for (const QJsonValue &row : QJsonDocument::fromJson(python.readAllStandardOutput()).array()) {
        QStringList cells;
        for (const QJsonValue &cell : row.toArray())
            cells.append(cell.toString());
        rows.append(cells);
    }
    return rows;
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

} // namespace

class TestOutputFiles : public QObject
{
    Q_OBJECT

private slots:
    void csvCells_data();
    void csvCells();
    void csvReadsBackExactly();

    void refusesWhatIsNotAFile_data();
    void refusesWhatIsNotAFile();
    void replacesARegularFile();
    void errorsNameTheFile();
    void incompleteOutputIsNotKept();
};

void TestOutputFiles::csvCells_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("hyperlink") << "=HYPERLINK(\"http://x.example\",\"Sea\")"
                               << QByteArray("\"'=HYPERLINK(\"\"http://x.example\"\",\"\"Sea\"\")\"");
    QTest::newRow("sum") << "=2+5" << QByteArray("'=2+5");
    QTest::newRow("command") << "=cmd|' /C calc'!A0" << QByteArray("'=cmd|' /C calc'!A0");
    QTest::newRow("file name") << "=1+2.bin" << QByteArray("'=1+2.bin");
    QTest::newRow("plus") << "+1+1" << QByteArray("'+1+1");
    QTest::newRow("minus") << "-1+1" << QByteArray("'-1+1");
    QTest::newRow("at") << "@SUM(A1)" << QByteArray("'@SUM(A1)");
    QTest::newRow("space before =") << " =1+2" << QByteArray("\"' =1+2\"");
    QTest::newRow("tab before =") << "\t=1+2" << QByteArray("\"'\t=1+2\"");
    QTest::newRow("leading tab") << "\tx" << QByteArray("\"'\tx\"");
    QTest::newRow("leading CR") << "\rx" << QByteArray("\"'\rx\"");
    QTest::newRow("lone CR inside") << "a\rb" << QByteArray("\"a\rb\"");
    QTest::newRow("LF inside") << "a\nb" << QByteArray("\"a\nb\"");
    QTest::newRow("quotes") << "Sea \"Star\"" << QByteArray("\"Sea \"\"Star\"\"\"");
    QTest::newRow("comma") << "Sea, Star" << QByteArray("\"Sea, Star\"");
    QTest::newRow("semicolon") << "Sea; Star" << QByteArray("\"Sea; Star\"");
    QTest::newRow("trailing blank") << "Star " << QByteArray("\"Star \"");
    QTest::newRow("negative number") << "-22" << QByteArray("-22");
    QTest::newRow("number, line break") << "-22\n" << QByteArray("\"'-22\n\"");
    QTest::newRow("decimal") << "+9.41" << QByteArray("+9.41");
    QTest::newRow("hyphen inside") << "SART-9" << QByteArray("SART-9");
    QTest::newRow("Cyrillic") << "Маяк-М2" << QStringLiteral("Маяк-М2").toUtf8();
    QTest::newRow("empty") << "" << QByteArray();
}

// Each hostile cell as written: a formula marked so a spreadsheet shows it
// as text, quoted where a reader would split or trim it.
void TestOutputFiles::csvCells()
{
    QFETCH(QString, value);
    QFETCH(QByteArray, written);
    QCOMPARE(csvfile::cell(value), written);
}

// Hostile cells, each in a row between two plain ones, read back by a
// standard reader: exactly the values, with the mark in front of those a
// spreadsheet would run, and no row split or cell trimmed.
void TestOutputFiles::csvReadsBackExactly()
{
    const QList<std::pair<QString, bool>> cells = {
        {"=HYPERLINK(\"http://x.example\",\"Sea\")", true},
        {"=2+5", true},
        {"=cmd|' /C calc'!A0", true},
        {"=1+2.bin", true},
        {"+1+1", true},
        {"-1+1", true},
        {"@SUM(A1)", true},
        {" =1+2", true},
        {"\t=1+2", true},
        {"  \t+3", true},
        {"\r\n-2", true},
        {"\tx", true},
        {"\rx", true},
        {"a\rb", false},
        {"a\nb", false},
        {"a\r\nb", false},
        {"\"", false},
        {"Sea \"Star\"", false},
        {"Sea, Star", false},
        {"Sea; Star", false},
        {" lead", false},
        {"trail ", false},
        {"-22", false},
        {"+9.41", false},
        {"x=1", false},
        {"'quoted", false},
        {"Маяк-М2", false},
        {"", false},
    };
    QList<QStringList> table{{"before", "value", "after"}};
    for (const auto &[value, marked] : cells)
        table.append({"x", value, "y"});
    QTemporaryDir dir;
    const QString path = dir.filePath("hostile.csv");
    csvfile::write(path, table);
    QVERIFY(readFile(path).startsWith("\xEF\xBB\xBF"));

    const QList<QStringList> read = readWithPython(path);
    QCOMPARE(read.size(), table.size());
    QCOMPARE(read[0], table[0]);
    for (int i = 0; i < cells.size(); ++i) {
        const auto &[value, marked] = cells[i];
        QCOMPARE(read[i + 1], (QStringList{"x", marked ? csvfile::FormulaMark + value : value, "y"}));
    }
}

void TestOutputFiles::refusesWhatIsNotAFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("told");
    QTest::newRow("link to a file") << "link" << "a symbolic link";
    QTest::newRow("dangling link") << "dangling" << "a symbolic link";
    QTest::newRow("FIFO") << "fifo" << "a FIFO (named pipe)";
    QTest::newRow("folder") << "folder" << "a folder";
    QTest::newRow("socket") << "socket" << "a socket";
    QTest::newRow("device") << "device" << "a device";
}

// What lies at the name is left as it is, and so is whatever a link leads
// to; nothing is created anywhere, and the message names the entry.
void TestOutputFiles::refusesWhatIsNotAFile()
{
    QFETCH(QString, kind);
    QFETCH(QString, told);
    QTemporaryDir chosen, elsewhere;
    const QString path = chosen.filePath("certificate.pdf");
    const QByteArray name = QFile::encodeName(path);
    const QString target = elsewhere.filePath("target");
    int socketFd = -1;
    if (kind == u"link") {
        writeFile(target, "the target's own bytes");
        QCOMPARE(::symlink(QFile::encodeName(target).constData(), name.constData()), 0);
    } else if (kind == u"dangling") {
        QCOMPARE(::symlink(QFile::encodeName(target).constData(), name.constData()), 0);
    } else if (kind == u"fifo") {
        QCOMPARE(::mkfifo(name.constData(), 0600), 0);
    } else if (kind == u"folder") {
        QVERIFY(QDir().mkpath(path + "/inside"));
    } else if (kind == u"socket") {
        socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, name.constData(), sizeof address.sun_path);
        QCOMPARE(::bind(socketFd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    } else if (::mknod(name.constData(), S_IFCHR | 0600, makedev(1, 3)) != 0) {
        QSKIP("a device node cannot be made here");
    }
    const auto closeSocket = qScopeGuard([&] {
        if (socketFd >= 0)
            ::close(socketFd);
    });
    const QStringList before = entries(chosen.path());

    for (int call = 0; call < 3; ++call) {
        try {
            if (call == 0)
                outputfile::inspect(path);
            else if (call == 1)
                outputfile::write(path, "new content");
            else
                outputfile::writeThrough(
                    path, [](const QString &temporary) { writeFile(temporary, "new content"); },
                    [](const QByteArray &) { return true; });
            QFAIL("not refused");
        } catch (const FileError &e) {
            QCOMPARE(e.text(), QStringLiteral("%1: this is %2, not a file; it is left as it is. Choose another name")
                                   .arg(path, told));
        }
    }
    QCOMPARE(entries(chosen.path()), before);
    if (kind == u"link")
        QCOMPARE(readFile(target), QByteArray("the target's own bytes"));
    if (kind != u"link")
        QVERIFY(!QFileInfo::exists(target));
    if (kind == u"folder")
        QCOMPARE(entries(path), QStringList{"inside"});
}

// A regular file is replaced whole, through a temporary file that does not
// stay; a new name is created.
void TestOutputFiles::replacesARegularFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("due.csv");
    QCOMPARE(outputfile::inspect(path), outputfile::Existing::Nothing);
    outputfile::write(path, "first");
    QCOMPARE(outputfile::inspect(path), outputfile::Existing::RegularFile);
    outputfile::write(path, "second, longer");
    QCOMPARE(readFile(path), QByteArray("second, longer"));
    outputfile::writeThrough(
        path, [](const QString &temporary) { writeFile(temporary, "third %%EOF"); },
        [](const QByteArray &tail) { return tail.endsWith("%%EOF"); });
    QCOMPARE(readFile(path), QByteArray("third %%EOF"));
    QCOMPARE(entries(dir.path()), QStringList{"due.csv"});
    QCOMPARE(QFileInfo(path).permissions() & 0x7777, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                                          | QFile::ReadOther | QFile::ReadUser | QFile::WriteUser);
}

// A folder that is not there: the message names the file.
void TestOutputFiles::errorsNameTheFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("gone/due.csv");
    try {
        csvfile::write(path, {{"a"}});
        QFAIL("written");
    } catch (const FileError &e) {
        QCOMPARE(e.text(), path + QStringLiteral(": File not found"));
    }
}

// A writer that stopped halfway: the earlier file stays, nothing is left.
void TestOutputFiles::incompleteOutputIsNotKept()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("printed.pdf");
    writeFile(path, "the earlier print");
    try {
        outputfile::writeThrough(
            path, [](const QString &temporary) { writeFile(temporary, "%PDF-1.4 cut off"); },
            [](const QByteArray &tail) { return tail.contains("%%EOF"); });
        QFAIL("kept");
    } catch (const FileError &e) {
        QCOMPARE(e.text(), path + QStringLiteral(": the file was not written whole (is the disk full?)"));
    }
    QCOMPARE(readFile(path), QByteArray("the earlier print"));
    QCOMPARE(entries(dir.path()), QStringList{"printed.pdf"});
}

QTEST_GUILESS_MAIN(TestOutputFiles)
#include "tst_outputfiles.moc"

// The register of certificates issued on its real engines: an SQLite file
// and a PostgreSQL server the test starts itself. Numbers, what is kept when
// a certificate is or is not made, two programs issuing at once, a register
// that cannot be written, Verify and the schema's version.
#include "AppError.h"
#include "CertificateRegister.h"
#include "FileNames.h"
#include "RecordHeader.h"
#include "PgServer.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QProcess>
#include <QScopeGuard>
#include <QSqlError>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QDir>

#include <cstdio>
#include <thread>

#include <signal.h>
#include <sys/stat.h>

using namespace certregister;
using testsupport::writeFile;

namespace {

Entry sampleEntry(const QString &recordPath)
{
    Entry e;
    e.recordPath = recordPath;
    e.recordFile = QFileInfo(recordPath).fileName();
    e.recordSha256 = sha256OfFile(recordPath);
    e.sartModel = QStringLiteral("SART-20");
    e.manufacturerNumber = QStringLiteral("No 12345");
    e.vessel = QStringLiteral("MV Baltic Dawn");
    e.testingDate = QDate(2026, 3, 5);
    e.nextTestingDate = QDate(2027, 3, 5);
    e.batteryDate = QDate(2028, 6, 30);
    e.verdict = QStringLiteral("SART PASSED TESTS");
    e.outsideLimits = QStringLiteral("Emitted power 399 mW (limit: at least 400 mW)");
    e.engineer = QStringLiteral("A. Sidorov");
    e.userName = computerUserName();
    return e;
}

Settings settingsFromEnvironment()
{
    Settings s;
    s.engine = qEnvironmentVariable("REGISTER_ENGINE") == QLatin1String("pg") ? Engine::PostgreSQL : Engine::SQLite;
    s.sqlitePath = qEnvironmentVariable("REGISTER_FILE");
    s.host = QStringLiteral("127.0.0.1");
    s.port = qEnvironmentVariableIntValue("REGISTER_PORT");
    s.database = QStringLiteral("postgres");
    s.user = QStringLiteral("sart");
    return s;
}

// The child: issues `count` certificates as fast as it can, printing each
// number it got.
int issueLoop(int count)
{
    Register reg(settingsFromEnvironment());
    Entry entry = sampleEntry(qEnvironmentVariable("REGISTER_RECORD"));
    try {
        for (int i = 0; i < count; ++i) {
            // Each a certificate of its own (the same one would keep its number).
            entry.vessel = QStringLiteral("MV %1 %2").arg(QCoreApplication::applicationPid()).arg(i);
            const std::optional<Entry> issued = reg.issue(entry, [](Entry &) { return true; });
            std::printf("%s\n", qPrintable(issued->number));
        }
    } catch (const AppError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
    return 0;
}

// A certificate made and written, as the PDF writer ends it.
QByteArray pdfOf(const QString &number)
{
    return "%PDF-1.4\n1 0 obj\n<< /Title (SART TEST REPORT, certificate " + number.toLatin1()
           + ") >>\nendobj\ntrailer << /Info 1 0 R >>\n%%EOF\n";
}

// The child of crashIssuing: issues a PDF certificate into the folder and
// stops at the stage asked, telling the parent, which kills it there.
int crashLoop(const QString &stage)
{
    Register reg(settingsFromEnvironment());
    Entry entry = sampleEntry(qEnvironmentVariable("REGISTER_RECORD"));
    entry.vessel = stage;
    const QString folder = qEnvironmentVariable("REGISTER_OUTPUT");
    const auto stop = [] {
        std::puts("stopped");
        std::fflush(stdout);
        for (;;)
            QThread::sleep(1);
    };
    reg.issueOutput(entry, [&](Entry &numbered, const GoingTo &goingTo) {
        const QString path = QDir(folder).filePath(numbered.number + ".pdf");
        if (stage == "numbered")
            stop();
        goingTo("PDF " + path, path);
        if (stage == "going")
            stop();
        writeFile(path, pdfOf(numbered.number));
        stop();
        return true;
    });
    return 0;
}

} // namespace

class TestRegister : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void numberFormats_data();
    void numberFormats();
    void keptOnlyWhenMade_data();
    void keptOnlyWhenMade();
    void twoProgramsIssueAtOnce_data();
    void twoProgramsIssueAtOnce();
    void unwritableSqliteRegister_data();
    void unwritableSqliteRegister();
    void serverStoppedMidway();
    void verifyMarksChangedAndMissing_data();
    void verifyMarksChangedAndMissing();
    void searchAndLastIssued_data();
    void searchAndLastIssued();
    void newerSchemaRefused();
    void oneCertificateManyOutputs_data();
    void oneCertificateManyOutputs();
    void crashIssuing_data();
    void crashIssuing();
    void upgradeFromVersion1_data();
    void upgradeFromVersion1();
    void readersTakeNoLock();
    void roleWithoutOwnershipIssues();
    void stoppedServerDoesNotHang();
    void notRegularFilesRefused_data();
    void notRegularFilesRefused();
    void recordsAcrossComputers_data();
    void recordsAcrossComputers();

private:
    void addEngines();
    // The register of the row's engine, empty (a fresh file, or the server's
    // tables dropped).
    Settings freshRegister();
    Settings emptyServer();

    PgServer m_server;
    bool m_serverUp = false;
    QTemporaryDir m_dir;
    QString m_record;
    int m_fresh = 0;
};

void TestRegister::initTestCase()
{
    m_record = m_dir.filePath("a.bin");
    writeFile(m_record, QByteArray(4096, '\x5a'));
    if (m_server.unavailable().isEmpty()) {
        m_serverUp = m_server.start();
        QVERIFY2(m_serverUp, qPrintable(m_server.error()));
    }
}

void TestRegister::cleanupTestCase() { m_server.stop(); }

void TestRegister::addEngines()
{
    QTest::addColumn<bool>("postgres");
    QTest::newRow("SQLite") << false;
    QTest::newRow("PostgreSQL") << true;
}

Settings TestRegister::freshRegister()
{
    QFETCH(bool, postgres);
    if (!postgres) {
        Settings s;
        s.sqlitePath = m_dir.filePath(QStringLiteral("register-%1/certificates.sqlite").arg(++m_fresh));
        return s;
    }
    if (!m_serverUp)
        return {};
    return emptyServer();
}

Settings TestRegister::emptyServer()
{
    const Settings s = m_server.settings();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", "drop");
        db.setHostName(s.host);
        db.setPort(s.port);
        db.setDatabaseName(s.database);
        db.setUserName(s.user);
        if (db.open())
            for (const char *table : {"certificate_outputs", "certificates", "register_schema"})
                QSqlQuery(db).exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(table));
        db.close();
    }
    QSqlDatabase::removeDatabase("drop");
    return s;
}

#define SKIP_WITHOUT_SERVER(postgres)                                                                                  \
    if ((postgres) && !m_serverUp)                                                                                     \
        QSKIP(qPrintable(m_server.unavailable()));

void TestRegister::numberFormats_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("sequence");
    QTest::addColumn<QString>("number");
    QTest::newRow("default") << "YYYY-#####" << 42 << "2026-00042";
    QTest::newRow("sequence wider than its digits") << "YYYY-###" << 12345 << "2026-12345";
    QTest::newRow("prefix, no year") << "SC/#####" << 7 << "SC/00007";
    QTest::newRow("year after") << "##/YYYY" << 3 << "03/2026";
}

void TestRegister::numberFormats()
{
    QFETCH(QString, format);
    QFETCH(int, sequence);
    QFETCH(QString, number);
    QVERIFY(isValidFormat(format));
    QCOMPARE(formatNumber(format, 2026, sequence), number);
    QVERIFY(!isValidFormat(QStringLiteral("YYYY")));
}

void TestRegister::keptOnlyWhenMade_data() { addEngines(); }

// The entry is kept with every field when the certificate was made; a
// certificate cancelled keeps nothing and takes no number: the next one gets
// it. One failing while it is made keeps its number, its output marked "not
// completed"; made again, it is the same certificate under that number.
void TestRegister::keptOnlyWhenMade()
{
    QFETCH(bool, postgres);
    SKIP_WITHOUT_SERVER(postgres);
    Register reg(freshRegister());
    reg.checkWritable();
    const Entry entry = sampleEntry(m_record);
    const QString year = QString::number(QDate::currentDate().year());

    QString seen;
    QVERIFY(!reg.issue(entry, [&](Entry &n) { seen = n.number; return false; }));
    QCOMPARE(seen, year + "-00001");
    QCOMPARE(reg.count(), 0);
    QVERIFY_THROWS_EXCEPTION(AppError, reg.issue(entry, [](Entry &) -> bool { errors::throwText("Disk full"); }));
    QCOMPARE(reg.count(), 1);
    QCOMPARE(reg.allEntries()[0].outputs.size(), 1);
    QCOMPARE(reg.allEntries()[0].outputs[0].status, OutputStatus::NotCompleted);
    QCOMPARE(reg.notCompletedNumbers(), QSet<QString>{year + "-00001"});

    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
    const std::optional<Entry> issued = reg.issue(entry, [](Entry &n) {
        n.issuedHow = "Printer Office";
        return true;
    });
    QVERIFY(issued);
    QCOMPARE(issued->number, year + "-00001");
    QVERIFY(issued->issuedAt >= before && issued->issuedAt <= QDateTime::currentDateTimeUtc());
    Entry expected = entry;
    expected.number = issued->number;
    expected.issuedHow = "Printer Office";
    const QVector<Entry> stored = reg.allEntries();
    QCOMPARE(stored.size(), 1);
    expected.issuedAt = stored[0].issuedAt;  // of the certificate's first output
    QVERIFY(stored[0].issuedAt <= issued->issuedAt);
    expected.outputs = stored[0].outputs;
    QCOMPARE(stored[0], expected);
    QCOMPARE(stored[0].outputs.size(), 2);
    QCOMPARE(stored[0].outputs[1].status, OutputStatus::Issued);
    QCOMPARE(stored[0].outputs[1].how, QStringLiteral("Printer Office"));
    QCOMPARE(stored[0].outputs[1].issuedAt, issued->issuedAt);
    QCOMPARE(stored[0].recordSha256, sha256Of(QByteArray(4096, '\x5a')));
    QCOMPARE(reg.nextNumber(), year + "-00002");
}

void TestRegister::twoProgramsIssueAtOnce_data() { addEngines(); }

// Two programs issue 200 certificates each at the same moment: 400 entries,
// 400 different numbers, one unbroken sequence.
void TestRegister::twoProgramsIssueAtOnce()
{
    QFETCH(bool, postgres);
    SKIP_WITHOUT_SERVER(postgres);
    const Settings settings = freshRegister();
    Register(settings).checkWritable();  // the schema made before both start
    constexpr int PerProgram = 200;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("REGISTER_ENGINE", postgres ? "pg" : "sqlite");
    env.insert("REGISTER_FILE", settings.sqlitePath);
    env.insert("REGISTER_PORT", QString::number(settings.port));
    env.insert("REGISTER_RECORD", m_record);
    QProcess programs[2];
    for (QProcess &p : programs) {
        p.setProcessEnvironment(env);
        p.start(QCoreApplication::applicationFilePath(), {"--issue", QString::number(PerProgram)});
    }
    QStringList got;
    for (QProcess &p : programs) {
        QVERIFY(p.waitForFinished(240000));
        QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
        got += QString::fromLatin1(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }
    QCOMPARE(got.size(), 2 * PerProgram);
    const QSet<QString> unique(got.begin(), got.end());
    QCOMPARE(unique.size(), 2 * PerProgram);
    Register reg(settings);
    QCOMPARE(reg.count(), 2 * PerProgram);
    const QString year = QString::number(QDate::currentDate().year());
    for (int n = 1; n <= 2 * PerProgram; ++n)
        QVERIFY2(unique.contains(formatNumber("YYYY-#####", year.toInt(), n)), qPrintable(QString::number(n)));
}

void TestRegister::unwritableSqliteRegister_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("why");
    QTest::newRow("folder is a file") << "folder" << "its folder %1 cannot be made";
    QTest::newRow("database is a folder") << "file" << "%1 is not a file";
}

// A register that cannot be written says which and why, before anything.
void TestRegister::unwritableSqliteRegister()
{
    QFETCH(QString, kind);
    QFETCH(QString, why);
    QTemporaryDir dir;
    Settings s;
    QString named;
    if (kind == "folder") {
        writeFile(dir.filePath("plain"), "x");
        s.sqlitePath = dir.filePath("plain/certificates.sqlite");
        named = dir.filePath("plain");
    } else {
        QVERIFY(QDir(dir.path()).mkdir("certificates.sqlite"));
        s.sqlitePath = dir.filePath("certificates.sqlite");
        named = s.sqlitePath;
    }
    Register reg(s);
    try {
        reg.checkWritable();
        QFAIL("no error");
    } catch (const AppError &e) {
        QCOMPARE(e.text(), QStringLiteral("The register of certificates %1 cannot be used: %2.")
                               .arg(s.sqlitePath, why.arg(named)));
    }
    bool made = false;
    QVERIFY_THROWS_EXCEPTION(AppError, reg.issue(sampleEntry(m_record), [&](Entry &) { return made = true; }));
    QVERIFY(!made);
}

// The server stops between the check and the certificate: the issue fails
// before anything is made; it stops while the certificate is made: the
// certificate is withdrawn. Once the server is back the register goes on
// where it was, nothing lost and no number used twice.
void TestRegister::serverStoppedMidway()
{
    if (!m_serverUp)
        QSKIP(qPrintable(m_server.unavailable()));
    const Settings settings = emptyServer();
    Register reg(settings);
    const Entry entry = sampleEntry(m_record);
    QVERIFY(reg.issue(entry, [](Entry &) { return true; }));
    reg.checkWritable();
    QVERIFY(m_server.stop());
    bool made = false;
    try {
        reg.issue(entry, [&](Entry &) { return made = true; });
        QFAIL("no error");
    } catch (const AppError &e) {
        QVERIFY2(e.text().startsWith(QStringLiteral("The register of certificates postgres on 127.0.0.1:%1 cannot be "
                                                    "used: ")
                                         .arg(settings.port)),
                 qPrintable(e.text()));
    }
    QVERIFY(!made);
    QVERIFY_THROWS_EXCEPTION(AppError, reg.checkWritable());
    QVERIFY2(m_server.start(), qPrintable(m_server.error()));
    reg.checkWritable();

    // The server stops while the certificate is being made: it cannot be
    // kept, what can be taken back is (the PDF file), and the error says so.
    QString withdrawn;
    Entry second = entry;
    second.vessel = "MV Second";  // another certificate
    try {
        reg.issue(
            second, [&](Entry &) { return m_server.stop(); },
            [&](const Entry &numbered) { withdrawn = numbered.number; });
        QFAIL("no error");
    } catch (const AppError &e) {
        QVERIFY2(e.text().contains(QStringLiteral("the certificate %1 was made but its entry could not be kept (")
                                       .arg(withdrawn)),
                 qPrintable(e.text()));
        QVERIFY(e.text().endsWith("; it was withdrawn."));
    }
    QCOMPARE(withdrawn.right(5), QStringLiteral("00002"));
    QVERIFY2(m_server.start(), qPrintable(m_server.error()));

    // The number taken stays taken: its output is settled "not completed"
    // (its issuer's session is gone), and another certificate gets the next.
    Entry other = entry;
    other.vessel = "MV Other";
    const std::optional<Entry> next = reg.issue(other, [](Entry &) { return true; });
    QVERIFY(next);
    QCOMPARE(next->number.right(5), QStringLiteral("00003"));
    QCOMPARE(reg.count(), 3);
    QCOMPARE(reg.notCompletedNumbers(), QSet<QString>{withdrawn});
}

void TestRegister::verifyMarksChangedAndMissing_data() { addEngines(); }

// Verify: a record changed after issue and a record gone are found; an
// unchanged one is not; many certificates of one record are each marked.
void TestRegister::verifyMarksChangedAndMissing()
{
    QFETCH(bool, postgres);
    SKIP_WITHOUT_SERVER(postgres);
    Register reg(freshRegister());
    QTemporaryDir dir;
    const QStringList names{"same.bin", "changed.bin", "gone.bin"};
    QStringList numbers;
    for (const QString &name : names) {
        writeFile(dir.filePath(name), QByteArray(4096, char(name.size())));
        for (int twice = 0; twice < 2; ++twice) {
            Entry e = sampleEntry(dir.filePath(name));
            e.recordName = name;
            e.verdict = twice ? "SART FAILED TESTS" : "SART PASSED TESTS";  // two certificates
            numbers << reg.issue(e, [](Entry &) { return true; })->number;
        }
    }
    QByteArray bytes = QByteArray(4096, char(QString("changed.bin").size()));
    bytes[100] = 'X';
    writeFile(dir.filePath("changed.bin"), bytes);
    QVERIFY(QFile::remove(dir.filePath("gone.bin")));

    int total = 0;
    const QHash<QString, RecordCheck> found = reg.checkRecords(dir.path(), {}, total);
    QCOMPARE(total, 6);
    const QHash<QString, RecordCheck> expected{{numbers[2], RecordCheck::Changed}, {numbers[3], RecordCheck::Changed},
                                               {numbers[4], RecordCheck::Missing}, {numbers[5], RecordCheck::Missing}};
    QCOMPARE(found, expected);
}

void TestRegister::searchAndLastIssued_data() { addEngines(); }

// The search finds by any column but case, newest first, within the dates;
// the last certificate of a record is found by its name and bytes.
void TestRegister::searchAndLastIssued()
{
    QFETCH(bool, postgres);
    SKIP_WITHOUT_SERVER(postgres);
    Register reg(freshRegister());
    QVector<Entry> entries;
    for (int i = 0; i < 6; ++i) {
        Entry e = sampleEntry(m_record);
        e.number = QStringLiteral("T-%1").arg(i);
        e.issuedAt = QDateTime(QDate(2026, 1, 1 + i), QTime(12, 0)).toUTC();
        e.vessel = i % 2 ? QStringLiteral("Northern Star") : QStringLiteral("Полярная звезда");
        e.verdict = i == 4 ? QStringLiteral("SART FAILED TESTS") : QStringLiteral("SART PASSED TESTS");
        entries << e;
    }
    reg.insertAsIs(entries);
    QCOMPARE(reg.numbers({}), (QStringList{"T-5", "T-4", "T-3", "T-2", "T-1", "T-0"}));
    QCOMPARE(reg.numbers({{}, {}, "NORTHERN"}), (QStringList{"T-5", "T-3", "T-1"}));
    QCOMPARE(reg.numbers({{}, {}, "полярная"}), (QStringList{"T-4", "T-2", "T-0"}));
    QCOMPARE(reg.numbers({QDate(2026, 1, 2), QDate(2026, 1, 4), {}}), (QStringList{"T-3", "T-2", "T-1"}));
    QCOMPARE(reg.numbers({{}, {}, "no such thing"}), QStringList());
    QCOMPARE(reg.entries({"T-3", "T-0"}).size(), 2);
    Entry back = reg.entries({"T-3", "T-0"})[1];
    QCOMPARE(back.outputs.size(), 1);  // taken over as one output, issued
    QCOMPARE(back.outputs[0].status, OutputStatus::Issued);
    back.outputs.clear();
    QCOMPARE(back, entries[0]);

    const std::optional<Entry> last = reg.lastFor("a.bin", sha256OfFile(m_record));
    QVERIFY(last);
    QCOMPARE(last->number, QStringLiteral("T-5"));
    QVERIFY(!reg.lastFor("a.bin", sha256Of("other bytes")));
    QVERIFY(!reg.lastFor("b.bin", sha256OfFile(m_record)));
}

// A register made by a later version of the program is not written into.
void TestRegister::newerSchemaRefused()
{
    QTemporaryDir dir;
    Settings s;
    s.sqlitePath = dir.filePath("certificates.sqlite");
    Register(s).checkWritable();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "raise");
        db.setDatabaseName(s.sqlitePath);
        QVERIFY(db.open());
        QVERIFY(QSqlQuery(db).exec("UPDATE register_schema SET version = 99"));
        db.close();
    }
    QSqlDatabase::removeDatabase("raise");
    try {
        Register(s).checkWritable();
        QFAIL("no error");
    } catch (const AppError &e) {
        QCOMPARE(e.text(), QStringLiteral("The register of certificates %1 cannot be used: it was made by a newer "
                                          "version of the program (schema 99; this version knows 2).")
                               .arg(s.sqlitePath));
    }
}

void TestRegister::oneCertificateManyOutputs_data() { addEngines(); }

// Print, PDF and Word of one record with one verdict and the same values are
// one certificate: one number, an output each. A changed verdict or value is
// another certificate. A cancelled output of a certificate that went out
// before leaves it as it was.
void TestRegister::oneCertificateManyOutputs()
{
    QFETCH(bool, postgres);
    SKIP_WITHOUT_SERVER(postgres);
    Register reg(freshRegister());
    QTemporaryDir out;
    const Entry entry = sampleEntry(m_record);
    const QString pdf = out.filePath("c.pdf");
    QCOMPARE(reg.expectedNumber(entry), reg.nextNumber());
    const QString number = reg.issueOutput(entry, [&](Entry &n, const GoingTo &goingTo) {
        goingTo("PDF " + pdf, pdf);
        writeFile(pdf, pdfOf(n.number));
        return true;
    })->number;
    QCOMPARE(reg.expectedNumber(entry), number);
    QCOMPARE(reg.issueOutput(entry, [](Entry &, const GoingTo &goingTo) {
        goingTo("Printer Office", {});
        return true;
    })->number, number);
    QVERIFY(!reg.issueOutput(entry, [](Entry &, const GoingTo &) { return false; }));
    QCOMPARE(reg.issueOutput(entry, [](Entry &, const GoingTo &goingTo) {
        goingTo("Word", {});
        return true;
    })->number, number);

    const QVector<Entry> all = reg.allEntries();
    QCOMPARE(all.size(), 1);
    QCOMPARE(all[0].issuedHow, "PDF " + pdf);
    QCOMPARE(all[0].outputs.size(), 3);
    QCOMPARE(all[0].outputs[0].filePath, pdf);
    QCOMPARE(all[0].outputs[0].fileSha256, sha256OfFile(pdf));
    QCOMPARE(all[0].outputs[1].how, QStringLiteral("Printer Office"));
    QCOMPARE(all[0].outputs[2].how, QStringLiteral("Word"));
    QCOMPARE(all[0].outputs[2].index, 3);  // the cancelled one left nothing behind
    for (const Output &o : all[0].outputs)
        QCOMPARE(o.status, OutputStatus::Issued);

    for (const char *field : {"verdict", "testing date", "record"}) {
        Entry other = entry;
        if (QByteArray(field) == "verdict")
            other.verdict = "SART FAILED TESTS";
        else if (QByteArray(field) == "testing date")
            other.testingDate = entry.testingDate.addDays(1);
        else
            other.recordSha256 = sha256Of("other bytes");
        QVERIFY2(reg.issue(other, [](Entry &) { return true; })->number != number, field);
    }
    QCOMPARE(reg.count(), 4);
}

void TestRegister::crashIssuing_data()
{
    QTest::addColumn<bool>("postgres");
    QTest::addColumn<QString>("stage");
    QTest::addColumn<bool>("issued");
    for (const bool postgres : {false, true}) {
        const char *engine = postgres ? "PostgreSQL" : "SQLite";
        QTest::addRow("%s, numbered", engine) << postgres << "numbered" << false;
        QTest::addRow("%s, going to its file", engine) << postgres << "going" << false;
        QTest::addRow("%s, file written", engine) << postgres << "written" << true;
    }
}

// A program killed while it issues: the next one settles the output it left
// "being issued" (issued when its file is there and carries the number, else
// not completed) and never gives that number to another certificate. An
// issuer that is alive is left alone.
void TestRegister::crashIssuing()
{
    QFETCH(bool, postgres);
    QFETCH(QString, stage);
    QFETCH(bool, issued);
    SKIP_WITHOUT_SERVER(postgres);
    const Settings settings = freshRegister();
    QTemporaryDir out;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("REGISTER_ENGINE", postgres ? "pg" : "sqlite");
    env.insert("REGISTER_FILE", settings.sqlitePath);
    env.insert("REGISTER_PORT", QString::number(settings.port));
    env.insert("REGISTER_RECORD", m_record);
    env.insert("REGISTER_OUTPUT", out.path());
    QProcess child;
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {"--crash", stage});
    QVERIFY(child.waitForReadyRead(60000));
    QCOMPARE(child.readAllStandardOutput().trimmed(), QByteArray("stopped"));

    Register reg(settings);
    QCOMPARE(reg.settle(), 0);  // its issuer is alive
    QCOMPARE(reg.allEntries().at(0).outputs.at(0).status, OutputStatus::BeingIssued);
    ::kill(pid_t(child.processId()), SIGKILL);
    QVERIFY(child.waitForFinished(10000));
    // The server notices the session gone in a moment.
    int settled = reg.settle();
    QElapsedTimer waited;
    waited.start();
    while (postgres && settled == 0 && waited.elapsed() < 10000) {
        QThread::msleep(100);
        settled = reg.settle();
    }
    QCOMPARE(settled, 1);
    const Entry crashed = reg.allEntries().at(0);
    const Output o = crashed.outputs.at(0);
    QCOMPARE(o.status, issued ? OutputStatus::Issued : OutputStatus::NotCompleted);
    const QString pdf = out.filePath(crashed.number + ".pdf");
    QCOMPARE(o.filePath, stage == "numbered" ? QString() : pdf);
    QCOMPARE(o.fileSha256, issued ? sha256OfFile(pdf) : QString());

    Entry next = sampleEntry(m_record);
    next.vessel = "MV Next";
    QVERIFY(reg.issue(next, [](Entry &) { return true; })->number != crashed.number);
    QCOMPARE(reg.count(), 2);
}

void TestRegister::upgradeFromVersion1_data() { addEngines(); }

// A register of the first version is brought up to date once, in place:
// every entry kept, each a certificate with one output, issued.
void TestRegister::upgradeFromVersion1()
{
    QFETCH(bool, postgres);
    SKIP_WITHOUT_SERVER(postgres);
    const Settings s = freshRegister();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(postgres ? "QPSQL" : "QSQLITE", "v1");
        if (postgres) {
            db.setHostName(s.host);
            db.setPort(s.port);
            db.setDatabaseName(s.database);
            db.setUserName(s.user);
        } else {
            QDir().mkpath(QFileInfo(s.sqlitePath).absolutePath());
            db.setDatabaseName(s.sqlitePath);
        }
        QVERIFY(db.open());
        QSqlQuery q(db);
        for (const char *sql :
             {"CREATE TABLE register_schema (version INTEGER NOT NULL)",
              "INSERT INTO register_schema (version) VALUES (1)",
              "CREATE TABLE certificates (number VARCHAR(64) PRIMARY KEY, issued_at VARCHAR(32) NOT NULL, "
              "issued_how TEXT NOT NULL, record_file TEXT NOT NULL, record_path TEXT NOT NULL, "
              "record_sha256 VARCHAR(64) NOT NULL, sart_model TEXT, manufacturer_number TEXT, vessel TEXT, "
              "testing_date VARCHAR(10), next_testing_date VARCHAR(10), battery_date VARCHAR(10), verdict TEXT, "
              "outside_limits TEXT, engineer TEXT, user_name TEXT, counter_key INTEGER, sequence INTEGER, "
              "UNIQUE (counter_key, sequence))",
              "CREATE INDEX certificates_issued ON certificates (issued_at)",
              "INSERT INTO certificates VALUES ('2026-00001', '2026-01-02T10:00:00.000Z', 'PDF /home/e/c1.pdf', "
              "'a.bin', '/srv/archive/a.bin', 'abc', 'SART-20', '1', 'MV One', '2026-01-01', '2027-01-01', "
              "'2028-01-01', 'SART PASSED TESTS', '', 'Eng', 'user', 2026, 1)",
              "INSERT INTO certificates VALUES ('2026-00002', '2026-01-03T10:00:00.000Z', 'Printer Office', "
              "'b.bin', '/srv/archive/b.bin', 'def', 'SART-20', '2', 'MV Two', '2026-01-02', '2027-01-02', "
              "'2028-01-02', 'SART PASSED TESTS', '', 'Eng', 'user', 2026, 2)"})
            QVERIFY2(q.exec(sql), qPrintable(q.lastError().text()));
        db.close();
    }
    QSqlDatabase::removeDatabase("v1");

    Register reg(s);
    const QVector<Entry> all = reg.allEntries();
    QCOMPARE(all.size(), 2);
    QCOMPARE(all[1].number, QStringLiteral("2026-00001"));
    QCOMPARE(all[1].vessel, QStringLiteral("MV One"));
    QCOMPARE(all[1].recordName, QStringLiteral("a.bin"));
    QCOMPARE(all[1].recordTestingDate, QDate(2026, 1, 1));
    QCOMPARE(all[1].outputs.size(), 1);
    QCOMPARE(all[1].outputs[0].how, QStringLiteral("PDF /home/e/c1.pdf"));
    QCOMPARE(all[1].outputs[0].filePath, QStringLiteral("/home/e/c1.pdf"));
    QCOMPARE(all[1].outputs[0].status, OutputStatus::Issued);
    QCOMPARE(all[0].outputs[0].filePath, QString());
    if (QDate::currentDate().year() == 2026)
        QCOMPARE(reg.nextNumber(), QStringLiteral("2026-00003"));
    // Once: a second program finds it current.
    QCOMPARE(Register(s).count(), 2);
}

// Reading, searching and Verify neither take nor wait for the write lock:
// another program holding it (SQLite) does not hold them up.
void TestRegister::readersTakeNoLock()
{
    QTemporaryDir dir;
    Settings s;
    s.sqlitePath = dir.filePath("certificates.sqlite");
    Register(s).issue(sampleEntry(m_record), [](Entry &) { return true; });
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "holder");
        db.setDatabaseName(s.sqlitePath);
        QVERIFY(db.open());
        QVERIFY(QSqlQuery(db).exec("BEGIN IMMEDIATE"));
        QElapsedTimer timer;
        timer.start();
        Register reader(s);
        QCOMPARE(reader.count(), 1);
        QCOMPARE(reader.numbers({}).size(), 1);
        QVERIFY(reader.lastFor("a.bin", sha256OfFile(m_record)));
        int total = 0;
        QVERIFY(reader.checkRecords(m_dir.path(), {}, total).isEmpty());
        QCOMPARE(total, 1);
        QVERIFY2(timer.elapsed() < 5000, "a reader waited for the write lock");
        QSqlQuery(db).exec("ROLLBACK");
        db.close();
    }
    QSqlDatabase::removeDatabase("holder");
}

// An engineer's role that owns nothing, with only the rights the user guide
// grants, issues, reads and settles.
void TestRegister::roleWithoutOwnershipIssues()
{
    if (!m_serverUp)
        QSKIP(qPrintable(m_server.unavailable()));
    const Settings owner = emptyServer();
    Register(owner).checkWritable();  // made by the owner
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", "admin");
        db.setHostName(owner.host);
        db.setPort(owner.port);
        db.setDatabaseName(owner.database);
        db.setUserName(owner.user);
        QVERIFY(db.open());
        QSqlQuery q(db);
        q.exec("DROP ROLE IF EXISTS engineer");
        for (const char *sql : {"CREATE ROLE engineer LOGIN",
                                "GRANT SELECT, INSERT, UPDATE, DELETE ON register_schema, certificates, "
                                "certificate_outputs TO engineer"})
            QVERIFY2(q.exec(sql), qPrintable(q.lastError().text()));
        db.close();
    }
    QSqlDatabase::removeDatabase("admin");
    Settings s = owner;
    s.user = "engineer";
    Register reg(s);
    reg.checkWritable();
    QVERIFY(reg.issue(sampleEntry(m_record), [](Entry &) { return true; }));
    QVERIFY(!reg.issue(sampleEntry(m_record), [](Entry &) { return false; }));
    QCOMPARE(reg.settle(), 0);
    QCOMPARE(reg.count(), 1);
    QCOMPARE(reg.allEntries()[0].outputs.size(), 1);
}

// A server that stops answering (stopped, its connections still open):
// every call fails within a bounded time naming the register, and nothing
// was half written.
void TestRegister::stoppedServerDoesNotHang()
{
    if (!m_serverUp)
        QSKIP(qPrintable(m_server.unavailable()));
    const Settings settings = emptyServer();
    Register reg(settings);
    QVERIFY(reg.issue(sampleEntry(m_record), [](Entry &) { return true; }));
    QVERIFY(m_server.signal(SIGSTOP));
    const auto cont = qScopeGuard([&] { m_server.signal(SIGCONT); });
    // Should the test itself hang, the server goes on all the same.
    std::thread([server = &m_server] {
        std::this_thread::sleep_for(std::chrono::seconds(150));
        server->signal(SIGCONT);
    }).detach();
    const QString named = QStringLiteral("The register of certificates postgres on 127.0.0.1:%1 cannot be used: ")
                              .arg(settings.port);
    QElapsedTimer timer;
    timer.start();
    try {
        reg.count();
        QFAIL("no error");
    } catch (const AppError &e) {
        QVERIFY2(e.text().startsWith(named) && e.text().contains("does not answer"), qPrintable(e.text()));
    }
    QVERIFY(timer.elapsed() < 60000);
    timer.restart();
    Entry other = sampleEntry(m_record);
    other.vessel = "MV Other";
    bool made = false;
    try {
        reg.issue(other, [&](Entry &) { return made = true; });
        QFAIL("no error");
    } catch (const AppError &e) {
        QVERIFY2(e.text().startsWith(named), qPrintable(e.text()));
    }
    QVERIFY(!made);
    QVERIFY(timer.elapsed() < 60000);
    m_server.signal(SIGCONT);
    QCOMPARE(reg.count(), 1);
    QCOMPARE(reg.allEntries()[0].outputs.size(), 1);
    QCOMPARE(reg.allEntries()[0].outputs[0].status, OutputStatus::Issued);
}

void TestRegister::notRegularFilesRefused_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("kind");
    QTest::newRow("FIFO journal") << "-journal" << "fifo";
    QTest::newRow("FIFO write-ahead log") << "-wal" << "fifo";
    QTest::newRow("FIFO shared memory") << "-shm" << "fifo";
    QTest::newRow("FIFO database") << "" << "fifo";
    QTest::newRow("journal a link") << "-journal" << "link";
}

// A file of the register that is there but is not a regular file is refused
// at once, never opened (a FIFO would hang the program), before and after
// the register was opened.
void TestRegister::notRegularFilesRefused()
{
    QFETCH(QString, suffix);
    QFETCH(QString, kind);
    QTemporaryDir dir;
    Settings s;
    s.sqlitePath = dir.filePath("certificates.sqlite");
    const QString file = s.sqlitePath + suffix;
    Register open(s);
    if (!suffix.isEmpty())
        open.checkWritable();
    if (kind == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    else
        QVERIFY(QFile::link(dir.filePath("elsewhere"), file));
    const QString expected = QStringLiteral("The register of certificates %1 cannot be used: %2 is not a regular file "
                                            "but %3; the register opens none but regular files.")
                                 .arg(s.sqlitePath, file, kind == "fifo" ? "a FIFO" : "a symbolic link");
    QElapsedTimer timer;
    timer.start();
    for (Register *reg : {&open, new Register(s)}) {
        try {
            reg->checkWritable();
            QFAIL("no error");
        } catch (const AppError &e) {
            QCOMPARE(e.text(), expected);
        }
        if (reg != &open)
            delete reg;
    }
    QVERIFY(timer.elapsed() < 5000);
}

void TestRegister::recordsAcrossComputers_data() { addEngines(); }

// Verify finds a record by its name in the archive folder it is given: a
// register shared by computers whose archive lies elsewhere. A record whose
// name is not UTF-8 (windows-1251 bytes) keeps its bytes and fingerprint.
void TestRegister::recordsAcrossComputers()
{
    QFETCH(bool, postgres);
    SKIP_WITHOUT_SERVER(postgres);
    Register reg(freshRegister());
    QTemporaryDir here, there;
    const QByteArray cyrillic("\xcf\xf0\xee\xe1\xe0.bin");  // "Проба.bin" in windows-1251
    const QString carried = filenames::fromBytes(cyrillic);
    QVERIFY(QDir().mkpath(here.filePath("2026")));
    QVERIFY(QDir().mkpath(there.filePath("2026")));
    const QString path = here.filePath("2026/" + carried);
    writeFile(path, QByteArray(4096, 'c'));
    writeFile(there.filePath("2026/" + carried), QByteArray(4096, 'c'));
    const Entry entry = entryFor(path, RecordHeader{}, {}, here.path());
    QCOMPARE(entry.recordName, "2026/" + carried);
    QCOMPARE(entry.recordSha256, sha256Of(QByteArray(4096, 'c')));
    const QString number = reg.issue(entry, [](Entry &) { return true; })->number;
    const Entry back = reg.entries({number}).at(0);
    QCOMPARE(filenames::toBytes(back.recordName), "2026/" + cyrillic);
    QCOMPARE(filenames::toBytes(back.recordPath), filenames::toBytes(path));

    int total = 0;
    QVERIFY(reg.checkRecords(there.path(), {}, total).isEmpty());
    QVERIFY(QFile::remove(path));  // gone from the issuing computer: no matter
    QVERIFY(reg.checkRecords(there.path(), {}, total).isEmpty());
    writeFile(there.filePath("2026/" + carried), QByteArray(4096, 'd'));
    QCOMPARE(reg.checkRecords(there.path(), {}, total).value(number), RecordCheck::Changed);
    QCOMPARE(reg.checkRecords(here.path(), {}, total).value(number), RecordCheck::Missing);
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--issue")
        return issueLoop(QByteArray(argv[2]).toInt());
    if (argc == 3 && QByteArray(argv[1]) == "--crash")
        return crashLoop(QString::fromLatin1(argv[2]));
    TestRegister test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_register.moc"

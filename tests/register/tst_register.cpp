// The register of certificates issued on its real engines: an SQLite file
// and a PostgreSQL server the test starts itself. Numbers, what is kept when
// a certificate is or is not made, two programs issuing at once, a register
// that cannot be written, Verify and the schema's version.
#include "AppError.h"
#include "CertificateRegister.h"
#include "PgServer.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

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
    const Entry entry = sampleEntry(qEnvironmentVariable("REGISTER_RECORD"));
    try {
        for (int i = 0; i < count; ++i) {
            const std::optional<Entry> issued = reg.issue(entry, [](Entry &) { return true; });
            std::printf("%s\n", qPrintable(issued->number));
        }
    } catch (const AppError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
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
            for (const char *table : {"certificates", "register_schema"})
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
// certificate not made (cancelled, or failing) keeps nothing and takes no
// number: the next one gets it.
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
    QVERIFY_THROWS_EXCEPTION(AppError, reg.issue(entry, [](Entry &) -> bool { errors::throwText("Disk full"); }));
    QCOMPARE(reg.count(), 0);

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
    expected.issuedAt = issued->issuedAt;
    const QVector<Entry> stored = reg.allEntries();
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored[0], expected);
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
    try {
        reg.issue(
            entry, [&](Entry &) { return m_server.stop(); },
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

    const std::optional<Entry> next = reg.issue(entry, [](Entry &) { return true; });
    QVERIFY(next);
    QCOMPARE(next->number.right(5), QStringLiteral("00002"));
    QCOMPARE(reg.count(), 2);
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
        for (int twice = 0; twice < 2; ++twice)
            numbers << reg.issue(sampleEntry(dir.filePath(name)), [](Entry &) { return true; })->number;
    }
    QByteArray bytes = QByteArray(4096, char(QString("changed.bin").size()));
    bytes[100] = 'X';
    writeFile(dir.filePath("changed.bin"), bytes);
    QVERIFY(QFile::remove(dir.filePath("gone.bin")));

    int total = 0;
    const QHash<QString, RecordCheck> found = reg.checkRecords({}, total);
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
    QCOMPARE(reg.entries({"T-3", "T-0"})[1], entries[0]);

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
                                          "version of the program (schema 99; this version knows 1).")
                               .arg(s.sqlitePath));
    }
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--issue")
        return issueLoop(QByteArray(argv[2]).toInt());
    TestRegister test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_register.moc"

// The real program killed at random instants while it issues certificates
// (PDF, print into a file from the preview, Word into a headless LibreOffice
// of the test's own) on SQLite and on a PostgreSQL
// server of the test's own: each start settles what the killed one left,
// no number is given to two certificates, and every whole certificate file
// has its output, issued, with the file's fingerprint.
#include "CertificateRegister.h"
#include "HeaderWriteBack.h"
#include "ModalDriver.h"
#include "PgServer.h"
#include "PrintSteps.h"
#include "SampleRecord.h"
#include "TestSupport.h"
#include "WindowFixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QFileInfo>
#include <QThread>

#include <cstdio>

#include <signal.h>
#include <unistd.h>

#include <memory>

using namespace windowtest;
using namespace certregister;

namespace {

RecordHeader header() { return sample::savedHeader(); }

Settings settingsFromEnvironment()
{
    Settings s;
    s.engine = qEnvironmentVariable("CRASH_ENGINE") == QLatin1String("pg") ? Engine::PostgreSQL : Engine::SQLite;
    s.sqlitePath = qEnvironmentVariable("CRASH_FILE");
    s.host = QStringLiteral("127.0.0.1");
    s.port = qEnvironmentVariableIntValue("CRASH_PORT");
    s.database = QStringLiteral("postgres");
    s.user = QStringLiteral("sart");
    return s;
}

const QString OfficeBinary = QStringLiteral("/usr/lib/libreoffice/program/soffice.bin");

// A headless LibreOffice on a profile and pipe of the test's own, for the
// children's Word exports; it outlives their kills and is ended by the test.
class HeadlessOffice
{
public:
    HeadlessOffice(const QString &profile, const QString &pipe) : m_pipe(pipe)
    {
        m_process.setProgram(OfficeBinary);
        m_process.setArguments({"--headless", "--invisible", "--nodefault", "--nologo", "--norestore",
                                "-env:UserInstallation=" + QUrl::fromLocalFile(profile).toString(),
                                QStringLiteral("--accept=pipe,name=%1;urp;").arg(pipe)});
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString &name : env.keys())
            if (name.startsWith(QLatin1String("QT_")) || name.startsWith(QLatin1String("LD_")))
                env.remove(name);
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.setStandardOutputFile(QProcess::nullDevice());
    }
    ~HeadlessOffice()
    {
        m_process.kill();
        m_process.waitForFinished(10000);
        const QDir pipes(QStringLiteral("/tmp"), QStringLiteral("OSL_PIPE_%1_%2*").arg(getuid()).arg(m_pipe),
                         QDir::NoSort, QDir::System);
        for (const QString &socket : pipes.entryList())
            QFile::remove(pipes.filePath(socket));
    }
    // Started and listening on its pipe (a new profile restarts once).
    bool start()
    {
        const QString socket = QStringLiteral("/tmp/OSL_PIPE_%1_%2").arg(getuid()).arg(m_pipe);
        QElapsedTimer waited;
        waited.start();
        m_process.start();
        while (waited.elapsed() < 120000) {
            if (m_process.state() == QProcess::NotRunning) {
                if (m_process.exitCode() != 81)
                    return false;
                m_process.start();
            }
            if (QFileInfo::exists(socket))
                return true;
            m_process.waitForFinished(200);
        }
        return false;
    }

private:
    QString m_pipe;
    QProcess m_process;
};

bool wholePdf(const QByteArray &bytes) { return bytes.startsWith("%PDF") && bytes.trimmed().endsWith("%%EOF"); }

} // namespace

class TestRegisterCrash : public WindowTestCase
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void killedWhileIssuing_data();
    void killedWhileIssuing();
    // The child's part: issues until it is killed.
    void issueUntilKilled();

private:
    PgServer m_server;
    bool m_serverUp = false;
};

void TestRegisterCrash::initTestCase()
{
    // The child uses the parent's server: one it started would outlive its kill.
    if (!qEnvironmentVariableIsEmpty("CRASH_CHILD"))
        return;
    if (m_server.unavailable().isEmpty()) {
        m_serverUp = m_server.start();
        QVERIFY2(m_serverUp, qPrintable(m_server.error()));
    }
}

void TestRegisterCrash::cleanupTestCase()
{
    if (m_serverUp)
        m_server.stop();
}

void TestRegisterCrash::killedWhileIssuing_data()
{
    QTest::addColumn<bool>("postgres");
    QTest::addColumn<int>("kills");
    QTest::addColumn<bool>("word");
    QTest::newRow("SQLite") << false << 40 << false;
    QTest::newRow("PostgreSQL") << true << 40 << false;
    QTest::newRow("SQLite, with Word") << false << 10 << true;
    QTest::newRow("PostgreSQL, with Word") << true << 10 << true;
}

void TestRegisterCrash::killedWhileIssuing()
{
    QFETCH(bool, postgres);
    QFETCH(int, kills);
    QFETCH(bool, word);
    if (postgres && !m_serverUp)
        QSKIP(qPrintable(m_server.unavailable()));
    if (word && !QFileInfo(OfficeBinary).isExecutable())
        QSKIP("LibreOffice is not installed: no Word export to kill");
    QTemporaryDir work;
    std::unique_ptr<HeadlessOffice> office;
    const QString pipe = QStringLiteral("sart_test_%1_crash").arg(QCoreApplication::applicationPid());
    if (word) {
        office = std::make_unique<HeadlessOffice>(work.filePath("office-profile"), pipe);
        QVERIFY2(office->start(), "the test's own LibreOffice did not start");
    }
    const QString out = work.filePath("out");
    QVERIFY(QDir().mkpath(out));
    QVERIFY(QDir().mkpath(work.filePath("config")));
    const Settings settings = postgres ? m_server.settings() : [&] {
        Settings s;
        s.sqlitePath = work.filePath("certificates.sqlite");
        return s;
    }();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("CRASH_CHILD", "1");
    env.insert("CRASH_ENGINE", postgres ? "pg" : "sqlite");
    env.insert("CRASH_FILE", settings.sqlitePath);
    env.insert("CRASH_PORT", QString::number(settings.port));
    env.insert("CRASH_OUT", out);
    if (word) {
        env.insert("CRASH_WORD", "1");
        // The children's exports go into the test's office, never start one.
        env.insert("SART_OFFICE_PIPE", pipe);
        env.insert("SART_OFFICE_PROGRAM", "/nonexistent/soffice");
    }
    env.insert("XDG_CONFIG_HOME", work.filePath("config"));
    // What a killed child leaves in its temporary folders goes with this one.
    QVERIFY(QDir().mkpath(work.filePath("tmp")));
    env.insert("TMPDIR", work.filePath("tmp"));
    QRandomGenerator random(postgres ? 7 : 3);
    for (int run = 0; run < kills; ++run) {
        env.insert("CRASH_RUN", QString::number(run));
        QProcess child;
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {"issueUntilKilled"});
        QVERIFY(child.waitForStarted(10000));
        // Killed once it issues: its window is up and the first certificate going out.
        QByteArray said;
        QElapsedTimer started;
        started.start();
        while (!said.contains("issuing") && started.elapsed() < 60000 && child.state() == QProcess::Running) {
            child.waitForReadyRead(500);
            said += child.readAllStandardOutput();
        }
        QVERIFY2(said.contains("issuing"), "the child did not start issuing");
        QThread::msleep(random.bounded(200, 4000));
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished(10000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    }

    Register reg(settings);
    const auto beingIssued = [&reg] {
        for (const Entry &e : reg.allEntries())
            for (const Output &o : e.outputs)
                if (o.status == OutputStatus::BeingIssued)
                    return true;
        return false;
    };
    // PostgreSQL lets the last one's session go in a moment.
    QElapsedTimer waited;
    waited.start();
    reg.settle();
    while (postgres && beingIssued() && waited.elapsed() < 10000) {
        QThread::msleep(100);
        reg.settle();
    }
    const QVector<Entry> all = reg.allEntries();
    QSet<QString> numbers;
    QHash<QString, Output> byFile;
    int issued = 0;
    int words = 0;
    for (const Entry &e : all) {
        QVERIFY2(!numbers.contains(e.number), qPrintable(e.number));
        numbers.insert(e.number);
        QVERIFY2(!e.outputs.isEmpty(), qPrintable(e.number));
        for (const Output &o : e.outputs) {
            QVERIFY2(o.status != OutputStatus::BeingIssued, qPrintable(e.number));
            issued += o.status == OutputStatus::Issued;
            words += o.how == QLatin1String("Word");
            if (!o.filePath.isEmpty())
                byFile.insert(o.filePath, o);
        }
    }
    QVERIFY(issued > 0);
    if (word)
        QVERIFY2(words > 0, "no Word export was issued");
    for (const QString &name : QDir(out).entryList({"*.pdf"}, QDir::Files)) {
        const QString path = QDir(out).filePath(name);
        QVERIFY2(byFile.contains(path), qPrintable(path));
        const Output o = byFile.value(path);
        if (wholePdf(testsupport::readFile(path))) {
            QCOMPARE(o.status, OutputStatus::Issued);
            QCOMPARE(o.fileSha256, sha256OfFile(path));
        } else {
            QCOMPARE(o.status, OutputStatus::NotCompleted);
        }
    }
    qInfo("%d certificates, %d outputs issued, %d files", int(all.size()), issued,
          int(QDir(out).entryList({"*.pdf"}, QDir::Files).size()));
}

void TestRegisterCrash::issueUntilKilled()
{
    if (qEnvironmentVariableIsEmpty("CRASH_CHILD"))
        QSKIP("run by killedWhileIssuing");
    m_dialogs->setPaused(true);
    storeProgramSettings(settingsFromEnvironment());
    const int run = qEnvironmentVariableIntValue("CRASH_RUN");
    StartDirectory dir;
    // Each run its own record bytes: new certificates as well as known ones.
    dir.addFile("a.bin", writeback::rewrite(sample::makeRecord(sample::variant(run % 5)), header()));
    auto form = startWindow();
    chooseConclusion(*form, run % 2);
    ModalDriver driver(form.get());
    driver.tolerate("QPrintPreviewDialog");
    const QDir out(qEnvironmentVariable("CRASH_OUT"));
    const bool word = !qEnvironmentVariableIsEmpty("CRASH_WORD");
    std::puts("issuing");
    std::fflush(stdout);
    for (int i = 0;; ++i) {
        const QString file = out.filePath(QStringLiteral("%1-%2.pdf").arg(run).arg(i));
        if (word && i % 3 == 2) {
            // The message that ends the export, or the error that ends it.
            driver.expect(ModalDriver::press(QMessageBox::Ok));
            action(*form, "Word1")->trigger();
        } else if (i % 2 == 0) {
            driver.expect(ModalDriver::saveAs(file));
            driver.expect(ModalDriver::press(QMessageBox::Ok));  // where it went
            action(*form, "Pdf1")->trigger();
        } else {
            driver.expect(printFromPreview());
            driver.expect(printToFile(file));
            driver.expect(ModalDriver::press(QMessageBox::Ok));
            action(*form, "Print2")->trigger();
        }
        if (i % 3 == 2)  // another verdict: another certificate
            chooseConclusion(*form, (run + i) % 2);
    }
}

QTEST_MAIN(TestRegisterCrash)
#include "tst_registercrash.moc"

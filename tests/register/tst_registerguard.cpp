// What keeps the register of certificates from numbering wrongly, through
// the real main window: settings that cannot be used stop issuing; a change
// of register is told at start and asked before the first certificate;
// a second register numbering for one archive folder is asked about; a
// register server that hangs never holds up the window.
#include "ArchiveRegisterMark.h"
#include "CertificateRegister.h"
#include "HeaderWriteBack.h"
#include "ModalDriver.h"
#include "PgServer.h"
#include "ProgramSettings.h"
#include "RecordPanel.h"
#include "RegisterSettingsDialog.h"
#include "SampleRecord.h"
#include "TestSupport.h"
#include "WindowFixture.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QTest>

#include <csignal>
#include <sys/types.h>

using namespace windowtest;
using namespace certregister;
using testsupport::writeFile;

namespace {

// A record with its SART data saved, so that no certificate question comes.
QByteArray savedRecord(int variant)
{
    return writeback::rewrite(sample::makeRecord(sample::variant(variant)), sample::savedHeader());
}

QString year() { return QString::number(QDate::currentDate().year()); }

// An engineer's own computer: settings and data folders of their own.
void useHome(const QString &home)
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home + "/config"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home + "/data"));
}

// A question seen: its name, text and default button; then `button`.
struct Question
{
    QString name, text, defaultButton;
};
ModalDriver::Step answer(Question &seen, QMessageBox::StandardButton button)
{
    return [&seen, button](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box)
            return modal->close(), void();
        seen = {box->objectName(), box->text(), box->defaultButton() ? box->defaultButton()->text() : QString()};
        seen.defaultButton.remove(u'&');
        box->button(button)->click();
    };
}

// The server's processes: its main process and every process it started,
// so that a connection already open hangs as well as a new one.
QList<pid_t> processesOf(qint64 main)
{
    QList<pid_t> found{pid_t(main)};
    for (const QString &entry : QDir("/proc").entryList(QDir::Dirs)) {
        bool ok = false;
        const pid_t pid = entry.toInt(&ok);
        if (!ok)
            continue;
        QFile stat("/proc/" + entry + "/stat");
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[1].toLongLong() == main)
            found << pid;
    }
    return found;
}

void signalAll(const QList<pid_t> &pids, int sig)
{
    for (pid_t pid : pids)
        ::kill(pid, sig);
}

// The longest time the window's event loop did not turn while it lived.
class LoopWatch
{
public:
    LoopWatch()
    {
        m_clock.start();
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            m_longest = std::max(m_longest, m_clock.restart());
        });
        m_timer.start(20);
    }
    qint64 longestMs() const { return std::max(m_longest, m_clock.elapsed()); }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_longest = 0;
};

} // namespace

class TestRegisterGuard : public WindowTestCase
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void unusableSettingsStopIssuing_data();
    void unusableSettingsStopIssuing();
    void changedRegisterIsAsked();
    void secondRegisterOnOneArchiveIsAsked();
    void hangingServerLeavesWindowResponsive();
    void settingsDialogRefusesFormat_data();
    void settingsDialogRefusesFormat();

private:
    void leaveDialogsToTest() { m_dialogs->setPaused(true); }

    QByteArray m_config, m_data;
};

void TestRegisterGuard::initTestCase()
{
    m_config = qgetenv("XDG_CONFIG_HOME");
    m_data = qgetenv("XDG_DATA_HOME");
}

void TestRegisterGuard::cleanup()
{
    qputenv("XDG_CONFIG_HOME", m_config);
    qputenv("XDG_DATA_HOME", m_data);
}

void TestRegisterGuard::unusableSettingsStopIssuing_data()
{
    QTest::addColumn<QByteArray>("content");  // "huge": 105 MB
    QTest::addColumn<QString>("named");
    QTest::newRow("unknown engine") << QByteArray("[Register]\nengine=oracle\n") << "\"oracle\"";
    QTest::newRow("line break in the number format")
        << QByteArray("[Register]\nnumberFormat=\"YYYY-#\\n\"\n") << "\"YYYY-#\\n\"";
    QTest::newRow("105 MB") << QByteArray("huge") << "cannot be read";
}

// Settings that cannot be used stop every certificate before anything is
// made, naming the settings file; the default register is never used instead.
void TestRegisterGuard::unusableSettingsStopIssuing()
{
    leaveDialogsToTest();
    QFETCH(QByteArray, content);
    QFETCH(QString, named);
    QTemporaryDir home;
    useHome(home.path());
    const QString file = ProgramSettings::filePath();
    QVERIFY(QDir().mkpath(ProgramSettings::configFolder()));
    if (content == "huge") {
        writeFile(file, "[Register]\nengine=postgresql\n");
        QFile huge(file);
        QVERIFY(huge.open(QIODevice::ReadWrite) && huge.resize(105 * 1024 * 1024));
    } else {
        writeFile(file, content);
    }
    StartDirectory dir;
    dir.addFile("a.bin", savedRecord(0));
    auto form = startWindow();
    // Told at start, and again before each certificate.
    auto *notice = child<QLabel>(form.get(), "RegisterNotice");
    QVERIFY(!notice->isHidden());
    QVERIFY2(notice->text().contains(file) && notice->text().contains(named), qPrintable(notice->text()));
    chooseConclusion(*form, 1);
    ModalDriver driver(form.get());
    for (const char *command : {"Print2", "Pdf1", "Word1"}) {
        Question question;
        driver.expect(answer(question, QMessageBox::Cancel));
        action(*form, command)->trigger();
        QCOMPARE(driver.pending(), 0);
        QCOMPARE(question.name, QStringLiteral("RegisterQuestion"));
        QVERIFY2(question.text.contains(file) && question.text.contains(named), qPrintable(question.text));
        QVERIFY(question.text.endsWith("nothing was issued."));
    }
    // Nor is the default register shown as the register of certificates.
    driver.expect(ModalDriver::press(QMessageBox::Ok));
    action(*form, "Certificates1")->trigger();
    QVERIFY2(driver.seen().last().contains(file), qPrintable(driver.seen().last()));
    QVERIFY(!form->findChild<QDialog *>("RegisterDialog"));
    QCOMPARE(driver.unexpected(), QStringList());
    QVERIFY(!QFile::exists(defaultSqlitePath()));
    QVERIFY(!readMark(dir.archive()));
}

// The settings file was changed behind the program's back: the window says
// at start that another register numbers now, and the first certificate
// asks, default No; a Yes settles it for good.
void TestRegisterGuard::changedRegisterIsAsked()
{
    leaveDialogsToTest();
    QTemporaryDir home, out;
    useHome(home.path());
    Settings before, now;
    before.sqlitePath = home.filePath("before.sqlite");
    now.sqlitePath = home.filePath("now.sqlite");
    storeProgramSettings(before);
    {
        QSettings byHand(ProgramSettings::filePath(), QSettings::IniFormat);
        byHand.setValue("Register/sqlitePath", now.sqlitePath);
    }
    StartDirectory dir;
    dir.addFile("a.bin", savedRecord(0));
    auto form = startWindow();
    auto *notice = child<QLabel>(form.get(), "RegisterNotice");
    QVERIFY(!notice->isHidden());
    QVERIFY2(notice->text().contains(before.sqlitePath) && notice->text().contains(now.sqlitePath),
             qPrintable(notice->text()));
    chooseConclusion(*form, 1);

    ModalDriver driver(form.get());
    Question question;
    driver.expect(answer(question, QMessageBox::No));
    action(*form, "Pdf1")->trigger();
    QCOMPARE(question.name, QStringLiteral("RegisterChangedQuestion"));
    QCOMPARE(question.defaultButton, QStringLiteral("No"));
    QVERIFY2(question.text.startsWith(QStringLiteral("Certificates were numbered by the register %1; this program now "
                                                     "numbers with the register %2.")
                                          .arg(before.sqlitePath, now.sqlitePath)),
             qPrintable(question.text));
    QVERIFY(question.text.contains("Numbers may repeat"));
    QCOMPARE(Register(now).count(), 0);
    QVERIFY(!notice->isHidden());

    driver.expect(answer(question, QMessageBox::Yes));
    driver.expect(ModalDriver::saveAs(out.filePath("a.pdf")));
    driver.expect(ModalDriver::press(QMessageBox::Ok));  // where it went
    action(*form, "Pdf1")->trigger();
    QCOMPARE(driver.unexpected(), QStringList());
    QCOMPARE(driver.pending(), 0);
    QCOMPARE(Register(now).count(), 1);
    QVERIFY(notice->isHidden());
    QCOMPARE(lastUsedRegister(), now.sqlitePath);

    form.reset();
    form = startWindow();
    QVERIFY(child<QLabel>(form.get(), "RegisterNotice")->isHidden());
}

// Two engineers, each with the default register of their own computer, on
// one shared archive: the first marks the archive, the second is asked
// before numbering (default No) and told that a shared PostgreSQL register
// is the right choice; Yes goes on for the rest of the run.
void TestRegisterGuard::secondRegisterOnOneArchiveIsAsked()
{
    leaveDialogsToTest();
    QTemporaryDir first, second, out;
    StartDirectory dir;
    dir.addFile("a.bin", savedRecord(0));

    useHome(first.path());
    const QString firstRegister = defaultSqlitePath();
    {
        auto form = startWindow();
        chooseConclusion(*form, 1);
        ModalDriver driver(form.get());
        driver.expect(ModalDriver::saveAs(out.filePath("first.pdf")));
        driver.expect(ModalDriver::press(QMessageBox::Ok));  // where it went
        action(*form, "Pdf1")->trigger();
        QCOMPARE(driver.unexpected(), QStringList());
        QCOMPARE(driver.pending(), 0);
    }
    QCOMPARE(readMark(dir.archive())->description, firstRegister);

    useHome(second.path());
    const QString secondRegister = defaultSqlitePath();
    auto form = startWindow();
    chooseConclusion(*form, 1);
    ModalDriver driver(form.get());
    Question question;
    driver.expect(answer(question, QMessageBox::No));
    action(*form, "Pdf1")->trigger();
    QCOMPARE(question.name, QStringLiteral("ArchiveRegisterQuestion"));
    QCOMPARE(question.defaultButton, QStringLiteral("No"));
    for (const QString &part : {dir.archive(), firstRegister, secondRegister, QStringLiteral("given twice"),
                                QStringLiteral("PostgreSQL")})
        QVERIFY2(question.text.contains(part), qPrintable(question.text));
    QCOMPARE(Register(loadProgramSettings()).count(), 0);

    driver.expect(answer(question, QMessageBox::Yes));
    driver.expect(ModalDriver::saveAs(out.filePath("second.pdf")));
    driver.expect(ModalDriver::press(QMessageBox::Ok));  // where it went
    action(*form, "Pdf1")->trigger();
    driver.expect(ModalDriver::saveAs(out.filePath("third.pdf")));  // not asked again
    driver.expect(ModalDriver::press(QMessageBox::Ok));
    action(*form, "Pdf1")->trigger();
    QCOMPARE(driver.unexpected(), QStringList());
    QCOMPARE(driver.pending(), 0);
    // Two PDFs of one record with one verdict: one certificate, two outputs.
    const QVector<Entry> entries = Register(loadProgramSettings()).allEntries();
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries.first().outputs.size(), 2);
    QCOMPARE(readMark(dir.archive())->description, firstRegister);  // the first register's still
}

// The register's server stops answering (SIGSTOP): records are shown and
// the table moved through as ever, the panel says the register does not
// answer, and a certificate waits in a window the engineer can end.
void TestRegisterGuard::hangingServerLeavesWindowResponsive()
{
    leaveDialogsToTest();
    PgServer server;
    if (!server.unavailable().isEmpty())
        QSKIP(qPrintable(server.unavailable()));
    QVERIFY2(server.start(), qPrintable(server.error()));
    const auto stopServer = qScopeGuard([&] { server.stop(); });
    QTemporaryDir home;
    useHome(home.path());
    storeProgramSettings(server.settings());
    StartDirectory dir;
    for (int i = 0; i < 3; ++i)
        dir.addFile(QStringLiteral("%1.bin").arg(char('a' + i)), savedRecord(i));
    auto form = startWindow();
    QTRY_VERIFY_WITH_TIMEOUT(!form->lastIssuedPending(), 20000);

    const QList<pid_t> processes = processesOf(server.pid());
    QVERIFY(processes.first() > 0);
    signalAll(processes, SIGSTOP);
    const auto resume = qScopeGuard([&] { signalAll(processes, SIGCONT); });

    LoopWatch watch;
    auto *line = child<QLabel>(form.get(), "LastIssuedLine");
    for (int row : {2, 3, 1, 2}) {
        clickRow(*form, row);
        QCOMPARE(shownPower(*form), powerOf(row - 1));
        QTest::qWait(200);
    }
    const QString named = describe(server.settings());
    QTRY_VERIFY_WITH_TIMEOUT(line->text().contains(named) && !line->isHidden(), 30000);
    QVERIFY2(line->text() == QStringLiteral("The register of certificates %1 does not answer.").arg(named)
                 || line->text().startsWith(QStringLiteral("The register of certificates %1 cannot be used:").arg(named)),
             qPrintable(line->text()));

    chooseConclusion(*form, 1);
    ModalDriver driver(form.get());
    QString waiting;
    driver.expect([&](QWidget *modal) {
        auto *wait = qobject_cast<QProgressDialog *>(modal);
        if (!wait)
            return modal->close(), void();
        waiting = wait->labelText();
        child<QPushButton>(wait, {})->click();  // "Stop waiting"
    });
    action(*form, "Print2")->trigger();
    QVERIFY2(driver.seen() == QStringList{"QProgressDialog"}, qPrintable(driver.seen().join(" / ")));
    QCOMPARE(driver.unexpected(), QStringList());
    QCOMPARE(driver.pending(), 0);
    QVERIFY2(waiting.contains(named), qPrintable(waiting));
    // Far below what a look-up or a connection waits for a hanging server.
    QVERIFY2(watch.longestMs() < 3000, qPrintable(QString::number(watch.longestMs())));

    signalAll(processes, SIGCONT);
    form.reset();
}

void TestRegisterGuard::settingsDialogRefusesFormat_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("example");  // the line under the field
    QTest::addColumn<bool>("ok");
    QTest::newRow("default") << "YYYY-#####" << year() + "-00042" << true;
    QTest::newRow("pasted with a line break") << "YYYY-#\n1" << "control character" << false;
    QTest::newRow("tab") << "YYYY\t#" << "control character" << false;
    QTest::newRow("two runs of #") << "##/##" << "more than one run of #" << false;
    QTest::newRow("no #") << "YYYY" << "run of #" << false;
    QTest::newRow("41 characters") << QString(40, u'x') + u'#' << "longer than 40" << false;
}

// The register's settings take a format only when it can number: while it is
// typed the window says why not and OK waits; OK pressed all the same says
// so in a message and keeps the window open.
void TestRegisterGuard::settingsDialogRefusesFormat()
{
    QFETCH(QString, format);
    QFETCH(QString, example);
    QFETCH(bool, ok);
    RegisterSettingsDialog dialog{Settings()};
    dialog.show();
    child<QLineEdit>(&dialog, "RegisterFormat")->setText(format);
    auto *okButton = child<QDialogButtonBox>(&dialog, {})->button(QDialogButtonBox::Ok);
    QCOMPARE(okButton->isEnabled(), ok);
    const QString shown = child<QLabel>(&dialog, "RegisterExample")->text();
    QVERIFY2(shown.contains(example), qPrintable(shown));
    if (ok)
        return;
    dialog.accept();  // the warning is acknowledged by the driver
    QVERIFY(dialog.isVisible());
    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 1);
    QVERIFY2(seen[0].text.contains("cannot number certificates") && seen[0].text.contains(example),
             qPrintable(seen[0].text));
}

QTEST_MAIN(TestRegisterGuard)
#include "tst_registerguard.moc"

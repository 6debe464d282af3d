// The register's settings as read from the program's settings file: a file
// that cannot be read, an engine named in any case or not known, number
// formats that cannot number; and the mark an archive folder keeps of the
// register that numbers for it.
#include "AppError.h"
#include "ArchiveRegisterMark.h"
#include "ProgramSettings.h"
#include "RegisterSettings.h"
#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace certregister;
using testsupport::readFile;
using testsupport::writeFile;

class TestRegisterSettings : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void settingsFile_data();
    void settingsFile();
    void settingsFileUnreadable_data();
    void settingsFileUnreadable();
    void formats_data();
    void formats();
    void archiveMark();
    void archiveMarkRefusesOtherFiles_data();
    void archiveMarkRefusesOtherFiles();
    void archiveMarkOnReadOnlyFolder();

private:
    std::unique_ptr<QTemporaryDir> m_config;
    QString settingsPath() const { return ProgramSettings::filePath(); }
};

void TestRegisterSettings::init()
{
    m_config = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config->path()));
    QDir().mkpath(ProgramSettings::configFolder());
}

void TestRegisterSettings::cleanup()
{
    chmod(QFile::encodeName(settingsPath()).constData(), 0644);
    m_config.reset();
}

void TestRegisterSettings::settingsFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("engine");         // Engine, when usable
    QTest::addColumn<QString>("format");     // as read, kept also when it cannot number
    QTest::addColumn<QStringList>("problem"); // what the refusal names; empty: usable
    const QString def = QStringLiteral("YYYY-#####");
    const int sqlite = int(Engine::SQLite), pg = int(Engine::PostgreSQL);
    QTest::newRow("no file section") << QByteArray("[General]\nx=1\n") << sqlite << def << QStringList();
    QTest::newRow("postgresql") << QByteArray("[Register]\nengine=postgresql\n") << pg << def << QStringList();
    QTest::newRow("PostgreSQL as typed by hand")
        << QByteArray("[Register]\nengine=PostgreSQL\n") << pg << def << QStringList();
    QTest::newRow("SQLite") << QByteArray("[Register]\nengine=SQLite\n") << sqlite << def << QStringList();
    QTest::newRow("unknown engine") << QByteArray("[Register]\nengine=oracle\n") << sqlite << def
                                    << QStringList{"\"oracle\"", "engine"};
    QTest::newRow("engine misspelt") << QByteArray("[Register]\nengine=postgre\n") << sqlite << def
                                     << QStringList{"\"postgre\""};
    QTest::newRow("line break in the format")
        << QByteArray("[Register]\nnumberFormat=\"YYYY-#\\n\"\n") << sqlite << "YYYY-#\n"
        << QStringList{"\"YYYY-#\\n\"", "control character"};
    QTest::newRow("no # in the format") << QByteArray("[Register]\nnumberFormat=YYYY\n") << sqlite << "YYYY"
                                        << QStringList{"\"YYYY\"", "run of #"};
    QTest::newRow("port no number") << QByteArray("[Register]\nengine=postgresql\nport=54x32\n") << pg << def
                                    << QStringList{"\"54x32\"", "port"};
}

// What the file says is taken as it says; what cannot be taken stops
// numbering with a text naming the file and the value, never the defaults.
void TestRegisterSettings::settingsFile()
{
    QFETCH(QByteArray, content);
    QFETCH(int, engine);
    QFETCH(QString, format);
    QFETCH(QStringList, problem);
    writeFile(settingsPath(), content);
    const Settings s = loadProgramSettings();
    QCOMPARE(s.numberFormat, format);
    if (problem.isEmpty()) {
        QCOMPARE(s.unusable, QString());
        QCOMPARE(int(s.engine), engine);
        requireUsable(s);
        return;
    }
    QVERIFY(s.unusable.contains(settingsPath()));
    for (const QString &part : problem)
        QVERIFY2(s.unusable.contains(part), qPrintable(s.unusable));
    QVERIFY_THROWS_EXCEPTION(AppError, requireUsable(s));
}

void TestRegisterSettings::settingsFileUnreadable_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("105 MB") << "huge";
    QTest::newRow("a folder") << "folder";
    QTest::newRow("a FIFO") << "fifo";
    if (geteuid() != 0)
        QTest::newRow("mode 000") << "mode000";
}

// A PostgreSQL register set in a file the program cannot read is not
// replaced by the default local one: numbering stops, naming the file. The
// window's settings run on their defaults as before.
void TestRegisterSettings::settingsFileUnreadable()
{
    QFETCH(QString, kind);
    const QString path = settingsPath();
    if (kind == "huge") {
        writeFile(path, "[Register]\nengine=postgresql\nhost=db.centre\n");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(105 * 1024 * 1024));
    } else if (kind == "folder") {
        QVERIFY(QDir().mkpath(path));
    } else if (kind == "fifo") {
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    } else {
        writeFile(path, "[Register]\nengine=postgresql\nhost=db.centre\n");
        QCOMPARE(chmod(QFile::encodeName(path).constData(), 0), 0);
    }
    QElapsedTimer clock;
    clock.start();
    const Settings s = loadProgramSettings();
    QVERIFY(clock.elapsed() < 30000);  // a FIFO never blocks the reading
    QVERIFY2(s.unusable.contains(path), qPrintable(s.unusable));
    QVERIFY(s.unusable.contains("cannot be read"));
    QVERIFY_THROWS_EXCEPTION(AppError, requireUsable(s));
    QCOMPARE(lastUsedRegister(), QString());
    ProgramSettings window;
    QCOMPARE(window.value("Window/x", 7).toInt(), 7);
}

void TestRegisterSettings::formats_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("problem");  // part of the reason; empty: it numbers
    QTest::newRow("default") << "YYYY-#####" << "";
    QTest::newRow("no year") << "SC/###" << "";
    QTest::newRow("space and letters beyond ASCII") << "Cert № YYYY #" << "";
    QTest::newRow("40 characters") << QString(39, u'x') + u'#' << "";
    QTest::newRow("41 characters") << QString(40, u'x') + u'#' << "longer than 40";
    QTest::newRow("empty") << "" << "run of #";
    QTest::newRow("no #") << "YYYY-" << "run of #";
    QTest::newRow("two runs") << "##-YYYY-##" << "more than one run";
    QTest::newRow("line feed") << "YYYY-#\n" << "control character";
    QTest::newRow("carriage return") << "YYYY\r-#" << "control character";
    QTest::newRow("tab") << "YYYY\t#" << "control character";
    QTest::newRow("escape") << "\x1b[1mYYYY-#" << "control character";
    QTest::newRow("line separator") << QStringLiteral("YYYY\u2028#") << "line break";
    QTest::newRow("zero-width format character") << QStringLiteral("YYYY\u200b#") << "control character";
    QTest::newRow("lone surrogate") << QString(QChar(0xd800)) + "#" << "broken character";
}

// A format numbers only when the number it gives is one printable line with
// one sequence in it; the reason says what is wrong.
void TestRegisterSettings::formats()
{
    QFETCH(QString, format);
    QFETCH(QString, problem);
    const QString why = formatProblem(format);
    QCOMPARE(isValidFormat(format), problem.isEmpty());
    QVERIFY2(problem.isEmpty() ? why.isEmpty() : why.contains(problem), qPrintable(why));
    const QString shown = visibleFormat(format);
    for (const QChar c : shown)
        QVERIFY(c.isPrint());
    if (problem.isEmpty())
        QCOMPARE(shown, format);
}

// The first register to number for an archive marks it; the same register
// (from this or another program) goes on; another one learns which register
// numbers for the folder.
void TestRegisterSettings::archiveMark()
{
    QTemporaryDir data, archive;
    Settings first, second;
    first.sqlitePath = data.filePath("one/certificates.sqlite");
    second.sqlitePath = data.filePath("two/certificates.sqlite");
    QVERIFY(!readMark(archive.path()));

    MarkCheck check = claimArchive(archive.path(), first);
    QCOMPARE(check.state, MarkCheck::Ours);
    QCOMPARE(readMark(archive.path()), markOf(first));
    QVERIFY(readFile(markPath(archive.path())).contains(first.sqlitePath.toUtf8()));
    QCOMPARE(claimArchive(archive.path(), first).state, MarkCheck::Ours);

    check = claimArchive(archive.path(), second);
    QCOMPARE(check.state, MarkCheck::Other);
    QCOMPARE(check.found.description, first.sqlitePath);
    QCOMPARE(readMark(archive.path()), markOf(first));  // never replaced

    // One SQLite register, before its file is made as after, also when its
    // folder is reached through a link.
    QVERIFY(QFile::link(data.path(), data.filePath("link")));
    Settings viaLink;
    viaLink.sqlitePath = data.filePath("link/three/certificates.sqlite");
    const QString before = registerIdentity(viaLink);
    QVERIFY(QDir().mkpath(data.filePath("three")));
    writeFile(data.filePath("three/certificates.sqlite"), "");
    QCOMPARE(registerIdentity(viaLink), before);
    Settings direct;
    direct.sqlitePath = data.filePath("three/certificates.sqlite");
    QCOMPARE(registerIdentity(direct), before);

    // One PostgreSQL register, however its host is written.
    Settings pg, pgAgain;
    pg.engine = pgAgain.engine = Engine::PostgreSQL;
    pg.host = "DB.Centre";
    pgAgain.host = "db.centre";
    QCOMPARE(registerIdentity(pg), registerIdentity(pgAgain));
    QVERIFY(registerIdentity(pg) != registerIdentity(first));
    pgAgain.database = "other";
    QVERIFY(registerIdentity(pg) != registerIdentity(pgAgain));
}

void TestRegisterSettings::archiveMarkRefusesOtherFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("why");
    QTest::newRow("link") << "link" << "is a link";
    QTest::newRow("FIFO") << "fifo" << "not a regular file";
    QTest::newRow("folder") << "folder" << "not a regular file";
    QTest::newRow("no mark") << "text" << "names no register";
}

// Something else where the mark belongs stops numbering, naming the file;
// it is neither followed, nor read when it could block, nor replaced.
void TestRegisterSettings::archiveMarkRefusesOtherFiles()
{
    QFETCH(QString, kind);
    QFETCH(QString, why);
    QTemporaryDir archive, elsewhere;
    const QString path = markPath(archive.path());
    if (kind == "link") {
        writeFile(elsewhere.filePath("mark"), "identity=x\n");
        QVERIFY(QFile::link(elsewhere.filePath("mark"), path));
    } else if (kind == "fifo") {
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    } else if (kind == "folder") {
        QVERIFY(QDir().mkdir(path));
    } else {
        writeFile(path, "hello\n");
    }
    Settings s;
    s.sqlitePath = elsewhere.filePath("certificates.sqlite");
    try {
        claimArchive(archive.path(), s);
        QFAIL("no error");
    } catch (const AppError &e) {
        QVERIFY2(e.text().contains(path) && e.text().contains(why), qPrintable(e.text()));
    }
    if (kind == "link")
        QCOMPARE(readFile(elsewhere.filePath("mark")), QByteArray("identity=x\n"));
}

// An archive folder that cannot be written (a read-only share) cannot be
// marked: numbering goes on, the reason is given.
void TestRegisterSettings::archiveMarkOnReadOnlyFolder()
{
    if (geteuid() == 0)
        QSKIP("root writes into a folder of mode 555");
    QTemporaryDir archive;
    QCOMPARE(chmod(QFile::encodeName(archive.path()).constData(), 0555), 0);
    Settings s;
    const MarkCheck check = claimArchive(archive.path(), s);
    chmod(QFile::encodeName(archive.path()).constData(), 0755);
    QCOMPARE(check.state, MarkCheck::NotWritable);
    QVERIFY(!check.why.isEmpty());
}

QTEST_GUILESS_MAIN(TestRegisterSettings)
#include "tst_registersettings.moc"

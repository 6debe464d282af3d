// Archive folders as they are met in real use, through the real main window:
// pipes and devices named like records, an archive folder that cannot be
// used, file names that are not UTF-8 or as long as the system allows,
// thousands of unreadable files and temporary files left by a cut-off save.
// Every case checks what the user is told and the bytes of every other entry.
#include "AppError.h"
#include "FaultSupport.h"
#include "FileNames.h"
#include "RecordImport.h"
#include "RecordLayout.h"
#include "SampleRecord.h"
#include "TestSupport.h"
#include "Unit1.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace windowtest;
using faults::folderState;
using faults::FolderState;
using testsupport::readFile;

namespace {

// Set in the child that runs a test function as "nobody".
constexpr char AsNobodyVariable[] = "SART_TEST_AS_NOBODY";

QByteArray recordOf(int variant) { return sample::makeRecord(sample::variant(variant)); }

QByteArray bytesOf(const QString &path) { return filenames::toBytes(path); }

// Writes a file under a name given as bytes.
QString writeRaw(const QString &folder, const QByteArray &name, const QByteArray &content)
{
    const QString path = folder + u'/' + filenames::fromBytes(name);
    const int fd = ::open(bytesOf(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, content.constData(), size_t(content.size())) != content.size())
        qFatal("cannot write %s", name.constData());
    ::close(fd);
    return path;
}

QByteArray readRaw(const QString &path)
{
    QFile file;
    const int fd = ::open(bytesOf(path).constData(), O_RDONLY);
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return {};
    return file.readAll();
}

enum class Hostile { Fifo, LinkToFifo, LinkToZero };

// Makes `path` the hostile entry; returns what it shows as.
QString makeHostile(Hostile kind, const QString &path, const QString &spareFolder)
{
    const QByteArray p = bytesOf(path);
    switch (kind) {
    case Hostile::Fifo:
        if (::mkfifo(p.constData(), 0644) != 0)
            qFatal("mkfifo");
        return QStringLiteral("not a record file (a named pipe)");
    case Hostile::LinkToFifo: {
        const QByteArray fifo = bytesOf(spareFolder + QStringLiteral("/pipe"));
        ::unlink(fifo.constData());
        if (::mkfifo(fifo.constData(), 0644) != 0 || ::symlink(fifo.constData(), p.constData()) != 0)
            qFatal("link to fifo");
        return QStringLiteral("not a record file (a named pipe)");
    }
    case Hostile::LinkToZero:
        if (::symlink("/dev/zero", p.constData()) != 0)
            qFatal("link to /dev/zero");
        return QStringLiteral("not a record file (a character device)");
    }
    return {};
}

int rowOf(TForm1 &form, const QString &carriedName) { return form.navigation().table().rowOfFile(carriedName); }

void saveChanges(TForm1 &form, const QString &model)
{
    setEdit(form, QStringLiteral("Edit3"), model);
    clickTool(form, QStringLiteral("ToolButton11"));
}

// Lets the rescan timer run, as after the receive dialog closes.
void rescan(TForm1 &form)
{
    form.Timer1->start();
    QVERIFY(QTest::qWaitFor([&] { return !form.Timer1->isActive(); }, 5000));
    QTest::qWait(20);
}

QStringList textsWithIcon(const QList<SeenDialog> &seen, QMessageBox::Icon icon)
{
    QStringList texts;
    for (const SeenDialog &d : seen)
        if (d.icon == icon)
            texts.append(d.text);
    return texts;
}

QStringList warnings(const QList<SeenDialog> &seen) { return textsWithIcon(seen, QMessageBox::Warning); }
QStringList errorsOf(const QList<SeenDialog> &seen) { return textsWithIcon(seen, QMessageBox::Critical); }

} // namespace

Q_DECLARE_METATYPE(Hostile)

class TestHostileArchive : public WindowTestCase
{
    Q_OBJECT

private slots:
    void hostileEntry_data();
    void hostileEntry();
    void oversizeRecordRefusedLongRecordStreamed();
    void importChecksTheFileFirst_data();
    void importChecksTheFileFirst();
    void importRefusesFolder();
    void folderUnusable_data();
    void folderUnusable();
    void folderUnusableAsUser_data();
    void folderUnusableAsUser();
    void namesThatAreNotUtf8();
    void importKeepsNameBytes();
    void longestNameSaved();
    void thousandUnreadableFiles();
    void staleTemporaryFilesRemovedAtStart();
    void linkLoopNamedInWords();

private:
    QTemporaryDir m_elsewhere;
};

void TestHostileArchive::hostileEntry_data()
{
    QTest::addColumn<Hostile>("kind");
    QTest::addColumn<QString>("moment");
    for (const auto &[kind, name] : {std::pair{Hostile::Fifo, "FIFO"}, std::pair{Hostile::LinkToFifo, "link to FIFO"},
                                     std::pair{Hostile::LinkToZero, "link to /dev/zero"}})
        for (const char *moment : {"start-up", "rescan", "Save changes", "import"})
            QTest::addRow("%s, %s", name, moment) << kind << QString::fromLatin1(moment);
}

// A pipe or a device under a record's name is listed as not a record file
// and never read: the window stays responsive (a blocked read would hang this
// test until its watchdog ends it), and no other entry changes.
void TestHostileArchive::hostileEntry()
{
    QFETCH(Hostile, kind);
    QFETCH(QString, moment);

    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    dir.addRecord("c.bin", 2);
    const QString x = dir.inArchive("x.bin");
    QString reason;
    if (moment == "start-up")
        reason = makeHostile(kind, x, m_elsewhere.path());
    auto form = startWindow();
    if (moment == "rescan") {
        m_dialogs->takeSeen();
        reason = makeHostile(kind, x, m_elsewhere.path());
        rescan(*form);
    }

    if (moment == "start-up" || moment == "rescan") {
        const QStringList warned = warnings(m_dialogs->takeSeen());
        QCOMPARE(warned, QStringList{QStringLiteral("Some record files in the archive folder cannot be read and are "
                                                    "listed without dates:\nx.bin: ")
                                     + reason});
        QCOMPARE(listedNames(*form), QStringList({"a.bin", "c.bin", "x.bin"}));
        const FolderState before = folderState(dir.archive());
        clickRow(*form, rowOf(*form, "x.bin"));
        QCOMPARE(m_dialogs->takeErrors(), QStringList{x + QStringLiteral(": ") + reason + u'.'});
        rescan(*form);  // the same entry is not warned about again
        QCOMPARE(m_dialogs->takeSeen().size(), 0);
        QCOMPARE(folderState(dir.archive()), before);
        return;
    }

    if (moment == "Save changes") {
        // The record shown is swapped for the hostile entry behind the
        // program's back: Save changes says so and writes nothing.
        clickRow(*form, rowOf(*form, "a.bin"));
        QCOMPARE(shownPower(*form), powerOf(0));
        m_dialogs->takeSeen();
        QVERIFY(QFile::remove(dir.inArchive("a.bin")));
        reason = makeHostile(kind, dir.inArchive("a.bin"), m_elsewhere.path());
        const FolderState before = folderState(dir.archive());
        saveChanges(*form, "CHANGED");
        const bool gone = !QFileInfo(dir.inArchive("a.bin")).exists();  // a link to nothing
        QCOMPARE(warnings(m_dialogs->takeSeen()),
                 QStringList{gone ? QStringLiteral("The record a.bin was removed by another program after it was "
                                                   "shown. Nothing was written.")
                                  : QStringLiteral("The record a.bin was replaced after it was shown by a file that "
                                                   "is not a record. Nothing was written.")});
        QCOMPARE(folderState(dir.archive()), before);
        return;
    }

    // Import of the hostile entry from elsewhere.
    const QString chosen = m_elsewhere.filePath(QStringLiteral("chosen.bin"));
    ::unlink(bytesOf(chosen).constData());
    reason = makeHostile(kind, chosen, m_elsewhere.path());
    m_dialogs->takeSeen();
    const FolderState before = folderState(dir.archive());
    m_dialogs->chooseFile(chosen);
    clickTool(*form, "ToolButton10");
    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen[1].text, QStringLiteral("Cannot import %1: %2.").arg(chosen, reason));
    QCOMPARE(folderState(dir.archive()), before);
    ::unlink(bytesOf(chosen).constData());
}

// A file far larger than any record is refused by Save changes with its size;
// a longer file within the bound keeps every byte after the header, copied
// piece by piece.
void TestHostileArchive::oversizeRecordRefusedLongRecordStreamed()
{
    StartDirectory dir;
    const QString huge = dir.addRecord("huge.bin", 1);
    QVERIFY(::truncate(bytesOf(huge).constData(), 64LL << 20) == 0);  // 64 MB, sparse
    QByteArray tail(300000, '\0');
    for (int i = 0; i < tail.size(); ++i)
        tail[i] = char(i * 7 + i / 256);
    const QString longer = dir.addFile("long.bin", recordOf(2) + tail);
    auto form = startWindow();
    m_dialogs->takeSeen();

    clickRow(*form, rowOf(*form, "huge.bin"));
    QCOMPARE(shownPower(*form), powerOf(1));
    const FolderState before = folderState(dir.archive());
    saveChanges(*form, "CHANGED");
    QCOMPARE(m_dialogs->takeErrors(),
             QStringList{huge + QStringLiteral(": not a record file: it holds 67108864 bytes, far more than the "
                                               "4096 bytes of a record.")});
    QCOMPARE(folderState(dir.archive()), before);

    m_dialogs->answer(QMessageBox::Discard);  // the refused change is not kept
    clickRow(*form, rowOf(*form, "long.bin"));
    saveChanges(*form, "CHANGED");
    QCOMPARE(m_dialogs->takeErrors(), QStringList());
    const QByteArray now = readFile(longer);
    QCOMPARE(now.size(), layout::RecordSize + tail.size());
    QCOMPARE(now.mid(layout::SartModel, 7), QByteArray("CHANGED"));
    QCOMPARE(now.mid(layout::HeaderSize, layout::RecordSize - layout::HeaderSize),
             recordOf(2).mid(layout::HeaderSize));
    QVERIFY(now.endsWith(tail));
}

void TestHostileArchive::importChecksTheFileFirst_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("reason");
    QTest::newRow("100 bytes") << 100 << "it holds 100 bytes, too few for a record of 4096";
    QTest::newRow("empty") << 0 << "it holds 0 bytes, too few for a record of 4096";
    QTest::newRow("4095 bytes") << 4095 << "it holds 4095 bytes, too few for a record of 4096";
}

// A file that cannot be a record is refused before anything is copied.
void TestHostileArchive::importChecksTheFileFirst()
{
    QFETCH(int, size);
    QFETCH(QString, reason);
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    QTemporaryDir from;
    const QString chosen = from.filePath("new.bin");
    testsupport::writeFile(chosen, recordOf(3).left(size));
    auto form = startWindow();
    const FolderState before = folderState(dir.archive());

    m_dialogs->chooseFile(chosen);
    clickTool(*form, "ToolButton10");
    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen[1].icon, QMessageBox::Critical);
    QCOMPARE(seen[1].text, QStringLiteral("Cannot import %1: %2.").arg(chosen, reason));
    QCOMPARE(folderState(dir.archive()), before);
    QCOMPARE(listedNames(*form), QStringList{"a.bin"});
    QCOMPARE(shownPower(*form), powerOf(0));
}

// The open dialog goes into a folder instead of choosing it; a folder that
// reaches the import all the same is refused.
void TestHostileArchive::importRefusesFolder()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    QTemporaryDir from;
    QVERIFY(QDir(from.path()).mkdir("new.bin"));
    const FolderState before = folderState(dir.archive());
    try {
        archive::importRecord(from.filePath("new.bin"), dir.archive(), {[](const QString &) { return true; }, {}});
        QFAIL("a folder was imported");
    } catch (const AppError &e) {
        QCOMPARE(e.text(), QStringLiteral("Cannot import %1: not a record file (a folder)").arg(from.filePath("new.bin")));
    }
    QCOMPARE(folderState(dir.archive()), before);
}

void TestHostileArchive::folderUnusable_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");  // %target: the link's target
    QTest::newRow("a file") << "file" << "it is a file, not a folder";
    QTest::newRow("a dangling link") << "dangling" << "it is a link to %target, which does not exist";
}

// The archive folder's problem is told once, with its path and the reason;
// a rescan with the same problem says nothing, another reason is told, and a
// mended folder is listed without a word.
void TestHostileArchive::folderUnusable()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    StartDirectory dir(false);
    const QString target = dir.path() + QStringLiteral("/elsewhere");
    if (kind == "file")
        testsupport::writeFile(dir.archive(), recordOf(0));
    else
        QVERIFY(QFile::link(target, dir.archive()));
    const QString message = QStringLiteral("The archive folder %1 cannot be used: %2. No records are listed.")
                                .arg(dir.archive(), reason.replace("%target", target));

    auto form = startWindow();
    QCOMPARE(warnings(m_dialogs->takeSeen()), QStringList{message});
    QCOMPARE(listedNames(*form), QStringList());
    rescan(*form);
    QCOMPARE(m_dialogs->takeSeen().size(), 0);

    // Another reason is told.
    QVERIFY(QFile::remove(dir.archive()));
    const QString gone = dir.path() + QStringLiteral("/gone");
    QVERIFY(QFile::link(gone, dir.archive()));
    rescan(*form);
    QCOMPARE(warnings(m_dialogs->takeSeen()),
             QStringList{QStringLiteral("The archive folder %1 cannot be used: it is a link to %2, which does not "
                                        "exist. No records are listed.")
                             .arg(dir.archive(), gone)});

    // Mended: listed, nothing said.
    QVERIFY(QFile::remove(dir.archive()));
    QVERIFY(QDir(dir.path()).mkdir("bin"));
    dir.addRecord("b.bin", 1);
    rescan(*form);
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
    QCOMPARE(listedNames(*form), QStringList{"b.bin"});
}

void TestHostileArchive::folderUnusableAsUser_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("reason");
    QTest::newRow("unreadable") << 0300 << "its list of files cannot be read: Permission denied";
    QTest::newRow("not searchable") << 0600 << "the files in it cannot be opened (no search permission): "
                                               "Permission denied";
}

// Permission bits do not stop root: as root the case runs again in a child
// process that has become "nobody".
void TestHostileArchive::folderUnusableAsUser()
{
    QFETCH(int, mode);
    QFETCH(QString, reason);
    if (::geteuid() == 0) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(AsNobodyVariable), QStringLiteral("1"));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.setWorkingDirectory(QDir::tempPath());
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("folderUnusableAsUser:%1").arg(QString::fromLatin1(QTest::currentDataTag()))});
        QVERIFY(child.waitForFinished(60000));
        const QString output = QString::fromLocal8Bit(child.readAll());
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, qPrintable(output));
        QVERIFY2(output.contains(QLatin1String("PASS   : TestHostileArchive::folderUnusableAsUser(")), qPrintable(output));
        return;
    }
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    QCOMPARE(::chmod(bytesOf(dir.archive()).constData(), mode_t(mode)), 0);
    auto form = startWindow();
    QCOMPARE(warnings(m_dialogs->takeSeen()),
             QStringList{QStringLiteral("The archive folder %1 cannot be used: %2. No records are listed.")
                             .arg(dir.archive(), reason)});
    rescan(*form);
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
    QCOMPARE(::chmod(bytesOf(dir.archive()).constData(), 0755), 0);
    rescan(*form);
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
    QCOMPARE(listedNames(*form), QStringList{"a.bin"});
}

// "Тест.bin" three times over: as UTF-8, as windows-1251 and as cp866 bytes,
// beside a UTF-8 file really named with replacement characters. Each is
// listed apart, the non-UTF-8 ones as windows-1251 and marked; opening, Save
// changes and Delete each act on their own file only.
void TestHostileArchive::namesThatAreNotUtf8()
{
    StartDirectory dir;
    const QByteArray utf8 = QStringLiteral("Тест.bin").toUtf8();
    const QByteArray cp1251("\xD2\xE5\xF1\xF2.bin");
    const QByteArray cp866("\x92\xA5\xE1\xE2.bin");
    const QByteArray replacement = QStringLiteral("\uFFFD\uFFFD\uFFFD\uFFFD.bin").toUtf8();
    const struct
    {
        QByteArray bytes;
        QString shown;
        int variant;
    } files[] = {
        {utf8, QStringLiteral("Тест.bin"), 0},
        {cp1251, QStringLiteral("Тест.bin [windows-1251]"), 1},
        {cp866, QStringLiteral("’Ґбв.bin [windows-1251]"), 2},
        {replacement, QStringLiteral("\uFFFD\uFFFD\uFFFD\uFFFD.bin"), 3},
    };
    for (const auto &f : files)
        writeRaw(dir.archive(), f.bytes, recordOf(f.variant));
    auto form = startWindow();
    m_dialogs->takeSeen();
    const FileTable &table = form->navigation().table();
    QCOMPARE(table.listedCount(), 4);

    for (const auto &f : files) {
        const QString carried = filenames::fromBytes(f.bytes);
        const int row = rowOf(*form, carried);
        QVERIFY2(row > 0, f.bytes.constData());
        QCOMPARE(table.cell(row, FileTable::Name), f.shown);
        clickRow(*form, row);
        QCOMPARE(m_dialogs->takeErrors(), QStringList());
        QCOMPARE(shownPower(*form), powerOf(f.variant));
    }

    // Save changes on the windows-1251 row changes that file alone.
    const QString cp1251Path = dir.archive() + u'/' + filenames::fromBytes(cp1251);
    FolderState expected = folderState(dir.archive());
    clickRow(*form, rowOf(*form, filenames::fromBytes(cp1251)));
    saveChanges(*form, "CP1251");
    QCOMPARE(m_dialogs->takeErrors(), QStringList());
    QCOMPARE(readRaw(cp1251Path).mid(layout::SartModel, 6), QByteArray("CP1251"));
    expected[filenames::fromBytes(cp1251)] = faults::fileDigest(cp1251Path);
    QCOMPARE(folderState(dir.archive()), expected);

    // Delete on the cp866 row removes that file alone, then on the UTF-8 row.
    for (const QByteArray &gone : {cp866, utf8}) {
        const QString carried = filenames::fromBytes(gone);
        clickRow(*form, rowOf(*form, carried));
        m_dialogs->answer(QMessageBox::Yes);
        QVERIFY(popupCommand(*form, rowOf(*form, carried), "Delete"));
        QCOMPARE(m_dialogs->takeErrors(), QStringList());
        expected.remove(carried);
        QCOMPARE(folderState(dir.archive()), expected);
        QCOMPARE(rowOf(*form, carried), 0);
    }
}

// The open dialog gives a name that is not UTF-8 back with replacement
// characters: the import finds the file it stands for and keeps its bytes;
// names that look alike there are refused rather than guessed.
void TestHostileArchive::importKeepsNameBytes()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    QTemporaryDir from;
    const QByteArray cp1251("\xD2\xE5\xF1\xF2.bin");
    writeRaw(from.path(), cp1251, recordOf(3));
    const QString asTheDialogShowsIt = from.path() + u'/' + QString::fromUtf8(cp1251);
    auto form = startWindow();

    m_dialogs->chooseFile(asTheDialogShowsIt);
    clickTool(*form, "ToolButton10");
    QCOMPARE(m_dialogs->takeErrors(), QStringList());
    const QString carried = filenames::fromBytes(cp1251);
    QCOMPARE(listedNames(*form), QStringList({"a.bin", carried}));
    QCOMPARE(shownPower(*form), powerOf(3));
    QCOMPARE(readRaw(dir.archive() + u'/' + carried), recordOf(3));

    // A second name that the dialog shows alike.
    writeRaw(from.path(), QByteArray("\xD2\xE5\xF1\xF3.bin"), recordOf(4));
    const FolderState before = folderState(dir.archive());
    m_dialogs->chooseFile(asTheDialogShowsIt);
    clickTool(*form, "ToolButton10");
    const QStringList refused = m_dialogs->takeErrors();
    QCOMPARE(refused.size(), 1);
    QVERIFY2(refused[0].startsWith(QStringLiteral("Cannot import %1: 2 files in its folder have names that look alike")
                                       .arg(asTheDialogShowsIt)),
             qPrintable(refused[0]));
    QCOMPARE(folderState(dir.archive()), before);
}

// A name of 255 bytes, the system's limit, half of it Cyrillic: shown and
// saved, with no temporary file left.
void TestHostileArchive::longestNameSaved()
{
    StartDirectory dir;
    const QString name = QString(125, QChar(u'Ж')) + QStringLiteral("a.bin");
    QCOMPARE(name.toUtf8().size(), 255);
    const QString path = dir.addRecord(name, 2);
    auto form = startWindow();
    QCOMPARE(m_dialogs->takeErrors(), QStringList());
    QCOMPARE(shownPower(*form), powerOf(2));
    saveChanges(*form, "LONGNAME");
    QCOMPARE(m_dialogs->takeErrors(), QStringList());
    QCOMPARE(readFile(path).mid(layout::SartModel, 8), QByteArray("LONGNAME"));
    QCOMPARE(folderState(dir.archive()).keys(), QStringList{name});
}

// 1000 unreadable files: one warning that names the first ten and counts the
// rest, small enough for the screen; a rescan finding the same set is silent,
// and so is one after a broken file was deleted; a new unreadable file brings
// the warning back.
void TestHostileArchive::thousandUnreadableFiles()
{
    StartDirectory dir;
    for (int i = 0; i < 1000; ++i)
        dir.addFile(QStringLiteral("broken%1.bin").arg(i, 4, 10, QChar(u'0')), "short");
    dir.addRecord("good.bin", 0);
    auto form = startWindow();

    QStringList warned = warnings(m_dialogs->takeSeen());
    QCOMPARE(warned.size(), 1);
    QStringList lines = warned[0].split(u'\n');
    QCOMPARE(lines.size(), 12);
    QCOMPARE(lines[1], QStringLiteral("broken0000.bin: Read beyond end of file"));
    QCOMPARE(lines[10], QStringLiteral("broken0009.bin: Read beyond end of file"));
    QCOMPARE(lines[11], QStringLiteral("... and 990 more"));
    QMessageBox box(QMessageBox::Warning, QStringLiteral("SART TESTER SOFTWARE"), warned[0], QMessageBox::Ok);
    box.adjustSize();
    QVERIFY2(box.height() <= QApplication::primaryScreen()->availableGeometry().height(),
             qPrintable(QString::number(box.height())));

    rescan(*form);
    QCOMPARE(m_dialogs->takeSeen().size(), 0);

    // A deleted unreadable file changes the set: told once, then not again.
    m_dialogs->answer(QMessageBox::Yes);
    QVERIFY(popupCommand(*form, 1, "Delete"));  // the row choice says why it cannot be shown
    const QList<SeenDialog> afterDelete = m_dialogs->takeSeen();
    QCOMPARE(errorsOf(afterDelete), QStringList({dir.inArchive("broken0000.bin") + ": Read beyond end of file."}));
    warned = warnings(afterDelete).filter(QStringLiteral("cannot be read"));  // not the question
    QCOMPARE(warned.size(), 1);
    QVERIFY(warned[0].endsWith(QLatin1String("... and 989 more")));
    QCOMPARE(listedNames(*form).size(), 1000);
    rescan(*form);
    QCOMPARE(m_dialogs->takeSeen().size(), 0);

    dir.addFile("broken1000.bin", "short");
    rescan(*form);
    warned = warnings(m_dialogs->takeSeen());
    QCOMPARE(warned.size(), 1);
    QVERIFY(warned[0].startsWith(QLatin1String("Some record files in the archive folder cannot be read and are listed "
                                               "without dates:\nbroken0001.bin: Read beyond end of file\n")));
    QVERIFY(warned[0].endsWith(QLatin1String("... and 990 more")));
    QCOMPARE(listedNames(*form).size(), 1001);
}

// Only the program's own temporary files are removed at start: regular files
// named exactly ".sart-" + six letters or digits + ".tmp".
void TestHostileArchive::staleTemporaryFilesRemovedAtStart()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    dir.addFile(".sart-Ab12Cd.tmp", recordOf(1).left(1000));  // a save cut off
    const QStringList kept{".sart-Ab12Cd.tmp.bak", ".sart-Ab12C.tmp", "sart-Ab12Cd.tmp", ".sart-Ab_2Cd.tmp",
                           ".a.bin.Ab12Cd", "notes.txt"};
    for (const QString &name : kept)
        dir.addFile(name, "keep");
    QVERIFY(QDir(dir.archive()).mkdir(".sart-Zz99Zz.tmp"));
    FolderState expected = folderState(dir.archive());
    expected.remove(".sart-Ab12Cd.tmp");

    auto form = startWindow();
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
    QCOMPARE(folderState(dir.archive()), expected);
}

// An error without a text of its own gives the system's reason in words.
void TestHostileArchive::linkLoopNamedInWords()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    QVERIFY(QFile::link(dir.inArchive("y.bin"), dir.inArchive("x.bin")));
    QVERIFY(QFile::link(dir.inArchive("x.bin"), dir.inArchive("y.bin")));
    auto form = startWindow();
    QCOMPARE(warnings(m_dialogs->takeSeen()),
             QStringList{QStringLiteral("Some record files in the archive folder cannot be read and are listed "
                                        "without dates:\n"
                                        "x.bin: I/O error 40 (Too many levels of symbolic links)\n"
                                        "y.bin: I/O error 40 (Too many levels of symbolic links)")});
    clickRow(*form, rowOf(*form, "x.bin"));
    QCOMPARE(m_dialogs->takeErrors(),
             QStringList{dir.inArchive("x.bin") + QStringLiteral(": I/O error 40 (Too many levels of symbolic links).")});
}

// The child that runs a case as "nobody" drops root before anything else,
// with a runtime folder of its own.
int main(int argc, char *argv[])
{
    QByteArray runtimeDir;
    if (qEnvironmentVariableIsSet(AsNobodyVariable)) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) {
            std::perror("cannot become nobody");
            return 3;
        }
        runtimeDir = "/tmp/sart-hostile-XXXXXX";
        if (!::mkdtemp(runtimeDir.data()))
            return 3;
        qputenv("XDG_RUNTIME_DIR", runtimeDir);
    }
    int result = 0;
    {
        QApplication app(argc, argv);
        TestHostileArchive test;
        QTEST_SET_MAIN_SOURCE_PATH
        result = QTest::qExec(&test, argc, argv);
    }
    if (!runtimeDir.isEmpty())
        QDir(QString::fromLocal8Bit(runtimeDir)).removeRecursively();
    return result;
}

#include "tst_hostilearchive.moc"

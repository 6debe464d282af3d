// Faults of the archive folder met through the real main window: a full disk,
// a read-only folder or record, a record removed behind the program's back,
// and record files of broken lengths. Each case checks the message the user
// sees and the SHA-256 of every entry of the archive folder before and after:
// nothing but the intended change may happen, no file lost, none half written,
// no temporary file left behind.
#include "FaultSupport.h"
#include "RecordLayout.h"
#include "SampleRecord.h"
#include "TestSupport.h"
#include "Unit1.h"
#include "WindowFixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace windowtest;
using faults::folderState;
using faults::FolderState;
using testsupport::readFile;

namespace {

enum class Fault { DiskFull, ReadOnlyFolder };
enum class Command { SaveChanges, Import, ImportOverRecord, Delete };

QByteArray recordOf(int variant) { return sample::makeRecord(sample::variant(variant)); }

// Saves with the typed SART model through the tool button.
void saveChanges(TForm1 &form, const QString &model)
{
    setEdit(form, QStringLiteral("Edit3"), model);
    clickTool(form, QStringLiteral("ToolButton11"));
}

int rowOf(TForm1 &form, const QString &name) { return form.navigation().table().rowOfFile(name); }

// Record files of broken lengths, a folder named like a record and two
// sound records; listed in this order.
struct BrokenEntry
{
    const char *name;
    int size;  // -1: a folder
};
const BrokenEntry brokenArchive[] = {
    {"empty.bin", 0},          {"good.bin", layout::RecordSize},  {"long4100.bin", 4100},
    {"one.bin", 1},            {"short199.bin", 199},             {"short3449.bin", 3449},
    {"short4095.bin", 4095},   {"x.bin", -1},
};

void makeBrokenArchive(const StartDirectory &dir)
{
    for (const BrokenEntry &e : brokenArchive) {
        if (e.size < 0)
            QDir(dir.archive()).mkdir(QString::fromLatin1(e.name));
        else if (e.size == 4100)
            dir.addFile(QString::fromLatin1(e.name), recordOf(3) + QByteArray("TAIL"));
        else
            dir.addFile(QString::fromLatin1(e.name), recordOf(1).left(e.size));
    }
}

} // namespace

Q_DECLARE_METATYPE(Fault)
Q_DECLARE_METATYPE(Command)

class TestArchiveFaults : public WindowTestCase
{
    Q_OBJECT

private slots:
    void folderFaults_data();
    void folderFaults();
    void readOnlyRecordRefusesSave();
    void recordRemovedAfterTheScan();
    void brokenRecordsAreListedWithWarning();
    void brokenRecord_data();
    void brokenRecord();

private:
    QTemporaryDir m_elsewhere;  // where imported files come from
};

void TestArchiveFaults::folderFaults_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<Command>("command");
    QTest::addColumn<QString>("message");   // "%archive": the archive folder; empty: no error
    QTest::addColumn<QStringList>("gone");  // entries the command removes

    QTest::newRow("full disk, Save changes") << Fault::DiskFull << Command::SaveChanges << "%archive/b.bin: Disk full." << QStringList();
    QTest::newRow("full disk, import")
        << Fault::DiskFull << Command::Import << "Cannot create file %archive/new.bin: Disk full." << QStringList();
    // The record replaced must survive the failed copy.
    QTest::newRow("full disk, import over a record")
        << Fault::DiskFull << Command::ImportOverRecord << "Cannot create file %archive/b.bin: Disk full."
        << QStringList();
    // Deleting frees space: a full disk must not stop it.
    QTest::newRow("full disk, Delete") << Fault::DiskFull << Command::Delete << QString() << QStringList{"b.bin"};
    QTest::newRow("read-only folder, Save changes")
        << Fault::ReadOnlyFolder << Command::SaveChanges << "%archive/b.bin: File access denied." << QStringList();
    QTest::newRow("read-only folder, import")
        << Fault::ReadOnlyFolder << Command::Import << "Cannot create file %archive/new.bin: File access denied."
        << QStringList();
    QTest::newRow("read-only folder, Delete")
        << Fault::ReadOnlyFolder << Command::Delete << "Cannot delete file %archive/b.bin: File access denied."
        << QStringList();
}

void TestArchiveFaults::folderFaults()
{
    QFETCH(Fault, fault);
    QFETCH(Command, command);
    QFETCH(QString, message);
    QFETCH(QStringList, gone);

    StartDirectory dir;
    faults::SmallDisk disk(dir.archive(), 64);
    if (!disk.isMounted())
        QSKIP(qPrintable(disk.error()));
    dir.addRecord("a.bin", 0);
    dir.addRecord("b.bin", 1);
    dir.addRecord("c.bin", 2);
    if (fault == Fault::DiskFull)
        QVERIFY(disk.fill("filler"));
    else
        QVERIFY(disk.remountReadOnly());
    const QString chosen =
        m_elsewhere.filePath(command == Command::ImportOverRecord ? QStringLiteral("b.bin") : QStringLiteral("new.bin"));
    testsupport::writeFile(chosen, recordOf(4));

    auto form = startWindow();
    clickRow(*form, 2);
    QCOMPARE(shownPower(*form), powerOf(1));
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
    FolderState expected = folderState(dir.archive());
    for (const QString &name : gone)
        expected.remove(name);

    QStringList asked;  // the dialogs the command opens before it fails: "file" or their texts
    switch (command) {
    case Command::SaveChanges:
        saveChanges(*form, "CHANGED");
        break;
    case Command::Import:
        m_dialogs->chooseFile(chosen);
        clickTool(*form, "ToolButton10");
        asked = {"file"};
        break;
    case Command::ImportOverRecord:
        m_dialogs->chooseFile(chosen);
        m_dialogs->answer(QMessageBox::Yes);
        clickTool(*form, "ToolButton10");
        asked = {"file", "The archive already holds a record file named b.bin.\nReplace it with the chosen file?"};
        break;
    case Command::Delete:
        m_dialogs->answer(QMessageBox::Yes);
        QVERIFY(popupCommand(*form, 2, "Delete"));
        asked = {"DELETE FILE?\n\nb.bin"};
        break;
    }

    QList<SeenDialog> seen = m_dialogs->takeSeen();
    for (const QString &dialog : std::as_const(asked)) {
        QVERIFY(!seen.isEmpty());
        const SeenDialog first = seen.takeFirst();
        QCOMPARE(first.kind == "file" ? first.kind : first.text, dialog);
    }
    QStringList shown;
    for (const SeenDialog &d : seen) {
        QCOMPARE(d.icon, QMessageBox::Critical);
        QCOMPARE(d.title, QStringLiteral("SART TESTER SOFTWARE"));
        shown.append(d.text);
    }
    QCOMPARE(shown, message.isEmpty() ? QStringList() : QStringList{message.replace("%archive", dir.archive())});
    QCOMPARE(folderState(dir.archive()), expected);
    QCOMPARE(readFile(chosen), recordOf(4));
    // The table lists what the folder holds; the panel still shows the record.
    QStringList listed{"a.bin", "b.bin", "c.bin"};
    for (const QString &name : gone)
        listed.removeOne(name);
    QCOMPARE(listedNames(*form), listed);
    QCOMPARE(shownPower(*form), powerOf(1));
}

// As root the permission bits would let a rename replace the file anyway:
// Save changes itself refuses a record the user has made read-only.
void TestArchiveFaults::readOnlyRecordRefusesSave()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    const QString b = dir.addRecord("b.bin", 1);
    QCOMPARE(::chmod(QFile::encodeName(b).constData(), 0444), 0);
    auto form = startWindow();
    clickRow(*form, 2);
    QCOMPARE(shownPower(*form), powerOf(1));
    const FolderState before = folderState(dir.archive());

    saveChanges(*form, "CHANGED");

    QCOMPARE(m_dialogs->takeErrors(), QStringList{b + ": File access denied."});
    QCOMPARE(folderState(dir.archive()), before);
    QCOMPARE(QFileInfo(b).permissions() & QFile::WriteOwner, QFile::Permissions());
    QCOMPARE(editText(*form, "Edit3"), QStringLiteral("CHANGED"));  // the typing is not lost
}

void TestArchiveFaults::recordRemovedAfterTheScan()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    const QString b = dir.addRecord("b.bin", 1);
    dir.addRecord("c.bin", 2);
    auto form = startWindow();
    QCOMPARE(shownPower(*form), powerOf(2));
    QVERIFY(QFile::remove(b));  // by another program
    const FolderState before = folderState(dir.archive());

    clickRow(*form, 2);
    QCOMPARE(m_dialogs->takeErrors(), QStringList{b + ": File not found."});
    QCOMPARE(shownPower(*form), powerOf(2));

    // Save changes goes into the record still shown, never into another.
    saveChanges(*form, "CHANGED");
    QCOMPARE(m_dialogs->takeErrors(), QStringList());
    FolderState after = before;
    after["c.bin"] = faults::fileDigest(dir.inArchive("c.bin"));
    QCOMPARE(folderState(dir.archive()), after);
    QCOMPARE(readFile(dir.inArchive("c.bin")).mid(layout::SartModel, 7), QByteArray("CHANGED"));
    QCOMPARE(listedNames(*form), QStringList({"a.bin", "b.bin", "c.bin"}));
}

// One warning at start-up names every entry that cannot be read; all are
// listed, the broken ones without dates. The start-up open then meets the
// folder listed last.
void TestArchiveFaults::brokenRecordsAreListedWithWarning()
{
    StartDirectory dir;
    makeBrokenArchive(dir);
    const FolderState before = folderState(dir.archive());
    auto form = startWindow();

    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen[0].icon, QMessageBox::Warning);
    QCOMPARE(seen[0].text, QStringLiteral("Some record files in the archive folder cannot be read and are listed "
                                          "without dates:\n"
                                          "empty.bin: Read beyond end of file\n"
                                          "one.bin: Read beyond end of file\n"
                                          "short199.bin: Read beyond end of file\n"
                                          "short3449.bin: Read beyond end of file\n"
                                          "short4095.bin: Read beyond end of file\n"
                                          "x.bin: not a record file (a folder)"));
    QCOMPARE(seen[1].icon, QMessageBox::Critical);
    QCOMPARE(seen[1].text, dir.inArchive("x.bin") + QStringLiteral(": not a record file (a folder)."));

    QStringList names;
    for (const BrokenEntry &e : brokenArchive)
        names.append(QString::fromLatin1(e.name));
    QCOMPARE(listedNames(*form), names);
    const FileTable &table = form->navigation().table();
    for (const BrokenEntry &e : brokenArchive) {
        const bool readable = e.size >= layout::RecordSize;
        QCOMPARE(table.cell(rowOf(*form, e.name), FileTable::TestingDate).isEmpty(), !readable);
    }
    QCOMPARE(folderState(dir.archive()), before);
}

void TestArchiveFaults::brokenRecord_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("clickMessage");  // after the path; empty: the record is shown

    QTest::newRow("0 bytes") << "empty.bin" << "Read beyond end of file.";
    QTest::newRow("1 byte") << "one.bin" << "Read beyond end of file.";
    QTest::newRow("199 bytes") << "short199.bin" << "Read beyond end of file.";
    QTest::newRow("3449 bytes") << "short3449.bin" << "Read beyond end of file.";
    QTest::newRow("4095 bytes") << "short4095.bin" << "Read beyond end of file.";
    QTest::newRow("folder x.bin") << "x.bin" << "not a record file (a folder).";
    QTest::newRow("4100 bytes") << "long4100.bin" << QString();
}

// A click on a broken entry says why it cannot be shown and leaves the panel
// on the record shown before; Save changes then writes into that record, the
// one the panel holds, and never into the clicked entry. The 4100-byte record
// is shown and saved with its last four bytes kept.
void TestArchiveFaults::brokenRecord()
{
    QFETCH(QString, name);
    QFETCH(QString, clickMessage);

    StartDirectory dir;
    makeBrokenArchive(dir);
    auto form = startWindow();
    m_dialogs->takeSeen();  // the start-up warning and error, checked above
    clickRow(*form, rowOf(*form, "good.bin"));
    QCOMPARE(m_dialogs->takeErrors(), QStringList());
    QCOMPARE(shownPower(*form), powerOf(1));
    FolderState expected = folderState(dir.archive());
    const QString path = dir.inArchive(name);
    const QByteArray old = QFileInfo(path).isFile() ? readFile(path) : QByteArray();

    clickRow(*form, rowOf(*form, name));
    QCOMPARE(m_dialogs->takeErrors(), clickMessage.isEmpty() ? QStringList() : QStringList{path + ": " + clickMessage});
    QCOMPARE(shownPower(*form), clickMessage.isEmpty() ? powerOf(3) : powerOf(1));

    saveChanges(*form, "SAVED");
    QCOMPARE(m_dialogs->takeErrors(), QStringList());
    const QString saved = clickMessage.isEmpty() ? path : dir.inArchive("good.bin");
    const QByteArray now = readFile(saved);
    QCOMPARE(now.mid(layout::SartModel, 20), QByteArray("SAVED").leftJustified(20, ' '));
    if (clickMessage.isEmpty()) {
        QCOMPARE(now.size(), 4100);
        QCOMPARE(now.mid(layout::HeaderSize), old.mid(layout::HeaderSize));
        QCOMPARE(now.right(4), QByteArray("TAIL"));
    }
    expected[QFileInfo(saved).fileName()] = faults::fileDigest(saved);
    QCOMPARE(folderState(dir.archive()), expected);
}

QTEST_MAIN(TestArchiveFaults)
#include "tst_archivefaults.moc"

// The Open command through the real main window: a record chosen in the open
// dialog is brought into the archive folder and shown from there; a
// cancelled dialog reads the current row again.
#include "FileGrid.h"
#include "SampleRecord.h"
#include "TestSupport.h"
#include "Unit1.h"
#include "WindowFixture.h"

#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace windowtest;
using testsupport::readFile;

namespace {

QByteArray recordOf(int variant) { return sample::makeRecord(sample::variant(variant)); }

// Every entry of the archive folder, hidden ones included.
QStringList archiveEntries(const StartDirectory &dir)
{
    return QDir(dir.archive()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                         QDir::Name);
}

ino_t inode(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

} // namespace

class TestImport : public WindowTestCase
{
    Q_OBJECT

private slots:
    void importedRecordIsShownFromItsArchiveCopy();
    void fileOfTheArchiveIsShownWithoutCopying();
    void sameNameAsksBeforeReplacing_data();
    void sameNameAsksBeforeReplacing();
    void nameWithoutBinIsShownButNotListed();
    void missingFileIsReported();
    void cancelledDialogReadsCurrentRowAgain();
    void openAfterCancelledGoToReadsAgainWithoutDialog();

private:
    QTemporaryDir m_elsewhere;  // a folder outside the start directory
};

void TestImport::importedRecordIsShownFromItsArchiveCopy()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    dir.addRecord("b.bin", 1);
    const QString chosen = m_elsewhere.filePath("0rec.bin");
    testsupport::writeFile(chosen, recordOf(4));
    auto form = startWindow();
    QCOMPARE(form->navigation().CurrentRow, 2);

    m_dialogs->chooseFile(chosen);
    clickTool(*form, "ToolButton10");
    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].kind, QStringLiteral("file"));
    QCOMPARE(seen[0].objectName, QStringLiteral("OpenDialog1"));
    QCOMPARE(seen[0].value, QStringLiteral("*.bin (*.bin)"));

    QCOMPARE(archiveEntries(dir), QStringList({"0rec.bin", "a.bin", "b.bin"}));  // no temporary file left
    QCOMPARE(readFile(dir.inArchive("0rec.bin")), recordOf(4));
    QCOMPARE(listedNames(*form), QStringList({"0rec.bin", "a.bin", "b.bin"}));
    QCOMPARE(form->navigation().CurrentRow, 1);
    QCOMPARE(highlightedRows(*form), QList<int>{1});
    QCOMPARE(form->navigation().shownPath(), dir.inArchive("0rec.bin"));
    QCOMPARE(shownPower(*form), powerOf(4));
    QCOMPARE(child<QDateEdit>(form.get(), "DateTimePicker2")->date(), sample::variant(4).testingDate);

    // Save changes writes into the archive copy, never into the chosen file.
    child<QLineEdit>(form.get(), "Edit3")->setText("IMPORTED");
    clickTool(*form, "ToolButton11");
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
    QCOMPARE(readFile(dir.inArchive("0rec.bin")).mid(51, 8), QByteArray("IMPORTED"));
    QCOMPARE(readFile(chosen), recordOf(4));
}

void TestImport::fileOfTheArchiveIsShownWithoutCopying()
{
    StartDirectory dir;
    const QString a = dir.addRecord("a.bin", 0);
    dir.addRecord("b.bin", 1);
    const ino_t before = inode(a);
    auto form = startWindow();

    m_dialogs->chooseFile(a);
    clickTool(*form, "ToolButton10");
    QCOMPARE(m_dialogs->takeSeen().size(), 1);  // the open dialog, no question
    QCOMPARE(inode(a), before);
    QCOMPARE(archiveEntries(dir), QStringList({"a.bin", "b.bin"}));
    QCOMPARE(shownPower(*form), powerOf(0));
    QCOMPARE(form->navigation().CurrentRow, 1);
    QCOMPARE(highlightedRows(*form), QList<int>{1});
}

void TestImport::sameNameAsksBeforeReplacing_data()
{
    QTest::addColumn<bool>("replace");
    QTest::newRow("Yes replaces") << true;
    QTest::newRow("No cancels the import") << false;
}

void TestImport::sameNameAsksBeforeReplacing()
{
    QFETCH(bool, replace);
    StartDirectory dir;
    const QString a = dir.addRecord("a.bin", 0);
    dir.addRecord("b.bin", 1);
    const QString chosen = m_elsewhere.filePath("a.bin");
    testsupport::writeFile(chosen, recordOf(5));
    auto form = startWindow();

    m_dialogs->chooseFile(chosen);
    m_dialogs->answer(replace ? QMessageBox::Yes : QMessageBox::No);
    clickTool(*form, "ToolButton10");
    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen[1].title, QStringLiteral("SART TESTER SOFTWARE"));
    QVERIFY2(seen[1].text.contains("a.bin"), qPrintable(seen[1].text));
    QCOMPARE(seen[1].buttons, QStringList({"Yes", "No"}));

    QCOMPARE(archiveEntries(dir), QStringList({"a.bin", "b.bin"}));
    QCOMPARE(readFile(a), recordOf(replace ? 5 : 0));
    QCOMPARE(shownPower(*form), powerOf(replace ? 5 : 1));
    QCOMPARE(form->navigation().CurrentRow, replace ? 1 : 2);
    QCOMPARE(highlightedRows(*form), QList<int>{replace ? 1 : 2});
}

void TestImport::nameWithoutBinIsShownButNotListed()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    const QString b = dir.addRecord("b.bin", 1);
    const QString chosen = m_elsewhere.filePath("record.dat");
    testsupport::writeFile(chosen, recordOf(3));
    auto form = startWindow();

    m_dialogs->chooseFile(chosen);
    clickTool(*form, "ToolButton10");
    QCOMPARE(m_dialogs->takeErrors(), QStringList());
    QCOMPARE(readFile(dir.inArchive("record.dat")), recordOf(3));
    QCOMPARE(shownPower(*form), powerOf(3));
    QCOMPARE(listedNames(*form), QStringList({"a.bin", "b.bin"}));
    QCOMPARE(form->navigation().CurrentRow, 2);
    QCOMPARE(highlightedRows(*form), QList<int>{2});

    // The current row names b.bin, the panel shows record.dat: both refuse.
    child<QLineEdit>(form.get(), "Edit3")->setText("X");
    clickTool(*form, "ToolButton11");
    action(*form, "N131")->trigger();
    const QStringList errors = m_dialogs->takeErrors();
    QCOMPARE(errors.size(), 2);
    for (const QString &e : errors)
        QVERIFY2(e.contains("record.dat"), qPrintable(e));
    QCOMPARE(readFile(dir.inArchive("record.dat")), recordOf(3));
    QCOMPARE(readFile(b), recordOf(1));
    QCOMPARE(archiveEntries(dir), QStringList({"a.bin", "b.bin", "record.dat"}));
}

void TestImport::missingFileIsReported()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    auto form = startWindow();
    const QString missing = m_elsewhere.filePath("none.bin");

    m_dialogs->chooseFile(missing);
    clickTool(*form, "ToolButton10");
    QCOMPARE(m_dialogs->takeErrors(), QStringList{QStringLiteral("Cannot open file %1: File not found.").arg(missing)});
    QCOMPARE(archiveEntries(dir), QStringList{"a.bin"});
    QCOMPARE(shownPower(*form), powerOf(0));
}

void TestImport::cancelledDialogReadsCurrentRowAgain()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    dir.addRecord("b.bin", 1);
    auto form = startWindow();
    clickRow(*form, 1);
    // Press on row 2 and leave the table: the highlight moves, the current row does not.
    FileGrid *grid = form->grid();
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(1, 1)).center());
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, QPoint(5, -30));
    QCOMPARE(highlightedRows(*form), QList<int>{2});
    child<QLineEdit>(form.get(), "Edit1")->setText("typed");

    m_dialogs->answer(QMessageBox::Discard);  // the typing, before the dialog
    m_dialogs->cancelFile();
    clickTool(*form, "ToolButton10");
    QCOMPARE(m_dialogs->takeSeen().size(), 2);
    QCOMPARE(form->navigation().CurrentRow, 1);
    QCOMPARE(highlightedRows(*form), QList<int>{1});
    QCOMPARE(editText(*form, "Edit1"), engineerOf(0));
}

void TestImport::openAfterCancelledGoToReadsAgainWithoutDialog()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    dir.addRecord("b.bin", 1);
    auto form = startWindow();
    clickRow(*form, 1);
    m_dialogs->cancelInput();
    action(*form, "N4531")->trigger();
    QCOMPARE(m_dialogs->takeSeen().size(), 1);

    child<QLineEdit>(form.get(), "Edit1")->setText("typed");
    m_dialogs->answer(QMessageBox::Discard);
    clickTool(*form, "ToolButton10");
    QCOMPARE(m_dialogs->takeSeen().size(), 1);  // the question, no open dialog
    QCOMPARE(editText(*form, "Edit1"), engineerOf(0));

    m_dialogs->cancelFile();
    clickTool(*form, "ToolButton10");
    QCOMPARE(m_dialogs->takeSeen().size(), 1);
}

QTEST_MAIN(TestImport)
#include "tst_import.moc"

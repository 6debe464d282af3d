// Choosing records through the real main window: start-up, mouse and keys on
// the file table, "Go to", Delete, the testing mode and the rescan, and which
// file Save changes and Delete then act on.
#include "FileGrid.h"
#include "RecordLayout.h"
#include "SampleRecord.h"
#include "TestSupport.h"
#include "Unit1.h"
#include "WindowFixture.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

using namespace windowtest;
using testsupport::readFile;

class TestNavigation : public WindowTestCase
{
    Q_OBJECT

private slots:
    void startupShowsLastRecordAndSavesIntoIt();
    void emptyArchiveIgnoresTheTable();
    void mouseOnRows_data();
    void mouseOnRows();
    void releaseOutsideEveryCellDoesNothing();
    void rightClickOnFailingRowStillOpensThePopup();
    void keysMoveTheCurrentRow();
    void downArrowOntoBlankRowSavesShownRecordRefusesDelete();
    void goTo_data();
    void goTo();
    void goToCancelledChangesNothing();
    void popupMenuFromTheKeyboard_data();
    void popupMenuFromTheKeyboard();
    void tabLeavesTheTable();
    void deleteAnsweredYes();
    void deleteAnsweredNo();
    void deleteOfFileGoneBehindTheBackIsTold();
    void brokenRecordChosenInTableCanBeDeleted();
    void testingModeShowsOtherBlockOfSameFile();
    void rescanFollowsShownRecord();
};

void TestNavigation::startupShowsLastRecordAndSavesIntoIt()
{
    StartDirectory dir;
    const QString a = dir.addRecord("a.bin", 0), b = dir.addRecord("b.bin", 1), c = dir.addRecord("c.bin", 2);
    const QByteArray before = readFile(c);
    auto form = startWindow();

    QCOMPARE(m_dialogs->takeSeen().size(), 0);
    QCOMPARE(listedNames(*form), QStringList({"a.bin", "b.bin", "c.bin"}));
    QCOMPARE(form->navigation().CurrentRow, 3);
    QCOMPARE(form->navigation().LastRow, 3);
    QCOMPARE(highlightedRows(*form), QList<int>{3});
    QCOMPARE(shownPower(*form), powerOf(2));
    QCOMPARE(editText(*form, "Edit1"), engineerOf(2));
    QCOMPARE(child<QDateEdit>(form.get(), "DateTimePicker2")->date(), sample::variant(2).testingDate);

    setEdit(*form, "Edit3", "MODEL-7");
    clickTool(*form, "ToolButton11");
    QCOMPARE(m_dialogs->takeErrors(), QStringList());
    const QByteArray after = readFile(c);
    QCOMPARE(after.size(), before.size());
    QCOMPARE(after[layout::EngineerMark], '9');
    QCOMPARE(after.mid(layout::SartModel, 20), QByteArray("MODEL-7").leftJustified(20, ' '));
    QCOMPARE(after.mid(layout::HeaderSize), before.mid(layout::HeaderSize));
    QCOMPARE(readFile(a), sample::makeRecord(sample::variant(0)));
    QCOMPARE(readFile(b), sample::makeRecord(sample::variant(1)));
}

void TestNavigation::emptyArchiveIgnoresTheTable()
{
    StartDirectory dir(false);
    auto form = startWindow();
    QVERIFY(QDir(dir.archive()).exists());
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
    QCOMPARE(form->navigation().LastRow, 0);

    clickRow(*form, 1);
    clickRow(*form, 3, Qt::RightButton);
    child<QMenu>(form.get(), "PopupMenu1")->hide();
    pressKey(*form, Qt::Key_Down);
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
    QCOMPARE(labelText(*form, "Label8"), QString());
    QCOMPARE(shownPower(*form), QString());
    QVERIFY(form->navigation().shownPath().isEmpty());

    // Nothing to decode again; the next Open still asks for a file.
    QTest::keyClick(child<QComboBox>(form.get(), "ComboBox4"), Qt::Key_Down);
    QCOMPARE(child<QComboBox>(form.get(), "ComboBox4")->currentText(), QStringLiteral("Manual"));
    m_dialogs->cancelFile();
    clickTool(*form, "ToolButton10");
    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QVERIFY(!seen.isEmpty());
    QCOMPARE(seen[0].kind, QStringLiteral("file"));
}

void TestNavigation::mouseOnRows_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("currentRow");
    QTest::addColumn<int>("shown");       // variant whose record is read
    QTest::addColumn<QList<int>>("highlight");
    QTest::addColumn<QString>("error");

    QTest::newRow("row 2") << 2 << int(Qt::LeftButton) << 2 << 1 << QList<int>{2} << QString();
    QTest::newRow("row 1, right button") << 1 << int(Qt::RightButton) << 1 << 0 << QList<int>{1} << QString();
    QTest::newRow("blank row") << 4 << int(Qt::LeftButton) << 3 << 2 << QList<int>{4} << QString();
    QTest::newRow("empty row further down") << 9 << int(Qt::LeftButton) << 3 << 2 << QList<int>{9} << QString();
}

void TestNavigation::mouseOnRows()
{
    QFETCH(int, row);
    QFETCH(int, button);
    QFETCH(int, currentRow);
    QFETCH(int, shown);
    QFETCH(QList<int>, highlight);
    QFETCH(QString, error);

    StartDirectory dir;
    for (int i = 0; i < 3; ++i)
        dir.addRecord(QStringLiteral("%1.bin").arg(char('a' + i)), i);
    auto form = startWindow();
    setEdit(*form, "Edit1", "typed");

    m_dialogs->answer(QMessageBox::Discard);
    clickRow(*form, row, Qt::MouseButton(button));
    child<QMenu>(form.get(), "PopupMenu1")->hide();

    QCOMPARE(m_dialogs->takeErrors(), error.isEmpty() ? QStringList() : QStringList{error});
    QCOMPARE(form->navigation().CurrentRow, currentRow);
    QCOMPARE(shownPower(*form), powerOf(shown));
    QCOMPARE(editText(*form, "Edit1"), engineerOf(shown));
    QCOMPARE(form->navigation().shownPath(), dir.inArchive(QStringLiteral("%1.bin").arg(char('a' + shown))));
    QCOMPARE(highlightedRows(*form), highlight);
}

void TestNavigation::releaseOutsideEveryCellDoesNothing()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    dir.addRecord("b.bin", 1);
    auto form = startWindow();
    FileGrid *grid = form->grid();
    // The file name column fills the table; a fixed one leaves room beyond the last column.
    grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Interactive);
    grid->setColumnWidth(1, 154);
    form->resize(1200, form->height());
    QTest::qWait(20);
    setEdit(*form, "Edit1", "typed");
    const QRect row1 = grid->visualRect(grid->model()->index(0, 4));
    QVERIFY(row1.right() + 20 < grid->viewport()->width());

    // Beyond the last column.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(row1.right() + 10, row1.center().y()));
    // Pressed on row 1 and dragged out of the table before the release.
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, row1.center());
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, QPoint(row1.center().x(), -30));

    QCOMPARE(m_dialogs->takeSeen().size(), 0);
    QCOMPARE(form->navigation().CurrentRow, 2);
    QCOMPARE(editText(*form, "Edit1"), QStringLiteral("typed"));
}

void TestNavigation::rightClickOnFailingRowStillOpensThePopup()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    dir.addFile("b.bin", QByteArray(100, 'x'));
    dir.addRecord("c.bin", 2);
    auto form = startWindow();
    m_dialogs->takeSeen();  // the scan's warning about b.bin

    clickRow(*form, 2, Qt::RightButton);
    QCOMPARE(m_dialogs->takeErrors(), QStringList{dir.inArchive("b.bin") + ": Read beyond end of file."});
    auto *menu = child<QMenu>(form.get(), "PopupMenu1");
    QTRY_VERIFY(menu->isVisible());
    menu->hide();
    QCOMPARE(form->navigation().CurrentRow, 2);
    QCOMPARE(shownPower(*form), powerOf(2));
}

void TestNavigation::keysMoveTheCurrentRow()
{
    StartDirectory dir;
    for (int i = 0; i < 3; ++i)
        dir.addRecord(QStringLiteral("%1.bin").arg(char('a' + i)), i);
    auto form = startWindow();

    pressKey(*form, Qt::Key_Up);
    QCOMPARE(form->navigation().CurrentRow, 2);
    QCOMPARE(shownPower(*form), powerOf(1));
    pressKey(*form, Qt::Key_Up);
    QCOMPARE(form->navigation().CurrentRow, 1);
    QCOMPARE(shownPower(*form), powerOf(0));
    QCOMPARE(highlightedRows(*form), QList<int>{1});

    QCOMPARE(m_dialogs->takeSeen().size(), 0);

    // A key that does not move the highlight reads the record again, once
    // the typing in the panel is settled.
    setEdit(*form, "Edit1", "typed");
    m_dialogs->answer(QMessageBox::Discard);
    pressKey(*form, Qt::Key_Shift);
    QCOMPARE(editText(*form, "Edit1"), engineerOf(0));
    QCOMPARE(m_dialogs->takeSeen().size(), 1);
}

void TestNavigation::downArrowOntoBlankRowSavesShownRecordRefusesDelete()
{
    StartDirectory dir;
    QStringList files;
    for (int i = 0; i < 3; ++i)
        files.append(dir.addRecord(QStringLiteral("%1.bin").arg(char('a' + i)), i));
    auto form = startWindow();
    setEdit(*form, "Edit1", "typed");

    m_dialogs->answer(QMessageBox::Discard);
    pressKey(*form, Qt::Key_Down);
    QCOMPARE(m_dialogs->takeErrors(), QStringList{"'' is not a valid date."});
    QCOMPARE(highlightedRows(*form), QList<int>{4});
    QCOMPARE(form->navigation().CurrentRow, 4);
    // The typing was discarded; the failed read changed nothing more.
    QCOMPARE(editText(*form, "Edit1"), engineerOf(2));
    QCOMPARE(form->navigation().shownPath(), files[2]);

    // Save changes writes into the record the panel shows; Delete, which acts
    // on the current row, has no file there.
    clickTool(*form, "ToolButton11");
    QCOMPARE(m_dialogs->takeErrors(), QStringList());
    QCOMPARE(readFile(files[2]).at(layout::ServiceMark), layout::Mark);

    action(*form, "N131")->trigger();
    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 1);  // refused before asking
    QCOMPARE(seen[0].icon, QMessageBox::Critical);

    for (int i = 0; i < 2; ++i)
        QCOMPARE(readFile(files[i]), sample::makeRecord(sample::variant(i)));
    QCOMPARE(readFile(files[2]).mid(layout::HeaderSize), sample::makeRecord(sample::variant(2)).mid(layout::HeaderSize));
    QCOMPARE(QDir(dir.archive()).entryList(QDir::Files).size(), 3);
}

void TestNavigation::goTo_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("currentRow");
    QTest::addColumn<int>("shown");
    QTest::addColumn<bool>("decoded");    // typing settled (discarded) for a row choice
    QTest::addColumn<QList<int>>("highlight");
    QTest::addColumn<QString>("error");

    // A record that cannot be shown leaves the panel on the one shown before.
    const QString emptyDate = QStringLiteral("'' is not a valid date.");
    QTest::newRow("2") << "2" << 2 << 1 << true << QList<int>{2} << QString();
    QTest::newRow("blanks around") << " 1" << 1 << 0 << true << QList<int>{1} << QString();
    QTest::newRow("0") << "0" << 0 << 2 << true << QList<int>{}
                       << QStringLiteral("'Testing date' is not a valid date.");
    QTest::newRow("500") << "500" << 500 << 2 << true << QList<int>{500} << emptyDate;
    QTest::newRow("last row of the table") << "999" << 999 << 2 << true << QList<int>{999} << emptyDate;
    QTest::newRow("beyond the table") << "1000" << 3 << 2 << false << QList<int>{3}
                                      << QStringLiteral("Grid index out of range.");
    QTest::newRow("negative") << "-3" << 3 << 2 << false << QList<int>{3}
                              << QStringLiteral("List index out of bounds (-3).");
    QTest::newRow("not a number") << "abc" << 3 << 2 << false << QList<int>{3}
                                  << QStringLiteral("'abc' is not a valid integer value.");
    QTest::newRow("empty") << "" << 3 << 2 << false << QList<int>{3}
                           << QStringLiteral("'' is not a valid integer value.");
}

void TestNavigation::goTo()
{
    QFETCH(QString, input);
    QFETCH(int, currentRow);
    QFETCH(int, shown);
    QFETCH(bool, decoded);
    QFETCH(QList<int>, highlight);
    QFETCH(QString, error);

    StartDirectory dir;
    for (int i = 0; i < 3; ++i)
        dir.addRecord(QStringLiteral("%1.bin").arg(char('a' + i)), i);
    auto form = startWindow();
    setEdit(*form, "Edit1", "typed");

    m_dialogs->answerInput(input);
    if (decoded)
        m_dialogs->answer(QMessageBox::Discard);
    action(*form, "N4531")->trigger();

    QCOMPARE(m_dialogs->takeErrors(), error.isEmpty() ? QStringList() : QStringList{error});
    QCOMPARE(form->navigation().CurrentRow, currentRow);
    QCOMPARE(shownPower(*form), powerOf(shown));
    QCOMPARE(editText(*form, "Edit1"), decoded ? engineerOf(shown) : QStringLiteral("typed"));
    QCOMPARE(highlightedRows(*form), highlight);
}

void TestNavigation::goToCancelledChangesNothing()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    dir.addRecord("b.bin", 1);
    auto form = startWindow();
    setEdit(*form, "Edit1", "typed");

    m_dialogs->answer(QMessageBox::Discard);
    m_dialogs->cancelInput();
    QVERIFY(popupCommand(*form, 1, "Go to"));  // the right click shows row 1
    QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 2);
    seen.removeFirst();  // the typing discarded
    QCOMPARE(seen[0].kind, QStringLiteral("input"));
    QCOMPARE(seen[0].title, QStringLiteral("Input File Name"));
    QCOMPARE(seen[0].text, QStringLiteral("Number"));
    QCOMPARE(seen[0].value, QString());
    QCOMPARE(form->navigation().CurrentRow, 1);
    QCOMPARE(shownPower(*form), powerOf(0));
    QCOMPARE(highlightedRows(*form), QList<int>{1});
}

void TestNavigation::popupMenuFromTheKeyboard_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("item");
    QTest::newRow("menu key, go to") << int(Qt::Key_Menu) << int(Qt::NoModifier) << "Go to";
    QTest::newRow("shift+F10, go to") << int(Qt::Key_F10) << int(Qt::ShiftModifier) << "Go to";
    QTest::newRow("menu key, delete") << int(Qt::Key_Menu) << int(Qt::NoModifier) << "Delete";
}

// The pop-up commands are reached without a mouse. The key that brings up
// the menu chooses no row: typing in the panel is not questioned by it.
void TestNavigation::popupMenuFromTheKeyboard()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, item);
    StartDirectory dir;
    QStringList files;
    for (int i = 0; i < 3; ++i)
        files.append(dir.addRecord(QStringLiteral("%1.bin").arg(char('a' + i)), i));
    auto form = startWindow();
    pressKey(*form, Qt::Key_Up);
    QCOMPARE(form->navigation().CurrentRow, 2);
    setEdit(*form, "Edit1", "typed");

    auto *menu = child<QMenu>(form.get(), "PopupMenu1");
    QTest::keyClick(form->grid(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QVERIFY(QTest::qWaitFor([menu] { return menu->isVisible(); }, 1000));
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
    QCOMPARE(editText(*form, "Edit1"), QStringLiteral("typed"));
    QTest::keyClick(menu, Qt::Key_Escape);
    QVERIFY(!menu->isVisible());
    QCOMPARE(m_dialogs->takeSeen().size(), 0);

    QTest::keyClick(form->grid(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QVERIFY(QTest::qWaitFor([menu] { return menu->isVisible(); }, 1000));
    if (item == u"Go to")
        m_dialogs->answerInput("1");
    if (item == u"Delete")
        m_dialogs->answer(QMessageBox::Yes);  // the file question comes first
    m_dialogs->answer(QMessageBox::Discard);
    for (QAction *a : menu->actions()) {
        QTest::keyClick(menu, Qt::Key_Down);
        if (a->text() == item)
            break;
    }
    QTest::keyClick(menu, Qt::Key_Return);
    QTRY_COMPARE(m_dialogs->queued(), 0);
    if (item == u"Go to") {
        QCOMPARE(form->navigation().CurrentRow, 1);
        QCOMPARE(highlightedRows(*form), QList<int>{1});
        QCOMPARE(shownPower(*form), powerOf(0));
    } else {
        QVERIFY(!QFile::exists(files[1]));
        QCOMPARE(listedNames(*form), QStringList({"a.bin", "c.bin"}));
    }
    m_dialogs->takeSeen();
}

// Tab and Shift+Tab move the focus out of the table at once, choosing no row.
void TestNavigation::tabLeavesTheTable()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    dir.addRecord("b.bin", 1);
    auto form = startWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
        form->grid()->setFocus();
        QTRY_VERIFY(form->grid()->hasFocus());
        QTest::keyClick(form->grid(), key);
        QVERIFY(!form->grid()->hasFocus());
        QCOMPARE(m_dialogs->takeSeen().size(), 0);
        QCOMPARE(form->navigation().CurrentRow, 2);
        QCOMPARE(highlightedRows(*form), QList<int>{2});
        QCOMPARE(shownPower(*form), powerOf(1));
    }
}

void TestNavigation::deleteAnsweredYes()
{
    StartDirectory dir;
    QStringList files;
    for (int i = 0; i < 4; ++i)
        files.append(dir.addRecord(QStringLiteral("%1.bin").arg(char('a' + i)), i));
    auto form = startWindow();

    m_dialogs->answer(QMessageBox::Yes);
    QVERIFY(popupCommand(*form, 2, "Delete"));
    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].title, QStringLiteral("Warning"));
    QCOMPARE(seen[0].text, QStringLiteral("DELETE FILE?\n\nb.bin"));
    QCOMPARE(seen[0].icon, QMessageBox::Warning);
    QCOMPARE(seen[0].buttons, QStringList({"Yes", "No"}));

    QVERIFY(!QFile::exists(files[1]));
    QCOMPARE(listedNames(*form), QStringList({"a.bin", "c.bin", "d.bin"}));
    QCOMPARE(form->navigation().table().fileName(4), QString());
    // The panel goes on showing the deleted record; the row stays where it was.
    QCOMPARE(shownPower(*form), powerOf(1));
    QCOMPARE(form->navigation().CurrentRow, 2);
    QCOMPARE(highlightedRows(*form), QList<int>{2});

    // Row 2 now names c.bin, which is not the record shown: neither Save
    // changes nor another Delete touches it.
    clickTool(*form, "ToolButton11");
    QCOMPARE(m_dialogs->takeErrors().size(), 1);
    action(*form, "N131")->trigger();
    const QList<SeenDialog> refused = m_dialogs->takeSeen();
    QCOMPARE(refused.size(), 1);  // an error, no question
    QCOMPARE(refused[0].icon, QMessageBox::Critical);
    for (int i : {0, 2, 3})
        QCOMPARE(readFile(files[i]), sample::makeRecord(sample::variant(i)));
}

void TestNavigation::deleteAnsweredNo()
{
    StartDirectory dir;
    QStringList files;
    for (int i = 0; i < 3; ++i)
        files.append(dir.addRecord(QStringLiteral("%1.bin").arg(char('a' + i)), i));
    auto form = startWindow();

    m_dialogs->answer(QMessageBox::No);
    QVERIFY(popupCommand(*form, 1, "Delete"));
    QCOMPARE(m_dialogs->takeSeen().size(), 1);
    for (const QString &f : files)
        QVERIFY(QFile::exists(f));
    QCOMPARE(listedNames(*form), QStringList({"a.bin", "b.bin", "c.bin"}));
    QCOMPARE(form->navigation().CurrentRow, 1);
    QCOMPARE(shownPower(*form), powerOf(0));
}

void TestNavigation::deleteOfFileGoneBehindTheBackIsTold()
{
    StartDirectory dir;
    const QString a = dir.addRecord("a.bin", 0);
    dir.addRecord("b.bin", 1);
    auto form = startWindow();
    clickRow(*form, 1);
    QVERIFY(QFile::remove(a));  // gone behind the program's back

    m_dialogs->answer(QMessageBox::Yes);
    action(*form, "N131")->trigger();
    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 2);  // the question, then what happened
    QCOMPARE(seen[1].icon, QMessageBox::Warning);
    QCOMPARE(seen[1].text, QStringLiteral("The record a.bin was already removed by another program."));
    QCOMPARE(listedNames(*form), QStringList{"b.bin"});
}

void TestNavigation::testingModeShowsOtherBlockOfSameFile()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    dir.addRecord("b.bin", 1);
    auto form = startWindow();
    auto *mode = child<QComboBox>(form.get(), "ComboBox4");
    const int manualPower = sample::variant(1).manual.powerMw;

    setEdit(*form, "Edit1", "typed");
    m_dialogs->answer(QMessageBox::Discard);
    QTest::keyClick(mode, Qt::Key_Down);
    QCOMPARE(mode->currentText(), QStringLiteral("Manual"));
    QCOMPARE(shownPower(*form), QString::number(manualPower));
    QCOMPARE(labelText(*form, "Label8"), QStringLiteral("9.5"));  // 9 495 000 kHz, half to even
    QVERIFY(editText(*form, "Edit1") != QStringLiteral("typed"));
    QCOMPARE(form->navigation().shownPath(), dir.inArchive("b.bin"));
    QCOMPARE(form->navigation().CurrentRow, 2);

    // After a rescan the mode change still reads the record shown (a.bin),
    // not the file that was last at start-up.
    clickRow(*form, 1);
    QCOMPARE(shownPower(*form), QString::number(sample::variant(0).manual.powerMw));
    form->Timer1->start();
    QTRY_VERIFY(!form->Timer1->isActive());
    QTest::keyClick(mode, Qt::Key_Up);
    QCOMPARE(mode->currentText(), QStringLiteral("Auto"));
    QCOMPARE(shownPower(*form), powerOf(0));
    QCOMPARE(m_dialogs->takeSeen().size(), 1);  // the question about the typing
}

void TestNavigation::rescanFollowsShownRecord()
{
    StartDirectory dir;
    QStringList files;
    for (int i = 0; i < 5; ++i)
        files.append(dir.addRecord(QStringLiteral("%1.bin").arg(char('a' + i)), i));
    auto form = startWindow();
    setEdit(*form, "Edit3", "typed");

    QVERIFY(QFile::remove(files[1]));
    QVERIFY(QFile::remove(files[3]));
    form->Timer1->start();
    QTRY_VERIFY(!form->Timer1->isActive());
    QCOMPARE(listedNames(*form), QStringList({"a.bin", "c.bin", "e.bin"}));
    const FileTable &table = form->navigation().table();
    for (int column = 0; column < FileTable::ColumnCount; ++column) {
        QCOMPARE(table.cell(4, column), QString());
        QCOMPARE(table.cell(5, column), QString());
    }
    QCOMPARE(form->navigation().CurrentRow, 3);
    QCOMPARE(highlightedRows(*form), QList<int>{3});
    QCOMPARE(editText(*form, "Edit3"), QStringLiteral("typed"));  // the panel is not read again

    // A record received before the shown one in the listing moves it down.
    dir.addRecord("0.bin", 6);
    form->Timer1->start();
    QTRY_VERIFY(!form->Timer1->isActive());
    QCOMPARE(form->navigation().CurrentRow, 4);
    QCOMPARE(highlightedRows(*form), QList<int>{4});

    clickTool(*form, "ToolButton11");
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
    QCOMPARE(readFile(files[4]).mid(layout::SartModel, 5), QByteArray("typed"));
    QCOMPARE(readFile(files[2]), sample::makeRecord(sample::variant(2)));
}

void TestNavigation::brokenRecordChosenInTableCanBeDeleted()
{
    StartDirectory dir;
    const QString a = dir.addRecord("a.bin", 0);
    const QString broken = dir.archive() + "/b.bin";
    testsupport::writeFile(broken, QByteArray(100, 'x'));
    const QString c = dir.addRecord("c.bin", 2);
    auto form = startWindow();
    QCOMPARE(m_dialogs->takeSeen().size(), 1);  // the warning that names b.bin

    // Choosing it fails to show it; Delete still removes it.
    m_dialogs->answer(QMessageBox::Yes);
    QVERIFY(popupCommand(*form, 2, "Delete"));
    QCOMPARE(m_dialogs->takeErrors(), QStringList({broken + ": Read beyond end of file."}));
    QVERIFY(!QFile::exists(broken));
    QCOMPARE(listedNames(*form), QStringList({"a.bin", "c.bin"}));
    QCOMPARE(readFile(a), sample::makeRecord(sample::variant(0)));
    QCOMPARE(readFile(c), sample::makeRecord(sample::variant(2)));
}

QTEST_MAIN(TestNavigation)
#include "tst_navigation.moc"

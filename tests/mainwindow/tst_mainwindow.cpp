// The main window itself: start-up, menus, tool bar, pop-up menu, shortcuts,
// the error box, and what the window shows of the archive scan.
#include "ErrorBox.h"
#include "FileGrid.h"
#include "RecordLayout.h"
#include "SampleRecord.h"
#include "TestSupport.h"
#include "Unit1.h"
#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace windowtest;
using testsupport::readFile;

namespace {

// A menu as "caption|shortcut" lines, "-" for a separator.
QStringList describe(const QMenu *menu)
{
    QStringList items;
    for (const QAction *a : menu->actions()) {
        if (a->isSeparator())
            items.append(QStringLiteral("-"));
        else
            items.append(a->text() + u'|' + a->shortcut().toString(QKeySequence::PortableText));
    }
    return items;
}

} // namespace

class TestMainWindow : public WindowTestCase
{
    Q_OBJECT

private slots:
    void startupWithoutArchiveFolder();
    void menus();
    void popupMenu();
    void toolButtons();
    void windowCommands_data();
    void windowCommands();
    void exitCommands_data();
    void exitCommands();
    void saveShortcutInEveryControl_data();
    void saveShortcutInEveryControl();
    void openShortcut();
    void errorBox_data();
    void errorBox();
    void brokenFilesAreListedAndReportedOnce();
    void firstRowShowsItsStampBeforeAndAfterSave();
    void moreThan999Records();
};

void TestMainWindow::startupWithoutArchiveFolder()
{
    StartDirectory dir(false);
    auto form = startWindow();
    QCOMPARE(form->windowTitle(), QStringLiteral("SART TESTER SOFTWARE"));
    QVERIFY(QDir(dir.archive()).exists());
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
    QCOMPARE(child<QComboBox>(form.get(), "ComboBox4")->currentText(), QStringLiteral("Auto"));
    const FileTable &table = form->navigation().table();
    QCOMPARE(QStringList({table.cell(0, 0), table.cell(0, 1), table.cell(0, 2), table.cell(0, 3), table.cell(0, 4)}),
             QStringList({"File number", "File name", "Testing date", "Computer date", "Computer time"}));
    QCOMPARE(form->grid()->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("File name"));
    QCOMPARE(form->grid()->model()->rowCount(), 999);
    QCOMPARE(form->grid()->model()->columnCount(), 5);
}

void TestMainWindow::menus()
{
    StartDirectory dir;
    auto form = startWindow();
    QStringList titles;
    for (const QAction *a : form->menuBar()->actions())
        titles.append(a->text());
    QCOMPARE(titles, QStringList({"&File", "Data import", "Data export", "&Archive", "&Settings", "Help"}));

    QCOMPARE(describe(child<QMenu>(form.get(), "File1")),
             QStringList({"S&ave changes|Ctrl+A", "&Open|Ctrl+O", "-", "Pa&ge Setup...|", "Pr&int |Ctrl+P", "-",
                          "&Exit|Ctrl+X"}));
    QCOMPARE(action(*form, "Savechanges1")->shortcuts(),
             QList<QKeySequence>({QKeySequence("Ctrl+A"), QKeySequence("Ctrl+S")}));
    QCOMPARE(describe(child<QMenu>(form.get(), "Dataimport1")), QStringList{"Receiving|"});
    QCOMPARE(describe(child<QMenu>(form.get(), "Dataexport1")), QStringList({"Word|Ctrl+W", "PDF...|"}));
    QCOMPARE(describe(child<QMenu>(form.get(), "Archive1")),
             QStringList({"&Find...|Ctrl+F", "&Due for test...|", "&History of this SART...|", "-",
                          "&Certificates issued...|", "Chec&k a certificate...|Ctrl+K"}));
    QCOMPARE(describe(child<QMenu>(form.get(), "Settings1")),
             QStringList({"SART &limits...|", "Certificate &register...|", "Lan&guage|", "Certificate &signing...|"}));
    QCOMPARE(describe(child<QMenu>(form.get(), "Help1")), QStringList({"User guide|F1", "Help|", "-", "About|"}));
}

void TestMainWindow::popupMenu()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    auto form = startWindow();
    auto *menu = child<QMenu>(form.get(), "PopupMenu1");
    QCOMPARE(describe(menu), QStringList({"Delete|Del", "Go to|"}));
    QCOMPARE(menu->actions()[0]->objectName(), QStringLiteral("N131"));
    QCOMPARE(menu->actions()[1]->objectName(), QStringLiteral("N4531"));

    // A left click brings nothing up, a right click the pop-up menu.
    clickRow(*form, 1);
    QVERIFY(!menu->isVisible());
    clickRow(*form, 1, Qt::RightButton);
    QTRY_VERIFY(menu->isVisible());
    menu->hide();
}

void TestMainWindow::toolButtons()
{
    StartDirectory dir;
    auto form = startWindow();
    auto *bar = child<QToolBar>(form.get(), "ToolBar1");
    const QStringList names = {"ToolButton10", "ToolButton11", "ToolButton13", "ToolButton16", "ToolButton18"};
    const QStringList hints = {"Open", "Save changes", "Print", "Help", "Exit"};
    int left = -1;
    for (int i = 0; i < names.size(); ++i) {
        auto *button = child<QToolButton>(bar, names[i]);
        QCOMPARE(button->toolTip(), hints[i]);
        QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
        QVERIFY(!button->icon().isNull());
        QVERIFY(button->width() >= 32 && button->height() >= 25);
        QVERIFY2(button->x() > left, qPrintable(names[i]));  // left to right in this order
        left = button->x();
    }
    auto *separator = child<QWidget>(bar, "ToolButton17");
    QCOMPARE(separator->width(), 12);
    QVERIFY(separator->x() > child<QToolButton>(bar, "ToolButton16")->x());
    QVERIFY(separator->x() < child<QToolButton>(bar, "ToolButton18")->x());
}

void TestMainWindow::windowCommands_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("window");
    QTest::newRow("tool button Help") << "ToolButton16" << "TForm4";
    QTest::newRow("menu item About") << "About2" << "TForm4";
    QTest::newRow("menu item Help") << "Abaut1" << "TForm3";
    QTest::newRow("menu item Receiving") << "N4" << "TForm2";
}

void TestMainWindow::windowCommands()
{
    QFETCH(QString, command);
    QFETCH(QString, window);
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    auto form = startWindow();
    dir.addRecord("b.bin", 1);  // as a reception would save it

    m_dialogs->closeWindow(window);
    if (command.startsWith(QLatin1String("ToolButton")))
        clickTool(*form, command);
    else
        action(*form, command)->trigger();
    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].kind, window);

    // The new record is listed by itself, whichever window was open; the
    // record shown stays.
    QTRY_COMPARE_WITH_TIMEOUT(form->navigation().table().fileName(2), QStringLiteral("b.bin"), 3000);
    QCOMPARE(shownPower(*form), powerOf(0));
    QCOMPARE(form->navigation().CurrentRow, 1);
}

void TestMainWindow::exitCommands_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("answer");  // to the question about the unsaved typing
    QTest::newRow("tool button Exit, discard") << "ToolButton18" << int(QMessageBox::Discard);
    QTest::newRow("menu item &Exit, discard") << "Exit1" << int(QMessageBox::Discard);
    QTest::newRow("Ctrl+X, discard") << "Ctrl+X" << int(QMessageBox::Discard);
    QTest::newRow("tool button Exit, cancel") << "ToolButton18" << int(QMessageBox::Cancel);
    QTest::newRow("window closed, cancel") << "close" << int(QMessageBox::Cancel);
    QTest::newRow("window closed, save") << "close" << int(QMessageBox::Save);
}

void TestMainWindow::exitCommands()
{
    QFETCH(QString, command);
    QFETCH(int, answer);
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    auto form = startWindow();
    child<QLineEdit>(form.get(), "Edit3")->setText("unsaved");
    QCOMPARE(form->windowTitle(), QStringLiteral("*a.bin - SART TESTER SOFTWARE"));
    m_dialogs->answer(QMessageBox::StandardButton(answer));
    if (command == QLatin1String("close")) {
        form->close();
    } else if (command == QLatin1String("Ctrl+X")) {
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        form->grid()->setFocus();
        QTest::keyClick(form->grid(), Qt::Key_X, Qt::ControlModifier);
    } else if (command.startsWith(QLatin1String("ToolButton"))) {
        clickTool(*form, command);
    } else {
        action(*form, command)->trigger();
    }
    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].text, QStringLiteral("The record a.bin has changes that are not saved.\n\n"
                                          "Save them before closing the program?"));
    QStringList buttons = seen[0].buttons;
    buttons.sort();
    QCOMPARE(buttons, QStringList({"Cancel", "Discard", "Save"}));
    QCOMPARE(form->isVisible(), answer == QMessageBox::Cancel);
    if (answer == QMessageBox::Save)
        QCOMPARE(readFile(dir.inArchive("a.bin")).mid(layout::SartModel, 7), QByteArray("unsaved"));
    else
        QCOMPARE(readFile(dir.inArchive("a.bin")), sample::makeRecord(sample::variant(0)));
    QCOMPARE(editText(*form, "Edit3"), answer == QMessageBox::Discard ? QString() : QStringLiteral("unsaved"));
}

void TestMainWindow::saveShortcutInEveryControl_data()
{
    QTest::addColumn<QString>("focus");
    QTest::newRow("edit box") << "Edit3";
    QTest::newRow("radio engineer") << "Edit1";
    QTest::newRow("date picker") << "DateTimePicker1";
    QTest::newRow("answer selector") << "ComboBox1";
    QTest::newRow("file table") << "StringGrid1";
}

void TestMainWindow::saveShortcutInEveryControl()
{
    QFETCH(QString, focus);
    StartDirectory dir;
    const QString a = dir.addRecord("a.bin", 0);
    auto form = startWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    child<QLineEdit>(form.get(), "Edit3")->setText("SHORTCUT");
    auto *target = child<QWidget>(form.get(), focus);
    target->setFocus();
    QTRY_VERIFY(target->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
    QCOMPARE(readFile(a).mid(layout::SartModel, 8), QByteArray("SHORTCUT"));
    if (auto *edit = qobject_cast<QLineEdit *>(target))
        QCOMPARE(edit->selectedText(), QString());  // saved, not selected
}

void TestMainWindow::openShortcut()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    auto form = startWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    form->grid()->setFocus();
    m_dialogs->cancelFile();
    QTest::keyClick(form->grid(), Qt::Key_O, Qt::ControlModifier);
    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].objectName, QStringLiteral("OpenDialog1"));
}

void TestMainWindow::errorBox_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("full stop added") << "File not found" << "File not found.";
    QTest::newRow("ends in a bracket") << "List index out of bounds (-3)" << "List index out of bounds (-3).";
    QTest::newRow("already ends in one") << "Select its row first, then save again."
                                         << "Select its row first, then save again.";
    QTest::newRow("quote at the end") << "'abc' is not a valid integer value"
                                      << "'abc' is not a valid integer value.";
}

void TestMainWindow::errorBox()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    StartDirectory dir;
    auto form = startWindow();
    guarded(form.get(), [&] { errors::throwText(text); });
    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].icon, QMessageBox::Critical);
    QCOMPARE(seen[0].title, QStringLiteral("SART TESTER SOFTWARE"));
    QCOMPARE(seen[0].buttons, QStringList{"OK"});
    QCOMPARE(seen[0].text, shown);
}

void TestMainWindow::brokenFilesAreListedAndReportedOnce()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    dir.addRecord("B.bin", 1);
    dir.addFile("short.bin", QByteArray(100, '1'));
    QVERIFY(QDir(dir.archive()).mkdir("x.bin"));
    dir.addRecord("zz.bin", 2);
    dir.addFile("notes.txt", "not a record");
    auto form = startWindow();

    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].icon, QMessageBox::Warning);
    QCOMPARE(seen[0].title, QStringLiteral("SART TESTER SOFTWARE"));
    QVERIFY2(seen[0].text.contains("short.bin: Read beyond end of file"), qPrintable(seen[0].text));
    QVERIFY2(seen[0].text.contains("x.bin: not a record file (a folder)"), qPrintable(seen[0].text));
    QVERIFY(!seen[0].text.contains("zz.bin"));

    const FileTable &table = form->navigation().table();
    const QStringList expected = {"a.bin", "B.bin", "short.bin", "x.bin", "zz.bin"};
    for (int row = 1; row <= 5; ++row) {
        QCOMPARE(table.cell(row, FileTable::Number), QString::number(row));
        QCOMPARE(table.fileName(row), expected[row - 1]);
    }
    QCOMPARE(table.cell(3, FileTable::TestingDate), QString());
    QCOMPARE(table.cell(4, FileTable::ComputerTime), QString());
    QCOMPARE(table.fileName(6), QString());
    QCOMPARE(form->navigation().CurrentRow, 5);
    QCOMPARE(shownPower(*form), powerOf(2));

    // Choosing a broken row reports why and keeps the record shown.
    clickRow(*form, 3);
    QCOMPARE(m_dialogs->takeErrors(), QStringList{dir.inArchive("short.bin") + ": Read beyond end of file."});
    QCOMPARE(shownPower(*form), powerOf(2));
}

// The first row's Computer date and time are its record's reception stamp,
// as in every other row, also after a save changed the file: never the
// file's modification time.
void TestMainWindow::firstRowShowsItsStampBeforeAndAfterSave()
{
    StartDirectory dir;
    const QString first = dir.addRecord("a.bin", 0);
    dir.addRecord("b.bin", 1);
    QFile file(first);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime(QDate(2020, 2, 2), QTime(2, 2, 2)), QFileDevice::FileModificationTime));
    file.close();
    auto form = startWindow();
    const sample::Params params = sample::variant(0);
    const QStringList stamp = {params.receiveDate.toString("dd.MM.yy"), params.receiveTime.toString("HH:mm:ss")};
    auto shownStamp = [&] {
        const QAbstractItemModel *model = form->grid()->model();
        return QStringList{model->index(0, FileTable::ComputerDate).data().toString(),
                           model->index(0, FileTable::ComputerTime).data().toString()};
    };
    QCOMPARE(shownStamp(), stamp);

    clickRow(*form, 1);
    for (const char *edit : {"Edit3", "Edit9", "Edit4"})
        setEdit(*form, edit, "SAVED");
    action(*form, "Savechanges1")->trigger();
    QCOMPARE(m_dialogs->takeErrors(), QStringList());
    QVERIFY(QFileInfo(first).lastModified().date() > QDate(2020, 2, 2));
    QCOMPARE(shownStamp(), stamp);
    QCOMPARE(form->navigation().table().cell(1, FileTable::TestingDate), params.testingDate.toString("dd.MM.yy"));
    QCOMPARE(highlightedRows(*form), QList<int>{1});
}

void TestMainWindow::moreThan999Records()
{
    StartDirectory dir;
    const QByteArray record = sample::makeRecord(sample::variant(3));
    for (int i = 0; i < 1001; ++i)
        dir.addFile(QStringLiteral("r%1.bin").arg(i, 4, 10, QLatin1Char('0')), record);
    auto form = startWindow();

    QCOMPARE(form->grid()->model()->rowCount(), 1002);  // 1001 records and the blank row
    QCOMPARE(form->navigation().CurrentRow, 1001);
    QCOMPARE(highlightedRows(*form), QList<int>{1001});
    QCOMPARE(shownPower(*form), powerOf(3));
    QCOMPARE(form->grid()->model()->index(1000, 1).data().toString(), QStringLiteral("r1000.bin"));

    m_dialogs->answerInput("1002");
    action(*form, "N4531")->trigger();
    QCOMPARE(m_dialogs->takeErrors(), QStringList{"'' is not a valid date."});
    QCOMPARE(form->navigation().CurrentRow, 1002);
    m_dialogs->answerInput("1003");
    action(*form, "N4531")->trigger();
    QCOMPARE(m_dialogs->takeErrors(), QStringList{"Grid index out of range."});
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

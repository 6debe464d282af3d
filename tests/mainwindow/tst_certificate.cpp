// What keeps a certificate honest, through the real main window: values a
// record did not bring are marked and questioned before printing, typed
// changes are never dropped without a question, a record that cannot be shown
// changes nothing, and the table and selectors do only what the user meant.
#include "FileGrid.h"
#include "HeaderWriteBack.h"
#include "RecordLayout.h"
#include "RecordPanel.h"
#include "SampleRecord.h"
#include "TestSupport.h"
#include "Unit1.h"
#include "WindowFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace windowtest;
using testsupport::readFile;

namespace {

const QStringList CarriableControls = {"Edit3", "Edit9", "Edit4", "Edit5", "Edit6", "Edit7", "Edit8",
                                       "DateTimePicker1", "DateTimePicker3"};
const QStringList AlwaysReadControls = {"Edit1", "ComboBox1", "ComboBox2", "ComboBox3"};

PanelValues savedHeader()
{
    PanelValues v;
    v.edit1 = QStringLiteral("A. Sidorov");
    v.edit3 = QStringLiteral("SART-20");
    v.edit9 = QStringLiteral("No 12345");
    v.edit4 = QStringLiteral("MV Baltic Dawn");
    v.edit5 = QStringLiteral("Marine Radio");
    v.edit6 = QStringLiteral("Port street 1");
    v.edit7 = QStringLiteral("+7 812 000");
    v.edit8 = QStringLiteral("+7 812 001");
    v.comboBox1Index = 0;
    v.comboBox2Index = 0;
    v.comboBox3Index = 1;
    v.dateTimePicker1 = QDate(2027, 3, 5);
    v.dateTimePicker3 = QDate(2028, 6, 30);
    return v;
}

// A record of the given variant whose header was saved with savedHeader().
QByteArray savedRecord(int variant)
{
    return writeback::rewrite(sample::makeRecord(sample::variant(variant)), savedHeader());
}

bool carried(TForm1 &form, const QString &name)
{
    const QVariant p = child<QWidget>(&form, name)->property("carriedOver");
    if (!p.isValid())
        qFatal("%s has no carriedOver property", qPrintable(name));
    return p.toBool();
}

QStringList carriedControls(TForm1 &form)
{
    QStringList names;
    for (const QString &name : CarriableControls + AlwaysReadControls)
        if (carried(form, name))
            names.append(name);
    return names;
}

// Types at the end of an edit box as the user does.
void typeAtEnd(TForm1 &form, const QString &name, const QString &text)
{
    auto *edit = child<QLineEdit>(&form, name);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClicks(edit, text);
}

QString unsavedQuestion(const QString &record, const QString &action)
{
    return QStringLiteral("The record %1 has changes that are not saved.\n\nSave them before %2?").arg(record, action);
}

} // namespace

class TestCertificate : public WindowTestCase
{
    Q_OBJECT

private slots:
    void carriedOverValuesAreMarked();
    void importOverShownRecordMarksItsValues();
    void printAndWordAskAboutCarriedSartData_data();
    void printAndWordAskAboutCarriedSartData();
    void typedEditsAskBeforeTheyAreReplaced_data();
    void typedEditsAskBeforeTheyAreReplaced();
    void refusedSaveKeepsEverything();
    void deleteAnsweredNoKeepsTypedEdits();
    void failedDecodeChangesNothing_data();
    void failedDecodeChangesNothing();
    void failedModeChangePutsTheModeBack();
    void testingModeIsAutoOrManual();
    void keyReleaseWithoutPressInTheTable();
    void keyboardDismissedErrorStaysClosed();
    void headerRowClickDoesNothing();
    void textFieldsWithoutFill();
    void textBoxesHoldWhatTheirFieldHolds_data();
    void textBoxesHoldWhatTheirFieldHolds();
};

void TestCertificate::carriedOverValuesAreMarked()
{
    StartDirectory dir;
    dir.addFile("a.bin", savedRecord(0));
    dir.addRecord("b.bin", 1);
    dir.addRecord("c.bin", 2);
    auto form = startWindow();

    // c.bin as received, nothing shown before: the empty boxes are nobody's
    // data, the start dates are not the record's.
    QCOMPARE(carriedControls(*form), QStringList({"DateTimePicker1", "DateTimePicker3"}));
    QVERIFY2(child<QWidget>(form.get(), "DateTimePicker1")->toolTip().contains("before any record was shown"),
             qPrintable(child<QWidget>(form.get(), "DateTimePicker1")->toolTip()));

    clickRow(*form, 1);
    QCOMPARE(carriedControls(*form), QStringList());

    // b.bin as received keeps a.bin's SART, vessel and centre data, marked.
    clickRow(*form, 2);
    QCOMPARE(editText(*form, "Edit3"), QStringLiteral("SART-20"));
    QCOMPARE(carriedControls(*form), CarriableControls);
    auto *model = child<QLineEdit>(form.get(), "Edit3");
    QCOMPARE(model->toolTip(), QStringLiteral("Not read from the record b.bin: carried over from the record a.bin."));
    QVERIFY(model->palette().color(QPalette::Base) != child<QLineEdit>(form.get(), "Edit1")->palette().color(QPalette::Base));
    QCOMPARE(form->windowTitle(), QStringLiteral("SART TESTER SOFTWARE"));

    // Carried-over values alone never ask; they stay marked with their source.
    clickRow(*form, 3);
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
    QCOMPARE(carriedControls(*form), CarriableControls);
    QCOMPARE(model->toolTip(), QStringLiteral("Not read from the record c.bin: carried over from the record a.bin."));

    // Typing in a box takes its mark away; saving takes them all away.
    typeAtEnd(*form, "Edit4", " II");
    QCOMPARE(editText(*form, "Edit4"), QStringLiteral("MV Baltic Dawn II"));
    QVERIFY(!carried(*form, "Edit4"));
    QVERIFY(carried(*form, "Edit3"));
    QCOMPARE(form->windowTitle(), QStringLiteral("*SART TESTER SOFTWARE"));
    clickTool(*form, "ToolButton11");
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
    QCOMPARE(carriedControls(*form), QStringList());
    QCOMPARE(model->toolTip(), QString());
    QCOMPARE(form->windowTitle(), QStringLiteral("SART TESTER SOFTWARE"));
}

// A record imported over the file of the record shown is another SART's:
// the values read from the earlier record count as carried over.
void TestCertificate::importOverShownRecordMarksItsValues()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    dir.addFile("b.bin", savedRecord(1));
    QTemporaryDir elsewhere;
    const QString received = elsewhere.filePath("b.bin");
    testsupport::writeFile(received, sample::makeRecord(sample::variant(4)));
    auto form = startWindow();
    QCOMPARE(carriedControls(*form), QStringList());

    m_dialogs->chooseFile(received);
    m_dialogs->answer(QMessageBox::Yes);  // replace b.bin
    clickTool(*form, "ToolButton10");
    QCOMPARE(m_dialogs->takeSeen().size(), 2);
    QCOMPARE(shownPower(*form), powerOf(4));
    QCOMPARE(editText(*form, "Edit3"), QStringLiteral("SART-20"));
    QCOMPARE(carriedControls(*form), CarriableControls);
    QCOMPARE(child<QWidget>(form.get(), "Edit3")->toolTip(),
             QStringLiteral("Not read from the record b.bin: carried over from the record b.bin as it was "
                            "before it was replaced."));

    m_dialogs->answer(QMessageBox::No);
    clickTool(*form, "ToolButton13");
    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].objectName, QStringLiteral("CarriedOver"));
}

void TestCertificate::printAndWordAskAboutCarriedSartData_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("action");
    QTest::newRow("Print") << "ToolButton13" << "Print the certificate";
    QTest::newRow("Word") << "Word1" << "Export the certificate to Word";
}

void TestCertificate::printAndWordAskAboutCarriedSartData()
{
    QFETCH(QString, command);
    QFETCH(QString, action);
    StartDirectory dir;
    dir.addFile("a.bin", savedRecord(0));
    dir.addRecord("b.bin", 1);
    auto form = startWindow();
    clickRow(*form, 1);
    clickRow(*form, 2);
    auto run = [&] {
        if (command.startsWith(QLatin1String("ToolButton")))
            clickTool(*form, command);
        else
            windowtest::action(*form, command)->trigger();
    };

    // Not going on is the default, and nothing comes out.
    m_dialogs->answer(QMessageBox::No);
    run();
    QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].text, QStringLiteral("The record b.bin has no saved SART data of its own: SART Model, "
                                          "Manufacturer № and Vessel Name come from the record a.bin.\n\n"
                                          "%1 with these values all the same?")
                               .arg(action));
    QCOMPARE(seen[0].buttons, QStringList({"Yes", "No"}));
    QCOMPARE(seen[0].defaultButton, QStringLiteral("No"));

    // Typed over, a field is the record's own; the question names the rest.
    typeAtEnd(*form, "Edit3", "M");
    typeAtEnd(*form, "Edit9", "7");
    m_dialogs->answer(QMessageBox::No);
    run();
    seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 1);
    QVERIFY2(seen[0].text.contains(": Vessel Name comes from the record a.bin.\n"), qPrintable(seen[0].text));

    // Once saved, nothing is carried over: no question.
    clickTool(*form, "ToolButton11");
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
    if (command == QLatin1String("ToolButton13")) {
        m_dialogs->closeWindow("QPrintPreviewDialog");
        run();
        seen = m_dialogs->takeSeen();
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].kind, QStringLiteral("QPrintPreviewDialog"));
    }
}

void TestCertificate::typedEditsAskBeforeTheyAreReplaced_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("answer");

    const std::pair<const char *, const char *> entries[] = {
        {"mouse", "showing another record"},
        {"row chosen by the program", "showing another record"},
        {"keys", "showing another record"},
        {"go to", "showing another record"},
        {"open", "opening a record"},
        {"testing mode", "showing it in the other testing mode"},
        {"delete", "deleting its file"},
        {"close", "closing the program"},
    };
    const std::pair<const char *, QMessageBox::StandardButton> answers[] = {
        {"cancel", QMessageBox::Cancel}, {"discard", QMessageBox::Discard}, {"save", QMessageBox::Save}};
    for (const auto &[entry, action] : entries)
        for (const auto &[name, button] : answers)
            QTest::addRow("%s, %s", entry, name) << QString::fromLatin1(entry) << QString::fromLatin1(action)
                                                << int(button);
}

void TestCertificate::typedEditsAskBeforeTheyAreReplaced()
{
    QFETCH(QString, entry);
    QFETCH(QString, action);
    QFETCH(int, answer);
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    const QString b = dir.addRecord("b.bin", 1);
    QTemporaryDir elsewhere;
    const QString imported = elsewhere.filePath("x.bin");
    testsupport::writeFile(imported, sample::makeRecord(sample::variant(4)));
    auto form = startWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    auto *mode = child<QComboBox>(form.get(), "ComboBox4");

    typeAtEnd(*form, "Edit3", "TYPED");
    QCOMPARE(form->windowTitle(), QStringLiteral("*SART TESTER SOFTWARE"));

    const bool goOn = answer != QMessageBox::Cancel;
    if (entry == QLatin1String("go to"))
        m_dialogs->answerInput("1");
    if (entry == QLatin1String("delete"))
        m_dialogs->answer(QMessageBox::Yes);  // "DELETE FILE?" comes first
    m_dialogs->answer(QMessageBox::StandardButton(answer));
    if (goOn && entry == QLatin1String("open"))
        m_dialogs->chooseFile(imported);

    if (entry == QLatin1String("mouse")) {
        clickRow(*form, 1);
    } else if (entry == QLatin1String("row chosen by the program")) {
        form->chooseRow(1);
    } else if (entry == QLatin1String("keys")) {
        pressKey(*form, Qt::Key_Up);
    } else if (entry == QLatin1String("go to")) {
        windowtest::action(*form, "N4531")->trigger();
    } else if (entry == QLatin1String("open")) {
        clickTool(*form, "ToolButton10");
    } else if (entry == QLatin1String("testing mode")) {
        mode->setFocus();
        QTest::keyClick(mode, Qt::Key_Down);
    } else if (entry == QLatin1String("delete")) {
        windowtest::action(*form, "N131")->trigger();
    } else {
        form->close();
    }

    QList<SeenDialog> seen = m_dialogs->takeSeen();
    if (entry == QLatin1String("go to") || entry == QLatin1String("delete"))
        seen.removeFirst();  // the row number or the file question came first
    QVERIFY(!seen.isEmpty());
    QCOMPARE(seen[0].text, unsavedQuestion("b.bin", action));
    QCOMPARE(seen[0].defaultButton, QStringLiteral("Cancel"));
    QCOMPARE(seen.size(), 1 + int(goOn && entry == QLatin1String("open")));

    if (!goOn) {
        // Everything as it was: the typing, the row and its highlight, the
        // record shown, the mode, the file and the window.
        QCOMPARE(editText(*form, "Edit3"), QStringLiteral("TYPED"));
        QCOMPARE(form->windowTitle(), QStringLiteral("*SART TESTER SOFTWARE"));
        QCOMPARE(form->navigation().CurrentRow, 2);
        QCOMPARE(highlightedRows(*form), QList<int>{2});
        QCOMPARE(form->navigation().shownPath(), b);
        QCOMPARE(shownPower(*form), powerOf(1));
        QCOMPARE(mode->currentText(), QStringLiteral("Auto"));
        QCOMPARE(listedNames(*form), QStringList({"a.bin", "b.bin"}));
        QVERIFY(form->isVisible());
        QCOMPARE(readFile(b), sample::makeRecord(sample::variant(1)));
        return;
    }

    QCOMPARE(form->windowTitle(), QStringLiteral("SART TESTER SOFTWARE"));
    if (entry == QLatin1String("mouse") || entry == QLatin1String("keys") || entry == QLatin1String("go to")
        || entry == QLatin1String("row chosen by the program")) {
        QCOMPARE(form->navigation().CurrentRow, 1);
        QCOMPARE(highlightedRows(*form), QList<int>{1});
        QCOMPARE(shownPower(*form), powerOf(0));
    } else if (entry == QLatin1String("open")) {
        QCOMPARE(shownPower(*form), powerOf(4));
    } else if (entry == QLatin1String("testing mode")) {
        QCOMPARE(mode->currentText(), QStringLiteral("Manual"));
        QCOMPARE(shownPower(*form), QString::number(sample::variant(1).manual.powerMw));
    } else if (entry == QLatin1String("delete")) {
        QVERIFY(!QFile::exists(b));
        return;
    } else {
        QVERIFY(!form->isVisible());
    }
    if (answer == QMessageBox::Save)
        QCOMPARE(readFile(b).mid(layout::SartModel, 5), QByteArray("TYPED"));
    else
        QCOMPARE(readFile(b), sample::makeRecord(sample::variant(1)));
}

void TestCertificate::refusedSaveKeepsEverything()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    const QString b = dir.addRecord("b.bin", 1);
    QVERIFY(::chmod(QFile::encodeName(b).constData(), 0444) == 0);
    auto form = startWindow();
    typeAtEnd(*form, "Edit3", "TYPED");

    m_dialogs->answer(QMessageBox::Save);
    clickRow(*form, 1);
    QCOMPARE(m_dialogs->takeErrors(), QStringList{b + ": File access denied."});
    QCOMPARE(editText(*form, "Edit3"), QStringLiteral("TYPED"));
    QCOMPARE(form->windowTitle(), QStringLiteral("*SART TESTER SOFTWARE"));
    QCOMPARE(form->navigation().CurrentRow, 2);
    QCOMPARE(highlightedRows(*form), QList<int>{2});
    QCOMPARE(shownPower(*form), powerOf(1));
    QCOMPARE(readFile(b), sample::makeRecord(sample::variant(1)));
}

// Delete asks about the file first: No keeps the file and the typing, and
// the question about typed changes never comes.
void TestCertificate::deleteAnsweredNoKeepsTypedEdits()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    const QString b = dir.addRecord("b.bin", 1);
    auto form = startWindow();
    typeAtEnd(*form, "Edit3", "TYPED");
    const QString typed = editText(*form, "Edit3");

    m_dialogs->answer(QMessageBox::No);
    windowtest::action(*form, "N131")->trigger();
    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].text, QStringLiteral("DELETE FILE?\n\nb.bin"));
    QVERIFY(QFileInfo::exists(b));
    QCOMPARE(editText(*form, "Edit3"), typed);
    QCOMPARE(form->windowTitle(), QStringLiteral("*SART TESTER SOFTWARE"));
}

void TestCertificate::failedDecodeChangesNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("error");
    QTest::newRow("next testing date month 13") << "click row 3" << "Invalid argument to date encode.";
    QTest::newRow("record too short") << "click row 4" << "d.bin: Read beyond end of file.";
    QTest::newRow("Go to past the list") << "go to 500" << "'' is not a valid date.";
    QTest::newRow("Go to 0") << "go to 0" << "'Testing date' is not a valid date.";
    QTest::newRow("down onto the blank row") << "down" << "'' is not a valid date.";
}

void TestCertificate::failedDecodeChangesNothing()
{
    QFETCH(QString, how);
    QFETCH(QString, error);
    StartDirectory dir;
    dir.addFile("a.bin", savedRecord(0));
    dir.addRecord("b.bin", 1);
    QByteArray broken = savedRecord(2);
    broken.replace(layout::NextTestDate, 8, "01132030");
    dir.addFile("c.bin", broken);
    dir.addFile("d.bin", sample::makeRecord(sample::variant(3)).left(4000));
    dir.addRecord("e.bin", 4);
    auto form = startWindow();
    m_dialogs->takeSeen();  // the warning about d.bin
    // A received record with a.bin's data carried over; for the arrow key
    // the last listed one.
    clickRow(*form, how == QLatin1String("down") ? 5 : 2);
    QCOMPARE(m_dialogs->takeErrors(), QStringList());
    const PanelValues before = form->recordPanel()->values();
    const QStringList carriedBefore = carriedControls(*form);
    const QString shownBefore = form->navigation().shownPath();

    if (how.startsWith(QLatin1String("click row")))
        clickRow(*form, how.back().digitValue());
    else if (how.startsWith(QLatin1String("go to"))) {
        m_dialogs->answerInput(how.mid(6));
        action(*form, "N4531")->trigger();
    } else {
        pressKey(*form, Qt::Key_Down);
    }
    const QStringList errors = m_dialogs->takeErrors();
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0] == error || errors[0].endsWith(u'/' + error), qPrintable(errors[0]));

    const PanelValues after = form->recordPanel()->values();
    for (const auto &[name, a, b] : {std::tuple{"Label8", before.label8, after.label8},
                                    {"Label11", before.label11, after.label11},
                                    {"Label12", before.label12, after.label12},
                                    {"Label13", before.label13, after.label13},
                                    {"Label14", before.label14, after.label14},
                                    {"Label15", before.label15, after.label15},
                                    {"Label16", before.label16, after.label16},
                                    {"Edit1", before.edit1, after.edit1},
                                    {"Edit2", before.edit2, after.edit2},
                                    {"Edit3", before.edit3, after.edit3},
                                    {"Edit4", before.edit4, after.edit4},
                                    {"Edit9", before.edit9, after.edit9},
                                    {"ComboBox1", before.comboBox1Text, after.comboBox1Text}})
        QVERIFY2(a == b, name);
    QCOMPARE(after.comboBox2Index, before.comboBox2Index);
    QCOMPARE(after.comboBox3Index, before.comboBox3Index);
    QCOMPARE(after.dateTimePicker1, before.dateTimePicker1);
    QCOMPARE(after.dateTimePicker2, before.dateTimePicker2);
    QCOMPARE(after.dateTimePicker3, before.dateTimePicker3);
    QCOMPARE(carriedControls(*form), carriedBefore);
    QCOMPARE(form->navigation().shownPath(), shownBefore);
    QCOMPARE(form->windowTitle(), QStringLiteral("SART TESTER SOFTWARE"));
}

void TestCertificate::failedModeChangePutsTheModeBack()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    const QString b = dir.addRecord("b.bin", 1);
    auto form = startWindow();
    const PanelValues before = form->recordPanel()->values();
    QVERIFY(QFile::remove(b));  // gone behind the program's back

    auto *mode = child<QComboBox>(form.get(), "ComboBox4");
    QTest::keyClick(mode, Qt::Key_Down);
    QCOMPARE(m_dialogs->takeErrors(), QStringList{b + ": File not found."});
    QCOMPARE(mode->currentText(), QStringLiteral("Auto"));
    QCOMPARE(shownPower(*form), before.label12);
    QCOMPARE(form->recordPanel()->values().comboBox4Text, QStringLiteral("Auto"));
}

void TestCertificate::testingModeIsAutoOrManual()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    auto form = startWindow();
    auto *mode = child<QComboBox>(form.get(), "ComboBox4");
    QVERIFY(!mode->isEditable());
    QCOMPARE(mode->count(), 2);

    // Typing picks an item, never a text of its own.
    QTest::keyClicks(mode, "M");
    QCOMPARE(mode->currentText(), QStringLiteral("Manual"));
    QCOMPARE(shownPower(*form), QString::number(sample::variant(0).manual.powerMw));
    QVERIFY(labelText(*form, "Label15") != QLatin1String("BAD"));
    QTest::keyClicks(mode, "xyz");
    QCOMPARE(mode->currentText(), QStringLiteral("Manual"));

    // Choosing the mode already shown runs nothing: the typing stays.
    setEdit(*form, "Edit1", "typed");
    QTest::keyClicks(mode, "M");
    emit mode->activated(1);
    QCOMPARE(editText(*form, "Edit1"), QStringLiteral("typed"));
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
}

void TestCertificate::keyReleaseWithoutPressInTheTable()
{
    StartDirectory dir;
    for (int i = 0; i < 3; ++i)
        dir.addRecord(QStringLiteral("%1.bin").arg(char('a' + i)), i);
    auto form = startWindow();
    pressKey(*form, Qt::Key_Down);
    QCOMPARE(m_dialogs->takeErrors(), QStringList{"'' is not a valid date."});

    // The Enter or Escape that closes a message box is released in the table.
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Space})
        QTest::sendKeyEvent(QTest::Release, form->grid(), key, QString(), Qt::NoModifier);
    QCOMPARE(m_dialogs->takeSeen().size(), 0);

    // A key pressed in the table still chooses.
    pressKey(*form, Qt::Key_Up);
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
    QCOMPARE(form->navigation().CurrentRow, 3);
    QCOMPARE(shownPower(*form), powerOf(2));
}

void TestCertificate::keyboardDismissedErrorStaysClosed()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    auto form = startWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    m_dialogs->setPaused(true);

    // Each box is closed with the keyboard: the press goes to the box, the
    // release to the table, which has the focus again.
    int boxes = 0;
    QTimer keyboard;
    connect(&keyboard, &QTimer::timeout, &keyboard, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || boxes > 5)
            return;
        ++boxes;
        QTest::sendKeyEvent(QTest::Press, box, Qt::Key_Return, QString(), Qt::NoModifier);
        QTimer::singleShot(0, form.get(), [&] {
            QTest::sendKeyEvent(QTest::Release, form->grid(), Qt::Key_Return, QString(), Qt::NoModifier);
        });
    });
    keyboard.start(5);
    pressKey(*form, Qt::Key_Down);
    QTest::qWait(200);
    keyboard.stop();
    m_dialogs->setPaused(false);
    QCOMPARE(boxes, 1);
}

void TestCertificate::headerRowClickDoesNothing()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    dir.addRecord("b.bin", 1);
    auto form = startWindow();
    setEdit(*form, "Edit1", "typed");

    clickRow(*form, 0);
    clickRow(*form, 0, Qt::RightButton);
    QTest::qWait(20);
    QVERIFY(!child<QMenu>(form.get(), "PopupMenu1")->isVisible());
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
    QCOMPARE(form->navigation().CurrentRow, 2);
    QCOMPARE(highlightedRows(*form), QList<int>{2});
    QCOMPARE(editText(*form, "Edit1"), QStringLiteral("typed"));
}

void TestCertificate::textFieldsWithoutFill()
{
    StartDirectory dir;
    const QString a = dir.addFile("a.bin", savedRecord(0));
    auto form = startWindow();
    QCOMPARE(editText(*form, "Edit4"), QStringLiteral("MV Baltic Dawn"));
    QCOMPARE(editText(*form, "Edit1"), QStringLiteral("A. Sidorov"));

    // Saving what was read gives the same bytes.
    clickTool(*form, "ToolButton11");
    QCOMPARE(readFile(a), savedRecord(0));

    typeAtEnd(*form, "Edit4", " II");
    QCOMPARE(editText(*form, "Edit4"), QStringLiteral("MV Baltic Dawn II"));
    clickTool(*form, "ToolButton11");
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
    QCOMPARE(readFile(a).mid(layout::VesselName, 20), QByteArray("MV Baltic Dawn II   "));
}

void TestCertificate::textBoxesHoldWhatTheirFieldHolds_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("width");
    QTest::newRow("radio engineer") << "Edit1" << layout::RadioEngineer << layout::RadioEngineerWidth;
    const std::pair<const char *, int> fields[] = {
        {"Edit3", layout::SartModel},  {"Edit9", layout::ManufacturerNo}, {"Edit4", layout::VesselName},
        {"Edit5", layout::CentreName}, {"Edit6", layout::CentreAddress},  {"Edit7", layout::CentreTel},
        {"Edit8", layout::CentreFax}};
    for (const auto &[name, offset] : fields)
        QTest::newRow(name) << QString::fromLatin1(name) << offset << layout::TextFieldWidth;
}

void TestCertificate::textBoxesHoldWhatTheirFieldHolds()
{
    QFETCH(QString, name);
    QFETCH(int, offset);
    QFETCH(int, width);
    StartDirectory dir;
    const QString a = dir.addRecord("a.bin", 0);
    auto form = startWindow();
    auto *edit = child<QLineEdit>(form.get(), name);
    QCOMPARE(edit->maxLength(), width);

    const QByteArray typed = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    edit->clear();
    typeAtEnd(*form, name, QString::fromLatin1(typed));
    QCOMPARE(edit->text(), QString::fromLatin1(typed.left(width)));
    clickTool(*form, "ToolButton11");
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
    QCOMPARE(readFile(a).mid(offset, width), typed.left(width));
}

QTEST_MAIN(TestCertificate)
#include "tst_certificate.moc"

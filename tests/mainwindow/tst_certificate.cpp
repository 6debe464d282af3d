// What keeps a certificate honest, through the real main window: values a
// record did not bring are marked and questioned before printing and saving,
// typed changes are never dropped without a question, a record that cannot be
// shown changes nothing, the record shown is named and stays real, and the
// table and selectors do only what the user meant.
#include "FileGrid.h"
#include "HeaderWriteBack.h"
#include "LibreOfficeWriter.h"
#include "Marks.h"
#include "RecordLayout.h"
#include "RecordPanel.h"
#include "SampleRecord.h"
#include "TestSupport.h"
#include "Unit1.h"
#include "WindowFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

#include <sys/stat.h>

using namespace windowtest;
using testsupport::readFile;

namespace {

const QStringList CarriableControls = {"Edit3", "Edit9", "Edit4", "Edit5", "Edit6", "Edit7", "Edit8",
                                       "DateTimePicker1", "DateTimePicker3"};
const QStringList AlwaysReadControls = {"Edit1", "ComboBox1", "ComboBox2", "ComboBox3"};

RecordHeader savedHeader()
{
    RecordHeader v;
    v.radioEngineer = QStringLiteral("A. Sidorov");
    v.sartModel = QStringLiteral("SART-20");
    v.manufacturerNo = QStringLiteral("No 12345");
    v.vessel = QStringLiteral("MV Baltic Dawn");
    v.centreName = QStringLiteral("Marine Radio");
    v.centreAddress = QStringLiteral("Port street 1");
    v.centreTel = QStringLiteral("+7 812 000");
    v.centreFax = QStringLiteral("+7 812 001");
    v.standByIndex = 0;
    v.ledIndex = 0;
    v.beeperIndex = 1;
    v.nextTestDate = QDate(2027, 3, 5);
    v.batteryDate = QDate(2028, 6, 30);
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

QString title(const QString &record) { return record + QStringLiteral(" - SART TESTER SOFTWARE"); }

// A header with every answer "YES" and the battery in date: a record saved
// with it keeps every limit when its measured values do.
RecordHeader honestHeader()
{
    RecordHeader v = savedHeader();
    v.beeperIndex = 0;
    return v;
}

// A record of the given variant, 399 mW when `weak`, saved with
// honestHeader() or as received.
QByteArray testRecord(int variant, bool weak, bool saved)
{
    sample::Params params = sample::variant(variant);
    if (weak)
        params.automatic.powerMw = 399;
    const QByteArray bytes = sample::makeRecord(params);
    return saved ? writeback::rewrite(bytes, honestHeader()) : bytes;
}

// Runs a command as the user does: a tool button, a menu item, or keys
// pressed in the edit box of the radio engineer.
void run(TForm1 &form, const QString &command)
{
    if (command.startsWith(QLatin1String("ToolButton"))) {
        clickTool(form, command);
    } else if (command.startsWith(QLatin1String("Ctrl+"))) {
        if (!QTest::qWaitForWindowActive(&form))
            qWarning("main window not active");
        auto *edit = child<QLineEdit>(&form, "Edit1");
        edit->setFocus();
        QTest::keyClick(edit, command.back().toLatin1(), Qt::ControlModifier);
    } else {
        windowtest::action(form, command)->trigger();
    }
}

// The office here cannot show a window: an export answered Yes ends in its
// error box, and nothing is started.
bool officeWithoutWindow()
{
    const QFileInfo office(LibreOfficeOptions::defaults().office.officeProgram);
    return office.exists() && office.dir().entryList({"libvclplug_*"}).isEmpty();
}

} // namespace

class TestCertificate : public WindowTestCase
{
    Q_OBJECT

private slots:
    void carriedOverValuesAreMarked();
    void importOverShownRecordMarksItsValues();
    void conclusionIsMarkedUntilChosen();
    void certificateAsksOnce_data();
    void certificateAsksOnce();
    void saveAsksAboutCarriedSartData_data();
    void saveAsksAboutCarriedSartData();
    void recordShownIsNamedAndStaysReal_data();
    void recordShownIsNamedAndStaysReal();
    void typingAfterFailedRowChoiceIsSaved();
    void atSignIsRefused_data();
    void atSignIsRefused();
    void typedEditsAskBeforeTheyAreReplaced_data();
    void typedEditsAskBeforeTheyAreReplaced();
    void refusedSaveKeepsEverything_data();
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
    QCOMPARE(form->windowTitle(), title("b.bin"));

    // Carried-over values alone never ask; they stay marked with their source.
    clickRow(*form, 3);
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
    QCOMPARE(carriedControls(*form), CarriableControls);
    QCOMPARE(model->toolTip(), QStringLiteral("Not read from the record c.bin: carried over from the record a.bin."));

    // Typing in a box takes its mark away; saving (asked about the SART
    // model and number still carried over) takes them all away.
    typeAtEnd(*form, "Edit4", " II");
    QCOMPARE(editText(*form, "Edit4"), QStringLiteral("MV Baltic Dawn II"));
    QVERIFY(!carried(*form, "Edit4"));
    QVERIFY(carried(*form, "Edit3"));
    QCOMPARE(form->windowTitle(), u'*' + title("c.bin"));
    m_dialogs->answer(QMessageBox::Yes);
    clickTool(*form, "ToolButton11");
    QCOMPARE(m_dialogs->takeSeen().size(), 1);
    QCOMPARE(carriedControls(*form), QStringList());
    QCOMPARE(model->toolTip(), QString());
    QCOMPARE(form->windowTitle(), title("c.bin"));
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

    // Print names them before anything goes out (the check before a certificate).
    m_dialogs->answer(QMessageBox::Cancel);
    clickTool(*form, "ToolButton13");
    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].objectName, QStringLiteral("CertificateCheckQuestion"));
    QVERIFY2(seen[0].text.contains("SART Model \"SART-20\" is carried over from the record b.bin as it was before it "
                                   "was replaced"),
             qPrintable(seen[0].text));
}

// The conclusion is the user's for the record shown: carried over to the next
// record it is marked as the header values are, until it is chosen again;
// choosing the item already there counts.
void TestCertificate::conclusionIsMarkedUntilChosen()
{
    StartDirectory dir;
    dir.addFile("a.bin", testRecord(0, false, true));
    dir.addFile("b.bin", testRecord(1, false, true));
    auto form = startWindow();
    auto *conclusions = child<QComboBox>(form.get(), "ComboBox5");
    QVERIFY(conclusions->property("carriedOver").toBool());
    QCOMPARE(conclusions->toolTip(), QStringLiteral("Not chosen for the record b.bin: this conclusion was in the "
                                                    "panel before any record was shown."));
    QCOMPARE(conclusions->palette().color(QPalette::Base), CarriedBackground);

    chooseConclusion(*form, 0);
    QVERIFY(!conclusions->property("carriedOver").toBool());
    QCOMPARE(conclusions->toolTip(), QString());

    clickRow(*form, 1);
    QVERIFY(conclusions->property("carriedOver").toBool());
    QCOMPARE(conclusions->toolTip(), QStringLiteral("Not chosen for the record a.bin: carried over from the record b.bin."));

    // Typed, or shown in the other testing mode: the record's own again.
    conclusions->setFocus();
    QTest::keyClick(conclusions, Qt::Key_Down);
    QCOMPARE(conclusions->currentText(), QStringLiteral("SART FAILED TESTS"));
    QVERIFY(!conclusions->property("carriedOver").toBool());
    QTest::keyClick(child<QComboBox>(form.get(), "ComboBox4"), Qt::Key_Down);
    QCOMPARE(shownPower(*form), QString::number(sample::variant(0).manual.powerMw));
    QVERIFY(!conclusions->property("carriedOver").toBool());
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
}

void TestCertificate::certificateAsksOnce_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("carriedVerdict"); // chosen for a.bin only
    QTest::addColumn<bool>("weak");          // b.bin has 399 mW
    QTest::addColumn<bool>("yes");

    const std::tuple<const char *, const char *, const char *> commands[] = {
        {"Print", "ToolButton13", "Print the certificate"},
        {"Print menu", "Print2", "Print the certificate"},
        {"PDF", "Pdf1", "Save the certificate as PDF"},
        {"Word", "Word1", "Export the certificate to Word"},
    };
    // SART data carried over is the check's before a certificate
    // (tst_certifying): nothing goes out with it, Yes or not.
    const std::tuple<const char *, bool, bool> reasons[] = {
        {"conclusion carried over", true, false},
        {"PASSED with a value outside the limits", false, true},
        {"both", true, true},
    };
    for (const auto &[name, command, action] : commands)
        for (const auto &[reason, verdict, weak] : reasons)
            for (bool yes : {false, true})
                QTest::addRow("%s, %s, %s", name, reason, yes ? "Yes" : "No")
                    << QString::fromLatin1(command) << QString::fromLatin1(action) << verdict << weak << yes;
}

// Print, PDF and Word ask once, naming every reason; No (the default) stops
// the command, Yes lets it go on.
void TestCertificate::certificateAsksOnce()
{
    QFETCH(QString, command);
    QFETCH(QString, action);
    QFETCH(bool, carriedVerdict);
    QFETCH(bool, weak);
    QFETCH(bool, yes);
    if (command == QLatin1String("Word1") && yes && !officeWithoutWindow())
        QSKIP("an export answered Yes would start the office installed here");
    StartDirectory dir;
    dir.addFile("a.bin", testRecord(0, false, true));
    dir.addFile("b.bin", testRecord(1, weak, true));
    auto form = startWindow();
    clickRow(*form, 1);
    chooseConclusion(*form, 0);
    clickRow(*form, 2);
    if (!carriedVerdict)
        chooseConclusion(*form, 0);
    QCOMPARE(m_dialogs->takeSeen().size(), 0);

    QStringList reasons;
    if (carriedVerdict)
        reasons << "The conclusion \"SART PASSED TESTS\" was not chosen for the record b.bin: it is carried over "
                   "from the record a.bin.";
    if (weak)
        reasons << "The certificate says \"SART PASSED TESTS\", but 1 value of the record b.bin is outside the "
                   "limits of the SART standard:\n- Emitted power 399 mW (limit: at least 400 mW)";

    m_dialogs->answer(yes ? QMessageBox::Yes : QMessageBox::No);
    if (yes && command == QLatin1String("Pdf1"))
        m_dialogs->cancelFile();
    const bool print = command == QLatin1String("ToolButton13") || command == QLatin1String("Print2");
    if (yes && print)
        m_dialogs->closeWindow("QPrintPreviewDialog");
    run(*form, command);
    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QVERIFY(!seen.isEmpty());
    QCOMPARE(seen[0].objectName, QStringLiteral("CertificateQuestion"));
    QCOMPARE(seen[0].text, reasons.join("\n\n") + "\n\n" + action + " with these values all the same?");
    QCOMPARE(seen[0].buttons, QStringList({"Yes", "No"}));
    QCOMPARE(seen[0].defaultButton, QStringLiteral("No"));
    if (!yes) {
        QCOMPARE(seen.size(), 1);
        return;
    }
    // Yes: the preview, the PDF's file dialog or the export (which here
    // meets an office without a window).
    QCOMPARE(seen.size(), 2);
    if (command == QLatin1String("Pdf1"))
        QCOMPARE(seen[1].objectName, QStringLiteral("PdfDialog1"));
    else if (print)
        QCOMPARE(seen[1].kind, QStringLiteral("QPrintPreviewDialog"));
    else
        QCOMPARE(seen[1].text, QString::fromUtf8(NeedsWindowText));
}

void TestCertificate::saveAsksAboutCarriedSartData_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("yes");
    for (const char *entry : {"ToolButton11", "Savechanges1", "Ctrl+A", "Ctrl+S", "unsaved changes question"})
        for (bool yes : {false, true})
            QTest::addRow("%s, %s", entry, yes ? "Yes" : "No") << QString::fromLatin1(entry) << yes;
}

// Every way of saving asks before another SART's model, number or vessel go
// into this record's file; No writes nothing and keeps the typing.
void TestCertificate::saveAsksAboutCarriedSartData()
{
    QFETCH(QString, entry);
    QFETCH(bool, yes);
    StartDirectory dir;
    dir.addFile("a.bin", testRecord(0, false, true));
    const QString b = dir.addFile("b.bin", testRecord(1, false, false));
    auto form = startWindow();
    clickRow(*form, 1);
    clickRow(*form, 2);
    typeAtEnd(*form, "Edit1", " JR");
    QCOMPARE(m_dialogs->takeSeen().size(), 0);

    const bool question = entry == QLatin1String("unsaved changes question");
    if (question)
        m_dialogs->answer(QMessageBox::Save);
    m_dialogs->answer(yes ? QMessageBox::Yes : QMessageBox::No);
    if (question)
        clickRow(*form, 1);
    else
        run(*form, entry);

    QList<SeenDialog> seen = m_dialogs->takeSeen();
    if (question)
        QCOMPARE(seen.takeFirst().text, unsavedQuestion("b.bin", "showing another record"));
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].objectName, QStringLiteral("SaveQuestion"));
    // Every value carried over is named, the dates and the service centre too.
    QCOMPARE(seen[0].text, QStringLiteral("The record b.bin has no saved header of its own: SART Model, "
                                          "Manufacturer №, Vessel Name, Next testing date, Battery replacement date, "
                                          "Service center Name, Service center Address, Service center Tel and "
                                          "Service center Fax come from the record a.bin.\n\n"
                                          "Save changes into the record b.bin with these values all the same?"));
    QCOMPARE(seen[0].defaultButton, QStringLiteral("No"));

    if (yes) {
        const QByteArray saved = readFile(b);
        QCOMPARE(saved.mid(layout::SartModel, 7), QByteArray("SART-20"));
        QCOMPARE(saved.mid(layout::RadioEngineer, engineerOf(1).size() + 3), (engineerOf(1) + " JR").toLatin1());
        QCOMPARE(shownPower(*form), question ? powerOf(0) : powerOf(1));
        return;
    }
    // No: nothing written, nothing shown instead, the typing kept.
    QCOMPARE(readFile(b), testRecord(1, false, false));
    QCOMPARE(form->navigation().CurrentRow, 2);
    QCOMPARE(highlightedRows(*form), QList<int>{2});
    QCOMPARE(shownPower(*form), powerOf(1));
    QCOMPARE(editText(*form, "Edit1"), engineerOf(1) + " JR");
    QCOMPARE(form->windowTitle(), u'*' + title("b.bin"));

    // A conclusion carried over and a value outside the limits are no
    // business of Save changes: it asks about none of them.
    if (entry == QLatin1String("ToolButton11")) {
        const QString c = dir.addFile("c.bin", testRecord(2, true, true));
        m_dialogs->answer(QMessageBox::Discard);
        action(*form, "Rescan1")->trigger();
        clickRow(*form, 3);
        QCOMPARE(m_dialogs->takeSeen().size(), 1);
        QVERIFY(child<QWidget>(form.get(), "ComboBox5")->property("carriedOver").toBool());
        QVERIFY(child<QWidget>(form.get(), "Label12")->property("outsideLimit").toBool());
        typeAtEnd(*form, "Edit1", " JR");
        run(*form, entry);
        QCOMPARE(m_dialogs->takeSeen().size(), 0);
        QCOMPARE(readFile(c).mid(layout::RadioEngineer, 13), QByteArray("A. Sidorov JR"));
    }
}

void TestCertificate::recordShownIsNamedAndStaysReal_data()
{
    QTest::addColumn<bool>("byDelete");
    QTest::newRow("deleted with Delete") << true;
    QTest::newRow("removed by another program") << false;
}

// The title names the record shown. When its file goes, the panel says so and
// nothing is saved or certified from it; another record is shown as usual.
void TestCertificate::recordShownIsNamedAndStaysReal()
{
    QFETCH(bool, byDelete);
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    const QString b = dir.addRecord("b.bin", 1);
    auto form = startWindow();
    auto *gone = child<QLabel>(form.get(), "RecordGoneLine");
    QCOMPARE(form->windowTitle(), title("b.bin"));
    QVERIFY(!gone->isVisible());
    typeAtEnd(*form, "Edit3", "TYPED");
    QCOMPARE(form->windowTitle(), u'*' + title("b.bin"));

    if (byDelete) {
        m_dialogs->answer(QMessageBox::Yes);
        m_dialogs->answer(QMessageBox::Discard);
        action(*form, "N131")->trigger();
        QCOMPARE(m_dialogs->takeSeen().size(), 2);
        QVERIFY(gone->isVisible());
    } else {
        QVERIFY(QFile::remove(b));
        action(*form, "Rescan1")->trigger();
        QVERIFY(gone->isVisible());
    }
    QVERIFY(!QFile::exists(b));

    const std::pair<const char *, const char *> commands[] = {
        {"ToolButton11", "save"}, {"Savechanges1", "save"}, {"ToolButton13", "print"},
        {"Pdf1", "save as PDF"}, {"Word1", "export"}};
    for (const auto &[command, action] : commands) {
        run(*form, QString::fromLatin1(command));
        QCOMPARE(m_dialogs->takeErrors(),
                 QStringList{QStringLiteral("The file of the record b.bin no longer exists (deleted or moved): "
                                            "there is nothing to %1.")
                                 .arg(QString::fromLatin1(action))});
    }
    QVERIFY(gone->isVisible());
    QCOMPARE(gone->text(),
             QStringLiteral("The file of the record b.bin no longer exists: nothing can be saved or certified from it."));
    QVERIFY(form->windowTitle().endsWith(title("b.bin")));
    QCOMPARE(form->navigation().table().rowOfFile("a.bin"), 1);

    if (!byDelete)
        m_dialogs->answer(QMessageBox::Discard);  // the typing for the file that went
    clickRow(*form, 1);
    QCOMPARE(m_dialogs->takeSeen().size(), byDelete ? 0 : 1);
    QCOMPARE(shownPower(*form), powerOf(0));
    QCOMPARE(form->windowTitle(), title("a.bin"));
    QVERIFY(!gone->isVisible());
}

// A row choice that fails leaves the record shown; what is typed for it then
// is saved into it, from Save changes and from the question before the next
// row choice.
void TestCertificate::typingAfterFailedRowChoiceIsSaved()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    const QString broken = dir.addFile("b.bin", sample::makeRecord(sample::variant(1)).left(3000));
    const QString c = dir.addRecord("c.bin", 2);
    auto form = startWindow();
    m_dialogs->takeSeen();  // the warning about b.bin
    clickRow(*form, 2);
    QCOMPARE(m_dialogs->takeErrors(), QStringList{broken + ": Read beyond end of file."});
    QCOMPARE(form->navigation().shownPath(), c);
    QCOMPARE(form->windowTitle(), title("c.bin"));

    typeAtEnd(*form, "Edit3", "FIRST");
    clickTool(*form, "ToolButton11");
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
    QCOMPARE(readFile(c).mid(layout::SartModel, 5), QByteArray("FIRST"));
    QCOMPARE(readFile(broken), sample::makeRecord(sample::variant(1)).left(3000));

    // The row of the record shown, chosen again: Save goes on to show it.
    typeAtEnd(*form, "Edit3", "2");
    m_dialogs->answer(QMessageBox::Save);
    clickRow(*form, 3);
    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].text, unsavedQuestion("c.bin", "showing another record"));
    QCOMPARE(readFile(c).mid(layout::SartModel, 6), QByteArray("FIRST2"));
    QCOMPARE(form->navigation().CurrentRow, 3);
    QCOMPARE(editText(*form, "Edit3"), QStringLiteral("FIRST2"));
    QCOMPARE(form->windowTitle(), title("c.bin"));
}

void TestCertificate::atSignIsRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("offset");
    QTest::newRow("radio engineer") << "Edit1" << layout::RadioEngineer;
    const std::pair<const char *, int> fields[] = {
        {"Edit3", layout::SartModel},  {"Edit9", layout::ManufacturerNo}, {"Edit4", layout::VesselName},
        {"Edit5", layout::CentreName}, {"Edit6", layout::CentreAddress},  {"Edit7", layout::CentreTel},
        {"Edit8", layout::CentreFax}};
    for (const auto &[name, offset] : fields)
        QTest::newRow(name) << QString::fromLatin1(name) << offset;
}

// "@" ends a text in the record file: a header box takes it neither typed
// nor pasted, says why, and what it holds is saved whole.
void TestCertificate::atSignIsRefused()
{
    QFETCH(QString, name);
    QFETCH(int, offset);
    StartDirectory dir;
    const QString a = dir.addRecord("a.bin", 0);
    auto form = startWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    auto *edit = child<QLineEdit>(form.get(), name);
    edit->clear();
    QToolTip::hideText();

    typeAtEnd(*form, name, "AB@CD");
    QCOMPARE(edit->text(), QStringLiteral("ABCD"));
    QTRY_VERIFY(QToolTip::isVisible());
    QVERIFY2(QToolTip::text().startsWith("\"@\" cannot be typed or pasted here"), qPrintable(QToolTip::text()));
    QToolTip::hideText();

    QGuiApplication::clipboard()->setText("E@F");
    edit->paste();
    QCOMPARE(edit->text(), QStringLiteral("ABCD"));
    QTRY_VERIFY(QToolTip::isVisible());
    QGuiApplication::clipboard()->setText("EF");
    edit->paste();
    QCOMPARE(edit->text(), QStringLiteral("ABCDEF"));

    clickTool(*form, "ToolButton11");
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
    QCOMPARE(readFile(a).mid(offset, 6), QByteArray("ABCDEF"));
    QToolTip::hideText();
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
    QCOMPARE(form->windowTitle(), u'*' + title("b.bin"));

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
        QCOMPARE(form->windowTitle(), u'*' + title("b.bin"));
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

    QVERIFY2(!form->windowTitle().startsWith(u'*'), qPrintable(form->windowTitle()));
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

// Either button: the user stays with the record and its typing, and a right
// click brings no pop-up for a row that was not chosen.
void TestCertificate::refusedSaveKeepsEverything_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("left click") << Qt::LeftButton;
    QTest::newRow("right click") << Qt::RightButton;
}

void TestCertificate::refusedSaveKeepsEverything()
{
    QFETCH(Qt::MouseButton, button);
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    const QString b = dir.addRecord("b.bin", 1);
    QVERIFY(::chmod(QFile::encodeName(b).constData(), 0444) == 0);
    auto form = startWindow();
    typeAtEnd(*form, "Edit3", "TYPED");

    m_dialogs->answer(QMessageBox::Save);
    clickRow(*form, 1, button);
    QCOMPARE(m_dialogs->takeErrors(), QStringList{b + ": File access denied."});
    QTest::qWait(20);
    QVERIFY(!child<QMenu>(form.get(), "PopupMenu1")->isVisible());
    QCOMPARE(editText(*form, "Edit3"), QStringLiteral("TYPED"));
    QCOMPARE(form->windowTitle(), u'*' + title("b.bin"));
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
    QCOMPARE(form->windowTitle(), u'*' + title("b.bin"));
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
    const RecordHeader before = form->recordPanel()->values();
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

    const RecordHeader after = form->recordPanel()->values();
    for (const auto &[name, a, b] : {std::tuple{"Label8", before.frequencyHigh, after.frequencyHigh},
                                    {"Label11", before.frequencyLow, after.frequencyLow},
                                    {"Label12", before.power, after.power},
                                    {"Label13", before.signalDuration, after.signalDuration},
                                    {"Label14", before.tunings, after.tunings},
                                    {"Label15", before.repetition, after.repetition},
                                    {"Label16", before.testerDuration, after.testerDuration},
                                    {"Edit1", before.radioEngineer, after.radioEngineer},
                                    {"Edit2", before.controller, after.controller},
                                    {"Edit3", before.sartModel, after.sartModel},
                                    {"Edit4", before.vessel, after.vessel},
                                    {"Edit9", before.manufacturerNo, after.manufacturerNo},
                                    {"ComboBox1", before.standByText, after.standByText}})
        QVERIFY2(a == b, name);
    QCOMPARE(after.ledIndex, before.ledIndex);
    QCOMPARE(after.beeperIndex, before.beeperIndex);
    QCOMPARE(after.nextTestDate, before.nextTestDate);
    QCOMPARE(after.testingDate, before.testingDate);
    QCOMPARE(after.batteryDate, before.batteryDate);
    QCOMPARE(carriedControls(*form), carriedBefore);
    QCOMPARE(form->navigation().shownPath(), shownBefore);
    QCOMPARE(form->windowTitle(), title(QFileInfo(shownBefore).fileName()));
}

void TestCertificate::failedModeChangePutsTheModeBack()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    const QString b = dir.addRecord("b.bin", 1);
    auto form = startWindow();
    const RecordHeader before = form->recordPanel()->values();
    QVERIFY(QFile::remove(b));  // gone behind the program's back

    auto *mode = child<QComboBox>(form.get(), "ComboBox4");
    QTest::keyClick(mode, Qt::Key_Down);
    QCOMPARE(m_dialogs->takeErrors(), QStringList{b + ": File not found."});
    QCOMPARE(mode->currentText(), QStringLiteral("Auto"));
    QCOMPARE(shownPower(*form), before.power);
    QCOMPARE(form->recordPanel()->values().testingModeText, QStringLiteral("Auto"));
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

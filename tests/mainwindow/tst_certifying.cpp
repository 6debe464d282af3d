// The certificate is the record, through the real main window: nothing goes
// out while the record file and the panel differ (no record, a testing date
// changed, values carried over or typed, a colleague's change on disk), the
// verdict is one of its two items, dates are taken as engineers type them,
// and a SART tested again is filled in from its latest record without a
// question on Save or Print.
#include "CertificateEntry.h"
#include "CertificateRegister.h"
#include "FillInBar.h"
#include "Finder.h"
#include "HeaderWriteBack.h"
#include "RecordLayout.h"
#include "RecordPanel.h"
#include "RegisterSettings.h"
#include "SampleRecord.h"
#include "TestSupport.h"
#include "Unit1.h"
#include "WindowFixture.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QCompleter>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

using namespace windowtest;
using testsupport::readFile;

namespace {

RecordHeader header(const QString &vessel = QStringLiteral("MV Baltic Dawn"))
{
    RecordHeader v;
    v.radioEngineer = QStringLiteral("A. Sidorov");
    v.sartModel = QStringLiteral("SART-20");
    v.manufacturerNo = QStringLiteral("No 12345");
    v.vessel = vessel;
    v.centreName = QStringLiteral("Marine Radio");
    v.centreAddress = QStringLiteral("Port street 1");
    v.centreTel = QStringLiteral("+7 812 000");
    v.centreFax = QStringLiteral("+7 812 001");
    v.standByIndex = v.ledIndex = v.beeperIndex = 0;
    v.nextTestDate = QDate(2027, 3, 5);
    v.batteryDate = QDate(2028, 6, 30);
    return v;
}

// A record of the given variant saved with header(vessel).
QByteArray savedRecord(int variant, const QString &vessel = QStringLiteral("MV Baltic Dawn"))
{
    return writeback::rewrite(sample::makeRecord(sample::variant(variant)), header(vessel));
}

QString shortDate(const QDate &date) { return QLocale().toString(date, QLocale::ShortFormat); }

QList<certregister::Entry> registerEntries()
{
    return certregister::Register(certregister::loadProgramSettings()).allEntries().toList();
}

// Certificate as PDF, answering its file dialog and the message that ends it.
void queuePdf(DialogDriver &dialogs, const QString &path)
{
    dialogs.chooseFile(path);
    dialogs.answer(QMessageBox::Ok);
}

// Under Xvfb with SART_SHOTS set: the screen while the next modal dialog is
// up, saved there under `name`; the driver answers the dialog afterwards.
void shootNextDialog(DialogDriver &dialogs, const QString &name)
{
    const QString dir = qEnvironmentVariable("SART_SHOTS");
    if (dir.isEmpty())
        return;
    dialogs.setPaused(true);
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, dir, name, &dialogs] {
        if (!QApplication::activeModalWidget())
            return;
        timer->stop();
        timer->deleteLater();
        QProcess::execute("import", {"-window", "root", dir + u'/' + name + ".png"});
        dialogs.setPaused(false);
    });
    timer->start(500);
}

// The whole screen now, under SART_SHOTS.
void shootScreen(const QString &name)
{
    const QString dir = qEnvironmentVariable("SART_SHOTS");
    if (dir.isEmpty())
        return;
    QTest::qWait(500);
    QProcess::execute("import", {"-window", "root", dir + u'/' + name + ".png"});
}

void typeInto(QWidget *w, const QString &text)
{
    w->setFocus();
    QTest::keyClicks(w, text);
}

bool calendarShown(QDateEdit *picker)
{
    const auto calendars = picker->findChildren<QCalendarWidget *>();
    return std::any_of(calendars.cbegin(), calendars.cend(), [](QCalendarWidget *c) { return c->isVisible(); });
}

} // namespace

class TestCertifying : public WindowTestCase
{
    Q_OBJECT

private slots:
    void noRecordNoCertificate_data();
    void noRecordNoCertificate();
    void editedTestingDateIsNamed();
    void carriedOverValuesAreSavedFirst();
    void colleaguesChangeOnDisk_data();
    void colleaguesChangeOnDisk();
    void verdictIsOneOfTwo();
    void datesAsEngineersTypeThem_data();
    void datesAsEngineersTypeThem();
    void calendarFromTheKeyboard();
    void repeatTestWithoutQuestion();
    void fillInOfferIsDismissed();
};

void TestCertifying::noRecordNoCertificate_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("Print button") << "ToolButton13";
    QTest::newRow("Ctrl+P") << "Ctrl+P";
    QTest::newRow("PDF") << "Pdf1";
    QTest::newRow("Word") << "Word1";
}

// An empty archive: no blank certificate, no register number.
void TestCertifying::noRecordNoCertificate()
{
    QFETCH(QString, command);
    StartDirectory dir;
    auto form = startWindow();
    const QString next = certregister::Register(certregister::loadProgramSettings()).nextNumber();
    const qsizetype issued = registerEntries().size();
    if (command == "ToolButton13")
        clickTool(*form, command);
    else if (command == "Ctrl+P")
        QTest::keyClick(form.get(), Qt::Key_P, Qt::ControlModifier);
    else
        action(*form, command)->trigger();
    QCOMPARE(m_dialogs->takeErrors(),
             QStringList{"No record is shown: there is nothing to certify. Choose a record in the file table, open "
                         "one or receive one first."});
    QCOMPARE(registerEntries().size(), issued);
    QCOMPARE(certregister::Register(certregister::loadProgramSettings()).nextNumber(), next);
}

// A testing date moved by a key is marked, named in the question, and
// certified only by a deliberate choice; the register keeps the record's
// bytes as compared.
void TestCertifying::editedTestingDateIsNamed()
{
    StartDirectory dir;
    const QString a = dir.addFile("a.bin", savedRecord(0));
    auto form = startWindow();
    chooseConclusion(*form, 0);
    auto *testing = child<QDateEdit>(form.get(), "DateTimePicker2");
    const QDate recorded = sample::variant(0).testingDate;
    QCOMPARE(testing->date(), recorded);
    QVERIFY(!testing->property("notRecordDate").toBool());
    const qsizetype issued = registerEntries().size();

    testing->setFocus();
    testing->setCurrentSection(QDateTimeEdit::DaySection);
    QTest::keyClick(testing, Qt::Key_Up);
    const QDate shown = recorded.addDays(1);
    QCOMPARE(testing->date(), shown);
    QVERIFY(testing->property("notRecordDate").toBool());
    QVERIFY2(testing->toolTip().startsWith("Not the testing date of the record a.bin: it was tested on "
                                           + shortDate(recorded)),
             qPrintable(testing->toolTip()));
    QVERIFY(testing->palette().color(QPalette::Base) != child<QLineEdit>(form.get(), "Edit1")->palette().color(QPalette::Base));
    QCOMPARE(form->windowTitle(), QStringLiteral("*a.bin - SART TESTER SOFTWARE"));

    // Cancel, the default: nothing goes out.
    shootNextDialog(*m_dialogs, "certificate-question-testing-date");
    m_dialogs->answer(QMessageBox::Cancel);
    clickTool(*form, "ToolButton13");
    QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].objectName, QStringLiteral("CertificateCheckQuestion"));
    QCOMPARE(seen[0].text,
             QStringLiteral("The certificate would not say what the record a.bin holds:\n"
                            "- The testing date shown, %1, is not the record's: the record a.bin was tested on %2.\n\n"
                            "The testing date is never saved into the record: certify the date shown only if it is "
                            "the day of the test. The register keeps both dates.")
                 .arg(shortDate(shown), shortDate(recorded)));
    QVERIFY2(seen[0].buttons.contains("Certify this date") && seen[0].buttons.contains("Show the file as it is now")
                 && seen[0].buttons.contains("Cancel") && seen[0].buttons.size() == 3,
             qPrintable(seen[0].buttons.join(", ")));
    QCOMPARE(seen[0].defaultButton, QStringLiteral("Cancel"));
    QCOMPARE(registerEntries().size(), issued);

    // Certify this date: the PDF goes out with it, the register keeps it
    // with the SHA-256 of the bytes compared.
    QTemporaryDir out;
    m_dialogs->answer(QMessageBox::Yes);
    queuePdf(*m_dialogs, out.filePath("c.pdf"));
    action(*form, "Pdf1")->trigger();
    seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 3);
    QCOMPARE(seen[1].objectName, QStringLiteral("PdfDialog1"));
    const QList<certregister::Entry> entries = registerEntries();
    QCOMPARE(entries.size(), issued + 1);
    QCOMPARE(entries.first().testingDate, shown);
    QCOMPARE(entries.first().recordSha256, certregister::sha256Of(readFile(a)));

    // Show the file as it is now: the record's date, unmarked.
    m_dialogs->answer(QMessageBox::Open);
    clickTool(*form, "ToolButton13");
    QCOMPARE(m_dialogs->takeSeen().size(), 1);
    QCOMPARE(testing->date(), recorded);
    QVERIFY(!testing->property("notRecordDate").toBool());
    QCOMPARE(form->windowTitle(), QStringLiteral("a.bin - SART TESTER SOFTWARE"));
}

// A record as received after another SART's: Print names every value
// carried over, dates and service centre included, and offers to save them
// first; then the certificate goes out with no other question.
void TestCertifying::carriedOverValuesAreSavedFirst()
{
    StartDirectory dir;
    dir.addFile("a.bin", savedRecord(0));
    const QString b = dir.addRecord("b.bin", 1);
    auto form = startWindow();
    clickRow(*form, 1);
    clickRow(*form, 2);
    chooseConclusion(*form, 0);
    QCOMPARE(m_dialogs->takeSeen().size(), 0);

    const RecordHeader h = header();
    shootNextDialog(*m_dialogs, "certificate-question-carried-over");
    m_dialogs->answer(QMessageBox::Save);
    m_dialogs->closeWindow("QPrintPreviewDialog");
    clickTool(*form, "ToolButton13");
    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen[0].objectName, QStringLiteral("CertificateCheckQuestion"));
    const QString carried = " is carried over from the record a.bin (the record holds none).";
    QCOMPARE(seen[0].text,
             "The certificate would not say what the record b.bin holds:\n"
             "- Battery replacement date " + shortDate(h.batteryDate) + carried + "\n"
             "- SART Model \"SART-20\"" + carried + "\n"
             "- Manufacturer № \"No 12345\"" + carried + "\n"
             "- Vessel Name \"MV Baltic Dawn\"" + carried + "\n"
             "- Next testing date " + shortDate(h.nextTestDate) + carried + "\n"
             "- Service center Name \"Marine Radio\"" + carried + "\n"
             "- Service center Address \"Port street 1\"" + carried + "\n"
             "- Service center Tel \"+7 812 000\"" + carried + "\n"
             "- Service center Fax \"+7 812 001\"" + carried + "\n\n"
             "Print the certificate: not while the certificate and the record differ.");
    QCOMPARE(seen[0].buttons, QStringList({"Save changes first", "Show the file as it is now", "Cancel"}));
    QCOMPARE(seen[1].kind, QStringLiteral("QPrintPreviewDialog"));
    const QByteArray saved = readFile(b);
    QCOMPARE(saved.mid(layout::VesselName, 14), QByteArray("MV Baltic Dawn"));
    QCOMPARE(saved.mid(layout::NextTestDate, 8), QByteArray("05032027"));
    QCOMPARE(saved[layout::BatteryMark], layout::Mark);
    QCOMPARE(form->windowTitle(), QStringLiteral("b.bin - SART TESTER SOFTWARE"));
}

void TestCertifying::colleaguesChangeOnDisk_data()
{
    QTest::addColumn<bool>("otherProcess");
    QTest::newRow("another process") << true;
    QTest::newRow("direct file write") << false;
}

// Another engineer saves a new vessel into the record shown: Print names the
// change and shows the file as it is now; then the certificate says the new
// vessel and the register keeps the SHA-256 of exactly those bytes.
void TestCertifying::colleaguesChangeOnDisk()
{
    QFETCH(bool, otherProcess);
    StartDirectory dir;
    const QString a = dir.addFile("a.bin", savedRecord(0));
    auto form = startWindow();
    chooseConclusion(*form, 0);
    QCOMPARE(editText(*form, "Edit4"), QStringLiteral("MV Baltic Dawn"));
    const qsizetype issued = registerEntries().size();  // by the functions before

    const QByteArray changed = savedRecord(0, "MV Other");
    if (otherProcess) {
        QTemporaryDir elsewhere;
        testsupport::writeFile(elsewhere.filePath("new.bin"), changed);
        QCOMPARE(QProcess::execute("cp", {elsewhere.filePath("new.bin"), a}), 0);
    } else {
        testsupport::writeFile(a, changed);
    }
    QTest::qWait(300);  // the folder watch tells the window, which asks nothing
    QCOMPARE(m_dialogs->takeSeen().size(), 0);

    shootNextDialog(*m_dialogs, "certificate-question-changed-on-disk");
    m_dialogs->answer(QMessageBox::Open);
    clickTool(*form, "ToolButton13");
    QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].objectName, QStringLiteral("CertificateCheckQuestion"));
    QCOMPARE(seen[0].text,
             QStringLiteral("The certificate would not say what the record a.bin holds:\n"
                            "- The record a.bin was changed by another program after it was shown: its header now "
                            "holds other values.\n"
                            "- Vessel Name \"MV Baltic Dawn\" is not what the file holds now (the record holds "
                            "\"MV Other\").\n\n"
                            "Print the certificate: not while the certificate and the record differ."));
    QCOMPARE(seen[0].buttons, QStringList({"Show the file as it is now", "Cancel"}));
    QCOMPARE(editText(*form, "Edit4"), QStringLiteral("MV Other"));
    QCOMPARE(registerEntries().size(), issued);
    chooseConclusion(*form, 0);  // for the record as it is now

    QTemporaryDir out;
    queuePdf(*m_dialogs, out.filePath("c.pdf"));
    action(*form, "Pdf1")->trigger();
    QCOMPARE(m_dialogs->takeSeen().size(), 2);
    // The certificate of exactly these bytes: a new one, or (these bytes and
    // this verdict certified before, by the row before) that one again, with
    // this PDF among its outputs.
    const QList<certregister::Entry> entries = registerEntries();
    QVERIFY(entries.size() == issued + 1 || entries.size() == issued);
    const auto certified = std::find_if(entries.begin(), entries.end(), [&](const certregister::Entry &e) {
        return e.recordSha256 == certregister::sha256Of(changed);
    });
    QVERIFY(certified != entries.end());
    QCOMPARE(certified->vessel, QStringLiteral("MV Other"));
    QVERIFY(std::any_of(certified->outputs.begin(), certified->outputs.end(), [&](const certregister::Output &o) {
        return o.filePath == out.filePath("c.pdf") && o.status == certregister::OutputStatus::Issued;
    }));
}

// "Conclusions:" holds one of its two items, chosen by keyboard or mouse.
void TestCertifying::verdictIsOneOfTwo()
{
    StartDirectory dir;
    dir.addFile("a.bin", savedRecord(0));
    auto form = startWindow();
    auto *verdict = child<QComboBox>(form.get(), "ComboBox5");
    QVERIFY(!verdict->isEditable());
    QCOMPARE(verdict->count(), 2);
    typeInto(verdict, "SART PASSED TESTS after repair");
    QVERIFY(verdict->currentText() == "SART PASSED TESTS" || verdict->currentText() == "SART FAILED TESTS");
    verdict->setCurrentIndex(0);
    QTest::keyClick(verdict, Qt::Key_Down);
    QCOMPARE(verdict->currentText(), QStringLiteral("SART FAILED TESTS"));
    QCOMPARE(form->recordPanel()->values().verdictIndex, 1);
    QVERIFY(!verdict->property("carriedOver").toBool());  // chosen for the record shown
    QTest::keyClick(verdict, Qt::Key_Up);
    QCOMPARE(form->recordPanel()->values().verdictIndex, 0);
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
}

void TestCertifying::datesAsEngineersTypeThem_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("expected");
    const QDate jan5(2027, 1, 5);
    QTest::newRow("dd.mm.yyyy") << "05.01.2027" << jan5;
    QTest::newRow("d.m.yy") << "5.1.27" << jan5;
    QTest::newRow("ISO") << "2027-01-05" << jan5;
    QTest::newRow("month name") << "5 January 2027" << jan5;
    QTest::newRow("short month name first") << "Jan 5, 2027" << jan5;
    QTest::newRow("later year") << "31.12.2031" << QDate(2031, 12, 31);
    QTest::newRow("system's month name") << "5 " + QLocale::system().monthName(1) + " 2027" << jan5;
    QTest::newRow("system's short month name") << "5 " + QLocale::system().monthName(1, QLocale::ShortFormat) + " 2027"
                                               << jan5;
}

// A whole date typed over the picker's text is taken as that date, on Enter
// and on leaving the picker.
void TestCertifying::datesAsEngineersTypeThem()
{
    QFETCH(QString, typed);
    QFETCH(QDate, expected);
    StartDirectory dir;
    dir.addFile("a.bin", savedRecord(0));
    auto form = startWindow();
    for (const char *name : {"DateTimePicker1", "DateTimePicker3"}) {
        auto *picker = child<QDateEdit>(form.get(), name);
        auto *edit = picker->findChild<QLineEdit *>();
        picker->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        if (QByteArray(name) == "DateTimePicker1") {
            QTest::keyClick(edit, Qt::Key_Return);
        } else {
            child<QLineEdit>(form.get(), "Edit1")->setFocus();  // leaves the picker
        }
        QCOMPARE(picker->date(), expected);
        QCOMPARE(edit->text(), picker->locale().toString(expected, picker->displayFormat()));
    }
    QCOMPARE(form->recordPanel()->values().nextTestDate, expected);

    // Tabbed into, its first field selected, the whole date typed over it.
    auto *battery = child<QDateEdit>(form.get(), "DateTimePicker3");
    battery->setDate(QDate(2004, 8, 20));
    battery->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(battery, typed);
    QTest::keyClick(battery, Qt::Key_Tab);
    QCOMPARE(battery->date(), expected);
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
}

// Alt+Down and F4 open the calendar; neither changes the date.
void TestCertifying::calendarFromTheKeyboard()
{
    StartDirectory dir;
    dir.addFile("a.bin", savedRecord(0));
    auto form = startWindow();
    for (const char *name : {"DateTimePicker1", "DateTimePicker2", "DateTimePicker3"}) {
        for (const auto &[key, modifiers] : {std::pair{Qt::Key_Down, Qt::AltModifier}, {Qt::Key_F4, Qt::NoModifier}}) {
            auto *picker = child<QDateEdit>(form.get(), name);
            const QDate before = picker->date();
            picker->setFocus();
            QTest::keyClick(picker, key, modifiers);
            QTRY_VERIFY2(calendarShown(picker), name);
            QCOMPARE(picker->date(), before);
            auto *calendar = picker->findChild<QCalendarWidget *>();
            QCOMPARE(calendar->selectedDate(), before);
            calendar->window()->close();
            QTRY_VERIFY(!calendarShown(picker));
        }
    }
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
}

// The user guide's way of testing a SART again: its earlier record shown,
// the new record received, its number typed; the offer fills in its data
// from its latest record, and Save and Print ask nothing.
void TestCertifying::repeatTestWithoutQuestion()
{
    StartDirectory dir;
    dir.addFile("a.bin", savedRecord(0, "MV Old Name"));
    dir.addFile("c.bin", savedRecord(2));  // the latest record of the SART
    const QString b = dir.addRecord("b.bin", 1);
    // c.bin, tested last, carries the SART's latest values.
    {
        RecordHeader latest = header();
        latest.vessel = "MV Baltic Dawn";
        testsupport::writeFile(dir.inArchive("c.bin"), writeback::rewrite(sample::makeRecord(sample::variant(2)), latest));
    }
    auto form = startWindow();
    QTRY_VERIFY(!form->Finder1->index().isBuilding() && form->Finder1->index().entries().size() == 3);
    clickRow(*form, 1);
    clickRow(*form, 2);  // b.bin, as received: a.bin's values carried over
    QCOMPARE(form->windowTitle(), QStringLiteral("b.bin - SART TESTER SOFTWARE"));
    QVERIFY(child<QWidget>(form.get(), "Edit4")->property("carriedOver").toBool());

    auto *number = child<QLineEdit>(form.get(), "Edit9");
    FillInBar *offer = form->fillInOffer();
    QVERIFY(!offer->isVisible());
    number->setFocus();
    number->selectAll();
    QTest::keyClicks(number, "no 12345");
    // Return ends the number, in the list of known numbers when it is open.
    QAbstractItemView *known = number->completer()->popup();
    QTest::keyClick(known->isVisible() ? static_cast<QWidget *>(known) : number, Qt::Key_Return);
    QVERIFY(!known->isVisible());
    QTRY_VERIFY(offer->isVisible());
    const QString text = child<QLabel>(offer, "FillInText")->text();
    QVERIFY2(text.startsWith("The latest record of the SART No 12345 in the archive is c.bin, tested "
                             + shortDate(sample::variant(2).testingDate)
                             + ": SART Model \"SART-20\", Vessel Name \"MV Baltic Dawn\""),
             qPrintable(text));
    shootScreen("fill-in-offer");
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(number, Qt::Key_U, Qt::AltModifier);
    QTRY_VERIFY(!offer->isVisible());  // the button shows itself pressed for a moment
    QCOMPARE(editText(*form, "Edit4"), QStringLiteral("MV Baltic Dawn"));
    for (const char *name : {"Edit3", "Edit9", "Edit4", "Edit5", "Edit6", "Edit7", "Edit8", "DateTimePicker1",
                             "DateTimePicker3"})
        QVERIFY2(!child<QWidget>(form.get(), name)->property("carriedOver").toBool(), name);
    QCOMPARE(form->windowTitle(), QStringLiteral("*b.bin - SART TESTER SOFTWARE"));

    clickTool(*form, "ToolButton11");
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
    QCOMPARE(readFile(b).mid(layout::VesselName, 14), QByteArray("MV Baltic Dawn"));
    QCOMPARE(readFile(b).mid(layout::NextTestDate, 8), QByteArray("05032027"));
    QCOMPARE(readFile(b).mid(layout::ManufacturerNo, 8), QByteArray("no 12345"));

    chooseConclusion(*form, 0);
    m_dialogs->closeWindow("QPrintPreviewDialog");
    clickTool(*form, "ToolButton13");
    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].kind, QStringLiteral("QPrintPreviewDialog"));
}

// Escape (or Dismiss) puts the offer away for that number; another record
// shown takes it away.
void TestCertifying::fillInOfferIsDismissed()
{
    StartDirectory dir;
    dir.addFile("a.bin", savedRecord(0));
    dir.addRecord("b.bin", 1);
    auto form = startWindow();
    QTRY_VERIFY(!form->Finder1->index().isBuilding() && form->Finder1->index().entries().size() == 2);
    FillInBar *offer = form->fillInOffer();
    auto *number = child<QLineEdit>(form.get(), "Edit9");
    typeInto(number, "No 12345");
    QTRY_VERIFY(offer->isVisible());
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    if (number->completer()->popup()->isVisible()) {
        QTest::keyClick(number->completer()->popup(), Qt::Key_Escape);  // the list of numbers first
        QVERIFY(!number->completer()->popup()->isVisible());
        QVERIFY(offer->isVisible());
    }
    QTest::keyClick(number, Qt::Key_Escape);
    QVERIFY(!offer->isVisible());
    QTest::keyClick(number, Qt::Key_Return);
    QTest::qWait(500);
    QVERIFY(!offer->isVisible());
    QCOMPARE(editText(*form, "Edit4"), QString());

    // An unknown number offers nothing.
    number->selectAll();
    typeInto(number, "No 99999");
    QTest::qWait(500);
    QVERIFY(!offer->isVisible());
    // The shown record's own number (a.bin shown) offers nothing either.
    m_dialogs->answer(QMessageBox::Discard);
    clickRow(*form, 1);
    QCOMPARE(m_dialogs->takeSeen().size(), 1);
    number->selectAll();
    typeInto(number, "No 12345");
    QTest::qWait(500);
    QVERIFY(!offer->isVisible());
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
}

QTEST_MAIN(TestCertifying)
#include "tst_certifying.moc"

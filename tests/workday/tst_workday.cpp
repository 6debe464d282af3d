// A service engineer's working day through the real main window: the archive
// of earlier tests, a new record received from the SART tester (simulated on a
// pseudo-terminal), the header typed and saved, the record checked in both
// testing modes and opened again, the test report printed through the print
// preview and exported to LibreOffice Writer. Every step checks what the user
// sees; the two functions run in this order on one window.
#include "FaultSupport.h"
#include "PdfText.h"
#include "RecordLayout.h"
#include "RecordPanel.h"
#include "ReportPrinter.h"
#include "SampleRecord.h"
#include "SimProcess.h"
#include "TestSupport.h"
#include "Unit1.h"
#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <cmath>
#include <memory>

#ifdef SART_WORKDAY_OFFICE
#include "LibreOfficeWriter.h"
#include "TestOffice.h"
#include "WordExport.h"
#endif

using namespace windowtest;
using faults::ModalScript;
using testsupport::readFile;

namespace {

const QString TesterPort = QStringLiteral("COM3");
constexpr int ReceivedVariant = 6;

// What the engineer types for the new record.
struct Header
{
    QString engineer = QStringLiteral("A. Sidorov");
    QString model = QStringLiteral("Tron SART20");
    QString manufacturerNo = QStringLiteral("020431");
    QString vessel = QStringLiteral("Капитан Хлебников");
    QString centreName = QStringLiteral("Baltic Radio Service");
    QString centreAddress = QStringLiteral("Kronstadt, Pier 7");
    QString centreTel = QStringLiteral("+7 812 555 0101");
    QString centreFax = QStringLiteral("+7 812 555 0102");
    QDate nextTesting = QDate(2027, 11, 5);
    QDate battery = QDate(2030, 2, 14);
};
const Header typed;

QByteArray cp1251(const QString &text)
{
    return QStringEncoder("windows-1251").encode(text);
}

QByteArray field(const QString &text, int width) { return cp1251(text).leftJustified(width, ' '); }

// The record as sent, with its reception stamps blanked.
QByteArray withoutStamps(QByteArray record)
{
    record.replace(layout::ReceiveTime, layout::ReceiveTimeWidth, QByteArray(layout::ReceiveTimeWidth, '-'));
    record.replace(layout::ReceiveDate, layout::ReceiveDateWidth, QByteArray(layout::ReceiveDateWidth, '-'));
    return record;
}

// Types into an edit box as the user does: click, select the old text with
// the keyboard, type over it.
void typeInto(TForm1 &form, const QString &name, const QString &text)
{
    auto *w = child<QLineEdit>(&form, name);
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(4, w->height() / 2));
    QTest::keyClick(w, Qt::Key_End);
    QTest::keyClick(w, Qt::Key_Home, Qt::ShiftModifier);
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(w, c.toLatin1());
        } else {  // a key of a Cyrillic keyboard layout
            QTest::sendKeyEvent(QTest::Press, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

// Types a date into a date picker: a double click selects the first
// section, and its digits move from section to section.
void typeDate(TForm1 &form, const QString &name, const QDate &date)
{
    auto *picker = child<QDateEdit>(&form, name);
    auto *edit = picker->findChild<QLineEdit *>();
    QTest::mouseDClick(edit, Qt::LeftButton, {}, QPoint(4, edit->height() / 2));
    QTest::keyClicks(picker, date.toString(picker->displayFormat()).remove(QRegularExpression("\\D")));
}

QString shortDate(const QDate &date) { return QLocale().toString(date, QLocale::ShortFormat); }

// The printed page's lines, each the words on one baseline from left to right.
QStringList printedLines(const QString &pdf)
{
    QList<pdftext::Word> words = pdftext::words(pdf);
    std::sort(words.begin(), words.end(), [](const pdftext::Word &a, const pdftext::Word &b) {
        return std::abs(a.baseline() - b.baseline()) > 1.5 ? a.baseline() < b.baseline() : a.xMin < b.xMin;
    });
    QStringList lines;
    double baseline = -100;
    for (const pdftext::Word &w : std::as_const(words)) {
        if (std::abs(w.baseline() - baseline) > 1.5) {
            lines.append(w.text);
            baseline = w.baseline();
        } else {
            lines.last() += u' ' + w.text;
        }
    }
    return lines;
}

QString report(const ModalScript &script)
{
    return QStringLiteral("seen: ") + script.seen().join(QStringLiteral(" | "));
}

} // namespace

class TestWorkday : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void receiveCompleteSaveAndPrint();
    void exportToWriter();

private:
    QString panelText(const QString &name) { return editText(*m_form, name); }
    QDate panelDate(const QString &name) { return child<QDateEdit>(m_form.get(), name)->date(); }
    void checkPanelShowsTyped();

    QTemporaryDir m_work;  // the simulator's port link, the record it sends, the printout
    QByteArray m_sent;
    std::unique_ptr<StartDirectory> m_dir;
    std::unique_ptr<SimProcess> m_tester;
    std::unique_ptr<TForm1> m_form;
    bool m_dayDone = false;
};

void TestWorkday::initTestCase()
{
    QVERIFY(m_work.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_work.path()));
    m_sent = sample::makeRecord(sample::variant(ReceivedVariant));
    testsupport::writeFile(m_work.filePath("sent.bin"), m_sent);
}

void TestWorkday::cleanupTestCase()
{
    m_form.reset();
    m_tester.reset();
    m_dir.reset();
}

// As typed, and as read back from the saved header: the fixed-width text
// fields come back without their fill.
void TestWorkday::checkPanelShowsTyped()
{
    QCOMPARE(panelText("Edit1"), typed.engineer);
    QCOMPARE(panelText("Edit3"), typed.model);
    QCOMPARE(panelText("Edit9"), typed.manufacturerNo);
    QCOMPARE(panelText("Edit4"), typed.vessel);
    QCOMPARE(panelText("Edit5"), typed.centreName);
    QCOMPARE(panelText("Edit6"), typed.centreAddress);
    QCOMPARE(panelText("Edit7"), typed.centreTel);
    QCOMPARE(panelText("Edit8"), typed.centreFax);
    QCOMPARE(panelDate("DateTimePicker1"), typed.nextTesting);
    QCOMPARE(panelDate("DateTimePicker3"), typed.battery);
}

void TestWorkday::receiveCompleteSaveAndPrint()
{
    // Morning: the archive holds three earlier tests; the last one is shown.
    m_dir = std::make_unique<StartDirectory>();
    const QStringList earlier{"sart-1102.bin", "sart-1103.bin", "sart-1104.bin"};
    for (int i = 0; i < earlier.size(); ++i)
        m_dir->addRecord(earlier[i], i);
    m_tester = std::make_unique<SimProcess>(TesterPort, QStringList{"--record", m_work.filePath("sent.bin")});
    QVERIFY2(m_tester->isReady(), qPrintable(m_tester->output()));
    m_form = startWindow();
    TForm1 &form = *m_form;
    QCOMPARE(listedNames(form), earlier);
    QCOMPARE(highlightedRows(form), QList<int>{3});
    QCOMPARE(shownPower(form), powerOf(2));

    // Data import > Receiving: the tester's port, "Data import", and a name
    // typed in the save dialog, which opens in the archive folder.
    {
        ModalScript script;
        script.receiveOn(TesterPort);
        QString saveFolder;
        script.then("QFileDialog", [&](QWidget *dialog) {
            saveFolder = static_cast<QFileDialog *>(dialog)->directory().path();
            dialog->findChild<QLineEdit *>("fileNameEdit")->setText("sart-1105");
            static_cast<QDialog *>(dialog)->accept();
        });
        const QDateTime before = QDateTime::currentDateTime().addMSecs(-1000);
        action(form, "N4")->trigger();
        const QDateTime after = QDateTime::currentDateTime();
        QVERIFY2(script.unexpected().isEmpty() && script.pending() == 0, qPrintable(report(script)));
        QCOMPARE(script.seen(), QStringList({"TForm2", "QFileDialog"}));
        QCOMPARE(saveFolder, m_dir->archive());

        // The dialog has closed; the table lists the new record shortly after,
        // with the computer's stamps, and shows it on its selected row.
        QTRY_COMPARE(listedNames(form), earlier + QStringList{"sart-1105.bin"});
        const QByteArray saved = readFile(m_dir->inArchive("sart-1105.bin"));
        QCOMPARE(withoutStamps(saved), withoutStamps(m_sent));
        const FileTable &table = form.navigation().table();
        QCOMPARE(table.cell(4, FileTable::Number), QStringLiteral("4"));
        QCOMPARE(table.cell(4, FileTable::TestingDate),
                 sample::variant(ReceivedVariant).testingDate.toString("dd.MM.yy"));
        const QDateTime stamped(
            QDate::fromString(table.cell(4, FileTable::ComputerDate), "dd.MM.yy").addYears(100),
            QTime::fromString(table.cell(4, FileTable::ComputerTime), "HH:mm:ss"));
        QVERIFY2(stamped >= before && stamped <= after, qPrintable(stamped.toString()));
        QTRY_COMPARE(form.navigation().CurrentRow, 4);
        QCOMPARE(shownPower(form), powerOf(ReceivedVariant));
    }

    // A click on the new row shows it again, as the tester sent it.
    // Without a window manager the hidden save dialog stays the focus window,
    // and activateWindow() takes the main window for active through it.
    form.windowHandle()->requestActivate();
    QTRY_COMPARE(QGuiApplication::focusWindow(), form.windowHandle());
    clickRow(form, 4);
    QCOMPARE(form.navigation().CurrentRow, 4);
    QCOMPARE(highlightedRows(form), QList<int>{4});
    QCOMPARE(shownPower(form), powerOf(ReceivedVariant));
    QCOMPARE(panelText("Edit1"), engineerOf(ReceivedVariant));
    QCOMPARE(panelDate("DateTimePicker2"), sample::variant(ReceivedVariant).testingDate);

    // The engineer types the header and saves it with Ctrl+A.
    auto noDialogs = std::make_unique<ModalScript>();
    typeInto(form, "Edit1", typed.engineer);
    typeInto(form, "Edit3", typed.model);
    typeInto(form, "Edit9", typed.manufacturerNo);
    typeInto(form, "Edit4", typed.vessel);
    typeInto(form, "Edit5", typed.centreName);
    typeInto(form, "Edit6", typed.centreAddress);
    typeInto(form, "Edit7", typed.centreTel);
    typeInto(form, "Edit8", typed.centreFax);
    typeDate(form, "DateTimePicker1", typed.nextTesting);
    typeDate(form, "DateTimePicker3", typed.battery);
    checkPanelShowsTyped();
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(noDialogs->seen().isEmpty(), qPrintable(report(*noDialogs)));
    noDialogs.reset();
    QCOMPARE(form.windowTitle(), QStringLiteral("*sart-1105.bin - SART TESTER SOFTWARE"));

    // A click on another row before saving asks; Cancel keeps the typing,
    // the row and its highlight.
    {
        ModalScript script;
        script.press(QMessageBox::Cancel);
        clickRow(form, 1);
        QVERIFY2(script.unexpected().isEmpty() && script.pending() == 0, qPrintable(report(script)));
        QCOMPARE(script.messages(), QStringList{"The record sart-1105.bin has changes that are not saved.\n\n"
                                                "Save them before showing another record?"});
    }
    QCOMPARE(form.navigation().CurrentRow, 4);
    QCOMPARE(highlightedRows(form), QList<int>{4});
    QCOMPARE(shownPower(form), powerOf(ReceivedVariant));
    checkPanelShowsTyped();
    if (QTest::currentTestFailed())
        return;
    noDialogs = std::make_unique<ModalScript>();  // none until the report
    // Back in the panel; without a window manager the closed question box
    // leaves no window active.
    form.windowHandle()->requestActivate();
    QTRY_COMPARE(QGuiApplication::focusWindow(), form.windowHandle());
    typeInto(form, "Edit8", typed.centreFax);
    const QByteArray received = readFile(m_dir->inArchive("sart-1105.bin"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);

    const QByteArray saved = readFile(m_dir->inArchive("sart-1105.bin"));
    QCOMPARE(saved.size(), layout::RecordSize);
    QCOMPARE(saved.mid(0, 20), field("9" + typed.engineer, 20));
    QCOMPARE(saved[layout::ServiceMark], layout::Mark);
    QCOMPARE(saved.mid(layout::NextTestDate, 8), QByteArray("05112027"));
    QCOMPARE(saved.mid(layout::SartModel, 20), field(typed.model, 20));
    QCOMPARE(saved.mid(layout::ManufacturerNo, 20), field(typed.manufacturerNo, 20));
    QCOMPARE(saved.mid(layout::VesselName, 20), field(typed.vessel, 20));
    QCOMPARE(saved.mid(layout::CentreName, 20), field(typed.centreName, 20));
    QCOMPARE(saved.mid(layout::CentreAddress, 20), field(typed.centreAddress, 20));
    QCOMPARE(saved.mid(layout::CentreTel, 20), field(typed.centreTel, 20));
    QCOMPARE(saved.mid(layout::CentreFax, 20), field(typed.centreFax, 20));
    QCOMPARE(saved[layout::BatteryMark], layout::Mark);
    QCOMPARE(saved.mid(layout::BatteryDate, 8), QByteArray("14022030"));
    QCOMPARE(saved.mid(layout::HeaderSize), received.mid(layout::HeaderSize));
    QCOMPARE(listedNames(form), earlier + QStringList{"sart-1105.bin"});
    QCOMPARE(form.windowTitle(), QStringLiteral("sart-1105.bin - SART TESTER SOFTWARE"));

    // The Manual block of the same record, then Auto again: the saved header
    // is read back from the file each time.
    auto *mode = child<QComboBox>(&form, "ComboBox4");
    QTest::keyClick(mode, Qt::Key_Down);
    QCOMPARE(mode->currentText(), QStringLiteral("Manual"));
    QCOMPARE(shownPower(form), QString::number(sample::variant(ReceivedVariant).manual.powerMw));
    checkPanelShowsTyped();
    if (QTest::currentTestFailed())
        return;
    QTest::keyClick(mode, Qt::Key_Up);
    QCOMPARE(mode->currentText(), QStringLiteral("Auto"));
    QCOMPARE(shownPower(form), powerOf(ReceivedVariant));

    QVERIFY2(noDialogs->seen().isEmpty(), qPrintable(report(*noDialogs)));
    noDialogs.reset();

    // An earlier record, as received: it shows this record's SART, vessel
    // and centre data, marked as carried over, and printing it asks first.
    clickRow(form, 1);
    QCOMPARE(shownPower(form), powerOf(0));
    QCOMPARE(panelText("Edit1"), engineerOf(0));
    QCOMPARE(panelText("Edit3"), typed.model);
    for (const char *name : {"Edit3", "Edit9", "Edit4", "Edit5", "DateTimePicker1"})
        QVERIFY2(child<QWidget>(&form, name)->property("carriedOver").toBool(), name);
    QVERIFY(!child<QWidget>(&form, "Edit1")->property("carriedOver").toBool());
    QVERIFY(child<QWidget>(&form, "Edit4")->toolTip().contains("sart-1105.bin"));
    // Nothing goes out with another SART's data: the check before the
    // certificate names each value and offers to save it first, to show the
    // file as it is, or to cancel (the default).
    {
        ModalScript script;
        script.press(QMessageBox::Cancel);
        clickTool(form, "ToolButton13");
        QVERIFY2(script.unexpected().isEmpty() && script.pending() == 0, qPrintable(report(script)));
        QCOMPARE(script.seen().size(), 1);
        const QString question = script.seen().constFirst();
        for (const QString &line : {"Vessel Name \"" + typed.vessel + "\" is carried over from the record sart-1105.bin "
                                    "(the record holds none).",
                                    "Next testing date " + shortDate(typed.nextTesting)
                                        + " is carried over from the record sart-1105.bin (the record holds none)."})
            QVERIFY2(question.contains(line), qPrintable(question));
    }

    // A typed change, then this record again: Discard drops it, the earlier
    // file keeps its bytes.
    const QByteArray earlierBytes = readFile(m_dir->inArchive("sart-1102.bin"));
    form.windowHandle()->requestActivate();
    QTRY_COMPARE(QGuiApplication::focusWindow(), form.windowHandle());
    typeInto(form, "Edit7", "+7 812 555 9999");
    QCOMPARE(form.windowTitle(), QStringLiteral("*sart-1102.bin - SART TESTER SOFTWARE"));
    {
        ModalScript script;
        script.press(QMessageBox::Discard);
        clickRow(form, 4);
        QVERIFY2(script.unexpected().isEmpty() && script.pending() == 0, qPrintable(report(script)));
        QCOMPARE(script.messages(), QStringList{"The record sart-1102.bin has changes that are not saved.\n\n"
                                                "Save them before showing another record?"});
    }
    QCOMPARE(readFile(m_dir->inArchive("sart-1102.bin")), earlierBytes);
    QCOMPARE(shownPower(form), powerOf(ReceivedVariant));
    checkPanelShowsTyped();
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(form.windowTitle(), QStringLiteral("sart-1105.bin - SART TESTER SOFTWARE"));

    // The verdict, and the report printed from the print preview.
    auto *conclusions = child<QComboBox>(&form, "ComboBox5");
    QTest::keyClick(conclusions, Qt::Key_Down);
    QCOMPARE(conclusions->currentText(), QStringLiteral("SART FAILED TESTS"));
    const QString pdf = m_work.filePath("report.pdf");
    {
        ModalScript script;
        int pages = 0;
        script.then("QPrintPreviewDialog", [&](QWidget *dialog) {
            auto *view = dialog->findChild<QPrintPreviewWidget *>();
            pages = view->pageCount();
            QPrinter &printer = printing::programPrinter();
            const QPrinter::OutputFormat format = printer.outputFormat();
            printer.setOutputFileName(pdf);
            view->print();
            printer.setOutputFileName(QString());
            printer.setOutputFormat(format);
            dialog->close();
        });
        clickTool(form, "ToolButton13");
        QVERIFY2(script.unexpected().isEmpty() && script.pending() == 0, qPrintable(report(script)));
        QCOMPARE(pages, 1);
    }
    const QStringList lines = printedLines(pdf);
    const QStringList expected = {
        "SART TEST REPORT",
        "SART MODEL: " + typed.model,
        "MANUFACTURER №: " + typed.manufacturerNo,
        "VESSEL NAME: " + typed.vessel,
        "Emitted Power, mW " + powerOf(ReceivedVariant),
        "Testing mode Auto",
        "DATE OF BAT. REPLACE " + shortDate(typed.battery),
        "NEXT TESTING DATE " + shortDate(typed.nextTesting),
        "TESTING DATE " + shortDate(sample::variant(ReceivedVariant).testingDate),
        "Name " + typed.centreName,
        "Address " + typed.centreAddress,
        "Tel " + typed.centreTel,
        "Fax " + typed.centreFax,
        "RADIOENGINEER " + typed.engineer,
    };
    for (const QString &line : expected)
        QVERIFY2(lines.contains(line), qPrintable(line + "\n-- printed:\n" + lines.join(u'\n')));
    QVERIFY2(pdftext::flatText(pdf).contains("SART does not comply with its specification"),
             qPrintable(lines.join(u'\n')));
    m_dayDone = true;
}

void TestWorkday::exportToWriter()
{
#ifndef SART_WORKDAY_OFFICE
    QSKIP("built without LibreOffice: no Word export to check");
#else
    if (!m_dayDone)
        QSKIP("the day did not reach the report");
    QTemporaryDir officeDir;
    TestOffice office(officeDir.filePath("profile"), TestOffice::uniquePipeName("workday"));
    office.start();
    const auto before = office.textDocuments();

    // The export of the record shown, into the test's own headless office.
    LibreOfficeOptions options = LibreOfficeOptions::defaults();
    options.office.pipeName = office.pipeName();
    options.office.officeProgram = "/nonexistent/soffice";  // never a visible office of its own
    LibreOfficeWriter writer(options);
    exportToWord(m_form->recordPanel()->values(), writer);

    QList<css::uno::Reference<css::text::XTextDocument>> added;
    for (const auto &document : office.textDocuments())
        if (!before.contains(document))
            added.append(document);
    QCOMPARE(added.size(), 1);
    QStringList paragraphs;
    for (const QString &p : officetext::paragraphs(added.first()))
        paragraphs.append(p.split(u'\t', Qt::SkipEmptyParts).join(u'|').trimmed());  // the fields' padding
    const QStringList expected = {
        "SART TEST REPORT",
        "SART MODEL|" + typed.model,
        "VESSEL NAME:|" + typed.vessel,
        "Emitted Power, mW|" + powerOf(ReceivedVariant),
        "NEXT TESTING DATE|" + shortDate(typed.nextTesting),
        "Name|" + typed.centreName,
        "RADIOENGINEER|" + typed.engineer,
        "SART does not comply with its specification",
    };
    for (const QString &p : expected)
        QVERIFY2(paragraphs.contains(p), qPrintable(p + "\n-- document:\n" + paragraphs.join(u'\n')));
    office.stop();
#endif
}

QTEST_MAIN(TestWorkday)
#include "tst_workday.moc"

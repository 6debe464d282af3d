// The register of certificates through the real main window: print, PDF and
// Word register what they issue and nothing else, the number on the
// certificate, a register that cannot be written, the last certificate in
// the panel, and the register's view with its search, Verify and CSV export.
#include "CertificateRegister.h"
#include "HeaderWriteBack.h"
#include "Marks.h"
#include "ModalDriver.h"
#include "PdfText.h"
#include "PgServer.h"
#include "PrintSteps.h"
#include "RecordPanel.h"
#include "RegisterDialog.h"
#include "RegisterModel.h"
#include "SampleRecord.h"
#include "TestSupport.h"
#include "WindowFixture.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace windowtest;
using namespace certregister;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

RecordHeader header() { return sample::savedHeader(); }

// A record with its SART data saved, so that no certificate question comes;
// 399 mW (outside the limits) when `weak`.
QByteArray savedRecord(int variant, bool weak = false)
{
    sample::Params params = sample::variant(variant);
    if (weak)
        params.automatic.powerMw = 399;
    return writeback::rewrite(sample::makeRecord(params), header());
}

Settings useRegister(const QString &sqlitePath, bool printNumber = false)
{
    Settings s;
    s.sqlitePath = sqlitePath;
    s.printNumber = printNumber;
    storeProgramSettings(s);
    return s;
}

QString year() { return QString::number(QDate::currentDate().year()); }

// The file dialog's name as offered, then the file chosen in the folder.
ModalDriver::Step saveOffered(const QString &folder, QString &offered)
{
    return [folder, &offered](QWidget *modal) {
        auto *edit = modal->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (!edit)
            return modal->close(), void();
        offered = edit->text();
        edit->setText(folder + u'/' + offered);
        static_cast<QDialog *>(modal)->accept();
    };
}

// The register's question: its text kept, then the button pressed, after
// `before` (which may mend the register).
ModalDriver::Step registerQuestion(QString &text, QMessageBox::StandardButton button,
                                   std::function<void()> before = {})
{
    return [&text, button, before](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box || box->objectName() != QLatin1String("RegisterQuestion"))
            return modal->close(), void();
        text = box->text();
        if (before)
            before();
        box->button(button)->click();
    };
}

RegisterDialog *openRegister(TForm1 &form)
{
    action(form, "Certificates1")->trigger();
    auto *dialog = form.findChild<RegisterDialog *>();
    // Still searching: the test's own checks wait no longer and fail.
    if (dialog && !QTest::qWaitFor([&] { return dialog->isIdle(); }, 20000))
        qWarning("the register's view is still searching");
    return dialog;
}

} // namespace

class TestRegisterWindow : public WindowTestCase
{
    Q_OBJECT

private slots:
    void initTestCase();
    void certificateIssuedIsRegistered_data();
    void certificateIssuedIsRegistered();
    void cancelledPrintTakesNoNumber();
    void pdfNameFollowsNumberTakenMeanwhile_data();
    void pdfNameFollowsNumberTakenMeanwhile();
    void wordExportThatFailsIsNotRegistered();
    void unwritableRegisterAsksFirst_data();
    void unwritableRegisterAsksFirst();
    void serverStoppedBeforeTheNextCertificate();
    void panelOffersLastCertificate();
    void registerViewSearchesVerifiesAndExports();
    void settingsChangeTheNumbers();

private:
    // Every dialog here is answered by the ModalDriver of the test.
    void leaveDialogsToTest() { m_dialogs->setPaused(true); }

    QTemporaryDir m_data;
};

// The Word export here fails by the test's own doing, whichever Writer is
// installed: no office program to start, and a pipe nobody listens on.
void TestRegisterWindow::initTestCase()
{
    qputenv("SART_OFFICE_PROGRAM", QFile::encodeName(m_data.filePath("no-office/soffice")));
    qputenv("SART_OFFICE_PIPE", QStringLiteral("sart_test_nobody_%1").arg(QCoreApplication::applicationPid()).toUtf8());
}

void TestRegisterWindow::certificateIssuedIsRegistered_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("printNumber");
    QTest::addColumn<int>("conclusion");
    QTest::newRow("print to a file") << "Print2" << false << 1;
    QTest::newRow("print, number printed") << "Print2" << true << 1;
    QTest::newRow("PDF") << "Pdf1" << false << 1;
    QTest::newRow("PDF, number printed") << "Pdf1" << true << 1;
    QTest::newRow("print from the tool bar, passed") << "ToolButton13" << false << 0;
}

// A certificate printed or saved as PDF is registered with every field of
// the record shown, its number in the PDF's metadata and name; the number
// stands on the page only when the settings ask for it.
void TestRegisterWindow::certificateIssuedIsRegistered()
{
    leaveDialogsToTest();
    QFETCH(QString, command);
    QFETCH(bool, printNumber);
    QFETCH(int, conclusion);
    const Settings settings = useRegister(m_data.filePath(QTest::currentDataTag()) + ".sqlite", printNumber);
    StartDirectory dir;
    dir.addFile("a.bin", savedRecord(0, conclusion == 1));
    QTemporaryDir out;
    auto form = startWindow();
    chooseConclusion(*form, conclusion);
    const RecordHeader values = form->recordPanel()->values();
    QStringList outside;
    for (const limits::Judgement &j : form->recordPanel()->outsideLimits())
        outside << j.text();

    ModalDriver driver(form.get());
    driver.tolerate("QPrintPreviewDialog");
    QString offered, previewTitle, told;
    const QString printed = out.filePath("printed.pdf");
    if (command == "Pdf1") {
        driver.expect(saveOffered(out.path(), offered));
    } else {
        driver.expect([&previewTitle](QWidget *modal) {
            previewTitle = modal->windowTitle();
            printFromPreview()(modal);
        });
        driver.expect(printToFile(printed));
    }
    driver.expect([&told](QWidget *modal) {  // where the certificate went
        told = static_cast<QMessageBox *>(modal)->text();
        static_cast<QMessageBox *>(modal)->accept();
    });
    if (command.startsWith("ToolButton"))
        clickTool(*form, command);
    else
        action(*form, command)->trigger();
    QCOMPARE(driver.unexpected(), QStringList());
    QCOMPARE(driver.pending(), 0);

    const QString number = year() + "-00001";
    const QString pdf = command == "Pdf1" ? out.filePath(offered) : printed;
    if (command == "Pdf1")
        QCOMPARE(offered, QStringLiteral("%1 - MV Baltic Dawn - No 12345 - %2.pdf")
                              .arg(number, values.testingDate.toString(Qt::ISODate)));
    QVERIFY2(pdftext::info(pdf, "Title").contains("certificate " + number), qPrintable(pdftext::info(pdf, "Title")));
    // The number in the preview's title and in the message naming the file.
    if (command != "Pdf1")
        QVERIFY2(previewTitle.endsWith("certificate " + number), qPrintable(previewTitle));
    QVERIFY2(told.startsWith(QStringLiteral("The certificate %1 was saved as\n").arg(number)), qPrintable(told));
    QCOMPARE(pdftext::flatText(pdf).contains(QStringLiteral("Certificate № ") + number), printNumber);

    Register reg(settings);
    const QVector<Entry> entries = reg.allEntries();
    QCOMPARE(entries.size(), 1);
    const Entry &e = entries[0];
    QCOMPARE(e.number, number);
    QCOMPARE(e.issuedHow, "PDF " + pdf);
    QCOMPARE(e.recordFile, QStringLiteral("a.bin"));
    QCOMPARE(e.recordPath, dir.inArchive("a.bin"));
    QCOMPARE(e.recordSha256, sha256Of(readFile(dir.inArchive("a.bin"))));
    QCOMPARE(e.sartModel, QStringLiteral("SART-20"));
    QCOMPARE(e.manufacturerNumber, QStringLiteral("No 12345"));
    QCOMPARE(e.vessel, QStringLiteral("MV Baltic Dawn"));
    QCOMPARE(e.testingDate, values.testingDate);
    QCOMPARE(e.nextTestingDate, QDate(2027, 3, 5));
    QCOMPARE(e.batteryDate, QDate(2028, 6, 30));
    QCOMPARE(e.verdict, conclusion ? QStringLiteral("SART FAILED TESTS") : QStringLiteral("SART PASSED TESTS"));
    QCOMPARE(e.outsideLimits, outside.join("; "));
    QCOMPARE(e.outsideLimits.contains("399 mW"), conclusion == 1);
    QCOMPARE(e.engineer, QStringLiteral("A. Sidorov"));
    QCOMPARE(e.userName, computerUserName());
    QVERIFY(qAbs(e.issuedAt.secsTo(QDateTime::currentDateTimeUtc())) < 120);
    QCOMPARE(e.recordName, QStringLiteral("a.bin"));
    QCOMPARE(e.recordTestingDate, e.testingDate);
    QCOMPARE(e.outputs.size(), 1);
    QCOMPARE(e.outputs[0].status, OutputStatus::Issued);
    QCOMPARE(e.outputs[0].filePath, pdf);
    QCOMPARE(e.outputs[0].fileSha256, sha256OfFile(pdf));
}

// Closing the preview, or cancelling its print dialog, issues nothing and
// takes no number: the next certificate printed is the first.
void TestRegisterWindow::cancelledPrintTakesNoNumber()
{
    leaveDialogsToTest();
    const Settings settings = useRegister(m_data.filePath("cancel.sqlite"));
    StartDirectory dir;
    dir.addFile("a.bin", savedRecord(0));
    QTemporaryDir out;
    auto form = startWindow();
    chooseConclusion(*form, 1);
    ModalDriver driver(form.get());
    driver.tolerate("QPrintPreviewDialog");
    driver.expect(ModalDriver::cancel());                        // the preview closed
    driver.expect(printFromPreview());
    driver.expect(ModalDriver::cancel());                        // the print dialog cancelled
    driver.expect(ModalDriver::cancel());                        // and the preview closed
    action(*form, "Print2")->trigger();
    action(*form, "Print2")->trigger();
    QCOMPARE(Register(settings).count(), 0);
    driver.expect(printFromPreview());
    driver.expect(printToFile(out.filePath("p.pdf")));
    driver.expect(ModalDriver::press(QMessageBox::Ok));  // where it went
    action(*form, "Print2")->trigger();
    QCOMPARE(driver.unexpected(), QStringList());
    QCOMPARE(driver.pending(), 0);
    const QVector<Entry> entries = Register(settings).allEntries();
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries[0].number, year() + "-00001");
}

void TestRegisterWindow::pdfNameFollowsNumberTakenMeanwhile_data()
{
    QTest::addColumn<bool>("keptOffered");
    QTest::newRow("name offered kept") << true;
    QTest::newRow("name of the engineer's own") << false;
}

// Another program issues while the save dialog is open: the certificate gets
// the next number, and the name offered follows it; a name the engineer
// typed is kept as typed.
void TestRegisterWindow::pdfNameFollowsNumberTakenMeanwhile()
{
    leaveDialogsToTest();
    QFETCH(bool, keptOffered);
    const Settings settings = useRegister(m_data.filePath(QTest::currentDataTag()) + ".sqlite");
    StartDirectory dir;
    dir.addFile("a.bin", savedRecord(0));
    QTemporaryDir out;
    auto form = startWindow();
    chooseConclusion(*form, 1);
    ModalDriver driver(form.get());
    driver.tolerate("QPrintPreviewDialog");
    QString offered;
    driver.expect([&](QWidget *modal) {
        Register other(settings);
        QVERIFY(other.issue(entryFor(dir.inArchive("a.bin"), header(), {}), [](Entry &e) {
            e.issuedHow = "Word";
            return true;
        }));
        saveOffered(out.path(), offered)(modal);
        if (!keptOffered)
            modal->findChild<QLineEdit *>("fileNameEdit")->setText(out.filePath("mine.pdf"));
    });
    driver.expect(ModalDriver::press(QMessageBox::Ok));  // where it went
    action(*form, "Pdf1")->trigger();
    QCOMPARE(driver.unexpected(), QStringList());
    QCOMPARE(offered.left(11), year() + "-00001 ");
    const QString second = year() + "-00002";
    const QString expected = keptOffered ? QString(offered).replace(year() + "-00001", second) : "mine.pdf";
    QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList{expected});
    QVERIFY(pdftext::info(out.filePath(expected), "Title").contains(second));
    const QVector<Entry> entries = Register(settings).allEntries();
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries[0].number, second);
    QCOMPARE(entries[0].issuedHow, "PDF " + out.filePath(expected));
}

// The office cannot be started (see initTestCase): the export fails with its
// error; its number stays taken, its output "not completed".
void TestRegisterWindow::wordExportThatFailsIsNotRegistered()
{
    leaveDialogsToTest();
    const Settings settings = useRegister(m_data.filePath("word.sqlite"));
    StartDirectory dir;
    dir.addFile("a.bin", savedRecord(0));
    auto form = startWindow();
    chooseConclusion(*form, 1);
    ModalDriver driver(form.get());
    driver.tolerate("QPrintPreviewDialog");
    driver.expect(ModalDriver::press(QMessageBox::Ok));
    action(*form, "Word1")->trigger();
    QCOMPARE(driver.unexpected(), QStringList());
    QCOMPARE(driver.seen().size(), 1);
    QVERIFY(driver.seen()[0].startsWith("message: "));
    const QVector<Entry> entries = Register(settings).allEntries();
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries[0].outputs.size(), 1);
    QCOMPARE(entries[0].outputs[0].how, QStringLiteral("Word"));
    QCOMPARE(entries[0].outputs[0].status, OutputStatus::NotCompleted);
}

void TestRegisterWindow::unwritableRegisterAsksFirst_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("retry");
    for (const char *command : {"Print2", "Pdf1", "Word1"})
        for (bool retry : {false, true})
            QTest::addRow("%s, %s", command, retry ? "mended and tried again" : "cancelled")
                << QString::fromLatin1(command) << retry;
}

// A register that cannot be written is named with the reason before
// anything is issued; Cancel issues nothing, and once the register is
// mended Retry goes on to the certificate.
void TestRegisterWindow::unwritableRegisterAsksFirst()
{
    leaveDialogsToTest();
    QFETCH(QString, command);
    QFETCH(bool, retry);
    QTemporaryDir place;
    const QString plain = place.filePath("plain");
    writeFile(plain, "not a folder");
    const Settings settings = useRegister(plain + "/certificates.sqlite");
    StartDirectory dir;
    dir.addFile("a.bin", savedRecord(0));
    auto form = startWindow();
    chooseConclusion(*form, 1);
    ModalDriver driver(form.get());
    driver.tolerate("QPrintPreviewDialog");
    QString question;
    driver.expect(registerQuestion(question, retry ? QMessageBox::Retry : QMessageBox::Cancel,
                                   [&] { if (retry) QFile::remove(plain); }));
    if (retry)  // the certificate's own first dialog, given up
        driver.expect(command == "Word1" ? ModalDriver::press(QMessageBox::Ok) : ModalDriver::cancel());
    action(*form, command)->trigger();
    QCOMPARE(driver.unexpected(), QStringList());
    QCOMPARE(driver.pending(), 0);
    QCOMPARE(question, QStringLiteral("The register of certificates %1/certificates.sqlite cannot be used: its folder "
                                      "%1 cannot be made.\n\nNo certificate goes out unless the register keeps it: "
                                      "nothing was issued.")
                           .arg(plain));
    QCOMPARE(driver.seen().size(), retry ? 2 : 1);
    QCOMPARE(QFileInfo(plain).isFile(), !retry);
    // Word failed here after its number was taken (no office to start):
    // that number stays, its output not completed.
    if (retry)
        QCOMPARE(Register(settings).count(), command == "Word1" ? 1 : 0);
}

// The centre's server stops after a certificate: the next one is refused
// with the register named before anything is made; back up, the same
// certificate printed again keeps its number.
void TestRegisterWindow::serverStoppedBeforeTheNextCertificate()
{
    leaveDialogsToTest();
    PgServer server;
    if (!server.unavailable().isEmpty())
        QSKIP(qPrintable(server.unavailable()));
    QVERIFY2(server.start(), qPrintable(server.error()));
    storeProgramSettings(server.settings());
    StartDirectory dir;
    dir.addFile("a.bin", savedRecord(0));
    QTemporaryDir out;
    auto form = startWindow();
    chooseConclusion(*form, 1);
    ModalDriver driver(form.get());
    driver.tolerate("QPrintPreviewDialog");
    driver.expect(printFromPreview());
    driver.expect(printToFile(out.filePath("1.pdf")));
    driver.expect(ModalDriver::press(QMessageBox::Ok));  // where it went
    action(*form, "Print2")->trigger();
    QVERIFY(server.stop());

    QString question;
    driver.expect(registerQuestion(question, QMessageBox::Cancel));
    action(*form, "Print2")->trigger();
    QVERIFY2(question.startsWith(QStringLiteral("The register of certificates postgres on 127.0.0.1:%1 cannot be used: ")
                                     .arg(server.settings().port)),
             qPrintable(question));
    QVERIFY(question.endsWith("nothing was issued."));

    QVERIFY2(server.start(), qPrintable(server.error()));
    driver.expect(printFromPreview());
    driver.expect(printToFile(out.filePath("2.pdf")));
    driver.expect(ModalDriver::press(QMessageBox::Ok));  // where it went
    action(*form, "Print2")->trigger();
    QCOMPARE(driver.unexpected(), QStringList());
    QCOMPARE(driver.pending(), 0);
    QCOMPARE(QDir(out.path()).entryList(QDir::Files), (QStringList{"1.pdf", "2.pdf"}));
    const QVector<Entry> entries = Register(server.settings()).allEntries();
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries[0].outputs.size(), 2);
    QCOMPARE(entries[0].outputs[1].fileSha256, sha256OfFile(out.filePath("2.pdf")));
    QVERIFY(pdftext::info(out.filePath("2.pdf"), "Title").contains(year() + "-00001"));
}

// The certificate last issued for a record is offered when the record is
// shown again, and no longer once the record's bytes changed.
void TestRegisterWindow::panelOffersLastCertificate()
{
    leaveDialogsToTest();
    useRegister(m_data.filePath("panel.sqlite"));
    StartDirectory dir;
    dir.addFile("a.bin", savedRecord(0));
    dir.addFile("b.bin", savedRecord(1));
    QTemporaryDir out;
    auto form = startWindow();
    auto *line = child<QLabel>(form.get(), "LastIssuedLine");
    clickRow(*form, 1);
    QVERIFY(line->isHidden());
    chooseConclusion(*form, 1);
    ModalDriver driver(form.get());
    driver.tolerate("QPrintPreviewDialog");
    driver.expect(printFromPreview());
    driver.expect(printToFile(out.filePath("a.pdf")));
    driver.expect(ModalDriver::press(QMessageBox::Ok));  // where it went
    action(*form, "Print2")->trigger();
    const QString number = year() + "-00001";
    // The register is asked off the window's thread: the line follows.
    const auto answered = [&] { return QTest::qWaitFor([&] { return !form->lastIssuedPending(); }, 20000); };
    QVERIFY(answered());
    QVERIFY(!line->isHidden());
    QVERIFY2(line->text().startsWith("Last certificate for this record: " + number + " of "), qPrintable(line->text()));
    QVERIFY(line->text().endsWith(", \"SART FAILED TESTS\"."));
    clickRow(*form, 2);
    QVERIFY(answered());
    QVERIFY(line->isHidden());
    clickRow(*form, 1);
    QVERIFY(answered());
    QVERIFY(!line->isHidden());
    QVERIFY(line->text().contains(number));

    writeFile(dir.inArchive("a.bin"), savedRecord(2));
    clickRow(*form, 2);
    clickRow(*form, 1);
    QVERIFY(answered());
    QVERIFY(line->isHidden());
    QCOMPARE(driver.unexpected(), QStringList());
}

// The view lists the register newest first, narrows it by text and dates,
// marks entries whose record changed or is gone, and exports what it shows
// as CSV that a spreadsheet shows as text.
void TestRegisterWindow::registerViewSearchesVerifiesAndExports()
{
    leaveDialogsToTest();
    const Settings settings = useRegister(m_data.filePath("view.sqlite"));
    StartDirectory dir;
    for (const char *name : {"same.bin", "changed.bin", "gone.bin"})
        dir.addFile(name, savedRecord(0));
    QVector<Entry> entries;
    const QStringList files{"same.bin", "changed.bin", "gone.bin"};
    for (int i = 0; i < 3; ++i) {
        Entry e = entryFor(dir.inArchive(files[i]), header(), {});
        e.number = QStringLiteral("2026-0000%1").arg(i + 1);
        e.issuedAt = QDateTime(QDate(2026, 1, 10 + i), QTime(9, 30)).toUTC();
        e.issuedHow = "Word";
        e.verdict = "SART PASSED TESTS";
        e.vessel = i == 1 ? QStringLiteral("Northern Star") : QStringLiteral("MV Baltic Dawn");
        e.engineer = i == 2 ? QStringLiteral("=HYPERLINK(\"x\")") : QStringLiteral("A. Sidorov");
        entries << e;
    }
    Register(settings).insertAsIs(entries);
    writeFile(dir.inArchive("changed.bin"), savedRecord(1));
    QVERIFY(QFile::remove(dir.inArchive("gone.bin")));

    auto form = startWindow();
    RegisterDialog *view = openRegister(*form);
    QVERIFY(view);
    QVERIFY(view->isVisible());
    RegisterModel *model = view->model();
    QCOMPARE(model->numbers(), (QStringList{"2026-00003", "2026-00002", "2026-00001"}));
    QCOMPARE(model->index(0, 3).data().toString(), QStringLiteral("gone.bin"));

    QTest::keyClicks(view->searchField(), "northern");
    QVERIFY(QTest::qWaitFor([&] { return view->isIdle() && model->rowCount() == 1; }, 20000));
    QCOMPARE(model->numbers(), QStringList{"2026-00002"});
    view->searchField()->clear();
    view->fromDate()->setDate(QDate(2026, 1, 11));
    view->toDate()->setDate(QDate(2026, 1, 11));
    QVERIFY(QTest::qWaitFor([&] { return view->isIdle() && model->rowCount() == 1; }, 20000));
    QCOMPARE(model->numbers(), QStringList{"2026-00002"});
    view->fromDate()->setDate(view->fromDate()->minimumDate());
    view->toDate()->setDate(view->toDate()->minimumDate());
    QVERIFY(QTest::qWaitFor([&] { return view->isIdle() && model->rowCount() == 3; }, 20000));

    child<QPushButton>(view, "RegisterVerify")->click();
    QVERIFY(QTest::qWaitFor([&] { return view->isIdle() && !model->checks().isEmpty(); }, 20000));
    const auto mark = [&](int row) { return model->index(row, 0).data(Qt::BackgroundRole); };
    QCOMPARE(mark(0).value<QColor>(), RecordMissingBackground);
    QCOMPARE(mark(1).value<QColor>(), RecordChangedBackground);
    QVERIFY(!mark(2).isValid());
    QVERIFY(model->index(0, 5).data(Qt::ToolTipRole).toString().contains("is missing"));
    QVERIFY(model->index(1, 5).data(Qt::ToolTipRole).toString().contains("changed since the certificate was issued"));
    QVERIFY(!model->index(2, 5).data(Qt::ToolTipRole).isValid());
    QVERIFY(child<QLabel>(view, "RegisterStatus")->text().contains("Verified 3 certificates: 1 with the record changed"));

    QTemporaryDir out;
    const QString csv = out.filePath("register.csv");
    ModalDriver driver(view);
    driver.expect(ModalDriver::saveAs(csv));
    QString told;
    driver.expect([&told](QWidget *modal) {
        told = static_cast<QMessageBox *>(modal)->text();
        static_cast<QMessageBox *>(modal)->accept();
    });
    child<QPushButton>(view, "RegisterExport")->click();
    QCOMPARE(driver.unexpected(), QStringList());
    QCOMPARE(driver.pending(), 0);
    QCOMPARE(told, QStringLiteral("The list of 3 certificates was saved as\n%1").arg(csv));
    QVERIFY(readFile(csv).startsWith("\xEF\xBB\xBF"));  // UTF-8 for a spreadsheet
    const QStringList lines = QString::fromUtf8(readFile(csv).mid(3)).split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 4);
    QVERIFY(lines[0].startsWith(QStringLiteral("Number,Issued,How,Record file,SART model,")));
    QVERIFY(lines[0].contains(",Record SHA-256,Record now,"));
    QVERIFY(lines[0].endsWith(",Outputs,Not completed,Record's testing date,Record in the archive"));
    QVERIFY(lines[1].startsWith("2026-00003,"));
    QVERIFY2(lines[1].contains(",\"'=HYPERLINK(\"\"x\"\")\","), qPrintable(lines[1]));
    QVERIFY(lines[1].contains(",missing,"));
    QVERIFY(lines[2].contains(",changed,"));
    QVERIFY(lines[3].contains(entries[0].recordSha256 + ",unchanged,"));
}

// The register's settings from the Settings menu: a format of the centre's
// own and the number printed on the page; a format without "#" is refused
// with the dialog left open.
void TestRegisterWindow::settingsChangeTheNumbers()
{
    leaveDialogsToTest();
    const QString file = m_data.filePath("settings.sqlite");
    useRegister(file);
    StartDirectory dir;
    dir.addFile("a.bin", savedRecord(0));
    QTemporaryDir out;
    auto form = startWindow();
    chooseConclusion(*form, 1);
    ModalDriver driver(form.get());
    driver.tolerate("QPrintPreviewDialog");
    driver.expect([](QWidget *modal) {
        child<QLineEdit>(modal, "RegisterFormat")->setText("SC");
        QTimer::singleShot(0, modal, [modal] { static_cast<QDialog *>(modal)->accept(); });
    });
    driver.expect(ModalDriver::press(QMessageBox::Ok));  // the format needs a #
    driver.expect([](QWidget *modal) {
        child<QLineEdit>(modal, "RegisterFormat")->setText("SC/YYYY/###");
        child<QCheckBox>(modal, "RegisterPrintNumber")->setChecked(true);
        QCOMPARE(child<QLabel>(modal, "RegisterExample")->text(), "SC/" + year() + "/042");
        static_cast<QDialog *>(modal)->accept();
    });
    action(*form, "Register1")->trigger();
    QCOMPARE(loadProgramSettings().numberFormat, QStringLiteral("SC/YYYY/###"));
    QVERIFY(loadProgramSettings().printNumber);

    driver.expect(printFromPreview());
    driver.expect(printToFile(out.filePath("p.pdf")));
    driver.expect(ModalDriver::press(QMessageBox::Ok));  // where it went
    action(*form, "Print2")->trigger();
    QCOMPARE(driver.unexpected(), QStringList());
    QCOMPARE(driver.pending(), 0);
    const QString number = "SC/" + year() + "/001";
    QCOMPARE(Register(loadProgramSettings()).allEntries().value(0).number, number);
    QVERIFY(pdftext::flatText(out.filePath("p.pdf")).contains(QStringLiteral("Certificate № ") + number));
}

QTEST_MAIN(TestRegisterWindow)
#include "tst_registerwindow.moc"

// Signed certificates through the real main window: a PDF saved or printed
// into a file is signed before it takes its name, verified by pdfsig, by
// openssl against the test's CA and by the program's own Check (window and
// command line); the register keeps the SHA-256 of the signed file; a
// signing that fails leaves no certificate under the name.
#include "CertificateFindings.h"
#include "CertificateRegister.h"
#include "HeaderWriteBack.h"
#include "ModalDriver.h"
#include "PdfText.h"
#include "PrintSteps.h"
#include "SampleRecord.h"
#include "SignedPdfTools.h"
#include "SigningSettings.h"
#include "TestKeys.h"
#include "TestSupport.h"
#include "WindowFixture.h"

#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QScreen>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QTest>

#include <sys/mount.h>

using namespace windowtest;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

QByteArray savedRecord(int variant)
{
    return writeback::rewrite(sample::makeRecord(sample::variant(variant)), sample::savedHeader());
}

certregister::Settings useRegister(const QString &sqlitePath)
{
    certregister::Settings s;
    s.sqlitePath = sqlitePath;
    certregister::storeProgramSettings(s);
    return s;
}

ModalDriver::Step saveInto(const QString &folder, QString &chosen)
{
    return [folder, &chosen](QWidget *modal) {
        auto *edit = modal->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (!edit)
            return modal->close(), void();
        chosen = folder + u'/' + edit->text();
        edit->setText(chosen);
        static_cast<QDialog *>(modal)->accept();
    };
}

// The password question: answered with the text, or cancelled (null text).
ModalDriver::Step password(const QString &text, QString *asked = nullptr)
{
    return [text, asked](QWidget *modal) {
        auto *input = qobject_cast<QInputDialog *>(modal);
        if (!input || input->objectName() != QLatin1String("SigningPassword"))
            return modal->close(), void();
        if (asked)
            *asked = input->labelText();
        if (text.isNull())
            return input->reject();
        input->setTextValue(text);
        input->accept();
    };
}

ModalDriver::Step message(QString &text)
{
    return [&text](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box)
            return modal->close(), void();
        text = box->text();
        box->accept();
    };
}

signedpdf::Run checkCommand(const QStringList &arguments)
{
    return signedpdf::run(QStringLiteral(SART_TESTER), QStringList{QStringLiteral("--check")} + arguments);
}

// With SART_SHOTS set (a folder), the screen as it is now is saved there:
// the whole screen under a real X display, the window itself offscreen.
void shot(QWidget *window, const QString &name)
{
    const QString folder = qEnvironmentVariable("SART_SHOTS");
    if (folder.isEmpty())
        return;
    QApplication::processEvents();
    const QPixmap screen = QGuiApplication::platformName() == QLatin1String("xcb")
                               ? window->screen()->grabWindow(0)
                               : window->grab();
    screen.save(folder + u'/' + name + QStringLiteral(".png"));
}

QStringList pdfsIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}

} // namespace

class TestSignedCertificate : public WindowTestCase
{
    Q_OBJECT

private slots:
    void initTestCase();
    void signedCertificateGoesOut_data();
    void signedCertificateGoesOut();
    void failedSigningLeavesNothing_data();
    void failedSigningLeavesNothing();
    void checkCommandInTheWindow_data();
    void checkCommandInTheWindow();
    void commandLineUsage();
    void settingsTestTheKey_data();
    void settingsTestTheKey();

private:
    void leaveDialogsToTest() { m_dialogs->setPaused(true); }
    void useSigning(const QString &keyFile);

    TestKeys m_keys;
    QTemporaryDir m_data;
};

void TestSignedCertificate::initTestCase()
{
    QVERIFY2(m_keys.ok(), qPrintable(m_keys.error()));
}

void TestSignedCertificate::useSigning(const QString &keyFile)
{
    signing::storeSettings({keyFile, m_keys.caPem(), false});
    signing::forgetPassword();
}

void TestSignedCertificate::signedCertificateGoesOut_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("visibleLine");
    QTest::newRow("PDF") << "Pdf1" << false;
    QTest::newRow("PDF, signed-by line") << "Pdf1" << true;
    QTest::newRow("print to a PDF file") << "Print2" << false;
    QTest::newRow("print to a PDF file, signed-by line") << "Print2" << true;
}

void TestSignedCertificate::signedCertificateGoesOut()
{
    leaveDialogsToTest();
    QFETCH(QString, command);
    QFETCH(bool, visibleLine);
    const certregister::Settings settings = useRegister(m_data.filePath(QTest::currentDataTag()) + ".sqlite");
    useSigning(m_keys.signerP12());
    signing::storeSettings({m_keys.signerP12(), m_keys.caPem(), visibleLine});
    StartDirectory dir;
    dir.addFile("a.bin", savedRecord(0));
    QTemporaryDir out;
    auto form = startWindow();
    chooseConclusion(*form, 0);

    ModalDriver driver(form.get());
    driver.tolerate("QPrintPreviewDialog");
    QString pdf = out.filePath("printed.pdf"), asked, told;
    if (command == "Pdf1") {
        driver.expect(saveInto(out.path(), pdf));
    } else {
        driver.expect(printFromPreview());
        driver.expect(printToFile(pdf));
    }
    driver.expect(password(TestKeys::Password, &asked));
    driver.expect(message(told));
    action(*form, command)->trigger();
    QCOMPARE(driver.unexpected(), QStringList());
    QCOMPARE(driver.pending(), 0);

    const QString number = QString::number(QDate::currentDate().year()) + "-00001";
    QVERIFY2(asked.contains(m_keys.signerP12()), qPrintable(asked));
    QVERIFY2(told.startsWith(QStringLiteral("The certificate %1 was saved as\n").arg(number)), qPrintable(told));
    QCOMPARE(pdfsIn(out.path()), QStringList{QFileInfo(pdf).fileName()});
    // The line on the page only when asked for; the page as always otherwise.
    const QString text = pdftext::flatText(pdf);
    QCOMPARE(text.contains(QStringLiteral("Signed by Anna Engineer, ")
                           + QDate::currentDate().toString(QStringLiteral("d MMM yyyy"))),
             visibleLine);
    QCOMPARE(text.contains(QStringLiteral("Signed by")), visibleLine);

    // Signed, whole and intact for pdfsig; chained to the CA for openssl.
    const signedpdf::Run pdfsig = signedpdf::pdfsig(pdf);
    QVERIFY2(pdfsig.output.contains("Signature is Valid") && pdfsig.output.contains("Total document signed"),
             qPrintable(pdfsig.output));
    const signedpdf::Run cms = signedpdf::cmsVerify(readFile(pdf), m_keys.caPem(), out.path());
    QVERIFY2(cms.exitCode == 0, qPrintable(cms.output));

    // The register keeps the signed file's SHA-256, and the title it settles by.
    certregister::Register reg(settings);
    const QVector<certregister::Entry> entries = reg.allEntries();
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries[0].outputs.size(), 1);
    QCOMPARE(entries[0].outputs[0].status, certregister::OutputStatus::Issued);
    QCOMPARE(entries[0].outputs[0].fileSha256, certregister::sha256OfFile(pdf));
    QVERIFY(certregister::pdfCarriesNumber(pdf, number));

    // Every finding holds, in the library and on the command line.
    signing::CheckPlace place{m_keys.caPem(), settings, dir.archive()};
    const signing::Findings findings = signing::checkCertificateFile(pdf, place);
    QVERIFY2(findings.allHold(), qPrintable(findings.texts().join('\n')));
    const QString texts = findings.texts().join('\n');
    QVERIFY(texts.contains(QStringLiteral("The number %1 is in the register").arg(number)));
    QVERIFY(texts.contains(QStringLiteral("This file is the PDF the register issued under %1").arg(number)));
    QVERIFY(texts.contains(QStringLiteral("a.bin is in the archive unchanged")));
    QVERIFY(texts.contains(QStringLiteral("CN=Anna Engineer")));
    signedpdf::Run cli = checkCommand({pdf, "--ca", m_keys.caPem(), "--archive", dir.archive()});
    QVERIFY2(cli.exitCode == 0, qPrintable(cli.output));
    QVERIFY(cli.output.contains(QStringLiteral("OK: The signature covers the whole file")));

    // The same certificate again: the password of this run is not asked
    // again, and the second file is the one the register keeps for it too.
    QString second = out.filePath("second.pdf");
    if (command == "Pdf1") {
        driver.expect(saveInto(out.path(), second));
        QFile::remove(pdf);  // the same name is offered
    } else {
        driver.expect(printFromPreview());
        driver.expect(printToFile(second));
    }
    driver.expect(message(told));
    action(*form, command)->trigger();
    QCOMPARE(driver.unexpected(), QStringList());
    QCOMPARE(driver.pending(), 0);
    QVERIFY(signing::checkCertificateFile(second, place).allHold());

    // The record changed in the archive since: named, and the exit status says so.
    QByteArray record = readFile(dir.inArchive("a.bin"));
    record[100] = char(record[100] ^ 0x01);
    writeFile(dir.inArchive("a.bin"), record);
    cli = checkCommand({second, "--ca", m_keys.caPem(), "--archive", dir.archive()});
    QCOMPARE(cli.exitCode, 1);
    QVERIFY2(cli.output.contains(QStringLiteral("PROBLEM: The record %1 changed since the certificate was issued")
                                     .arg(dir.inArchive("a.bin"))),
             qPrintable(cli.output));
}

void TestSignedCertificate::failedSigningLeavesNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("says");
    QTest::newRow("wrong password, then none") << "wrong password" << "no password was given";
    QTest::newRow("expired key") << "expired" << "Old Engineer expired on";
    QTest::newRow("key not valid yet") << "future" << "New Engineer is valid only from";
    QTest::newRow("key file gone") << "gone" << "no such key file";
    QTest::newRow("read-only folder") << "read-only" << "";
}

// Nothing under the certificate's name, nothing left beside it, the
// register's output "not completed", and the error says why.
void TestSignedCertificate::failedSigningLeavesNothing()
{
    leaveDialogsToTest();
    QFETCH(QString, how);
    QFETCH(QString, says);
    const certregister::Settings settings = useRegister(m_data.filePath(QTest::currentDataTag()) + ".sqlite");
    QTemporaryDir keys;
    const QString keyFile = keys.filePath("key.p12");
    QFile::copy(how == "expired" ? m_keys.expiredP12() : how == "future" ? m_keys.futureP12() : m_keys.signerP12(),
                keyFile);
    useSigning(keyFile);
    StartDirectory dir;
    dir.addFile("a.bin", savedRecord(0));
    QTemporaryDir out;
    QString folder = out.path();
    bool mounted = false;
    if (how == "read-only") {
        folder = out.filePath("ro");
        QDir().mkpath(folder);
        if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", MS_RDONLY, "size=64k") != 0)
            QSKIP("cannot mount a read-only folder here (not root?)");
        mounted = true;
    }
    const auto unmount = qScopeGuard([&] {
        if (mounted)
            ::umount(QFile::encodeName(folder).constData());
    });
    auto form = startWindow();
    chooseConclusion(*form, 0);

    ModalDriver driver(form.get());
    QString chosen, error;
    driver.expect(saveInto(folder, chosen));
    if (how == "wrong password") {
        driver.expect(password("wrong"));
        driver.expect(password(QString()));
    } else if (how == "gone") {
        signing::rememberPassword(keyFile, TestKeys::Password);
        QFile::remove(keyFile);
    } else {
        driver.expect(password(TestKeys::Password));
    }
    driver.expect(message(error));
    action(*form, "Pdf1")->trigger();
    QCOMPARE(driver.unexpected(), QStringList());
    QCOMPARE(driver.pending(), 0);

    QVERIFY(!chosen.isEmpty());
    QVERIFY2(!QFileInfo::exists(chosen), qPrintable(chosen));
    QCOMPARE(pdfsIn(folder), QStringList());
    QVERIFY2(error.contains(how == "read-only" ? chosen : says), qPrintable(error));
    if (how != "read-only")
        QVERIFY2(error.contains("could not be signed") || error.contains("was not saved"), qPrintable(error));
    certregister::Register reg(settings);
    const QVector<certregister::Entry> entries = reg.allEntries();
    for (const certregister::Entry &e : entries)
        for (const certregister::Output &o : e.outputs)
            QVERIFY(o.status == certregister::OutputStatus::NotCompleted);
}

void TestSignedCertificate::checkCommandInTheWindow_data()
{
    QTest::addColumn<QString>("tamper");
    QTest::addColumn<QString>("finding");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("as issued") << "" << "Everything checked holds" << 0;
    QTest::newRow("one changed byte") << "byte" << "The signature is broken" << 1;
    QTest::newRow("appended update with another number") << "update" << "in place of the signed" << 1;
    QTest::newRow("truncated") << "truncate" << "cut short" << 1;
    QTest::newRow("not signed") << "unsigned" << "The certificate is not signed" << 1;
    QTest::newRow("another CA") << "stranger" << "does not chain to the CA" << 1;
}

// Archive > Check a certificate (Ctrl+K) on the issued file and on tampered
// copies: the dialog's findings and the command line's exit status.
void TestSignedCertificate::checkCommandInTheWindow()
{
    leaveDialogsToTest();
    QFETCH(QString, tamper);
    QFETCH(QString, finding);
    QFETCH(int, exitCode);
    useRegister(m_data.filePath(QTest::currentDataTag()) + ".sqlite");
    useSigning(m_keys.signerP12());
    StartDirectory dir;
    dir.addFile("a.bin", savedRecord(0));
    QTemporaryDir out;
    auto form = startWindow();
    chooseConclusion(*form, 0);
    ModalDriver driver(form.get());
    QString pdf, told;
    driver.expect(saveInto(out.path(), pdf));
    driver.expect(password(TestKeys::Password));
    driver.expect(message(told));
    action(*form, "Pdf1")->trigger();
    QCOMPARE(driver.pending(), 0);
    QVERIFY(QFileInfo::exists(pdf));

    QByteArray bytes = readFile(pdf);
    if (tamper == "byte")
        bytes[bytes.size() / 4] = char(bytes[bytes.size() / 4] ^ 0x20);
    else if (tamper == "update")
        bytes = signedpdf::withAppendedUpdate(bytes, "1999-00001");
    else if (tamper == "truncate")
        bytes.chop(100);
    else if (tamper == "unsigned")
        bytes = signedpdf::qtPdf("SART TEST REPORT");
    else if (tamper == "stranger")
        signing::storeSettings({m_keys.signerP12(), m_keys.otherCaPem(), false});
    const QString checked = out.filePath("checked.pdf");
    writeFile(checked, bytes);

    QStringList findings;
    QString summary;
    driver.expect([&](QWidget *modal) {
        auto *files = qobject_cast<QFileDialog *>(modal);
        if (!files)
            return modal->close(), void();
        if (auto *edit = files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            edit->setText(checked);
        static_cast<QDialog *>(files)->accept();
    });
    driver.expect([&](QWidget *modal) {
        auto *list = modal->findChild<QListWidget *>("CheckFindings");
        if (auto *label = modal->findChild<QLabel *>("CheckSummary"))
            summary = label->text();
        for (int i = 0; list && i < list->count(); ++i)
            findings << list->item(i)->data(Qt::UserRole).toString();
        shot(modal, QStringLiteral("check-") + QTest::currentDataTag());
        static_cast<QDialog *>(modal)->reject();
    });
    QAction *check = action(*form, "CheckCertificate1");
    QCOMPARE(check->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_K));
    check->trigger();
    QCOMPARE(driver.unexpected(), QStringList());
    QCOMPARE(driver.pending(), 0);
    const QString all = summary + '\n' + findings.join('\n');
    QVERIFY2(all.contains(finding), qPrintable(all));
    QCOMPARE(summary.startsWith("Everything checked holds"), exitCode == 0);

    const signedpdf::Run cli = checkCommand({checked, "--archive", dir.archive()});
    QVERIFY2(cli.exitCode == exitCode, qPrintable(cli.output));
    // The copy has the issued file's bytes only when untouched.
    QCOMPARE(cli.output.contains("PROBLEM: This file is not the PDF the register issued"),
             tamper == "byte" || tamper == "update" || tamper == "truncate");
}

void TestSignedCertificate::commandLineUsage()
{
    QCOMPARE(checkCommand({}).exitCode, 2);
    QCOMPARE(checkCommand({"a.pdf", "--bogus"}).exitCode, 2);
    const signedpdf::Run missing = checkCommand({m_data.filePath("none.pdf")});
    QCOMPARE(missing.exitCode, 1);
    QVERIFY2(missing.output.contains("none.pdf: File not found"), qPrintable(missing.output));
}

void TestSignedCertificate::settingsTestTheKey_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("shows");
    QTest::newRow("valid") << m_keys.signerP12() << true << "Subject: O=Test Service Centre,CN=Anna Engineer";
    QTest::newRow("expired") << m_keys.expiredP12() << false << "Refused: ";
    QTest::newRow("not valid yet") << m_keys.futureP12() << false << "is valid only from";
}

// Settings > Certificate signing: the key tested on the spot shows its
// subject, issuer and validity; one that cannot sign now is refused and the
// settings stay as they were.
void TestSignedCertificate::settingsTestTheKey()
{
    leaveDialogsToTest();
    QFETCH(QString, key);
    QFETCH(bool, accepted);
    QFETCH(QString, shows);
    signing::storeSettings({});
    signing::forgetPassword();
    StartDirectory dir;
    auto form = startWindow();
    ModalDriver driver(form.get());
    QString identity, refusal;
    // The dialog's buttons pressed from the dialog's own loop; the questions
    // they bring are answered by the driver before each click returns.
    driver.expect([&](QWidget *modal) {
        auto *keyFile = modal->findChild<QLineEdit *>("SigningKeyFile");
        if (!keyFile)
            return modal->close(), void();
        keyFile->setText(key);
        modal->findChild<QLineEdit *>("SigningCaFile")->setText(m_keys.caPem());
        QTimer::singleShot(0, modal, [&, modal] {
            modal->findChild<QPushButton *>("SigningTest")->click();
            identity = modal->findChild<QLabel *>("SigningIdentity")->text();
            shot(modal, QStringLiteral("signing-settings-") + QTest::currentDataTag());
            modal->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
            if (modal->isVisible())
                static_cast<QDialog *>(modal)->reject();
        });
    });
    driver.expect(password(TestKeys::Password));
    if (!accepted) {
        driver.expect(message(refusal));  // the error box of the test
        driver.expect(message(refusal));  // OK tests the key again, its password known
    }
    action(*form, "Signing1")->trigger();
    QCOMPARE(driver.unexpected(), QStringList());
    QCOMPARE(driver.pending(), 0);
    QVERIFY2(identity.contains(shows), qPrintable(identity));
    if (accepted) {
        QVERIFY(identity.contains("Issued by: CN=Test Centre CA,O=Test Service Centre"));
        QVERIFY(identity.contains("Valid from "));
        QCOMPARE(signing::loadSettings(), (signing::Settings{key, m_keys.caPem(), false}));
        QCOMPARE(signing::rememberedPassword(key), std::optional<QString>(TestKeys::Password));
    } else {
        QVERIFY2(refusal.contains(key), qPrintable(refusal));
        QVERIFY(!signing::loadSettings().enabled());
    }
}

QTEST_MAIN(TestSignedCertificate)
#include "tst_signedcertificate.moc"

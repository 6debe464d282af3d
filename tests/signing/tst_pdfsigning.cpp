// The signing library: a certificate PDF signed with a key the test made,
// verified by pdfsig and openssl and read back by our own check; tampered
// files found by both; keys that must not sign refused.
#include "AppError.h"
#include "PdfSignatureCheck.h"
#include "PdfSigner.h"
#include "SignedPdfTools.h"
#include "SigningKey.h"
#include "TestKeys.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace signing;

class TestPdfSigning : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void signedCertificateVerifies();
    void chainToAnotherCa();
    void tamperedFileFound_data();
    void tamperedFileFound();
    void unsignedFile();
    void keyRefused_data();
    void keyRefused();
    void cyrillicFacts();

private:
    QString write(const QString &name, const QByteArray &bytes);
    QByteArray signedCertificate(const QString &p12 = {});

    TestKeys m_keys;
    QTemporaryDir m_dir;
    const CertificateFacts m_facts{QStringLiteral("2026-00042"), QString(64, u'a'),
                                   QStringLiteral("SART PASSED TESTS")};
};

void TestPdfSigning::initTestCase()
{
    QVERIFY2(m_keys.ok(), qPrintable(m_keys.error()));
    QVERIFY(m_dir.isValid());
}

QString TestPdfSigning::write(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QByteArray TestPdfSigning::signedCertificate(const QString &p12)
{
    const SigningKey key = SigningKey::load(p12.isEmpty() ? m_keys.signerP12() : p12, TestKeys::Password);
    return signPdf(signedpdf::qtPdf(QStringLiteral("SART TEST REPORT, certificate 2026-00042")), key, m_facts);
}

void TestPdfSigning::signedCertificateVerifies()
{
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-2);
    const QByteArray pdf = signedCertificate();
    const QString path = write(QStringLiteral("signed.pdf"), pdf);

    const signedpdf::Run pdfsig = signedpdf::pdfsig(path);
    QVERIFY2(pdfsig.output.contains(QStringLiteral("Signature Validation: Signature is Valid")), qPrintable(pdfsig.output));
    QVERIFY2(pdfsig.output.contains(QStringLiteral("Total document signed")), qPrintable(pdfsig.output));
    QVERIFY2(pdfsig.output.contains(QStringLiteral("adbe.pkcs7.detached")), qPrintable(pdfsig.output));
    const signedpdf::Run cms = signedpdf::cmsVerify(pdf, m_keys.caPem(), m_dir.path());
    QVERIFY2(cms.exitCode == 0 && cms.output.contains(QStringLiteral("Verification successful")), qPrintable(cms.output));

    const SignatureCheck check = checkSignature(pdf, m_keys.caPem());
    QVERIFY(check.isPdf);
    QVERIFY(check.signedAtAll);
    QVERIFY(check.rangeValid);
    QVERIFY(check.coversWholeFile);
    QVERIFY2(check.intact, qPrintable(check.integrityProblem));
    QVERIFY(check.caChecked);
    QVERIFY2(check.chainsToCa, qPrintable(check.chainProblem));
    QCOMPARE(check.signerName, QStringLiteral("Anna Engineer"));
    QVERIFY(check.signer.contains(QStringLiteral("O=Test Service Centre")));
    QVERIFY(check.issuer.contains(QStringLiteral("CN=Test Centre CA")));
    QVERIFY(check.signedAt >= before && check.signedAt <= QDateTime::currentDateTimeUtc().addSecs(2));
    QCOMPARE(check.signedFacts.number, m_facts.number);
    QCOMPARE(check.signedFacts.recordSha256, m_facts.recordSha256);
    QCOMPARE(check.signedFacts.verdict, m_facts.verdict);
    QCOMPARE(check.lastFacts.number, m_facts.number);
    // The title the register looks for stays in the file.
    QVERIFY(pdf.contains("certificate 2026-00042") || pdf.contains(QByteArray("\0c\0e\0r\0t", 8)));
}

void TestPdfSigning::chainToAnotherCa()
{
    // A signer of another CA, checked against the centre's CA; the centre's
    // signer checked against the other CA: intact, but no chain.
    const QByteArray stranger = signedCertificate(m_keys.strangerP12());
    SignatureCheck check = checkSignature(stranger, m_keys.caPem());
    QVERIFY(check.intact);
    QVERIFY(check.caChecked);
    QVERIFY(!check.chainsToCa);
    QVERIFY(!check.chainProblem.isEmpty());
    QVERIFY(signedpdf::cmsVerify(stranger, m_keys.caPem(), m_dir.path()).exitCode != 0);

    check = checkSignature(signedCertificate(), m_keys.otherCaPem());
    QVERIFY(check.intact);
    QVERIFY(!check.chainsToCa);

    check = checkSignature(signedCertificate());
    QVERIFY(!check.caChecked);

    QVERIFY_THROWS_EXCEPTION(AppError, checkSignature(stranger, m_dir.filePath(QStringLiteral("no-ca.pem"))));
}

void TestPdfSigning::tamperedFileFound_data()
{
    QTest::addColumn<QByteArray>("pdf");
    QTest::addColumn<bool>("intact");
    QTest::addColumn<bool>("whole");
    QTest::addColumn<QString>("problem");     // in our check's integrity problem
    QTest::addColumn<QString>("pdfsigSays");  // in pdfsig's output
    QTest::addColumn<QString>("lastNumber");  // the number the file as a whole gives

    const QByteArray pdf = signedCertificate();
    // The number in the signed document information, one digit changed.
    QByteArray changed = pdf;
    const qsizetype at = changed.indexOf("/CertificateNumber");
    QVERIFY(at > 0);
    const qsizetype digit = changed.indexOf('2', at + 18);
    changed[digit + 1] = changed[digit + 1] == '\0' ? '\1' : char(changed[digit + 1] ^ 1);
    QTest::newRow("one changed byte") << changed << false << true << QStringLiteral("digest mismatch")
                                      << QStringLiteral("Digest Mismatch") << QString();
    QTest::newRow("appended update with another number")
        << signedpdf::withAppendedUpdate(pdf, QStringLiteral("2026-00099")) << true << false << QString()
        << QStringLiteral("not total document signed") << QStringLiteral("2026-00099");
    QTest::newRow("truncated") << pdf.left(pdf.size() - 40) << false << false << QStringLiteral("cut short")
                               << QStringLiteral("not total document signed") << QString();
}

void TestPdfSigning::tamperedFileFound()
{
    QFETCH(QByteArray, pdf);
    QFETCH(bool, intact);
    QFETCH(bool, whole);
    QFETCH(QString, problem);
    QFETCH(QString, pdfsigSays);
    QFETCH(QString, lastNumber);

    const SignatureCheck check = checkSignature(pdf, m_keys.caPem());
    QVERIFY(check.signedAtAll);
    QCOMPARE(check.intact, intact);
    // Who signed is another question than whether the bytes are intact.
    if (check.rangeValid)
        QVERIFY2(check.chainsToCa, qPrintable(check.chainProblem));
    QCOMPARE(check.coversWholeFile, whole);
    if (!problem.isEmpty())
        QVERIFY2(check.integrityProblem.contains(problem), qPrintable(check.integrityProblem));
    if (!lastNumber.isEmpty()) {
        QCOMPARE(check.lastFacts.number, lastNumber);
        QCOMPARE(check.signedFacts.number, m_facts.number);
    }

    const signedpdf::Run pdfsig = signedpdf::pdfsig(write(QStringLiteral("tampered.pdf"), pdf));
    if (pdfsigSays == QStringLiteral("not total document signed")) {
        QVERIFY2(!pdfsig.output.contains(QStringLiteral("Total document signed")), qPrintable(pdfsig.output));
    } else {
        QVERIFY2(pdfsig.output.contains(pdfsigSays), qPrintable(pdfsig.output));
    }
    QVERIFY(!(pdfsig.output.contains(QStringLiteral("Signature is Valid"))
              && pdfsig.output.contains(QStringLiteral("Total document signed"))));
}

void TestPdfSigning::unsignedFile()
{
    const SignatureCheck check = checkSignature(signedpdf::qtPdf(QStringLiteral("plain")));
    QVERIFY(check.isPdf);
    QVERIFY(!check.signedAtAll);
    QVERIFY(!check.intact);
    QVERIFY(!checkSignature(QByteArray("not a pdf at all")).isPdf);
}

void TestPdfSigning::keyRefused_data()
{
    QTest::addColumn<QString>("p12");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("says");
    // Whether another password may open it: the window asks again only then,
    // whatever language the text is in.
    QTest::addColumn<bool>("passwordRefused");

    QTest::newRow("wrong password") << m_keys.signerP12() << QStringLiteral("wrong") << QStringLiteral("wrong password")
                                    << true;
    QTest::newRow("expired") << m_keys.expiredP12() << TestKeys::Password << QStringLiteral("Old Engineer expired on")
                             << false;
    QTest::newRow("not yet valid") << m_keys.futureP12() << TestKeys::Password
                                   << QStringLiteral("New Engineer is valid only from") << false;
    QTest::newRow("no such file") << m_keys.path(QStringLiteral("gone.p12")) << TestKeys::Password
                                  << QStringLiteral("no such key file") << false;
    QTest::newRow("not PKCS#12") << m_keys.caPem() << TestKeys::Password << QStringLiteral("not a PKCS#12 key file")
                                 << false;
}

void TestPdfSigning::keyRefused()
{
    QFETCH(QString, p12);
    QFETCH(QString, password);
    QFETCH(QString, says);
    QFETCH(bool, passwordRefused);
    try {
        SigningKey::load(p12, password).requireValidAt(QDateTime::currentDateTimeUtc());
        QFAIL("the key was taken");
    } catch (const AppError &e) {
        QVERIFY2(e.text().contains(says), qPrintable(e.text()));
        QVERIFY2(e.text().contains(p12), qPrintable(e.text()));
        QCOMPARE(isPasswordRefused(e), passwordRefused);
    }
}

void TestPdfSigning::cyrillicFacts()
{
    // A verdict in another script goes in and comes back unchanged.
    const SigningKey key = SigningKey::load(m_keys.signerP12(), TestKeys::Password);
    const CertificateFacts facts{QStringLiteral("2026-00007"), QString(64, u'0'),
                                 QStringLiteral("SART НЕ СООТВЕТСТВУЕТ (a \\ ( ) test)")};
    const SignatureCheck check = checkSignature(signPdf(signedpdf::qtPdf(QStringLiteral("x")), key, facts));
    QVERIFY(check.intact);
    QCOMPARE(check.signedFacts.verdict, facts.verdict);
    QCOMPARE(check.signedFacts.number, facts.number);
}

QTEST_MAIN(TestPdfSigning)
#include "tst_pdfsigning.moc"

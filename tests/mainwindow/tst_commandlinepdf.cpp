// sart-tester --print-pdf RECORD PDF --verdict passed|failed: the program
// itself, started as a script would start it, writes the certificate and
// numbers it in the register as the window does, or writes and numbers
// nothing and says why.
#include "CertificateEntry.h"
#include "CertificateRegister.h"
#include "HeaderWriteBack.h"
#include "PdfText.h"
#include "RegisterSettings.h"
#include "ReportContent.h"
#include "SampleRecord.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int exitCode = -1;
    QString out, err;
};

// The program with the test's environment: offscreen, its own settings and
// register (XDG_CONFIG_HOME, XDG_DATA_HOME).
Run runProgram(const QStringList &arguments)
{
    QProcess program;
    program.start(QStringLiteral(SART_TESTER_PROGRAM), arguments);
    if (!program.waitForFinished(60000)) {
        program.kill();
        program.waitForFinished();
        qWarning("sart-tester --print-pdf did not end within 60 s");
    }
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
            QString::fromLocal8Bit(program.readAllStandardOutput()),
            QString::fromLocal8Bit(program.readAllStandardError())};
}

QVector<certregister::Entry> registerEntries()
{
    return certregister::Register(certregister::loadProgramSettings()).allEntries();
}

// A record whose values all lie within the limits of the standard.
QByteArray recordWithinLimits()
{
    return writeback::rewrite(sample::makeRecord(sample::variant(0)), sample::savedHeader());
}

// One outside them: the sample maker's header, whose battery was replaced
// before the testing date.
QByteArray recordOutsideLimits()
{
    RecordHeader header = sample::savedHeader();
    header.batteryDate = QDate(2020, 1, 1);
    return writeback::rewrite(sample::makeRecord(sample::variant(0)), header);
}

} // namespace

class TestCommandLinePdf : public QObject
{
    Q_OBJECT

private slots:
    void certificateWritten_data();
    void certificateWritten();
    void nothingWritten_data();
    void nothingWritten();
};

void TestCommandLinePdf::certificateWritten_data()
{
    QTest::addColumn<bool>("withinLimits");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QString>("sentence");
    QTest::newRow("passed") << true << "passed" << report::Certified;
    QTest::newRow("failed") << true << "failed" << report::NotCompliant;
    QTest::newRow("failed, outside the limits") << false << "failed" << report::NotCompliant;
}

// The certificate goes into the file named, under a number of the register
// that names the file; the same certificate written again keeps its number.
void TestCommandLinePdf::certificateWritten()
{
    QFETCH(bool, withinLimits);
    QFETCH(QString, verdict);
    QFETCH(QString, sentence);
    QTemporaryDir dir;
    const QString record = dir.filePath("a.bin");
    testsupport::writeFile(record, withinLimits ? recordWithinLimits() : recordOutsideLimits());
    const qsizetype before = registerEntries().size();

    const QString pdf = dir.filePath("certificate.pdf");
    const Run run = runProgram({"--print-pdf", record, pdf, "--verdict", verdict});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QVector<certregister::Entry> entries = registerEntries();
    QCOMPARE(entries.size(), before + 1);
    const certregister::Entry &entry = entries.constFirst();  // the newest first
    QCOMPARE(run.out, QStringLiteral("The certificate %1 was written to %2\n").arg(entry.number, pdf));
    QCOMPARE(entry.issuedHow, "PDF " + pdf);
    QCOMPARE(entry.recordSha256, certregister::sha256OfFile(record));
    QVERIFY(pdftext::flatText(pdf).contains(sentence));
    QVERIFY(pdftext::info(pdf, "Title").contains("certificate " + entry.number));

    const QString again = dir.filePath("again.pdf");
    const Run second = runProgram({"--print-pdf", record, again, "--verdict", verdict});
    QVERIFY2(second.exitCode == 0, qPrintable(second.err));
    QCOMPARE(second.out, QStringLiteral("The certificate %1 was written to %2\n").arg(entry.number, again));
    QCOMPARE(registerEntries().size(), before + 1);
}

void TestCommandLinePdf::nothingWritten_data()
{
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QString>("recordName");   // made in the test's folder unless "missing.bin"
    QTest::addColumn<bool>("pdfExists");
    QTest::addColumn<QString>("error");        // a part of what the program says
    QTest::newRow("no verdict") << "" << "a.bin" << false
                                << "The verdict must be given: --verdict passed or --verdict failed.";
    QTest::newRow("passed, outside the limits")
        << "passed" << "a.bin" << false
        << "would say \"SART PASSED TESTS\", but values are outside the limits of the SART standard:\n"
           "- Battery replacement date";
    QTest::newRow("file there already") << "failed" << "a.bin" << true << "certificate.pdf exists already";
    QTest::newRow("record missing") << "failed" << "missing.bin" << false << "missing.bin";
}

// A certificate that cannot be made as asked leaves no file, takes no number
// and says why; a file of that name stays as it was.
void TestCommandLinePdf::nothingWritten()
{
    QFETCH(QString, verdict);
    QFETCH(QString, recordName);
    QFETCH(bool, pdfExists);
    QFETCH(QString, error);
    QTemporaryDir dir;
    const QString record = dir.filePath(recordName);
    if (recordName != QLatin1String("missing.bin"))
        testsupport::writeFile(record, recordOutsideLimits());
    const QString pdf = dir.filePath("certificate.pdf");
    if (pdfExists)
        testsupport::writeFile(pdf, "mine");
    const qsizetype before = registerEntries().size();

    QStringList arguments{"--print-pdf", record, pdf};
    if (!verdict.isEmpty())
        arguments << "--verdict" << verdict;
    const Run run = runProgram(arguments);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(error), qPrintable(run.err));
    QCOMPARE(run.out, QString());
    QCOMPARE(registerEntries().size(), before);
    if (pdfExists)
        QCOMPARE(testsupport::readFile(pdf), QByteArray("mine"));
    else
        QVERIFY(!QFile::exists(pdf));
}

QTEST_MAIN(TestCommandLinePdf)
#include "tst_commandlinepdf.moc"

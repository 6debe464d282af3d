// The certificate is English whatever the interface's language. The same
// record made into a certificate under the Russian interface (the program's
// and Qt's translations installed, Russian numbers and dates) and under the
// English one gives the same PDF, the same printed page, the same Word
// document and the same register entry; and sart-tester --print-pdf writes the
// same certificate, under the same number, in both languages.
#include "ArchiveScan.h"
#include "CertificateEntry.h"
#include "CertificatePdf.h"
#include "CertificateRegister.h"
#include "DecodedRecord.h"
#include "Decoder.h"
#include "HeaderWriteBack.h"
#include "Language.h"
#include "PdfText.h"
#include "RecordLayout.h"
#include "RecordPanel.h"
#include "ReportContent.h"
#include "ReportPrinter.h"
#include "SampleRecord.h"
#include "TestSupport.h"
#include "Unit5.h"
#include "WordReport.h"
#ifdef SART_OFFICE_TEST
#include "LibreOfficeWriter.h"
#include "TestOffice.h"
#include "WordExport.h"
#endif

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <algorithm>
#include <memory>

namespace {

const QString Number = QStringLiteral("2026-00042");

// The Russian interface for as long as it lives: the translations
// language::install loads, and ru_RU as the default locale.
class RussianInterface
{
public:
    RussianInterface()
    {
        QVERIFY(m_program.load(QStringLiteral(":/i18n/sart-tester_ru.qm")));
        QVERIFY(m_qt.load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
        QCoreApplication::installTranslator(&m_program);
        QCoreApplication::installTranslator(&m_qt);
        language::setInterfaceLocale(QLocale(QLocale::Russian, QLocale::Russia));
    }
    ~RussianInterface()
    {
        QCoreApplication::removeTranslator(&m_qt);
        QCoreApplication::removeTranslator(&m_program);
        language::setInterfaceLocale(language::regionalLocale());
    }

private:
    QTranslator m_program, m_qt;
};

// Every line where the Russian interface's differs from the English
// interface's, named.
QStringList differences(const char *what, const QStringList &russian, const QStringList &english)
{
    QStringList found;
    for (qsizetype i = 0; i < std::max(russian.size(), english.size()); ++i) {
        const QString ru = russian.value(i), en = english.value(i);
        if (ru != en)
            found << QStringLiteral("%1 line %2: \"%3\" in Russian, \"%4\" in English").arg(what).arg(i).arg(ru, en);
    }
    return found;
}

// Where each word stands on the pages, to a tenth of a point.
QStringList layoutOf(const QString &pdf)
{
    QStringList placed;
    for (const pdftext::Word &w : pdftext::words(pdf))
        placed << QStringLiteral("%1 %2 %3 %4").arg(w.page).arg(w.xMin, 0, 'f', 1).arg(w.yMin, 0, 'f', 1).arg(w.text);
    return placed;
}

// Everything a certificate of the record says, made as the window makes it.
struct Certificate
{
    QStringList valueLines;
    QString verdict, title, fileName;
    QString pdfText, printedText;
    QStringList pdfLayout, printedLayout;
    QStringList wordPieces;
    certregister::Entry entry;
    RecordHeader values;
};

Certificate make(const QString &recordPath, int conclusion, const QString &folder)
{
    // The record shown in a panel as the window shows it, the conclusion chosen.
    RecordPanel panel;
    panel.selectTestingMode(0);
    RecordBytes bytes;
    decoder::readRecord(recordPath, bytes);
    decoder::Input input;
    input.path = recordPath;
    input.modeIndex = panel.testingModeIndex();
    input.testingDateCell = archive::testingDateCell(bytes.data() + layout::TestingDate);
    DecodedRecord record;
    decoder::decodeBuffer(bytes, input, record);
    panel.showRecord(record, QFileInfo(recordPath).fileName());
    panel.findChild<QComboBox *>(QStringLiteral("ComboBox5"))->setCurrentIndex(conclusion);

    Certificate c;
    c.values = panel.values();
    QStringList outside;
    for (const limits::Judgement &j : panel.outsideLimits())
        outside << j.text();
    c.entry = certregister::entryFor(recordPath, c.values, outside.join(QStringLiteral("; ")), folder);

    TQuickReport5 report;
    report.fill(c.values);
    report.setNumberLine(report::numberLine(Number));
    c.valueLines = report.valueLines();
    c.verdict = report.verdict();
    c.title = certificatepdf::title(c.values, Number);
    c.fileName = certificatepdf::fileName(c.values, Number);

    const QString pdf = folder + QStringLiteral("/certificate.pdf");
    QFile::remove(pdf);
    report.printToPdf(pdf, c.title);
    c.pdfText = pdftext::flatText(pdf);
    c.pdfLayout = layoutOf(pdf);

    // Printed from the print preview, into a file.
    const QString printed = folder + QStringLiteral("/printed.pdf");
    QFile::remove(printed);
    QPrinter &printer = printing::programPrinter();
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
        auto *view = dialog ? dialog->findChild<QPrintPreviewWidget *>() : nullptr;
        if (!view)
            return qWarning("no print preview");
        const QPrinter::OutputFormat format = printer.outputFormat();
        printer.setOutputFileName(printed);
        view->print();
        printer.setOutputFileName(QString());
        printer.setOutputFormat(format);
        dialog->close();
    });
    report.preview(nullptr);
    c.printedText = pdftext::flatText(printed);
    c.printedLayout = layoutOf(printed);

    c.wordPieces = wordreport::pieces(c.values, report::numberLine(Number));
    return c;
}

// A record within the limits of the standard, every visual check "YES".
QByteArray recordWithinLimits()
{
    return writeback::rewrite(sample::makeRecord(sample::variant(0)), sample::savedHeader());
}

// One with values outside the limits, visual checks answered "NO" and a
// battery replaced before the testing date.
QByteArray recordOutsideLimits()
{
    sample::Params params = sample::variant(1);
    params.automatic.powerMw = 90;
    params.automatic.highKHz = 9600000;
    params.automatic.standBy = 1;
    params.automatic.led = 1;
    params.automatic.beeper = 1;
    RecordHeader header = sample::savedHeader();
    header.batteryDate = QDate(2020, 1, 1);
    header.standByText = QStringLiteral("NO");
    header.standByIndex = 1;
    header.ledText = QStringLiteral("NO");
    header.ledIndex = 1;
    return writeback::rewrite(sample::makeRecord(params), header);
}

struct Run
{
    int exitCode = -1;
    QString out, err;
};

// sart-tester --print-pdf with the interface's language given as the
// desktop gives it, the same regional settings (C: the Russian interface
// shows ru_RU numbers and dates), and the test's own settings and register.
Run printPdf(const QString &language, const QStringList &arguments)
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    environment.insert(QStringLiteral("LANGUAGE"), language);
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(SART_TESTER_PROGRAM), QStringList{QStringLiteral("--print-pdf")} + arguments);
    if (!program.waitForFinished(60000)) {
        program.kill();
        program.waitForFinished();
        qWarning("sart-tester --print-pdf did not end within 60 s");
    }
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
            QString::fromLocal8Bit(program.readAllStandardOutput()),
            QString::fromLocal8Bit(program.readAllStandardError())};
}

} // namespace

class TestCertificateLanguage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void sameCertificate_data();
    void sameCertificate();
    void commandLineSameCertificate_data();
    void commandLineSameCertificate();
#ifdef SART_OFFICE_TEST
    void sameWordDocument();
#endif
};

void TestCertificateLanguage::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    // The Russian translation is there and says Russian.
    RussianInterface russian;
    QCOMPARE(QCoreApplication::translate("LanguageMenu", "Lan&guage"), QStringLiteral("&Язык"));
    QCOMPARE(QLocale().toString(9.5), QStringLiteral("9,5"));
}

void TestCertificateLanguage::cleanup()
{
    QCOMPARE(QCoreApplication::translate("LanguageMenu", "Lan&guage"), QStringLiteral("Lan&guage"));
}

void TestCertificateLanguage::sameCertificate_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<int>("conclusion");
    QTest::newRow("passed, within the limits") << recordWithinLimits() << 0;
    QTest::newRow("failed, within the limits") << recordWithinLimits() << 1;
    QTest::newRow("failed, outside the limits, visual checks NO") << recordOutsideLimits() << 1;
}

// The page's words in the same places, the PDF's title and file name, the
// Word export's text and the register's entry (its verdict and the values
// outside the limits decide whether a certificate is issued again).
void TestCertificateLanguage::sameCertificate()
{
    QFETCH(QByteArray, record);
    QFETCH(int, conclusion);
    QTemporaryDir dir;
    const QString path = dir.filePath("a.bin");
    testsupport::writeFile(path, record);

    const Certificate english = make(path, conclusion, dir.path());
    QVERIFY(english.pdfText.startsWith(report::Title));
    QVERIFY(english.pdfText.contains(conclusion == 0 ? report::Certified : report::NotCompliant));
    Certificate russian;
    {
        RussianInterface interface;
        russian = make(path, conclusion, dir.path());
    }
    const QStringList found =
        differences("register verdict", {russian.entry.verdict}, {english.entry.verdict})
        + differences("register outside limits", {russian.entry.outsideLimits}, {english.entry.outsideLimits})
        + differences("value", russian.valueLines, english.valueLines)
        + differences("verdict", {russian.verdict}, {english.verdict})
        + differences("PDF title", {russian.title}, {english.title})
        + differences("PDF file name", {russian.fileName}, {english.fileName})
        + differences("Word", russian.wordPieces, english.wordPieces)
        + differences("PDF word", russian.pdfLayout, english.pdfLayout)
        + differences("printed word", russian.printedLayout, english.printedLayout);
    QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
    QCOMPARE(russian.pdfText, english.pdfText);
    QCOMPARE(russian.printedText, english.printedText);
    QVERIFY(russian.entry == english.entry);
    QVERIFY(certregister::sameCertificate(russian.entry, english.entry));
}

void TestCertificateLanguage::commandLineSameCertificate_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QString>("verdict");
    QTest::newRow("passed") << recordWithinLimits() << "passed";
    QTest::newRow("failed, outside the limits") << recordOutsideLimits() << "failed";
}

// Written in Russian after English, it is the same certificate: the same
// text, title and number (the register finds it issued already).
void TestCertificateLanguage::commandLineSameCertificate()
{
    QFETCH(QByteArray, record);
    QFETCH(QString, verdict);
    QTemporaryDir dir;
    const QString path = dir.filePath("a.bin");
    testsupport::writeFile(path, record);
    const QString englishPdf = dir.filePath("en.pdf");
    const QString russianPdf = dir.filePath("ru.pdf");

    const Run english = printPdf(QStringLiteral("en"), {path, englishPdf, "--verdict", verdict});
    QVERIFY2(english.exitCode == 0, qPrintable(english.err));
    const Run russian = printPdf(QStringLiteral("ru"), {path, russianPdf, "--verdict", verdict});
    QVERIFY2(russian.exitCode == 0, qPrintable(russian.err));
    const QVector<certregister::Entry> entries =
        certregister::Register(certregister::loadProgramSettings()).allEntries();
    QVERIFY(!entries.isEmpty());
    const QString number = entries.constFirst().number;
    QVERIFY2(russian.out.contains(number), qPrintable(russian.out));
    const QRegularExpression numbered(QStringLiteral("\\b\\d{4}-\\d{5}\\b"));
    const QStringList found = differences("number", {numbered.match(russian.out).captured()},
                                          {numbered.match(english.out).captured()})
                              + differences("PDF word", layoutOf(russianPdf), layoutOf(englishPdf))
                              + differences("PDF title", {pdftext::info(russianPdf, "Title")},
                                            {pdftext::info(englishPdf, "Title")});
    QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
}

#ifdef SART_OFFICE_TEST
// The Word export through a real, headless LibreOffice: the document's
// paragraphs and its window's caption are the same in both languages.
void TestCertificateLanguage::sameWordDocument()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.bin");
    testsupport::writeFile(path, recordOutsideLimits());
    TestOffice office(dir.filePath("profile"), TestOffice::uniquePipeName("language"));
    office.start();
    LibreOfficeOptions options = LibreOfficeOptions::defaults();
    options.office.pipeName = office.pipeName();
    options.office.officeProgram = QStringLiteral("/nonexistent/soffice");

    const auto exported = [&] {
        const auto before = office.textDocuments();
        LibreOfficeWriter writer(options);
        exportToWord(make(path, 1, dir.path()).values, writer, report::numberLine(Number));
        const auto after = office.textDocuments();
        for (const auto &document : after)
            if (!before.contains(document))
                return QStringList{officetext::frameTitle(document)} + officetext::paragraphs(document);
        return QStringList();
    };
    const QStringList english = exported();
    QVERIFY(english.size() > 10);
    QCOMPARE(english.first(), wordreport::WindowCaption);
    QStringList russian;
    {
        RussianInterface interface;
        russian = exported();
    }
    office.stop();
    const QStringList found = differences("Word paragraph", russian, english);
    QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
}
#endif

QTEST_MAIN(TestCertificateLanguage)
#include "tst_certificatelanguage.moc"

// The printed test report as it comes out of the printer: rendered to PDF and
// read back with poppler, so positions, fonts and line pairing are checked on
// the page itself.
#include "AppError.h"
#include "ModalDriver.h"
#include "PdfText.h"
#include "PrintSteps.h"
#include "ReportContent.h"
#include "ReportFixture.h"
#include "ReportPrinter.h"
#include "TestSupport.h"
#include "Unit5.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLocale>
#include <QPageSetupDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <sys/stat.h>
#include <unistd.h>

using pdftext::PointsPerMm;
using pdftext::Word;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

// The value column starts 10 + 101.6 mm from the paper's left edge.
constexpr double ValueColumnLeft = 111.6 * PointsPerMm;
constexpr double ValueColumnRight = (111.6 + 84.9) * PointsPerMm;

struct Row
{
    double baseline;
    QString text;
};

// Words of one column grouped into printed lines, top to bottom.
QList<Row> rows(const QList<Word> &words, bool valueColumn)
{
    QList<Row> result;
    for (const Word &w : words) {
        if (w.yMin < 100 || w.yMin > 670 || (w.xMin >= ValueColumnLeft - 2) != valueColumn)
            continue;  // title, verdict, stamp and signature lie outside both columns
        auto it = std::find_if(result.begin(), result.end(),
                               [&](const Row &r) { return std::abs(r.baseline - w.baseline()) < 0.3; });
        if (it == result.end())
            result.append({w.baseline(), w.text});
        else
            it->text += u' ' + w.text;
    }
    std::sort(result.begin(), result.end(), [](const Row &a, const Row &b) { return a.baseline < b.baseline; });
    return result;
}

// The baseline of every one of the 36 lines, taken from the caption column:
// its printed rows must be the non-empty captions, evenly spaced.
QList<double> lineBaselines(const QList<Word> &words)
{
    const QList<Row> captionRows = rows(words, false);
    QList<int> captioned;
    for (int i = 0; i < report::LineCount; ++i) {
        if (!report::captionLines().at(i).isEmpty())
            captioned.append(i);
    }
    if (captionRows.size() != captioned.size())
        return {};
    const double first = captionRows.first().baseline;
    const double pitch = (captionRows.last().baseline - first) / (captioned.last() - captioned.first());
    QList<double> baselines;
    for (int i = 0; i < report::LineCount; ++i)
        baselines.append(first + (i - captioned.first()) * pitch);
    for (int k = 0; k < captioned.size(); ++k) {
        const int line = captioned.at(k);
        if (captionRows.at(k).text != report::captionLines().at(line)
            || std::abs(captionRows.at(k).baseline - baselines.at(line)) > 0.3)
            return {};
    }
    return baselines;
}

RecordHeader otherPanel()
{
    RecordHeader p;
    p.sartModel = QStringLiteral("Beacon-2");
    p.radioEngineer = QStringLiteral("Petrov");
    p.frequencyHigh = QStringLiteral("Label8");
    p.testingModeText = QStringLiteral("Auto");
    p.verdictIndex = 1;
    return p;
}

} // namespace

class TestReportPdf : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void valuesStandOnTheirCaptionLines();
    void longValueStaysOnItsLine_data();
    void longValueStaysOnItsLine();
    void elementsInPlaceOnA4_data();
    void elementsInPlaceOnA4();
    void captionsPrintNumeroSign();
    void verdictSentence_data();
    void verdictSentence();
    void secondPrintReplacesFirst();
    void datesUnderRegionalSettings_data();
    void datesUnderRegionalSettings();
    void writeFailuresAreReported_data();
    void writeFailuresAreReported();
    void previewShowsA4PageAndPrints();
    void printToFileFromPreview_data();
    void printToFileFromPreview();
    void pageSetupEditsProgramPrinter();

private:
    QString render(const RecordHeader &panel, const QString &name);
    QTemporaryDir m_dir;
};

void TestReportPdf::initTestCase()
{
    QVERIFY(m_dir.isValid());
    cleanup();
}

QString TestReportPdf::render(const RecordHeader &panel, const QString &name)
{
    TQuickReport5 report;
    report.fill(panel);
    const QString path = m_dir.filePath(name);
    report.printToPdf(path);
    return path;
}

void TestReportPdf::valuesStandOnTheirCaptionLines()
{
    const QList<Word> words = pdftext::words(render(samplePanel(), "aligned.pdf"));
    const QList<double> baselines = lineBaselines(words);
    QCOMPARE(baselines.size(), 36);

    const QStringList expected = sampleValuesEnUs();
    const QList<Row> valueRows = rows(words, true);
    QCOMPARE(valueRows.size(), expected.size() - expected.count(QString()));
    for (const Row &row : valueRows) {
        const int line = expected.indexOf(row.text);
        QVERIFY2(line >= 0, qPrintable(row.text));
        QVERIFY2(std::abs(row.baseline - baselines.at(line)) < 0.3,
                 qPrintable(QStringLiteral("%1 is not on line %2").arg(row.text).arg(line + 1)));
    }
}

void TestReportPdf::longValueStaysOnItsLine_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("complete");
    QTest::newRow("shrunk to fit")
        << "12 Quay Street, Harbour Side Business Park, Port Town" << true;
    QTest::newRow("shortened at the smallest size")
        << "Building 12, Quay Street, Harbour Side Business Park, Port Town, North Sea Coast, "
           "District of the Outer Lighthouses, opposite the old customs house"
        << false;
}

void TestReportPdf::longValueStaysOnItsLine()
{
    QFETCH(QString, address);
    QFETCH(bool, complete);
    RecordHeader panel = samplePanel();
    panel.centreAddress = address;
    const QList<Word> words = pdftext::words(render(panel, "long.pdf"));
    const QList<double> baselines = lineBaselines(words);
    QCOMPARE(baselines.size(), 36);

    const int addressLine = 31;
    QString printed;
    for (const Word &w : words) {
        if (w.xMin < ValueColumnLeft - 2 || std::abs(w.baseline() - baselines.at(addressLine)) > 0.3)
            continue;
        printed += (printed.isEmpty() ? "" : " ") + w.text;
        QVERIFY(w.xMax <= ValueColumnRight + 0.5);
        const double points = (w.yMax - w.yMin) / 1.107;
        QVERIFY2(points >= 7.9 && points < 13.9, qPrintable(QString::number(points)));
    }
    if (complete)
        QCOMPARE(printed, address);
    else
        QVERIFY2(printed.endsWith(u'\u2026') && address.startsWith(printed.chopped(1).trimmed()), qPrintable(printed));

    // The lines below still pair with their own captions.
    const QList<Row> valueRows = rows(words, true);
    for (const QString &below : {QStringLiteral("555-0100"), QStringLiteral("555-0101"), QStringLiteral("Ivanov")}) {
        auto it = std::find_if(valueRows.begin(), valueRows.end(), [&](const Row &r) { return r.text == below; });
        QVERIFY(it != valueRows.end());
        QVERIFY(std::abs(it->baseline - baselines.at(sampleValuesEnUs().indexOf(below))) < 0.3);
    }
}

void TestReportPdf::elementsInPlaceOnA4_data()
{
    // Where the first word of an element with this text starts, in
    // millimetres from the paper's top-left corner (10 mm margins);
    // x 0: not checked, x < 0: centred at -x.
    QTest::addColumn<QString>("word");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("top");
    const double pitch = 14 * 1.107 / PointsPerMm;  // Times 14 pt line
    QTest::newRow("title") << "SART" << 54.5 << 16.4;
    QTest::newRow("first caption line") << "MODEL:" << 0.0 << 37.5;
    QTest::newRow("caption column") << "MANUFACTURER" << 16.4 << 37.5 + 2 * pitch;
    QTest::newRow("value column") << "SART-9" << 111.6 << 37.5;
    QTest::newRow("verdict box") << "It" << 0.0 << 238.6;
    QTest::newRow("stamp box") << "Stamp" << -(10 + 25.4 + 16.0) << 268.2;
    QTest::newRow("signature box") << "Signature" << 0.0 << 268.2;
}

void TestReportPdf::elementsInPlaceOnA4()
{
    QFETCH(QString, word);
    QFETCH(double, x);
    QFETCH(double, top);
    const QString path = render(samplePanel(), "layout.pdf");
    QCOMPARE(pdftext::info(path, "Pages"), QStringLiteral("1"));
    QVERIFY2(pdftext::info(path, "Page size").contains(QLatin1String("(A4)")), qPrintable(pdftext::info(path, "Page size")));

    const QList<Word> words = pdftext::words(path);
    auto it = std::find_if(words.begin(), words.end(), [&](const Word &w) { return w.text == word; });
    QVERIFY(it != words.end());
    QVERIFY2(std::abs(it->yMin / PointsPerMm - top) < 1.0, qPrintable(QString::number(it->yMin / PointsPerMm)));
    if (x > 0)
        QVERIFY2(std::abs(it->xMin / PointsPerMm - x) < 1.0, qPrintable(QString::number(it->xMin / PointsPerMm)));
    if (x < 0)
        QVERIFY(std::abs((it->xMin + it->xMax) / 2 / PointsPerMm + x) < 1.0);
}

void TestReportPdf::captionsPrintNumeroSign()
{
    const QString text = pdftext::flatText(render(samplePanel(), "numero.pdf"));
    QVERIFY(text.contains(QStringLiteral("MANUFACTURER \u2116:")));
}

void TestReportPdf::verdictSentence_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("printed");
    QTest::addColumn<QString>("absent");
    QTest::newRow("SART PASSED TESTS") << 0 << report::Certified << report::NotCompliant;
    QTest::newRow("SART FAILED TESTS") << 1 << report::NotCompliant << report::Certified;
    QTest::newRow("typed text matching no item") << -1 << report::NotCompliant << report::Certified;
}

void TestReportPdf::verdictSentence()
{
    QFETCH(int, index);
    QFETCH(QString, printed);
    QFETCH(QString, absent);
    RecordHeader panel = samplePanel();
    panel.verdictIndex = index;
    const QString text = pdftext::flatText(render(panel, "verdict.pdf"));
    QCOMPARE(text.count(printed), 1);
    QVERIFY(!text.contains(absent));
}

void TestReportPdf::secondPrintReplacesFirst()
{
    TQuickReport5 report;
    report.fill(samplePanel());
    report.printToPdf(m_dir.filePath("first.pdf"));
    report.fill(otherPanel());
    const QString second = m_dir.filePath("second.pdf");
    report.printToPdf(second);

    QCOMPARE(report.valueLines().size(), 36);
    const QList<Word> words = pdftext::words(second);
    const QList<double> baselines = lineBaselines(words);
    QCOMPARE(baselines.size(), 36);
    const QList<Row> valueRows = rows(words, true);
    QStringList printed;
    for (const Row &row : valueRows)
        printed << row.text;
    QCOMPARE(printed, (QStringList{"Beacon-2", "Label8", "Auto", "Petrov"}));
    QVERIFY(std::abs(valueRows.first().baseline - baselines.at(0)) < 0.3);
    QVERIFY(std::abs(valueRows.last().baseline - baselines.at(35)) < 0.3);
    const QString text = pdftext::flatText(second);
    QCOMPARE(text.count(report::NotCompliant), 1);
    QVERIFY(!text.contains(report::Certified));
}

void TestReportPdf::datesUnderRegionalSettings_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("dates");  // battery, next testing, testing
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << QStringList{"01.03.25", "30.11.27", "29.11.26"};
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << QStringList{"3/1/25", "11/30/27", "11/29/26"};
}

void TestReportPdf::datesUnderRegionalSettings()
{
    QFETCH(QLocale, locale);
    QFETCH(QStringList, dates);
    QLocale::setDefault(locale);
    const QList<Word> words = pdftext::words(render(samplePanel(), "dates.pdf"));
    const QList<double> baselines = lineBaselines(words);
    QCOMPARE(baselines.size(), 36);
    const QList<int> lines = {23, 25, 27};
    for (int i = 0; i < 3; ++i) {
        auto it = std::find_if(words.begin(), words.end(), [&](const Word &w) { return w.text == dates.at(i); });
        QVERIFY2(it != words.end(), qPrintable(dates.at(i)));
        QVERIFY(it->xMin >= ValueColumnLeft - 2);
        QVERIFY(std::abs(it->baseline() - baselines.at(lines.at(i))) < 0.3);
    }
}

void TestReportPdf::writeFailuresAreReported_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("error");
    QTest::newRow("missing folder") << "/nonexistent-folder/report.pdf"
                                    << "/nonexistent-folder/report.pdf: File not found";
    QTest::newRow("device") << "/dev/full"
                            << "/dev/full: this is a device, not a file; it is left as it is. Choose another name";
}

void TestReportPdf::writeFailuresAreReported()
{
    QFETCH(QString, path);
    QFETCH(QString, error);
    TQuickReport5 report;
    report.fill(samplePanel());
    try {
        report.printToPdf(path);
        QFAIL("no error raised");
    } catch (const AppError &e) {
        QCOMPARE(e.text(), error);
    }
}

void TestReportPdf::previewShowsA4PageAndPrints()
{
    // A page set-up on other paper must not move the report off A4.
    QPrinter &printer = printing::programPrinter();
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setPageMargins(QMarginsF(25, 25, 25, 25), QPageLayout::Millimeter);
    const QString printed = m_dir.filePath("from-preview.pdf");

    TQuickReport5 report;
    RecordHeader panel = samplePanel();
    panel.verdictIndex = 1;
    report.fill(panel);
    int pages = -1;
    QPageLayout layout;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        auto *view = dialog->findChild<QPrintPreviewWidget *>();
        QVERIFY(view);
        pages = view->pageCount();
        layout = printer.pageLayout();
        const QPrinter::OutputFormat format = printer.outputFormat();
        printer.setOutputFileName(printed);
        view->print();
        printer.setOutputFileName(QString());
        printer.setOutputFormat(format);
        dialog->close();
    });
    report.preview(nullptr);

    QCOMPARE(pages, 1);
    QCOMPARE(layout.pageSize().id(), QPageSize::A4);
    QCOMPARE(layout.orientation(), QPageLayout::Portrait);
    QCOMPARE(layout.margins(QPageLayout::Millimeter), QMarginsF(10, 10, 10, 10));
    QVERIFY(pdftext::info(printed, "Page size").contains(QLatin1String("(A4)")));
    const QString text = pdftext::flatText(printed);
    QVERIFY(text.startsWith(QLatin1String("SART TEST REPORT SART MODEL: SART-9")));
    QVERIFY(text.contains(report::NotCompliant));
}

void TestReportPdf::printToFileFromPreview_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("told");  // empty: printed there
    QTest::newRow("new file") << "new" << QString();
    QTest::newRow("FIFO") << "fifo" << "a FIFO (named pipe)";
    QTest::newRow("link to a file elsewhere") << "link" << "a symbolic link";
    QTest::newRow("dangling link") << "dangling" << "a symbolic link";
}

// Printing to a file from the preview's own Print command and print dialog:
// written at the chosen name through a temporary file; a FIFO or link lying
// there is neither opened nor followed, the message names it, and the print
// dialog stays for another name.
void TestReportPdf::printToFileFromPreview()
{
    QFETCH(QString, kind);
    QFETCH(QString, told);
    QTemporaryDir out, elsewhere;
    const QString path = out.filePath("printed.pdf");
    const QByteArray name = QFile::encodeName(path);
    const QString target = elsewhere.filePath("target.pdf");
    if (kind == u"fifo")
        QCOMPARE(::mkfifo(name.constData(), 0600), 0);
    if (kind == u"link")
        writeFile(target, "the target's own bytes");
    if (kind == u"link" || kind == u"dangling")
        QCOMPARE(::symlink(QFile::encodeName(target).constData(), name.constData()), 0);
    const QString other = out.filePath("other.pdf");

    TQuickReport5 report;
    report.fill(samplePanel());
    ModalDriver driver(nullptr);
    driver.expect(printFromPreview());
    driver.expect(printToFile(path));
    if (!told.isEmpty()) {
        driver.expect(ModalDriver::press(QMessageBox::Ok));
        driver.expect(printToFile(other));
    }
    driver.expect(ModalDriver::press(QMessageBox::Ok));  // where the certificate went
    report.preview(nullptr);

    QCOMPARE(driver.unexpected(), QStringList());
    QCOMPARE(driver.pending(), 0);
    const QStringList files = QDir(out.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden
                                                         | QDir::NoDotAndDotDot);
    if (told.isEmpty()) {
        QCOMPARE(driver.seen(), (QStringList{"QPrintPreviewDialog", "QPrintDialog",
                                             "message: The certificate was saved as\n" + path}));
        QCOMPARE(files, QStringList{"printed.pdf"});
        QVERIFY(pdftext::flatText(path).startsWith(QLatin1String("SART TEST REPORT")));
        return;
    }
    QCOMPARE(driver.seen(),
             (QStringList{"QPrintPreviewDialog", "QPrintDialog",
                          QStringLiteral("message: %1: this is %2, not a file; it is left as it is. Choose another "
                                         "name.")
                              .arg(path, told),
                          "QPrintDialog", "message: The certificate was saved as\n" + other}));
    QCOMPARE(files, (QStringList{"other.pdf", "printed.pdf"}));
    QVERIFY(pdftext::flatText(other).startsWith(QLatin1String("SART TEST REPORT")));
    struct stat st {};
    QCOMPARE(::lstat(name.constData(), &st), 0);
    QVERIFY(kind == u"fifo" ? S_ISFIFO(st.st_mode) : S_ISLNK(st.st_mode));
    if (kind == u"link")
        QCOMPARE(readFile(target), QByteArray("the target's own bytes"));
    else
        QVERIFY(!QFileInfo::exists(target));
}

void TestReportPdf::pageSetupEditsProgramPrinter()
{
    TQuickReport5 report;
    QPrinter *edited = nullptr;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<QPageSetupDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        edited = dialog->printer();
        dialog->reject();
    });
    report.pageSetup(nullptr);
    QCOMPARE(edited, &printing::programPrinter());
}

QTEST_MAIN(TestReportPdf)
#include "tst_reportpdf.moc"

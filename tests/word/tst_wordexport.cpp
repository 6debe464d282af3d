// The Word export's content and its sequence of word-processor operations,
// through a word processor that records what it is asked to do.

#include "AppError.h"
#include "LibreOfficeWriter.h"
#include "WordExport.h"
#include "WordProcessor.h"
#include "WordReport.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Passed = QStringLiteral(
    "It is hereby certified that all electrical parametrs, as well as the documentation on the SART "
    "comply with the requirements of the IMO.");
const QString Failed = QStringLiteral("SART does not comply with its specification");

// Records every call; throws AppError at one chosen call, once.
class RecordingWordProcessor : public WordProcessor
{
public:
    QStringList calls;
    QStringList document;  // the pieces appended
    int failingCall = -1;

    void connectApplication() override { record(QStringLiteral("connectApplication")); }
    void setVisible(bool visible) override
    {
        record(QStringLiteral("setVisible(%1)").arg(visible ? "true" : "false"));
    }
    void setCaption(const QString &caption) override { record(QStringLiteral("setCaption(%1)").arg(caption)); }
    void appendToDocument(const QString &text) override
    {
        record(QStringLiteral("appendToDocument"));
        document << text;
    }
    void disconnectDocument() override { record(QStringLiteral("disconnectDocument")); }
    void disconnectApplication() override { record(QStringLiteral("disconnectApplication")); }

private:
    void record(const QString &call)
    {
        calls << call;
        if (calls.size() - 1 == failingCall) {
            failingCall = -1;
            throw AppError(QStringLiteral("Call was rejected by callee"));
        }
    }
};

QStringList expectedCalls()
{
    QStringList calls{"connectApplication", "setVisible(true)", "setCaption(SART TESTING)"};
    for (int i = 0; i < 53; ++i)
        calls << "appendToDocument";
    return calls << "disconnectDocument" << "disconnectApplication";
}

RecordHeader realisticValues()
{
    RecordHeader v;
    v.radioEngineer = "I. Petrov";
    v.sartModel = "Tron SART20";
    v.vessel = "MV Polar Star";
    v.centreName = "Baltic Radio Service";
    v.centreAddress = "12 Harbour Road, Riga";
    v.centreTel = "+371 6700 0001";
    v.centreFax = "+371 6700 0002";
    v.manufacturerNo = "020431";
    v.frequencyHigh = "9.500";
    v.frequencyLow = "9.200";
    v.power = "412";
    v.signalDuration = "8.1";
    v.tunings = "12";
    v.repetition = "1000";
    v.testerDuration = "10";
    v.standByText = "YES";
    v.ledText = "YES";
    v.beeperText = "NO";
    v.testingModeText = "Auto";
    v.verdictText = "SART PASSED TESTS";
    v.verdictIndex = 0;
    v.nextTestDate = QDate(2005, 3, 15);
    v.testingDate = QDate(2004, 3, 15);
    v.batteryDate = QDate(2003, 12, 24);
    return v;
}

// The document as the engineer sees it in the word processor, paragraph by
// paragraph: the fixed caption and the panel's value on each line.
struct Line
{
    QString caption;
    QString value;
};
const QList<Line> ReportLines{
    {"\t\t\t\tSART TEST REPORT", ""},
    {"", ""},
    {"", ""},
    {"SART MODEL\t\t\t\t\t\t", "Tron SART20"},
    {"MANUFACTURER \u2116:\t\t\t\t\t", "020431"},
    {"VESSEL NAME:\t\t\t\t\t\t", "MV Polar Star"},
    {"SART TECHNICAL CHARACTERISTICS\t", ""},
    {"Frequency High, GHz\t\t\t\t\t", "9.500"},
    {"Frequency Low, GHz\t\t\t\t\t\t", "9.200"},
    {"Emitted Power, mW\t\t\t\t\t\t", "412"},
    {"Emitted signal duration, mks\t\t\t\t\t", "8.1"},
    {"Number of frequency tunings in signal\t\t\t", "12"},
    {"SART TESTER SETUP", ""},
    {"Frequency repetition, Hz\t\t\t\t\t", "1000"},
    {"Testing mode\t\t\t\t\t\t\t", "Auto"},
    {"Tester emitted signal duration, mks\t\t\t\t", "10"},
    {"SART VISUAL CHARACTERISTICS", ""},
    {"Stand by\t\t\t\t\t\t\t", "YES"},
    {"Led\t\t\t\t\t\t\t\t", "YES"},
    {"Sound beeper\t\t\t\t\t\t\t", "NO"},
    {"DATE OF BAT. REPLACE\t\t\t\t\t", "24/12/2003"},
    {"NEXT TESTING DATE\t\t\t\t\t", "15/03/2005"},
    {"TESTING DATE\t\t\t\t\t\t", "15/03/2004"},
    {"SERVICE CENTER", ""},
    {"Name\t\t\t\t\t\t\t\t", "Baltic Radio Service"},
    {"Address\t\t\t\t\t\t\t", "12 Harbour Road, Riga"},
    {"Tel\t\t\t\t\t\t\t\t", "+371 6700 0001"},
    {"Fax\t\t\t\t\t\t\t\t", "+371 6700 0002"},
    {"RADIOENGINEER\t\t\t\t\t\t", "I. Petrov"},
    {"", ""},
    {"", ""},
    {"", ""},
    {"", Passed},
    {"", ""},
    {"", ""},
    {"\t\tStamp here\t\t\t\t\t\tSignature", ""},
};

QStringList paragraphs(const QStringList &pieces)
{
    return pieces.join(QString()).split(u'\r');
}

} // namespace

class TestWordExport : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    void documentLayout();
    void emptyValues();
    void valuePieces_data();
    void valuePieces();
    void verdict_data();
    void verdict();
    void datesInSystemShortFormat_data();
    void datesInSystemShortFormat();
    void exportSequence();
    void certificateNumberEndsDocument();
    void failureEndsExportAndReleasesLinks_data();
    void failureEndsExportAndReleasesLinks();
    void missingPluginNeedsWriter_data();
    void missingPluginNeedsWriter();
    void officeWithoutWindowIsRefused_data();
    void officeWithoutWindowIsRefused();
};

void TestWordExport::documentLayout()
{
    const QStringList pieces = wordreport::pieces(realisticValues());
    QCOMPARE(pieces.size(), 53);
    QStringList expected;
    for (const Line &line : ReportLines)
        expected << line.caption + line.value;
    QCOMPARE(paragraphs(pieces), expected);
    // Nothing but the last piece is left without its paragraph break, and
    // no piece holds a line break of another kind.
    QVERIFY(!pieces.join(QString()).contains(u'\n'));
    QVERIFY(!pieces.last().endsWith(u'\r'));
}

void TestWordExport::emptyValues()
{
    RecordHeader empty;
    const QStringList pieces = wordreport::pieces(empty);
    QCOMPARE(pieces.size(), 53);
    // Every caption still gets its own paragraph, with nothing after its tabs.
    QStringList expected;
    for (const Line &line : ReportLines)
        expected << (line.value == Passed ? Passed : line.caption);
    QCOMPARE(paragraphs(pieces), expected);
    for (int piece : {3, 5, 7, 10, 12, 14, 16, 18, 21, 23, 25, 28, 30, 32, 34, 36, 38, 41, 43, 45, 47, 49})
        QCOMPARE(pieces.at(piece - 1), QStringLiteral("\r"));
}

// Each control's value lands in its own piece, numbered as in the report.
void TestWordExport::valuePieces_data()
{
    QTest::addColumn<int>("piece");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Edit3 SART model") << 3 << "edit3";
    QTest::newRow("Edit9 manufacturer number") << 5 << "edit9";
    QTest::newRow("Edit4 vessel") << 7 << "edit4";
    QTest::newRow("Label8 frequency high") << 10 << "label8";
    QTest::newRow("Label11 frequency low") << 12 << "label11";
    QTest::newRow("Label12 power") << 14 << "label12";
    QTest::newRow("Label13 duration") << 16 << "label13";
    QTest::newRow("Label14 tunings") << 18 << "label14";
    QTest::newRow("Label15 repetition") << 21 << "label15";
    QTest::newRow("ComboBox4 testing mode") << 23 << "comboBox4";
    QTest::newRow("Label16 tester duration") << 25 << "label16";
    QTest::newRow("ComboBox1 stand by") << 28 << "comboBox1";
    QTest::newRow("ComboBox2 led") << 30 << "comboBox2";
    QTest::newRow("ComboBox3 beeper") << 32 << "comboBox3";
    QTest::newRow("DateTimePicker3 battery") << 34 << "03/03/2003";
    QTest::newRow("DateTimePicker1 next testing") << 36 << "01/01/2001";
    QTest::newRow("DateTimePicker2 testing") << 38 << "02/02/2002";
    QTest::newRow("Edit5 centre name") << 41 << "edit5";
    QTest::newRow("Edit6 centre address") << 43 << "edit6";
    QTest::newRow("Edit7 centre tel") << 45 << "edit7";
    QTest::newRow("Edit8 centre fax") << 47 << "edit8";
    QTest::newRow("Edit1 radio engineer") << 49 << "edit1";
}

void TestWordExport::valuePieces()
{
    QFETCH(int, piece);
    QFETCH(QString, expected);
    // Every control holds its own name (as typed, unsaved), every date its own day.
    RecordHeader v;
    v.radioEngineer = "edit1";
    v.controller = "edit2";
    v.sartModel = "edit3";
    v.vessel = "edit4";
    v.centreName = "edit5";
    v.centreAddress = "edit6";
    v.centreTel = "edit7";
    v.centreFax = "edit8";
    v.manufacturerNo = "edit9";
    v.frequencyHigh = "label8";
    v.frequencyLow = "label11";
    v.power = "label12";
    v.signalDuration = "label13";
    v.tunings = "label14";
    v.repetition = "label15";
    v.testerDuration = "label16";
    v.standByText = "comboBox1";
    v.ledText = "comboBox2";
    v.beeperText = "comboBox3";
    v.testingModeText = "comboBox4";
    v.verdictText = "comboBox5";
    v.nextTestDate = QDate(2001, 1, 1);
    v.testingDate = QDate(2002, 2, 2);
    v.batteryDate = QDate(2003, 3, 3);
    QCOMPARE(wordreport::pieces(v).at(piece - 1), expected + u'\r');
}

void TestWordExport::verdict_data()
{
    QTest::addColumn<int>("conclusionsIndex");
    QTest::addColumn<QString>("expected");
    QTest::newRow("SART PASSED TESTS") << 0 << Passed;
    QTest::newRow("SART FAILED TESTS") << 1 << Failed;
    QTest::newRow("typed text matching no item") << -1 << Failed;
}

void TestWordExport::verdict()
{
    QFETCH(int, conclusionsIndex);
    QFETCH(QString, expected);
    RecordHeader v = realisticValues();
    v.verdictIndex = conclusionsIndex;
    v.verdictText = "whatever was typed";
    const QStringList pieces = wordreport::pieces(v);
    QCOMPARE(pieces.at(49), QStringLiteral("\r\r\r"));
    QCOMPARE(pieces.at(50), expected);
    QCOMPARE(pieces.at(51), QStringLiteral("\r\r\r"));
}

void TestWordExport::datesInSystemShortFormat_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");
    QTest::newRow("de_DE") << "de_DE" << "24.12.03";
    QTest::newRow("ru_RU") << "ru_RU" << "24.12.2003";
    QTest::newRow("en_US") << "en_US" << "12/24/03";
}

void TestWordExport::datesInSystemShortFormat()
{
    QFETCH(QString, locale);
    QFETCH(QString, expected);
    QLocale::setDefault(QLocale(locale));
    RecordHeader v;
    v.batteryDate = QDate(2003, 12, 24);
    QCOMPARE(wordreport::pieces(v).at(33), expected + u'\r');
}

void TestWordExport::exportSequence()
{
    RecordingWordProcessor word;
    exportToWord(realisticValues(), word);
    QCOMPARE(word.calls, expectedCalls());
    QCOMPARE(word.document, wordreport::pieces(realisticValues()));

    // A second export connects afresh and writes the whole report again.
    word.calls.clear();
    word.document.clear();
    exportToWord(realisticValues(), word);
    QCOMPARE(word.calls, expectedCalls());
    QCOMPARE(word.document.size(), 53);
}

// With the register's number asked for, one piece more ends the document:
// two empty paragraphs and the number line; the report before it unchanged.
void TestWordExport::certificateNumberEndsDocument()
{
    RecordingWordProcessor word;
    exportToWord(realisticValues(), word, QStringLiteral("Certificate № 2026-00042"));
    QCOMPARE(word.calls.size(), expectedCalls().size() + 1);
    QCOMPARE(word.document.size(), wordreport::PieceCount + 1);
    QCOMPARE(word.document.mid(0, wordreport::PieceCount), wordreport::pieces(realisticValues()));
    QCOMPARE(word.document.last(), QStringLiteral("\r\rCertificate № 2026-00042"));
}

void TestWordExport::failureEndsExportAndReleasesLinks_data()
{
    QTest::addColumn<int>("failingCall");
    QTest::newRow("connect") << 0;
    QTest::newRow("visible") << 1;
    QTest::newRow("caption") << 2;
    QTest::newRow("first piece") << 3;
    QTest::newRow("verdict piece") << 53;
    QTest::newRow("last piece") << 55;
    QTest::newRow("disconnect document") << 56;
    QTest::newRow("disconnect application") << 57;
}

void TestWordExport::failureEndsExportAndReleasesLinks()
{
    QFETCH(int, failingCall);
    RecordingWordProcessor word;
    word.failingCall = failingCall;
    const RecordHeader values = realisticValues();

    try {
        exportToWord(values, word);
        QFAIL("the export did not report the failure");
    } catch (const AppError &e) {
        QCOMPARE(e.text(), QStringLiteral("Call was rejected by callee"));
    }
    // The export stopped at the failing call, then let go of both links;
    // what was appended before stays.
    QStringList expected = expectedCalls().mid(0, failingCall + 1);
    expected << "disconnectDocument" << "disconnectApplication";
    QCOMPARE(word.calls, expected);
    const int appendedBefore = qBound(0, failingCall - 3, 53);
    QCOMPARE(word.document, wordreport::pieces(values).mid(0, appendedBefore));

    // The next export starts afresh and writes everything.
    word.calls.clear();
    word.document.clear();
    exportToWord(values, word);
    QCOMPARE(word.calls, expectedCalls());
    QCOMPARE(word.document, wordreport::pieces(values));
}

void TestWordExport::missingPluginNeedsWriter_data()
{
    QTest::addColumn<QStringList>("pluginDirs");
    QTest::newRow("no folder to search") << QStringList();
    QTest::newRow("folder without the plugin") << QStringList{QDir::tempPath() + "/no-such-folder"};
}

// Where LibreOffice is not installed the plugin is missing or does not load;
// the export says what is needed instead of failing obscurely.
void TestWordExport::missingPluginNeedsWriter()
{
    QFETCH(QStringList, pluginDirs);
    LibreOfficeOptions options = LibreOfficeOptions::defaults();
    options.pluginDirs = pluginDirs;
    options.office.pipeName = QStringLiteral("sart_test_unused_%1").arg(QCoreApplication::applicationPid());
    options.office.officeProgram = QStringLiteral("/nonexistent/soffice");
    LibreOfficeWriter writer(options);
    try {
        exportToWord(realisticValues(), writer);
        QFAIL("the export did not report the missing word processor");
    } catch (const AppError &e) {
        QCOMPARE(e.text(), QStringLiteral(
            "LibreOffice Writer is needed for the Word export; install the package libreoffice-writer."));
    }
}

void TestWordExport::officeWithoutWindowIsRefused_data()
{
    QTest::addColumn<QStringList>("programFolder");  // the files beside soffice; empty: no office at all
    QTest::addColumn<bool>("refused");
    QTest::newRow("office with the X11 plugin") << QStringList{"soffice", "libvclplug_genlo.so"} << false;
    QTest::newRow("office with the GTK plugin") << QStringList{"soffice", "libvclplug_gtk3lo.so"} << false;
    QTest::newRow("office without window") << QStringList{"soffice", "libswlo.so"} << true;
    QTest::newRow("no office") << QStringList{} << false;
}

// The office without a window (libreoffice-core-nogui) lacks every
// window-system plugin beside its program; an export into it would make a
// document nobody sees, so it is refused with a message that says what to
// install. A missing office is left to the export's own message.
void TestWordExport::officeWithoutWindowIsRefused()
{
    QFETCH(QStringList, programFolder);
    QFETCH(bool, refused);
    QTemporaryDir office;
    for (const QString &name : programFolder) {
        QFile file(office.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    try {
        requireOfficeWindow(office.filePath("soffice"));
        QVERIFY(!refused);
    } catch (const AppError &e) {
        QVERIFY(refused);
        QCOMPARE(e.text(), QStringLiteral(
            "The LibreOffice installed here has no window (package libreoffice-writer-nogui), so the Word export "
            "could not show its document; install the package libreoffice-writer, which replaces it."));
    }
}

QTEST_GUILESS_MAIN(TestWordExport)
#include "tst_wordexport.moc"

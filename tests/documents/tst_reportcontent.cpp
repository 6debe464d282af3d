// The report's text: which panel value prints beside which caption, the
// verdict sentence, and the dates in the system's short date format.
#include "ReportContent.h"
#include "ReportFixture.h"
#include "Unit5.h"

#include <QLocale>
#include <QTest>

class TestReportContent : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void lineBesideCaption_data();
    void lineBesideCaption();
    void verdictFollowsConclusionIndex_data();
    void verdictFollowsConclusionIndex();
    void refillReplacesEverything();
    void emptyBeforeFirstFill();
    void datesFollowShortDateFormat_data();
    void datesFollowShortDateFormat();
};

void TestReportContent::lineBesideCaption_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("value");
    const QStringList captions = {
        "SART MODEL:", "", "MANUFACTURER \u2116:", "", "VESSEL NAME:", "",
        "SART TECHNICAL CHARACTERISTICS", "Frequency High, GHz", "Frequency Low, GHz", "Emitted Power, mW",
        "Emitted signal duration, mks", "Number of frequency tunings in signal", "",
        "SART TESTER SETUP", "Frequency repetition, Hz", "Testing mode", "Tester emitted signal duration, mks", "",
        "SART VISUAL CHARACTERISTICS", "Stand by", "Led", "Sound beeper", "",
        "DATE OF BAT. REPLACE", "", "NEXT TESTING DATE", "", "TESTING DATE", "",
        "SERVICE CENTER", "Name", "Address", "Tel", "Fax", "", "RADIOENGINEER",
    };
    const QStringList values = sampleValuesEnUs();
    QCOMPARE(captions.size(), 36);
    for (int i = 0; i < 36; ++i)
        QTest::addRow("line %d", i + 1) << i << captions.at(i) << values.at(i);
}

void TestReportContent::lineBesideCaption()
{
    QFETCH(int, line);
    QFETCH(QString, caption);
    QFETCH(QString, value);
    TQuickReport5 report;
    report.fill(samplePanel());
    QCOMPARE(report::captionLines().size(), 36);
    QCOMPARE(report.valueLines().size(), 36);
    QCOMPARE(report::captionLines().at(line), caption);
    QCOMPARE(report.valueLines().at(line), value);
}

void TestReportContent::verdictFollowsConclusionIndex_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("verdict");
    const QString passed = "It is hereby certified that all electrical parameters, as well as the documentation "
                           "on the SART comply with the requirements of the IMO.";
    const QString failed = "SART does not comply with its specification";
    QTest::newRow("SART PASSED TESTS") << 0 << passed;
    QTest::newRow("SART FAILED TESTS") << 1 << failed;
    QTest::newRow("typed text matching no item") << -1 << failed;
}

void TestReportContent::verdictFollowsConclusionIndex()
{
    QFETCH(int, index);
    QFETCH(QString, verdict);
    RecordHeader panel = samplePanel();
    panel.verdictIndex = index;
    panel.verdictText = QStringLiteral("typed");
    TQuickReport5 report;
    report.fill(panel);
    QCOMPARE(report.verdict(), verdict);
}

void TestReportContent::refillReplacesEverything()
{
    TQuickReport5 report;
    report.fill(samplePanel());
    RecordHeader other;  // an all-empty panel, conclusion "failed"
    other.verdictIndex = 1;
    report.fill(other);
    QCOMPARE(report.valueLines(), QStringList(36, QString()));
    QCOMPARE(report.verdict(), report::NotCompliant);
    report.fill(samplePanel());
    QCOMPARE(report.valueLines(), sampleValuesEnUs());
    QCOMPARE(report.verdict(), report::Certified);
}

void TestReportContent::emptyBeforeFirstFill()
{
    TQuickReport5 report;
    QCOMPARE(report.valueLines(), QStringList(36, QString()));
    QVERIFY(report.verdict().isEmpty());
}

void TestReportContent::datesFollowShortDateFormat_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("dates");  // battery, next testing, testing
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << QStringList{"01.03.25", "30.11.27", "29.11.26"};
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << QStringList{"3/1/25", "11/30/27", "11/29/26"};
    QTest::newRow("ru_RU") << QLocale(QLocale::Russian, QLocale::Russia) << QStringList{"01.03.2025", "30.11.2027", "29.11.2026"};
}

void TestReportContent::datesFollowShortDateFormat()
{
    QFETCH(QLocale, locale);
    QFETCH(QStringList, dates);
    QLocale::setDefault(locale);
    const QStringList lines = report::valueLines(samplePanel());
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE((QStringList{lines.at(23), lines.at(25), lines.at(27)}), dates);
}

QTEST_GUILESS_MAIN(TestReportContent)
#include "tst_reportcontent.moc"

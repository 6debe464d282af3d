// The name and title a PDF certificate is saved under.
#include "CertificatePdf.h"

#include <QTest>

class TestCertificatePdf : public QObject
{
    Q_OBJECT

private slots:
    void fileNameAndTitle_data();
    void fileNameAndTitle();
};

void TestCertificatePdf::fileNameAndTitle_data()
{
    QTest::addColumn<QString>("vessel");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("title");
    const QDate date(2024, 3, 5);
    QTest::newRow("all three") << "NORTHERN STAR" << "123456" << date
                               << "NORTHERN STAR - 123456 - 2024-03-05.pdf"
                               << "SART TEST REPORT, NORTHERN STAR, 123456, 2024-03-05";
    QTest::newRow("folder separators and reserved characters")
        << "M/V \"STAR\" <1>" << "12\\34:5*?|" << date << "M_V _STAR_ _1_ - 12_34_5___ - 2024-03-05.pdf"
        << "SART TEST REPORT, M/V \"STAR\" <1>, 12\\34:5*?|, 2024-03-05";
    QTest::newRow("control characters and fill spaces")
        << QStringLiteral("  NORD\tSTERN\x01  ") << "  77  " << date << "NORD_STERN_ - 77 - 2024-03-05.pdf"
        << "SART TEST REPORT, NORD STERN, 77, 2024-03-05";
    QTest::newRow("no hidden file") << "..." << ".42" << date << "42 - 2024-03-05.pdf"
                                    << "SART TEST REPORT, ..., .42, 2024-03-05";
    QTest::newRow("Cyrillic kept") << QStringLiteral("ВОСТОК") << "" << date << QStringLiteral("ВОСТОК - 2024-03-05.pdf")
                                   << QStringLiteral("SART TEST REPORT, ВОСТОК, 2024-03-05");
    QTest::newRow("only the date") << "" << " " << date << "2024-03-05.pdf" << "SART TEST REPORT, 2024-03-05";
    QTest::newRow("nothing at all") << "" << "" << QDate() << "SART TEST REPORT.pdf" << "SART TEST REPORT";
    QTest::newRow("long vessel name shortened") << QString(200, u'A') << "1" << date
                                                << QString(60, u'A') + " - 1 - 2024-03-05.pdf"
                                                << "SART TEST REPORT, " + QString(200, u'A') + ", 1, 2024-03-05";
}

void TestCertificatePdf::fileNameAndTitle()
{
    QFETCH(QString, vessel);
    QFETCH(QString, number);
    QFETCH(QDate, date);
    RecordHeader values;
    values.vessel = vessel;
    values.manufacturerNo = number;
    values.testingDate = date;
    QTEST(certificatepdf::fileName(values), "fileName");
    QTEST(certificatepdf::title(values), "title");
}

QTEST_GUILESS_MAIN(TestCertificatePdf)
#include "tst_certificatepdf.moc"

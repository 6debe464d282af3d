// The texts of the questions before Save changes and before a certificate goes
// out, without any window: which values and reasons they name, grouped and
// worded by number, and that nothing is asked when nothing is wrong.
#include "CertificateQuestions.h"
#include "TestSupport.h"

#include <QTest>

using certificate::CarriedValue;
using Kind = certificate::Difference::Kind;

Q_DECLARE_METATYPE(QList<CarriedValue>)
Q_DECLARE_METATYPE(std::optional<QString>)

namespace {

limits::Judgement outsideValue(const QString &name, const QString &measured, const QString &limit)
{
    limits::Judgement j;
    j.outside = true;
    j.name = name;
    j.measured = measured;
    j.limit = limit;
    return j;
}

} // namespace

class TestCertificateQuestions : public QObject
{
    Q_OBJECT

private slots:
    void carriedValues_data();
    void carriedValues();
    void saveQuestion();
    void checkQuestion();
    void certifyQuestion_data();
    void certifyQuestion();
};

void TestCertificateQuestions::carriedValues_data()
{
    QTest::addColumn<QList<CarriedValue>>("carried");
    QTest::addColumn<QString>("text");
    const QString head = QStringLiteral("The record b.bin has no saved header of its own: ");
    const CarriedValue model{QStringLiteral("SART Model"), QStringLiteral("a.bin"), true};
    const CarriedValue vessel{QStringLiteral("Vessel Name"), QStringLiteral("a.bin"), true};
    const CarriedValue centre{QStringLiteral("Service Centre"), QStringLiteral("a.bin"), false};
    const CarriedValue engineer{QStringLiteral("Engineer"), QStringLiteral("c.bin"), false};
    const CarriedValue startNumber{QStringLiteral("Manufacturer's Number"), QString(), true};
    const CarriedValue startVessel{QStringLiteral("Vessel Name"), QString(), true};
    const CarriedValue startDate{QStringLiteral("Date of Next Test"), QString(), false};

    QTest::newRow("nothing") << QList<CarriedValue>{} << QString();
    // The panel's own start values say nothing of any SART unless they name one.
    QTest::newRow("start date only") << QList<CarriedValue>{startDate} << QString();
    QTest::newRow("one value") << QList<CarriedValue>{model}
                               << head + QStringLiteral("SART Model comes from the record a.bin.");
    QTest::newRow("two values") << QList<CarriedValue>{model, vessel}
                                << head + QStringLiteral("SART Model and Vessel Name come from the record a.bin.");
    QTest::newRow("three values") << QList<CarriedValue>{model, vessel, centre}
                                  << head + QStringLiteral("SART Model, Vessel Name and Service Centre come from the "
                                                           "record a.bin.");
    QTest::newRow("start value") << QList<CarriedValue>{startNumber, startDate}
                                 << head + QStringLiteral("Manufacturer's Number was in the panel before any record "
                                                          "was shown.");
    // One clause per source, in the order the sources first appear.
    QTest::newRow("sources") << QList<CarriedValue>{engineer, startNumber, model, startDate, startVessel, vessel}
                             << head + QStringLiteral("Engineer comes from the record c.bin; Manufacturer's Number "
                                                      "and Vessel Name were in the panel before any record was "
                                                      "shown; SART Model and Vessel Name come from the record "
                                                      "a.bin.");
}

void TestCertificateQuestions::carriedValues()
{
    QFETCH(QList<CarriedValue>, carried);
    QFETCH(QString, text);
    QCOMPARE(certificate::carriedValuesText(QStringLiteral("b.bin"), carried), text);
}

void TestCertificateQuestions::saveQuestion()
{
    const CarriedValue startDate{QStringLiteral("Date of Next Test"), QString(), false};
    QCOMPARE(certificate::saveQuestion(QStringLiteral("b.bin"), {startDate}), QString());
    const CarriedValue model{QStringLiteral("SART Model"), QStringLiteral("a.bin"), true};
    QCOMPARE(certificate::saveQuestion(QStringLiteral("b.bin"), {startDate, model}),
             QStringLiteral("The record b.bin has no saved header of its own: SART Model comes from the record "
                            "a.bin.\n\nSave changes into the record b.bin with these values all the same?"));
}

// The testing date alone may be certified; any other difference stops the action.
void TestCertificateQuestions::checkQuestion()
{
    certificate::Result dateOnly;
    dateOnly.recordName = QStringLiteral("b.bin");
    dateOnly.differences.append({Kind::TestingDate, DecodeTarget::TestingDate, QStringLiteral("Testing Date"),
                                 QStringLiteral("01.02.2027"), QStringLiteral("05.03.2027"), {}});
    QVERIFY(dateOnly.onlyTestingDate());
    QCOMPARE(certificate::checkQuestion(dateOnly, QStringLiteral("Print the certificate")),
             dateOnly.describe()
                 + QStringLiteral("\n\nThe testing date is never saved into the record: certify the date shown "
                                  "only if it is the day of the test. The register keeps both dates."));

    certificate::Result typed = dateOnly;
    typed.differences.append({Kind::Typed, DecodeTarget::Vessel, QStringLiteral("Vessel Name"),
                              QStringLiteral("MV Dawn II"), QStringLiteral("MV Dawn"), {}});
    QCOMPARE(certificate::checkQuestion(typed, QStringLiteral("Print the certificate")),
             typed.describe()
                 + QStringLiteral("\n\nPrint the certificate: not while the certificate and the record differ."));
}

void TestCertificateQuestions::certifyQuestion_data()
{
    QTest::addColumn<bool>("compliance");
    QTest::addColumn<std::optional<QString>>("from");
    QTest::addColumn<int>("outside");
    QTest::addColumn<QString>("text");
    const QString passed = QStringLiteral("The certificate says \"SART PASSED TESTS\", but ");
    const QString power = QStringLiteral("\n- Emitted power 399 mW (limit: at least 400 mW)");
    const QString sweep = QStringLiteral("\n- Sweep time 8.1 µs (limit: 7.0 to 7.9 µs)");
    const QString ask = QStringLiteral("\n\nSave the certificate as PDF with these values all the same?");

    QTest::newRow("nothing wrong") << true << std::optional<QString>() << 0 << QString();
    // Values outside the limits matter only to a conclusion of compliance.
    QTest::newRow("failed, outside") << false << std::optional<QString>() << 2 << QString();
    QTest::newRow("one outside") << true << std::optional<QString>() << 1
                                 << passed + QStringLiteral("1 value of the record b.bin is outside the limits of "
                                                            "the SART standard:")
                                        + power + ask;
    QTest::newRow("two outside") << true << std::optional<QString>() << 2
                                 << passed + QStringLiteral("2 values of the record b.bin are outside the limits of "
                                                            "the SART standard:")
                                        + power + sweep + ask;
    QTest::newRow("start conclusion")
        << true << std::optional<QString>(QString()) << 0
        << QStringLiteral("The conclusion \"SART PASSED TESTS\" was not chosen for the record b.bin: it was in the "
                          "panel before any record was shown.")
               + ask;
    QTest::newRow("carried and outside")
        << true << std::optional<QString>(QStringLiteral("a.bin")) << 1
        << QStringLiteral("The conclusion \"SART PASSED TESTS\" was not chosen for the record b.bin: it is carried "
                          "over from the record a.bin.\n\n")
               + passed + QStringLiteral("1 value of the record b.bin is outside the limits of the SART standard:")
               + power + ask;
}

void TestCertificateQuestions::certifyQuestion()
{
    QFETCH(bool, compliance);
    QFETCH(std::optional<QString>, from);
    QFETCH(int, outside);
    QFETCH(QString, text);
    certificate::Verdict verdict;
    verdict.record = QStringLiteral("b.bin");
    verdict.conclusion = QStringLiteral("SART PASSED TESTS");
    verdict.certifiesCompliance = compliance;
    verdict.conclusionFrom = from;
    const QList<limits::Judgement> values{
        outsideValue(QStringLiteral("Emitted power"), QStringLiteral("399 mW"), QStringLiteral("at least 400 mW")),
        outsideValue(QStringLiteral("Sweep time"), QStringLiteral("8.1 µs"), QStringLiteral("7.0 to 7.9 µs"))};
    verdict.outside = values.mid(0, outside);
    QCOMPARE(certificate::certifyQuestion(verdict, QStringLiteral("Save the certificate as PDF")), text);
}

QTEST_GUILESS_MAIN(TestCertificateQuestions)
#include "tst_certificatequestions.moc"

// The certificate questions in the Russian interface: whole sentences per
// case, the count of values outside the limits in Russian's three plural
// forms, the verdict and the field captions quoted as the panel shows them.
#include "CertificateCheck.h"
#include "CertificateQuestions.h"
#include "Language.h"

#include <QCoreApplication>
#include <QTest>

using certificate::CarriedValue;

Q_DECLARE_METATYPE(QList<CarriedValue>)

class TestQuestionsLanguage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void valuesOutside_data();
    void valuesOutside();
    void carriedValues_data();
    void carriedValues();
};

void TestQuestionsLanguage::initTestCase()
{
    language::install(language::Choice::Russian);
    QCOMPARE(language::shown(), QStringLiteral("ru"));
}

void TestQuestionsLanguage::valuesOutside_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("words");
    QTest::newRow("1") << 1 << QStringLiteral("но одно значение записи b.bin выходит");
    QTest::newRow("2") << 2 << QStringLiteral("но 2 значения записи b.bin выходят");
    QTest::newRow("5") << 5 << QStringLiteral("но 5 значений записи b.bin выходят");
    QTest::newRow("11") << 11 << QStringLiteral("но 11 значений записи b.bin выходят");
    QTest::newRow("21") << 21 << QStringLiteral("но 21 значение записи b.bin выходит");
}

void TestQuestionsLanguage::valuesOutside()
{
    QFETCH(int, count);
    QFETCH(QString, words);
    certificate::Verdict verdict;
    verdict.record = QStringLiteral("b.bin");
    verdict.conclusion = QStringLiteral("SART PASSED TESTS");
    verdict.certifiesCompliance = true;
    verdict.conclusionFrom = QString();
    limits::Judgement j;
    j.outside = true;
    j.name = QStringLiteral("P");
    j.measured = QStringLiteral("1");
    j.limit = QStringLiteral("2");
    for (int i = 0; i < count; ++i)
        verdict.outside.append(j);
    const QString text = certificate::certifyQuestion(verdict, QStringLiteral("Печать сертификата"));
    QVERIFY2(text.startsWith(QStringLiteral("Заключение «САРТ ПРОШЁЛ ПРОВЕРКУ» выбрано не для записи b.bin: оно было "
                                            "в панели до показа какой-либо записи.\n\nВ сертификате сказано «САРТ "
                                            "ПРОШЁЛ ПРОВЕРКУ», ")
                                + words + QStringLiteral(" за нормы стандарта САРТ:")),
             qPrintable(text));
    QVERIFY2(text.endsWith(QStringLiteral("\n\nПечать сертификата с этими значениями всё равно?")), qPrintable(text));
    QVERIFY(!text.contains(u'%'));
}

void TestQuestionsLanguage::carriedValues_data()
{
    using C = DecodeTarget;
    const QString model = certificate::captionOf(C::SartModel), vessel = certificate::captionOf(C::Vessel),
                  number = certificate::captionOf(C::ManufacturerNo);
    QTest::addColumn<QList<CarriedValue>>("carried");
    QTest::addColumn<QString>("text");
    QTest::newRow("one field") << QList<CarriedValue>{{model, QStringLiteral("a.bin"), true}}
                               << QStringLiteral("У записи b.bin нет своего сохранённого заголовка: Модель САРТ: "
                                                 "значение взято из записи a.bin.");
    QTest::newRow("three fields, two sources")
        << QList<CarriedValue>{{model, QStringLiteral("a.bin"), true},
                               {number, QStringLiteral("a.bin"), true},
                               {vessel, QString(), true}}
        << QStringLiteral("У записи b.bin нет своего сохранённого заголовка: Модель САРТ и Заводской №: значения "
                          "взяты из записи a.bin; Название судна: значение было в панели до показа какой-либо "
                          "записи.");
}

void TestQuestionsLanguage::carriedValues()
{
    QFETCH(QList<CarriedValue>, carried);
    QFETCH(QString, text);
    QCOMPARE(certificate::carriedValuesText(QStringLiteral("b.bin"), carried), text);
}

QTEST_GUILESS_MAIN(TestQuestionsLanguage)
#include "tst_questionslanguage.moc"

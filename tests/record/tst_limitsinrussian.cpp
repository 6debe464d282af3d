// The limits of the SART standard with the Russian interface: the text a
// register keeps for the values outside the limits is the English one, with
// "." and the same dates, whatever the language and locale, so that a record
// certified in either gets one certificate; the panel's texts are Russian.
#include "AppError.h"
#include "Language.h"
#include "SartLimits.h"

#include <QLocale>
#include <QTest>

using limits::Judgement;
using limits::Limits;
using limits::RecordValues;

namespace {

// Every judged value outside its limits, one limit changed from the standard's.
RecordValues everythingOutside()
{
    RecordValues v;
    v.measured = MeasuredValues{9499999, 9200001, 399, 541, 13};
    v.standBy = 0;
    v.led = 1;
    v.beeper = -1;
    v.testingDate = QDate(2026, 1, 5);
    v.batteryDate = QDate(2026, 1, 4);
    return v;
}

Limits changedPower()
{
    Limits l;
    l.powerMinMw = 500;
    return l;
}

QStringList storedTexts()
{
    QStringList texts;
    for (const Judgement &j : limits::outside(everythingOutside(), changedPower()))
        texts.append(j.text());
    return texts;
}

} // namespace

class TestLimitsInRussian : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void storedTextIsTheEnglishOne();
    void shownTextsAreRussian();
    void countsTakeRussianPluralForms_data();
    void countsTakeRussianPluralForms();

private:
    QStringList m_english;  // as an English run under the C locale keeps them
};

void TestLimitsInRussian::initTestCase()
{
    QLocale::setDefault(QLocale::c());
    m_english = storedTexts();
    language::install(language::Choice::Russian);
    QCOMPARE(language::shown(), QStringLiteral("ru"));
    QCOMPARE(QLocale().language(), QLocale::Russian);
}

void TestLimitsInRussian::storedTextIsTheEnglishOne()
{
    const QStringList expected{"Frequency high 9.499999 GHz (limit: at least 9.500 GHz)",
                               "Frequency low 9.200001 GHz (limit: at most 9.200 GHz)",
                               "Emitted power 399 mW (limit: at least 500 mW)",
                               "Emitted signal duration 108.2 µs (limit: 81.6 µs to 108.0 µs)",
                               "Number of frequency tunings 13 (limit: exactly 12)",
                               "Battery replacement date 4 Jan 2026 (limit: not before the testing date, 5 Jan 2026)",
                               "Led NO (limit: \"YES\")",
                               "Sound beeper no answer (limit: \"YES\")"};
    QCOMPARE(m_english, expected);
    QCOMPARE(storedTexts(), expected);
    // A locale with a decimal comma and other dates keeps the same text too.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(storedTexts(), expected);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

// What the panel and the questions show follows the language and the locale.
void TestLimitsInRussian::shownTextsAreRussian()
{
    const QList<Judgement> outside = limits::outside(everythingOutside(), changedPower());
    QCOMPARE(outside[0].shownText(), QStringLiteral("Верхняя частота 9,499999 ГГц (норма: не менее 9,500 ГГц)"));
    QCOMPARE(outside[3].shownText(),
             QStringLiteral("Длительность излучаемого сигнала 108,2 мкс (норма: от 81,6 мкс до 108,0 мкс)"));
    QCOMPARE(outside[5].measured, QStringLiteral("04.01.2026"));
    QCOMPARE(outside[7].measured, QStringLiteral("нет ответа"));
    QCOMPARE(outside[2].source,
             QStringLiteral("ЭИИМ; ITU-R M.628-5, IMO A.802(19); изменено в окне норм, норма стандарта: не менее 400 мВт"));
    QVERIFY2(outside[2].description().startsWith(QStringLiteral("Вне нормы стандарта САРТ (рекомендация).\n"
                                                                "Излучаемая мощность: 399 мВт; норма: не менее 500 мВт.")),
             qPrintable(outside[2].description()));
    // The fixed error texts stay English where they are compared, and are
    // shown translated.
    QCOMPARE(errors::FileNotFound, QStringLiteral("File not found"));
    QCOMPARE(AppError(errors::FileNotFound).text(), QStringLiteral("Файл не найден"));
    QCOMPARE(errors::fileText(QStringLiteral("/a/b.bin"), errors::ReadBeyondEnd),
             QStringLiteral("/a/b.bin: Чтение за концом файла"));
}

void TestLimitsInRussian::countsTakeRussianPluralForms_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("start");
    QTest::newRow("1") << 1 << "1 значение вне норм";
    QTest::newRow("2") << 2 << "2 значения вне норм";
    QTest::newRow("5") << 5 << "5 значений вне норм";
    QTest::newRow("8") << 8 << "8 значений вне норм";
}

void TestLimitsInRussian::countsTakeRussianPluralForms()
{
    QFETCH(int, count);
    QFETCH(QString, start);
    const QList<Judgement> outside = limits::outside(everythingOutside(), changedPower()).mid(0, count);
    QCOMPARE(outside.size(), count);
    const QString summary = limits::summary(outside);
    QVERIFY2(summary.startsWith(start), qPrintable(summary));
    QVERIFY2(summary.endsWith(outside.last().name), qPrintable(summary));
}

QTEST_GUILESS_MAIN(TestLimitsInRussian)
#include "tst_limitsinrussian.moc"

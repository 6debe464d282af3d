// The building blocks of the decoder: the bit-field reader, the number and
// date conversions, the value texts and the record character set.
#include "AppError.h"
#include "BitField.h"
#include "Convert.h"
#include "Decoder.h"
#include "ErrorText.h"
#include "RecordText.h"
#include "TypedDate.h"

#include <QLocale>
#include <QTest>

#include <climits>
#include <cmath>

class RecordParts : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { QLocale::setDefault(QLocale::system()); }

    void extractBitCountsFromTheTop();
    void bitReaderBounds_data();
    void bitReaderBounds();
    void bitArrayKeepsEntriesAboveTheLoad();

    void toInt_data();
    void toInt();
    void encodeDate_data();
    void encodeDate();
    void typedDate_data();
    void typedDate();

    void frequencyAgreesWithExtendedPrecision();
    void signalDurationAgreesWithExtendedPrecision();

    void windows1251_data();
    void windows1251();
    void everyByteSurvivesALoadAndASave();
};

void RecordParts::extractBitCountsFromTheTop()
{
    const QByteArray expected = "10100101";
    for (int n = 1; n <= 8; ++n)
        QCOMPARE(bits::ExtractBit(0xA5, n), expected[n - 1] - '0');
}

void RecordParts::bitReaderBounds_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<bool>("fails");

    QTest::newRow("ExtractBit 0") << "extract" << 0 << 0 << true;
    QTest::newRow("ExtractBit 1") << "extract" << 1 << 0 << false;
    QTest::newRow("ExtractBit 8") << "extract" << 8 << 0 << false;
    QTest::newRow("ExtractBit 9") << "extract" << 9 << 0 << true;
    QTest::newRow("LoadBits 144 bytes") << "load" << 1 << 144 << false;
    QTest::newRow("LoadBits 145 bytes") << "load" << 1 << 145 << true;
    QTest::newRow("LoadBits last 144 bytes") << "load" << 3953 << 4096 << false;
    QTest::newRow("LoadBits from byte 0") << "load" << 0 << 1 << true;
    QTest::newRow("LoadBits past the record") << "load" << 4096 << 4097 << true;
    QTest::newRow("LoadBits b < a") << "load" << 10 << 9 << false;
    QTest::newRow("BitsValue 31 bits") << "value" << 1 << 31 << false;
    QTest::newRow("BitsValue 32 bits") << "value" << 1 << 32 << true;
    QTest::newRow("BitsValue up to 1153") << "value" << 1123 << 1153 << false;
    QTest::newRow("BitsValue 1154") << "value" << 1124 << 1154 << true;
    QTest::newRow("BitsValue entry 0") << "value" << 0 << 5 << true;
}

void RecordParts::bitReaderBounds()
{
    QFETCH(QString, operation);
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(bool, fails);

    static RecordBytes buffer{};
    const QString error = errorText([&] {
        if (operation == "extract")
            bits::ExtractBit(0xFF, a);
        else if (operation == "load")
            bits::LoadBits(buffer, a, b);
        else
            bits::BitsValue(a, b);
    });
    QCOMPARE(error, fails ? errors::RangeCheck : QString());
}

void RecordParts::bitArrayKeepsEntriesAboveTheLoad()
{
    RecordBytes buffer{};
    buffer[0] = 0x8F;
    buffer[1] = 0x95;
    buffer[2] = 0xD0;
    buffer[3] = 0xFF;
    bits::LoadBits(buffer, 1, 3);
    QCOMPARE(bits::BitsValue(1, 24), 0x8F95D0);
    QCOMPARE(bits::BitsValue(9, 16), 0x95);  // entry b is the least significant bit

    // A shorter load overwrites from entry 1 and leaves entries 9..24 alone.
    bits::LoadBits(buffer, 4, 4);
    QCOMPARE(bits::BitsValue(1, 8), 0xFF);
    QCOMPARE(bits::BitsValue(9, 24), 0x95D0);

    // b < a writes nothing.
    bits::LoadBits(buffer, 3, 2);
    QCOMPARE(bits::BitsValue(1, 24), 0xFF95D0);

    // Thirty-one ones are the largest value the reader gives.
    buffer.fill(0xFF);
    bits::LoadBits(buffer, 1, 4);
    QCOMPARE(bits::BitsValue(1, 31), INT_MAX);
}

void RecordParts::toInt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("valid");

    QTest::newRow("digit") << "7" << 7 << true;
    QTest::newRow("leading zeros") << "0024" << 24 << true;
    QTest::newRow("leading blanks") << "  12" << 12 << true;
    QTest::newRow("minus") << "-1" << -1 << true;
    QTest::newRow("plus") << "+5" << 5 << true;
    QTest::newRow("largest") << "2147483647" << INT_MAX << true;
    QTest::newRow("smallest") << "-2147483648" << INT_MIN << true;
    QTest::newRow("overflow") << "2147483648" << 0 << false;
    QTest::newRow("long overflow") << "99999999999999999999" << 0 << false;
    QTest::newRow("trailing blank") << "12 " << 0 << false;
    QTest::newRow("empty") << "" << 0 << false;
    QTest::newRow("blanks only") << "  " << 0 << false;
    QTest::newRow("sign only") << "-" << 0 << false;
    QTest::newRow("letter") << "A" << 0 << false;
    QTest::newRow("digit then letter") << "1a" << 0 << false;
    QTest::newRow("zero byte") << QString(QChar(0)) << 0 << false;
    QTest::newRow("digit then zero byte") << QStringLiteral("1") + QChar(0) << 0 << false;
    QTest::newRow("non-ASCII digit") << QString(QChar(0x0663)) << 0 << false;
    QTest::newRow("Cyrillic letter") << QString(QChar(0x0410)) << 0 << false;
}

void RecordParts::toInt()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QFETCH(bool, valid);

    int result = 0;
    const QString error = errorText([&] { result = convert::toInt(text); });
    if (valid) {
        QCOMPARE(error, QString());
        QCOMPARE(result, value);
    } else {
        QCOMPARE(error, QStringLiteral("'%1' is not a valid integer value").arg(text));
    }
}

void RecordParts::encodeDate_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<bool>("valid");

    QTest::newRow("ordinary") << 2024 << 3 << 5 << true;
    QTest::newRow("leap day") << 2024 << 2 << 29 << true;
    QTest::newRow("no leap day") << 2023 << 2 << 29 << false;
    QTest::newRow("century without leap day") << 1900 << 2 << 29 << false;
    QTest::newRow("31 April") << 2024 << 4 << 31 << false;
    QTest::newRow("month 13") << 2024 << 13 << 1 << false;
    QTest::newRow("month 0") << 2024 << 0 << 1 << false;
    QTest::newRow("day 0") << 2024 << 1 << 0 << false;
    QTest::newRow("year 0") << 0 << 1 << 1 << false;
    QTest::newRow("year 1") << 1 << 1 << 1 << true;
    QTest::newRow("year 9999") << 9999 << 12 << 31 << true;
    QTest::newRow("year 10000") << 10000 << 1 << 1 << false;
}

void RecordParts::encodeDate()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(bool, valid);

    QDate date;
    const QString error = errorText([&] { date = convert::encodeDate(year, month, day); });
    if (valid) {
        QCOMPARE(error, QString());
        QCOMPARE(date, QDate(year, month, day));
    } else {
        QCOMPARE(error, errors::InvalidDateEncode);
    }
}

// The frequency is value / 10000 rounded half to even in 64-bit-mantissa
// floating point, shown as hundredths in the shortest form. Checked at every
// place where rounding can go either way, over the whole 24-bit range.
void RecordParts::typedDate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QDate>("expected");  // invalid: no whole date
    const QDate jan5(2027, 1, 5);
    const std::tuple<const char *, const char *, QDate> rows[] = {
        {"05.01.2027", "C", jan5},
        {"5.1.27", "C", jan5},
        {" 5.1.27 ", "de_DE", jan5},
        {"2027-01-05", "C", jan5},
        {"5/1/2027", "C", jan5},
        {"1/5/2027", "en_US", jan5},             // slashes in the locale's order
        {"05.01.2027", "en_US", jan5},           // dots are day first everywhere
        {"5 January 2027", "C", jan5},
        {"Jan 5, 2027", "C", jan5},
        {"5. Januar 2027", "de_DE", jan5},       // the system's language
        {"5 janvier 2027", "fr_FR", jan5},
        {"5 January 2027", "de_DE", jan5},       // English too
        {"5 января 2027", "ru_RU", jan5},
        {"5 jan 27", "C", jan5},
        {"1.1.75", "C", QDate(2075, 1, 1)},      // two-digit years: 50 years back, 49 ahead (from 2026)
        {"1.1.76", "C", QDate(1976, 1, 1)},
        {"31.02.2027", "C", QDate()},            // no such day
        {"05.01", "C", QDate()},                 // no year
        {"5 Ja 2027", "C", QDate()},             // too short for a month
        {"5 Foo 2027", "C", QDate()},
        {"5.1.207", "C", QDate()},
        {"2027", "C", QDate()},
    };
    for (const auto &[text, locale, date] : rows)
        QTest::addRow("%s, %s", text, locale) << QString::fromUtf8(text) << QString::fromLatin1(locale) << date;
}

// Whole dates as engineers type them into a date picker.
void RecordParts::typedDate()
{
    QFETCH(QString, text);
    QFETCH(QString, locale);
    QFETCH(QDate, expected);
    QCOMPARE(typeddate::parse(text, QLocale(locale), 2026), expected);
}

void RecordParts::frequencyAgreesWithExtendedPrecision()
{
    for (int n = 0; n <= 0xFFFFFF / 10000; ++n) {
        for (int rest : {0, 1, 4999, 5000, 5001, 9999}) {
            const int value = n * 10000 + rest;
            if (value > 0xFFFFFF)
                continue;
            const long double k = std::nearbyint(static_cast<long double>(value) / 10000.0L);
            QString expected = QString::number(double(k / 100.0L), 'f', 2);
            while (expected.contains(u'.') && (expected.endsWith(u'0') || expected.endsWith(u'.')))
                expected.chop(1);
            if (decoder::frequencyText(value) != expected)
                QFAIL(qPrintable(QStringLiteral("value %1: %2, expected %3")
                                     .arg(value).arg(decoder::frequencyText(value), expected)));
        }
    }
    QCOMPARE(decoder::frequencyText(0xFFFFFF), QStringLiteral("16.78"));
}

// The duration is the whole part of value * 0.2, a comma, and ten times the
// fraction rounded, in 64-bit-mantissa floating point; for all 65536 values.
void RecordParts::signalDurationAgreesWithExtendedPrecision()
{
    for (int value = 0; value <= 0xFFFF; ++value) {
        const long double product = value * 0.2L;
        const long double whole = std::trunc(product);
        const long double tenths = std::nearbyint((product - whole) * 10.0L);
        const QString expected = QStringLiteral("%1,%2").arg(qint64(whole)).arg(qint64(tenths));
        if (decoder::signalDurationText(value) != expected)
            QFAIL(qPrintable(QStringLiteral("value %1: %2, expected %3")
                                 .arg(value).arg(decoder::signalDurationText(value), expected)));
    }
}

void RecordParts::windows1251_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("roundTrip");

    QTest::newRow("ASCII") << "IVANOV I.I. 09 @" << QByteArray("IVANOV I.I. 09 @") << true;
    QTest::newRow("Cyrillic capitals") << QStringLiteral("АБВЯ") << QByteArray("\xC0\xC1\xC2\xDF") << true;
    QTest::newRow("Cyrillic small") << QStringLiteral("абвя") << QByteArray("\xE0\xE1\xE2\xFF") << true;
    QTest::newRow("Yo and numero sign") << QStringLiteral("Ёё№") << QByteArray("\xA8\xB8\xB9") << true;
    QTest::newRow("euro sign") << QStringLiteral("€") << QByteArray("\x88") << true;
    QTest::newRow("Latin a umlaut") << QStringLiteral("ä") << QByteArray("?") << false;
    QTest::newRow("CJK") << QStringLiteral("A中B") << QByteArray("A?B") << false;
    QTest::newRow("outside the BMP") << QStringLiteral("A\U0001F600B") << QByteArray("A?B") << false;
}

void RecordParts::windows1251()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, roundTrip);

    QCOMPARE(recordtext::toBytes(text), bytes);
    if (roundTrip)
        QCOMPARE(recordtext::fromBytes(bytes), text);
}

void RecordParts::everyByteSurvivesALoadAndASave()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = recordtext::fromBytes(all);
    QCOMPARE(text.size(), 256);
    QVERIFY(!text.contains(QChar::ReplacementCharacter));
    QCOMPARE(recordtext::toBytes(text), all);
}

QTEST_GUILESS_MAIN(RecordParts)
#include "tst_recordparts.moc"

// Decoding record files into the controls of the record view panel: values,
// the order in which controls change, what a "9" mark keeps, and what every
// failure leaves behind.
#include "AppError.h"
#include "Decoder.h"
#include "ErrorText.h"
#include "RecordingTarget.h"
#include "SampleRecord.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace testsupport;
using T = DecodeTarget;

namespace {

// A 20-byte header text field as Save changes writes it.
QByteArray field(const QByteArray &text, int width = layout::TextFieldWidth)
{
    return text.leftJustified(width, ' ', true);
}

// A record whose header was saved: all three marks "9".
QByteArray savedRecord()
{
    QByteArray r = blankRecord();
    put(r, layout::EngineerMark, "9");
    put(r, layout::RadioEngineer, field("IVANOV I.I.", layout::RadioEngineerWidth));
    put(r, layout::Controller, " " + field("SIDOROV", layout::ControllerTextWidth));
    put(r, layout::ServiceMark, "9");
    put(r, layout::NextTestDate, "05032025");
    put(r, layout::StandByAnswer, "012");
    put(r, layout::SartModel, field("TRON SART"));
    put(r, layout::ManufacturerNo, field("No 1234"));
    put(r, layout::VesselName, field("NADEZHDA"));
    put(r, layout::CentreName, field("RADIO SERVICE"));
    put(r, layout::CentreAddress, field("PORT STREET 1"));
    put(r, layout::CentreTel, field("+7 812 000 00 00"));
    put(r, layout::CentreFax, field("+7 812 000 00 01"));
    put(r, layout::BatteryMark, "9");
    put(r, layout::BatteryDate, "20082024");
    return r;
}

QList<int> controls(std::initializer_list<T::Field> list)
{
    return QList<int>(list.begin(), list.end());
}

// The separator the system locale of this run uses (set by the test's LC_ALL).
QString systemSeparator()
{
    const QByteArray lang = qgetenv("LC_ALL");
    return lang.startsWith("ru") || lang.startsWith("de") ? QStringLiteral(",") : QStringLiteral(".");
}

int openDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size());
}

} // namespace

class DecoderTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { QLocale::setDefault(QLocale::system()); }

    void controlsChangeInOrder_data();
    void controlsChangeInOrder();
    void sampleRecordInBothModes_data();
    void sampleRecordInBothModes();
    void modeSelectsMeasurementBlock_data();
    void modeSelectsMeasurementBlock();
    void manualNameIsAutoMeasurement();

    void frequency_data();
    void frequency();
    void signalDuration_data();
    void signalDuration();
    void wholeNumbers_data();
    void wholeNumbers();
    void testerCodes_data();
    void testerCodes();

    void answersFromDigits_data();
    void answersFromDigits();
    void answersFromCodes_data();
    void answersFromCodes();
    void marksKeepControls_data();
    void marksKeepControls();
    void headerTexts_data();
    void headerTexts();
    void engineerName_data();
    void engineerName();
    void controller_data();
    void controller();

    void headerDates_data();
    void headerDates();
    void testingDate_data();
    void testingDate();

    void readFailures_data();
    void readFailures();
    void readOnlyRecord();

private:
    QString path() const { return m_dir.filePath(QStringLiteral("record.bin")); }
    QString decodeFile(const QString &file, RecordingTarget &target, int mode = 0,
                       const QString &cell = QStringLiteral("05.03.24"), int year = 2025);
    QString decode(const QByteArray &record, RecordingTarget &target, int mode = 0,
                   const QString &cell = QStringLiteral("05.03.24"), int year = 2025);

    QTemporaryDir m_dir;
};

void DecoderTest::init()
{
    QVERIFY(m_dir.isValid());
    QFile::remove(path());
    QLocale::setDefault(QLocale::c());
}

QString DecoderTest::decodeFile(const QString &file, RecordingTarget &target, int mode,
                                const QString &cell, int year)
{
    target.calls.clear();
    return errorText([&] { decoder::decode({file, mode, cell, year}, target); });
}

QString DecoderTest::decode(const QByteArray &record, RecordingTarget &target, int mode,
                            const QString &cell, int year)
{
    writeFile(path(), record);
    return decodeFile(path(), target, mode, cell, year);
}

void DecoderTest::controlsChangeInOrder_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QList<int>>("expected");

    QTest::newRow("as received") << blankRecord()
        << controls({T::FrequencyHigh, T::FrequencyLow, T::Power, T::SignalDuration, T::Tunings, T::RadioEngineer, T::Controller,
                     T::TestingDate, T::Repetition, T::TesterDuration,
                     T::StandBy, T::Led, T::Beeper});
    QTest::newRow("saved header") << savedRecord()
        << controls({T::FrequencyHigh, T::FrequencyLow, T::Power, T::SignalDuration, T::Tunings, T::RadioEngineer, T::Controller,
                     T::NextTestDate, T::StandBy, T::Led, T::Beeper,
                     T::SartModel, T::ManufacturerNo, T::Vessel, T::CentreName, T::CentreAddress, T::CentreTel, T::CentreFax,
                     T::BatteryDate, T::TestingDate, T::Repetition, T::TesterDuration});
}

void DecoderTest::controlsChangeInOrder()
{
    QFETCH(QByteArray, record);
    QFETCH(QList<int>, expected);

    RecordingTarget target;
    QCOMPARE(decode(record, target), QString());
    QCOMPARE(QList<int>(target.calls.begin(), target.calls.end()), expected);
}

void DecoderTest::sampleRecordInBothModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("labels");  // FrequencyHigh, 11, 12, 13, 14, 15, 16
    QTest::addColumn<QString>("engineer");

    // The first sample: Auto 9500000/9200000 kHz, 600 mW, 480 units, 12 tunings,
    // repetition code 0, tester duration code 3; Manual's upper frequency is
    // 10 MHz lower and its power 20 mW less.
    QTest::newRow("Auto") << 0 << QStringList{"9.5", "9.2", "600", "96,0", "12", "400", "1.1"}
                          << "PETROV";
    // In Manual mode the tester's name is the Auto block's measurement bytes:
    // 90 F5 60 8C 61 80 02 58 01 (byte +9 skipped) 0C.
    QTest::newRow("Manual") << 1 << QStringList{"9.49", "9.2", "580", "96,0", "12", "400", "1.1"}
                            << QStringLiteral("\u0452\u0445`\u040Aa\u0402\u0002X\u0001\u000C");
}

void DecoderTest::sampleRecordInBothModes()
{
    QFETCH(int, mode);
    QFETCH(QStringList, labels);
    QFETCH(QString, engineer);

    const QByteArray record = sample::makeRecord(sample::variant(0));
    RecordingTarget target;
    QCOMPARE(decode(record, target, mode, QStringLiteral("05.01.26")), QString());

    const T::Field labelControls[] = {T::FrequencyHigh, T::FrequencyLow, T::Power, T::SignalDuration,
                                        T::Tunings, T::Repetition, T::TesterDuration};
    for (int i = 0; i < labels.size(); ++i)
        QCOMPARE(target.text(labelControls[i]), labels[i]);
    QCOMPARE(target.text(T::RadioEngineer), engineer);
    QCOMPARE(target.date(T::TestingDate), QDate(2026, 1, 5));
    QCOMPARE(target.index(T::StandBy), 0);

    // The record buffer holds exactly the file.
    const RecordBytes &buffer = recordBuffer();
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(buffer.data()), int(buffer.size())), record);
}

void DecoderTest::modeSelectsMeasurementBlock_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<QString>("power");
    QTest::addColumn<QString>("repetition");
    QTest::addColumn<int>("standBy");

    QTest::newRow("Auto: block at 3328") << 0 << "9.42" << "101" << "800" << 1;
    QTest::newRow("Manual: block at 3456") << 1 << "9.43" << "102" << "1250" << 2;
    QTest::newRow("none selected: block at 3200") << -1 << "9.41" << "100" << "400" << 0;
}

void DecoderTest::modeSelectsMeasurementBlock()
{
    QFETCH(int, mode);
    QFETCH(QString, frequency);
    QFETCH(QString, power);
    QFETCH(QString, repetition);
    QFETCH(int, standBy);

    QByteArray record = blankRecord();
    put(record, layout::EngineerMark, "9");
    for (int i = 0; i < 3; ++i) {
        const int block = 3200 + 128 * i;
        putValue(record, block + layout::FrequencyHigh, 3, 9410000 + 10000 * i);
        putValue(record, block + layout::EmittedPower, 2, 100 + i);
        putValue(record, block + layout::RepetitionCode, 1, i);
        putValue(record, block + layout::StandByCode, 1, i);
    }
    RecordingTarget target;
    QCOMPARE(decode(record, target, mode), QString());
    QCOMPARE(target.text(T::FrequencyHigh), frequency);
    QCOMPARE(target.text(T::Power), power);
    QCOMPARE(target.text(T::Repetition), repetition);
    QCOMPARE(target.index(T::StandBy), standBy);
}

// Bytes 3328..3338 are both the Auto block's first fields and the Manual
// mode's tester name.
void DecoderTest::manualNameIsAutoMeasurement()
{
    QByteArray record = blankRecord();
    put(record, layout::MeasurementBlock, "SIDOROV-PAV");

    RecordingTarget target;
    QCOMPARE(decode(record, target, 1), QString());
    QCOMPARE(target.text(T::RadioEngineer), QStringLiteral("SIDOROV-PV"));

    QCOMPARE(decode(record, target, 0), QString());
    QCOMPARE(target.text(T::FrequencyHigh), QStringLiteral("5.46"));     // "SID" = 5458244
    QCOMPARE(target.text(T::FrequencyLow), QStringLiteral("5.2"));     // "ORO" = 5198415
    QCOMPARE(target.text(T::Power), QStringLiteral("22061"));   // "V-"
    QCOMPARE(target.text(T::SignalDuration), QStringLiteral("4109,0"));  // "PA" = 20545
    QCOMPARE(target.text(T::Tunings), QStringLiteral("86"));      // "V"
}

void DecoderTest::frequency_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");  // with "." as separator

    QTest::newRow("8F95D0") << QByteArray("\x8F\x95\xD0") << "9.41";
    QTest::newRow("8F8248 half to even, down") << QByteArray("\x8F\x82\x48") << "9.4";
    QTest::newRow("8FA958 half to even, up") << QByteArray("\x8F\xA9\x58") << "9.42";
    QTest::newRow("8C6180") << QByteArray("\x8C\x61\x80") << "9.2";
    QTest::newRow("FFFFFF") << QByteArray("\xFF\xFF\xFF") << "16.78";
    QTest::newRow("000000") << QByteArray("\x00\x00\x00", 3) << "0";
    QTest::newRow("whole GHz") << QByteArray("\x0F\x42\x40", 3) << "1";
    QTest::newRow("hundredths only") << QByteArray("\x00\xC3\x50", 3) << "0.05";
    QTest::newRow("1.5 to 2") << QByteArray("\x00\x3A\x98", 3) << "0.02";
    QTest::newRow("2.5 to 2") << QByteArray("\x00\x61\xA8", 3) << "0.02";
    QTest::newRow("below a half") << QByteArray("\x00\x13\x87", 3) << "0";  // 4999
}

void DecoderTest::frequency()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);

    QByteArray record = blankRecord();
    put(record, layout::MeasurementBlock + layout::FrequencyHigh, bytes);
    put(record, layout::MeasurementBlock + layout::FrequencyLow, bytes);

    const struct { QLocale locale; QString separator; } cases[] = {
        {QLocale::c(), QStringLiteral(".")},
        {QLocale(QLocale::German, QLocale::Germany), QStringLiteral(",")},
        {QLocale::system(), systemSeparator()},
    };
    for (const auto &c : cases) {
        QLocale::setDefault(c.locale);
        RecordingTarget target;
        QCOMPARE(decode(record, target), QString());
        const QString text = QString(expected).replace(u'.', c.separator);
        QCOMPARE(target.text(T::FrequencyHigh), text);
        QCOMPARE(target.text(T::FrequencyLow), text);
    }
}

void DecoderTest::signalDuration_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("00 3E") << 62 << "12,4";
    QTest::newRow("5") << 5 << "1,0";
    QTest::newRow("0") << 0 << "0,0";
    QTest::newRow("1") << 1 << "0,2";
    QTest::newRow("4") << 4 << "0,8";
    QTest::newRow("499") << 499 << "99,8";
    QTest::newRow("65535") << 65535 << "13107,0";
}

void DecoderTest::signalDuration()
{
    QFETCH(int, value);
    QFETCH(QString, expected);

    QByteArray record = blankRecord();
    putValue(record, layout::MeasurementBlock + layout::SignalDuration, 2, quint32(value));
    for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany)}) {
        QLocale::setDefault(locale);
        RecordingTarget target;
        QCOMPARE(decode(record, target), QString());
        QCOMPARE(target.text(T::SignalDuration), expected);  // always a comma
    }
}

void DecoderTest::wholeNumbers_data()
{
    QTest::addColumn<int>("power");
    QTest::addColumn<int>("tunings");

    QTest::newRow("zero") << 0 << 0;
    QTest::newRow("big-endian") << 0x0102 << 12;
    QTest::newRow("largest") << 0xFFFF << 0xFF;
}

void DecoderTest::wholeNumbers()
{
    QFETCH(int, power);
    QFETCH(int, tunings);

    QByteArray record = blankRecord();
    putValue(record, layout::MeasurementBlock + layout::EmittedPower, 2, quint32(power));
    putValue(record, layout::MeasurementBlock + layout::TuningCount, 1, quint32(tunings));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));  // no group separators
    RecordingTarget target;
    QCOMPARE(decode(record, target), QString());
    QCOMPARE(target.text(T::Power), QString::number(power));
    QCOMPARE(target.text(T::Tunings), QString::number(tunings));
}

void DecoderTest::testerCodes_data()
{
    QTest::addColumn<int>("repetitionCode");
    QTest::addColumn<int>("durationCode");
    QTest::addColumn<QString>("repetition");
    QTest::addColumn<QString>("duration");

    QTest::newRow("0") << 0 << 0 << "400" << "0.5";
    QTest::newRow("1") << 1 << 1 << "800" << "0.7";
    QTest::newRow("2") << 2 << 2 << "1250" << "0.9";
    QTest::newRow("3") << 3 << 3 << "2000" << "1.1";
    QTest::newRow("4") << 4 << 4 << "2500" << "1.3";
    QTest::newRow("5") << 5 << 5 << "4000" << "1.5";
    QTest::newRow("6 and 200") << 6 << 200 << "BAD" << "BAD";
    QTest::newRow("255 and 6") << 255 << 6 << "BAD" << "BAD";
}

void DecoderTest::testerCodes()
{
    QFETCH(int, repetitionCode);
    QFETCH(int, durationCode);
    QFETCH(QString, repetition);
    QFETCH(QString, duration);

    QByteArray record = blankRecord();
    putValue(record, layout::MeasurementBlock + layout::RepetitionCode, 1, quint32(repetitionCode));
    putValue(record, layout::MeasurementBlock + layout::TesterDurationCode, 1, quint32(durationCode));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));  // "0.5" keeps its point
    RecordingTarget target;
    QCOMPARE(decode(record, target), QString());
    QCOMPARE(target.text(T::Repetition), repetition);
    QCOMPARE(target.text(T::TesterDuration), duration);
}

void DecoderTest::answersFromDigits_data()
{
    QTest::addColumn<QByteArray>("digits");
    QTest::addColumn<QList<int>>("expected");  // the selectors set, in order
    QTest::addColumn<QString>("error");

    QTest::newRow("YES NO blank") << QByteArray("012") << QList<int>{0, 1, 2} << QString();
    QTest::newRow("Stand by's fourth item, Led and beeper beyond")
        << QByteArray("333") << QList<int>{3, -1, -1} << QString();
    QTest::newRow("9 is beyond every list") << QByteArray("999") << QList<int>{-1, -1, -1} << QString();
    QTest::newRow("Stand by A") << QByteArray("A00") << QList<int>{}
                                << "'A' is not a valid integer value";
    QTest::newRow("Led A") << QByteArray("0A0") << QList<int>{0}
                           << "'A' is not a valid integer value";
    QTest::newRow("beeper blank") << QByteArray("00 ") << QList<int>{0, 0}
                                  << "' ' is not a valid integer value";
    QTest::newRow("minus sign") << QByteArray("-00") << QList<int>{} << "'-' is not a valid integer value";
    QTest::newRow("Cyrillic letter") << QByteArray("\xC0" "00") << QList<int>{}
                                     << QStringLiteral("'А' is not a valid integer value");
}

void DecoderTest::answersFromDigits()
{
    QFETCH(QByteArray, digits);
    QFETCH(QList<int>, expected);
    QFETCH(QString, error);

    QByteArray record = savedRecord();
    put(record, layout::StandByAnswer, digits);
    // Codes that would read as NO: with the mark they must not be used.
    for (int code : {layout::StandByCode, layout::LedCode, layout::BeeperCode})
        putValue(record, layout::MeasurementBlock + code, 1, 1);

    RecordingTarget target;
    QCOMPARE(decode(record, target), error);
    const T::Field selectors[] = {T::StandBy, T::Led, T::Beeper};
    for (int i = 0; i < 3; ++i) {
        if (i < expected.size())
            QCOMPARE(target.index(selectors[i]), expected[i]);
        else
            QVERIFY(!target.wasSet(selectors[i]));
    }
    QVERIFY(target.wasSet(T::NextTestDate));
    QCOMPARE(target.wasSet(T::SartModel), error.isEmpty());
    QCOMPARE(target.wasSet(T::Repetition), error.isEmpty());
}

void DecoderTest::answersFromCodes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("codes");  // Stand by, Led, Sound beeper
    QTest::addColumn<QList<int>>("expected");

    QTest::newRow("10 01 07") << 0 << QByteArray("\x10\x01\x07") << QList<int>{0, 1, 2};
    QTest::newRow("21 0F 02") << 0 << QByteArray("\x21\x0F\x02") << QList<int>{1, 2, 2};
    QTest::newRow("F0 E1 FF") << 0 << QByteArray("\xF0\xE1\xFF") << QList<int>{0, 1, 2};
    QTest::newRow("Manual 01 00 03") << 1 << QByteArray("\x01\x00\x03", 3) << QList<int>{1, 0, 2};
}

void DecoderTest::answersFromCodes()
{
    QFETCH(int, mode);
    QFETCH(QByteArray, codes);
    QFETCH(QList<int>, expected);

    QByteArray record = blankRecord();
    put(record, layout::StandByAnswer, "000");  // header digits without the mark
    const int block = layout::MeasurementBlock + layout::ModeStride * mode;
    put(record, block + layout::StandByCode, codes.mid(0, 1));
    put(record, block + layout::LedCode, codes.mid(1, 1));
    put(record, block + layout::BeeperCode, codes.mid(2, 1));

    RecordingTarget target;
    QCOMPARE(decode(record, target, mode), QString());
    QCOMPARE(target.index(T::StandBy), expected[0]);
    QCOMPARE(target.index(T::Led), expected[1]);
    QCOMPARE(target.index(T::Beeper), expected[2]);
}

void DecoderTest::marksKeepControls_data()
{
    QTest::addColumn<char>("serviceMark");
    QTest::addColumn<char>("batteryMark");

    QTest::newRow("both marks") << '9' << '9';
    QTest::newRow("service mark only") << '9' << '\0';
    QTest::newRow("battery mark only") << '\0' << '9';
    QTest::newRow("no marks") << '\0' << '\0';
    QTest::newRow("8 is no mark") << '8' << '8';
    QTest::newRow("numero sign is no mark") << '\xB9' << '\xB9';
}

// A saved record is shown first; the next record replaces the header values
// only under its own marks, and shows its own answers either way.
void DecoderTest::marksKeepControls()
{
    QFETCH(char, serviceMark);
    QFETCH(char, batteryMark);

    RecordingTarget target;
    QCOMPARE(decode(savedRecord(), target), QString());

    QByteArray next = blankRecord();
    put(next, layout::ServiceMark, QByteArray(1, serviceMark));
    put(next, layout::NextTestDate, "01012030");
    put(next, layout::StandByAnswer, "210");
    for (int offset : {layout::SartModel, layout::ManufacturerNo, layout::VesselName, layout::CentreName,
                       layout::CentreAddress, layout::CentreTel, layout::CentreFax})
        put(next, offset, "NEXT@");
    put(next, layout::BatteryMark, QByteArray(1, batteryMark));
    put(next, layout::BatteryDate, "02022022");
    put(next, layout::MeasurementBlock + layout::StandByCode, "\x01");

    QCOMPARE(decode(next, target), QString());

    const bool service = serviceMark == '9';
    const T::Field texts[] = {T::SartModel, T::Vessel, T::CentreName, T::CentreAddress, T::CentreTel, T::CentreFax, T::ManufacturerNo};
    for (T::Field c : texts)
        QCOMPARE(target.wasSet(c), service);
    QCOMPARE(target.wasSet(T::NextTestDate), service);
    QCOMPARE(target.text(T::SartModel), service ? QStringLiteral("NEXT") : QStringLiteral("TRON SART"));
    QCOMPARE(target.text(T::CentreFax), service ? QStringLiteral("NEXT") : QStringLiteral("+7 812 000 00 01"));
    QCOMPARE(target.date(T::NextTestDate), service ? QDate(2030, 1, 1) : QDate(2025, 3, 5));
    QCOMPARE(target.index(T::StandBy), service ? 2 : 1);
    QCOMPARE(target.index(T::Led), service ? 1 : 0);

    const bool battery = batteryMark == '9';
    QCOMPARE(target.wasSet(T::BatteryDate), battery);
    QCOMPARE(target.date(T::BatteryDate), battery ? QDate(2022, 2, 2) : QDate(2024, 8, 20));
}

void DecoderTest::headerTexts_data()
{
    QTest::addColumn<QByteArray>("bytes");  // the 20 bytes of SartModel
    QTest::addColumn<QString>("expected");

    QTest::newRow("fill spaces dropped") << field("TRON SART") << "TRON SART";
    QTest::newRow("leading and inner spaces kept") << field("  MV  DAWN") << "  MV  DAWN";
    QTest::newRow("all twenty characters") << QByteArray("ABCDEFGHIJKLMNOPQRST") << "ABCDEFGHIJKLMNOPQRST";
    QTest::newRow("only spaces") << QByteArray(20, ' ') << "";
    QTest::newRow("spaces before the terminator") << QByteArray("AB  @CD") + QByteArray(13, ' ') << "AB";
    QTest::newRow("space then zero bytes") << QByteArray("AB \0\0", 5) + QByteArray(15, '\0') << "AB";
}

void DecoderTest::headerTexts()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QByteArray record = savedRecord();
    put(record, layout::SartModel, bytes);
    RecordingTarget target;
    QCOMPARE(decode(record, target), QString());
    QCOMPARE(target.text(T::SartModel), expected);
}

void DecoderTest::engineerName_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("expected");

    auto saved = [](const QByteArray &name) {
        QByteArray r = blankRecord();
        put(r, layout::EngineerMark, "9");
        put(r, layout::RadioEngineer, name);
        put(r, layout::TesterEngineer, "TESTER");
        return r;
    };
    auto tester = [](int base, const QByteArray &first9, char tenth, char skipped = 'X') {
        QByteArray r = blankRecord();
        put(r, layout::RadioEngineer, field("NOT SAVED", layout::RadioEngineerWidth));
        put(r, base, first9);
        r[base + 9] = skipped;
        r[base + 10] = tenth;
        return r;
    };

    QTest::newRow("saved, without its fill")
        << saved(field("IVANOV I.I.", 19)) << 0 << QString("IVANOV I.I.");
    QTest::newRow("saved, zero bytes skipped, @ kept")
        << saved(QByteArray("IV\0AN@OV\0", 9) + QByteArray(10, ' ')) << 0
        << QString("IVAN@OV");
    QTest::newRow("saved, all 19 characters") << saved("ABCDEFGHIJKLMNOPQRSTU") << 0
                                              << "ABCDEFGHIJKLMNOPQRS";
    QTest::newRow("saved Cyrillic")
        << saved(field("\xC8\xE2\xE0\xED\xEE\xE2 \xB9" "1", 19)) << 0
        << QStringLiteral("Иванов №1");
    QTest::newRow("saved, Manual mode") << saved(field("IVANOV", 19)) << 1
                                        << QString("IVANOV");
    QTest::newRow("tester, ten characters") << tester(3200, "KUZNETSOV", 'A') << 0 << "KUZNETSOVA";
    QTest::newRow("tester, byte +9 is no end") << tester(3200, "ABCDEFGHI", 'J', '\0') << 0
                                               << "ABCDEFGHIJ";
    QTest::newRow("tester, ends at first zero")
        << tester(3200, QByteArray("PETROV\0\0\0", 9), 'Z') << 0 << "PETROV";
    QTest::newRow("tester, zero at +8") << tester(3200, QByteArray("ABCDEFGH\0", 9), 'Z') << 0
                                        << "ABCDEFGH";
    QTest::newRow("tester, zero at +10") << tester(3200, "ABCDEFGHI", '\0') << 0 << "ABCDEFGHI";
    QTest::newRow("tester, empty") << tester(3200, QByteArray(9, '\0'), 'Z') << 0 << "";
    QTest::newRow("tester, Manual") << tester(3328, "MANUALNAM", 'E') << 1 << "MANUALNAME";
    QTest::newRow("tester, no mode selected") << tester(3072, "NOMODENAM", 'E') << -1 << "NOMODENAME";
    QByteArray notMark = saved(field("IVANOV", 19));
    notMark[layout::EngineerMark] = '8';
    QTest::newRow("8 is no mark") << notMark << 0 << "TESTER";
}

void DecoderTest::engineerName()
{
    QFETCH(QByteArray, record);
    QFETCH(int, mode);
    QFETCH(QString, expected);

    RecordingTarget target;
    QCOMPARE(decode(record, target, mode), QString());
    QCOMPARE(target.text(T::RadioEngineer), expected);
}

void DecoderTest::controller_data()
{
    QTest::addColumn<QByteArray>("bytes");  // bytes 20..38
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero at 20 hides the text") << QByteArray("\0SIDOROV", 8) << "";
    QTest::newRow("as saved") << " " + field("SIDOROV", 18) << QString("SIDOROV").leftJustified(18);
    QTest::newRow("byte 20 is only a flag") << QByteArray("XSIDOROV") << "SIDOROV";
    QTest::newRow("zero bytes skipped") << QByteArray(" SI\0DO\0ROV", 10) << "SIDOROV";
    QTest::newRow("18 characters, no terminator")
        << QByteArray(" ABCDEF@HIJKLMNOPQRST") << "ABCDEF@HIJKLMNOPQR";
    QTest::newRow("Cyrillic") << QByteArray(" \xD1\xE8\xE4\xEE\xF0\xEE\xE2") << QStringLiteral("Сидоров");
}

void DecoderTest::controller()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);

    QByteArray record = blankRecord();
    put(record, layout::Controller, bytes.left(layout::ControllerWidth));
    RecordingTarget target;
    QCOMPARE(decode(record, target), QString());
    QCOMPARE(target.text(T::Controller), expected);
}

void DecoderTest::headerDates_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QDate>("expected");
    QTest::addColumn<QString>("error");

    const QString notInteger = QStringLiteral("'%1' is not a valid integer value");
    for (const auto &picker : {std::pair{"next test", layout::NextTestDate},
                               std::pair{"battery", layout::BatteryDate}}) {
        const int offset = picker.second;
        auto row = [&](const char *what) -> QTestData & {
            return QTest::newRow(qPrintable(QStringLiteral("%1: %2").arg(picker.first, what)));
        };
        row("ordinary") << offset << QByteArray("05032024") << QDate(2024, 3, 5) << QString();
        row("leap day") << offset << QByteArray("29022024") << QDate(2024, 2, 29) << QString();
        row("last supported day") << offset << QByteArray("31129999") << QDate(9999, 12, 31) << QString();
        row("first supported day") << offset << QByteArray("01011601") << QDate(1601, 1, 1) << QString();
        row("leading blanks") << offset << QByteArray(" 5 32024") << QDate(2024, 3, 5) << QString();
        row("day not a number") << offset << QByteArray("ab012024") << QDate() << notInteger.arg("ab");
        row("month not a number") << offset << QByteArray("01ab2024") << QDate() << notInteger.arg("ab");
        row("year with trailing blank") << offset << QByteArray("0101202 ") << QDate()
                                        << notInteger.arg("202 ");
        row("year blank") << offset << QByteArray("0101    ") << QDate() << notInteger.arg("    ");
        row("negative day") << offset << QByteArray("-1012024") << QDate() << errors::RangeCheck;
        row("negative month") << offset << QByteArray("01-12024") << QDate() << errors::RangeCheck;
        row("negative year") << offset << QByteArray("0101-999") << QDate() << errors::RangeCheck;
        row("31 April") << offset << QByteArray("31042024") << QDate() << errors::InvalidDateEncode;
        row("29 February 2023") << offset << QByteArray("29022023") << QDate() << errors::InvalidDateEncode;
        row("month 13") << offset << QByteArray("01132024") << QDate() << errors::InvalidDateEncode;
        row("day 0") << offset << QByteArray("00012024") << QDate() << errors::InvalidDateEncode;
        row("year 0") << offset << QByteArray("01010000") << QDate() << errors::InvalidDateEncode;
        row("year 1") << offset << QByteArray("01010001") << QDate() << errors::CalendarRefused;
        row("year 1600") << offset << QByteArray("31121600") << QDate() << errors::CalendarRefused;
    }
}

void DecoderTest::headerDates()
{
    QFETCH(int, offset);
    QFETCH(QByteArray, bytes);
    QFETCH(QDate, expected);
    QFETCH(QString, error);

    QByteArray record = savedRecord();
    put(record, offset, bytes);
    RecordingTarget target;
    QCOMPARE(decode(record, target), error);

    const T::Field picker = offset == layout::NextTestDate ? T::NextTestDate : T::BatteryDate;
    QCOMPARE(target.wasSet(picker), error.isEmpty());
    if (error.isEmpty())
        QCOMPARE(target.date(picker), expected);
    // Earlier steps stay done, later ones are not reached.
    QVERIFY(target.wasSet(T::Controller));
    QCOMPARE(target.wasSet(T::CentreFax), error.isEmpty() || picker == T::BatteryDate);
    QCOMPARE(target.wasSet(T::TestingDate), error.isEmpty());
    QCOMPARE(target.wasSet(T::Repetition), error.isEmpty());
}

void DecoderTest::testingDate_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<int>("year");
    QTest::addColumn<QDate>("expected");
    QTest::addColumn<QString>("error");

    const QString notDate = QStringLiteral("'%1' is not a valid date");
    QTest::newRow("05.03.24") << "05.03.24" << 2025 << QDate(2024, 3, 5) << QString();
    QTest::newRow("04 in 2025") << "05.03.04" << 2025 << QDate(2004, 3, 5) << QString();
    QTest::newRow("80 in 2025") << "05.03.80" << 2025 << QDate(1980, 3, 5) << QString();
    QTest::newRow("74 in 2025") << "05.03.74" << 2025 << QDate(2074, 3, 5) << QString();
    QTest::newRow("75 in 2025") << "05.03.75" << 2025 << QDate(1975, 3, 5) << QString();
    QTest::newRow("74 in 2024") << "05.03.74" << 2024 << QDate(1974, 3, 5) << QString();
    QTest::newRow("leap day") << "29.02.24" << 2025 << QDate(2024, 2, 29) << QString();
    QTest::newRow("four-digit year") << "05.03.2024" << 2025 << QDate(2024, 3, 5) << QString();
    QTest::newRow("no year: this year") << "05.03" << 2025 << QDate(2025, 3, 5) << QString();
    QTest::newRow("blanks around numbers") << " 5. 3.24 " << 2025 << QDate(2024, 3, 5) << QString();
    QTest::newRow("closing point") << "05.03.24." << 2025 << QDate(2024, 3, 5) << QString();
    QTest::newRow("00.00.00") << "00.00.00" << 2025 << QDate() << notDate.arg("00.00.00");
    QTest::newRow("blank date") << "  .  .  " << 2025 << QDate() << notDate.arg("  .  .  ");
    QTest::newRow("empty cell") << "" << 2025 << QDate() << notDate.arg("");
    QTest::newRow("header cell") << "Testing date" << 2025 << QDate() << notDate.arg("Testing date");
    QTest::newRow("31 April") << "31.04.24" << 2025 << QDate() << notDate.arg("31.04.24");
    QTest::newRow("29 February 2023") << "29.02.23" << 2025 << QDate() << notDate.arg("29.02.23");
    QTest::newRow("slashes") << "05/03/24" << 2025 << QDate() << notDate.arg("05/03/24");
    QTest::newRow("month first") << "3/5/24" << 2025 << QDate() << notDate.arg("3/5/24");
    QTest::newRow("trailing text") << "05.03.24x" << 2025 << QDate() << notDate.arg("05.03.24x");
    QTest::newRow("fourth number") << "05.03.24.5" << 2025 << QDate() << notDate.arg("05.03.24.5");
    QTest::newRow("five-digit year") << "05.03.20245" << 2025 << QDate() << notDate.arg("05.03.20245");
    QTest::newRow("before the pickers' range") << "31.12.1600" << 2025 << QDate() << errors::CalendarRefused;
    QTest::newRow("three-digit year is not windowed") << "05.03.024" << 2025 << QDate()
                                                      << errors::CalendarRefused;
}

void DecoderTest::testingDate()
{
    QFETCH(QString, cell);
    QFETCH(int, year);
    QFETCH(QDate, expected);
    QFETCH(QString, error);

    RecordingTarget target;
    QCOMPARE(decode(blankRecord(), target, 0, cell, year), error);
    QCOMPARE(target.wasSet(T::TestingDate), error.isEmpty());
    if (error.isEmpty())
        QCOMPARE(target.date(T::TestingDate), expected);
    QVERIFY(target.wasSet(T::Controller));
    for (T::Field c : {T::Repetition, T::TesterDuration, T::StandBy, T::Led, T::Beeper})
        QCOMPARE(target.wasSet(c), error.isEmpty());
}

void DecoderTest::readFailures_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("newBytes");  // bytes of the file that reach the record buffer
    QTest::addColumn<QString>("error");

    QTest::newRow("4095 bytes") << "short" << 4095 << errors::ReadBeyondEnd;
    QTest::newRow("100 bytes") << "short" << 100 << errors::ReadBeyondEnd;
    QTest::newRow("empty file") << "short" << 0 << errors::ReadBeyondEnd;
    QTest::newRow("4097 bytes") << "long" << 4096 << QString();
    QTest::newRow("missing") << "missing" << 0 << errors::FileNotFound;
    QTest::newRow("under a file") << "under a file" << 0 << errors::FileNotFound;
    QTest::newRow("folder") << "folder" << 0 << QStringLiteral("not a record file (a folder)");
    QTest::newRow("named pipe") << "pipe" << 0 << QStringLiteral("not a record file (a named pipe)");
    QTest::newRow("symbolic link loop") << "loop" << 0
                                        << QStringLiteral("I/O error %1 (Too many levels of symbolic links)").arg(ELOOP);
}

// The previous record stays in the buffer beyond the bytes read, no control
// changes, and the file is closed again.
void DecoderTest::readFailures()
{
    QFETCH(QString, kind);
    QFETCH(int, newBytes);
    QFETCH(QString, error);

    RecordingTarget target;
    const QByteArray previous(layout::RecordSize, '\xAA');
    QCOMPARE(decode(previous, target), QString());

    const QByteArray fresh(layout::RecordSize + 1, '\x55');
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("failing.bin"));
    if (kind == "short")
        writeFile(file, fresh.left(newBytes));
    else if (kind == "long")
        writeFile(file, fresh);
    else if (kind == "under a file")
        file = path() + QStringLiteral("/inside.bin");
    else if (kind == "folder")
        QVERIFY(QDir().mkpath(file));
    else if (kind == "pipe")
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    else if (kind == "loop")
        QVERIFY(QFile::link(file, file));

    const int descriptors = openDescriptors();
    // Every read error names the file.
    QCOMPARE(decodeFile(file, target), error.isEmpty() ? error : file + QStringLiteral(": ") + error);
    QCOMPARE(openDescriptors(), descriptors);
    QCOMPARE(target.calls.isEmpty(), !error.isEmpty());

    const RecordBytes &buffer = recordBuffer();
    const QByteArray expected = fresh.left(newBytes) + previous.mid(newBytes);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(buffer.data()), int(buffer.size())), expected);
}

// A record the user may only read is shown all the same; one the user may not
// read at all is refused. Permission bits do not bind root, so as root the
// check runs in a child process that has become "nobody".
void DecoderTest::readOnlyRecord()
{
    QByteArray record = sample::makeRecord(sample::variant(0));
    writeFile(path(), record);
    const QString unreadable = m_dir.filePath(QStringLiteral("unreadable.bin"));
    writeFile(unreadable, record);
    QCOMPARE(::chmod(QFile::encodeName(m_dir.path()).constData(), 0755), 0);
    QCOMPARE(::chmod(QFile::encodeName(path()).constData(), 0444), 0);
    QCOMPARE(::chmod(QFile::encodeName(unreadable).constData(), 0000), 0);

    auto check = [&]() -> QString {
        RecordingTarget target;
        QString error = decodeFile(path(), target, 0, QStringLiteral("05.01.26"));
        if (!error.isEmpty())
            return QStringLiteral("read-only record: ") + error;
        if (target.text(T::FrequencyHigh) != QStringLiteral("9.5"))
            return QStringLiteral("read-only record shows ") + target.text(T::FrequencyHigh);
        error = decodeFile(unreadable, target, 0, QStringLiteral("05.01.26"));
        if (error != unreadable + QStringLiteral(": ") + errors::FileAccessDenied)
            return QStringLiteral("unreadable record: '%1'").arg(error);
        return {};
    };

    if (::geteuid() != 0) {
        QCOMPARE(check(), QString());
        return;
    }
    int channel[2];
    QCOMPARE(::pipe(channel), 0);
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        ::close(channel[0]);
        QByteArray result = "setuid failed";
        if (::setgid(65534) == 0 && ::setuid(65534) == 0)
            result = check().toUtf8();
        (void)!::write(channel[1], result.constData(), size_t(result.size()));
        ::_exit(0);
    }
    ::close(channel[1]);
    QByteArray result;
    char chunk[256];
    for (ssize_t n; (n = ::read(channel[0], chunk, sizeof chunk)) > 0;)
        result.append(chunk, int(n));
    ::close(channel[0]);
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(QString::fromUtf8(result), QString());
}

QTEST_GUILESS_MAIN(DecoderTest)
#include "tst_decoder.moc"

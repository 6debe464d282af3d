// The limits of the SART standard as one widget-free core: which values are
// judged and how, the exact texts a certificate question and a register of
// issued certificates take from it, and the limits kept in the settings,
// whatever the settings file holds.
#include "AppError.h"
#include "ProgramSettings.h"
#include "SartLimits.h"

#include <QDir>
#include <QLocale>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using limits::Judgement;
using limits::Limits;
using limits::RecordValues;
using limits::Value;

namespace {

RecordValues sound()
{
    RecordValues v;
    v.measured = MeasuredValues{9500000, 9200000, 400, 408, 12};
    v.standBy = v.led = v.beeper = 0;
    v.testingDate = QDate(2026, 1, 5);
    v.batteryDate = v.testingDate;
    return v;
}

QList<Value> valuesOf(const QList<Judgement> &judged)
{
    QList<Value> values;
    for (const Judgement &j : judged)
        values.append(j.value);
    return values;
}

} // namespace

class TestSartLimits : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { QLocale::setDefault(QLocale::system()); }

    void whatIsJudged();
    void outsideNamesEachValueExactly();
    void settingsThatCannotBeUsedGiveTheStandard_data();
    void settingsThatCannotBeUsedGiveTheStandard();
    void limitsThatCannotBeKeptStillHold();
};

// Every value at its limit is within; the battery rule needs both dates;
// without measured values (nothing shown yet) those are not judged; a rule
// switched off judges nothing.
void TestSartLimits::whatIsJudged()
{
    const QList<Value> all = {Value::FrequencyHigh, Value::FrequencyLow, Value::Power,  Value::Duration,
                              Value::Tunings,       Value::BatteryDate,  Value::StandBy, Value::Led,
                              Value::Beeper};
    QCOMPARE(valuesOf(limits::judge(sound(), Limits())), all);
    QVERIFY(limits::outside(sound(), Limits()).isEmpty());

    RecordValues v = sound();
    v.measured.reset();
    v.batteryDate = QDate();
    QCOMPARE(valuesOf(limits::judge(v, Limits())), QList<Value>({Value::StandBy, Value::Led, Value::Beeper}));

    Limits rulesOff;
    rulesOff.batteryInDate = rulesOff.answeredYes = false;
    v = sound();
    v.standBy = 1;
    v.batteryDate = v.testingDate.addDays(-1);
    QCOMPARE(valuesOf(limits::judge(v, rulesOff)), all.mid(0, 5));
    QCOMPARE(valuesOf(limits::outside(v, Limits())), QList<Value>({Value::BatteryDate, Value::StandBy}));
}

// The list a certificate question shows and a register keeps: readable
// names, the record's own value with every digit it holds, the limit in
// force, and where it differs from the standard's, that too.
void TestSartLimits::outsideNamesEachValueExactly()
{
    RecordValues v = sound();
    v.measured = MeasuredValues{9499999, 9200001, 399, 541, 13};
    v.led = 1;
    v.beeper = -1;
    v.batteryDate = QDate(2026, 1, 4);
    Limits l;
    l.powerMinMw = 500;
    QStringList texts;
    for (const Judgement &j : limits::outside(v, l))
        texts.append(j.text());
    QCOMPARE(texts, QStringList({"Frequency high 9.499999 GHz (limit: at least 9.500 GHz)",
                                 "Frequency low 9.200001 GHz (limit: at most 9.200 GHz)",
                                 "Emitted power 399 mW (limit: at least 500 mW)",
                                 "Emitted signal duration 108.2 µs (limit: 81.6 µs to 108.0 µs)",
                                 "Number of frequency tunings 13 (limit: exactly 12)",
                                 "Battery replacement date 4 Jan 2026 (limit: not before the testing date, 5 Jan 2026)",
                                 "Led NO (limit: \"YES\")", "Sound beeper no answer (limit: \"YES\")"}));
    const QList<Judgement> outside = limits::outside(v, l);
    QCOMPARE(outside[2].source, QStringLiteral("EIRP; ITU-R M.628-5, IMO A.802(19); changed in the limits dialog, "
                                               "the standard's limit is at least 400 mW"));
    QVERIFY(outside[3].source.startsWith("derived from the sweep times of ITU-R M.628-5"));
    QCOMPARE(limits::summary(outside.mid(0, 1)),
             QStringLiteral("1 value outside the limits of the SART standard: Frequency high"));

    // The system's decimal separator, as elsewhere in the panel.
    QLocale::setDefault(QLocale(QLocale::German));
    QCOMPARE(limits::frequencyText(9215000), QStringLiteral("9,215 GHz"));
    QCOMPARE(limits::durationText(407), QStringLiteral("81,4 µs"));
}

void TestSartLimits::settingsThatCannotBeUsedGiveTheStandard_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("used");
    QTest::newRow("a power") << "Limits/powerMinMw" << "350" << true;
    QTest::newRow("not a number") << "Limits/powerMinMw" << "lots" << false;
    QTest::newRow("negative") << "Limits/powerMinMw" << "-1" << false;
    QTest::newRow("beyond what a record holds") << "Limits/upperFrequencyMinKHz" << "16777216" << false;
    QTest::newRow("a shorter shortest signal") << "Limits/durationMinUnits" << "400" << true;
    QTest::newRow("shortest longer than longest") << "Limits/durationMinUnits" << "600" << false;
    QTest::newRow("a rule off") << "Limits/answeredYes" << "false" << true;
    QTest::newRow("a rule neither on nor off") << "Limits/answeredYes" << "maybe" << false;
}

void TestSartLimits::settingsThatCannotBeUsedGiveTheStandard()
{
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(bool, used);
    QTemporaryDir dir;
    QSettings settings(dir.filePath("limits.conf"), QSettings::IniFormat);
    limits::store(settings, Limits());
    QCOMPARE(limits::load(settings), Limits());
    settings.setValue(key, text);
    const Limits loaded = limits::load(settings);
    QCOMPARE(loaded != Limits(), used);
    if (used) {
        limits::store(settings, loaded);
        QCOMPARE(limits::load(settings), loaded);
    }
}

// A settings file that cannot be written: the limits hold for this run, and
// the user is told that they are not kept.
void TestSartLimits::limitsThatCannotBeKeptStillHold()
{
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QVERIFY(QDir().mkpath(ProgramSettings::filePath()));  // a folder where the file belongs
    Limits changed;
    changed.tunings = 11;
    QSignalSpy spy(&limits::InForce::instance(), &limits::InForce::changed);
    try {
        limits::InForce::instance().set(changed);
        QFAIL("no error");
    } catch (const AppError &e) {
        QCOMPARE(e.text(), QStringLiteral("The limits hold until the program ends, but cannot be kept: the "
                                          "settings file %1 cannot be written.")
                               .arg(ProgramSettings::filePath()));
    }
    QCOMPARE(limits::inForce(), changed);
    QCOMPARE(spy.size(), 1);
}

QTEST_GUILESS_MAIN(TestSartLimits)
#include "tst_sartlimits.moc"

#include "SartLimits.h"

#include "AppError.h"
#include "ProgramSettings.h"

#include <QLocale>

namespace limits {
namespace {

const QString FrequencySource = QStringLiteral("ITU-R M.628-5, IMO A.802(19)");
const QString IndicationSource = QStringLiteral("IMO A.802(19): indication of correct operation, test facility");

} // namespace

QString nameOf(Value value)
{
    switch (value) {
    case Value::FrequencyHigh: return QStringLiteral("Frequency high");
    case Value::FrequencyLow: return QStringLiteral("Frequency low");
    case Value::Power: return QStringLiteral("Emitted power");
    case Value::Duration: return QStringLiteral("Emitted signal duration");
    case Value::Tunings: return QStringLiteral("Number of frequency tunings");
    case Value::BatteryDate: return QStringLiteral("Battery replacement date");
    case Value::StandBy: return QStringLiteral("Stand by");
    case Value::Led: return QStringLiteral("Led");
    case Value::Beeper: return QStringLiteral("Sound beeper");
    }
    return {};
}

QString sourceOf(Value value)
{
    switch (value) {
    case Value::FrequencyHigh:
    case Value::FrequencyLow: return FrequencySource;
    case Value::Power: return QStringLiteral("EIRP; ") + FrequencySource;
    case Value::Duration:
        return QStringLiteral("derived from the sweep times of ITU-R M.628-5: "
                              "12 \u00D7 (7.5 \u00B1 1 + 0.4 \u00B1 0.1) \u00B5s");
    case Value::Tunings: return QStringLiteral("12 sweeps per response; ITU-R M.628-5");
    case Value::BatteryDate:
        return QStringLiteral("IMO A.802(19): battery capacity, kept only up to the battery's replacement date");
    case Value::StandBy:
    case Value::Led:
    case Value::Beeper: return IndicationSource;
    }
    return {};
}

namespace {

QString dateText(const QDate &date) { return QLocale().toString(date, QLocale::ShortFormat); }

QString limitText(Value value, const Limits &l, const QDate &testingDate)
{
    switch (value) {
    case Value::FrequencyHigh: return QStringLiteral("at least ") + frequencyText(l.highMinKHz);
    case Value::FrequencyLow: return QStringLiteral("at most ") + frequencyText(l.lowMaxKHz);
    case Value::Power: return QStringLiteral("at least %1 mW").arg(l.powerMinMw);
    case Value::Duration:
        return QStringLiteral("%1 to %2").arg(durationText(l.durationMinUnits), durationText(l.durationMaxUnits));
    case Value::Tunings: return QStringLiteral("exactly %1").arg(l.tunings);
    case Value::BatteryDate:
        return testingDate.isValid() ? QStringLiteral("not before the testing date, %1").arg(dateText(testingDate))
                                     : QStringLiteral("not before the testing date");
    case Value::StandBy:
    case Value::Led:
    case Value::Beeper: return QStringLiteral("\"YES\"");
    }
    return {};
}

QString answerText(int index)
{
    return index == 0 ? QStringLiteral("YES") : index == 1 ? QStringLiteral("NO") : QStringLiteral("no answer");
}

// Whole numbers kept in the settings, each with the range the record can hold.
struct Setting
{
    const char *key;
    int Limits::*field;
    int maximum;
};
const Setting IntegerSettings[] = {
    {"Limits/lowerFrequencyMaxKHz", &Limits::lowMaxKHz, 0xFFFFFF},
    {"Limits/upperFrequencyMinKHz", &Limits::highMinKHz, 0xFFFFFF},
    {"Limits/powerMinMw", &Limits::powerMinMw, 0xFFFF},
    {"Limits/tunings", &Limits::tunings, 0xFF},
    {"Limits/durationMinUnits", &Limits::durationMinUnits, 0xFFFF},
    {"Limits/durationMaxUnits", &Limits::durationMaxUnits, 0xFFFF},
};
const std::pair<const char *, bool Limits::*> RuleSettings[] = {
    {"Limits/batteryInDate", &Limits::batteryInDate},
    {"Limits/answeredYes", &Limits::answeredYes},
};

} // namespace

QString Judgement::text() const { return QStringLiteral("%1 %2 (limit: %3)").arg(name, measured, limit); }

QString Judgement::description() const
{
    return QStringLiteral("%1 the limit of the SART standard%2.\n%3: %4; limit: %5.\nSource: %6.")
        .arg(outside ? QStringLiteral("Outside") : QStringLiteral("Within"),
             outside ? QStringLiteral(" (advisory)") : QString(), name, measured, limit, source);
}

QList<Judgement> judge(const RecordValues &values, const Limits &limits)
{
    const Limits standard;
    QList<Judgement> judged;
    auto add = [&](Value value, bool outside, const QString &measured) {
        Judgement j{value, outside, nameOf(value), measured, limitText(value, limits, values.testingDate),
                    sourceOf(value)};
        const QString standardLimit = limitText(value, standard, values.testingDate);
        if (j.limit != standardLimit)
            j.source += QStringLiteral("; changed in the limits dialog, the standard's limit is ") + standardLimit;
        judged.append(j);
    };
    if (const std::optional<MeasuredValues> &m = values.measured) {
        add(Value::FrequencyHigh, m->highKHz < limits.highMinKHz, frequencyText(m->highKHz));
        add(Value::FrequencyLow, m->lowKHz > limits.lowMaxKHz, frequencyText(m->lowKHz));
        add(Value::Power, m->powerMw < limits.powerMinMw, QStringLiteral("%1 mW").arg(m->powerMw));
        add(Value::Duration, m->durationUnits < limits.durationMinUnits || m->durationUnits > limits.durationMaxUnits,
            durationText(m->durationUnits));
        add(Value::Tunings, m->tunings != limits.tunings, QString::number(m->tunings));
    }
    if (limits.batteryInDate && values.batteryDate.isValid() && values.testingDate.isValid())
        add(Value::BatteryDate, values.batteryDate < values.testingDate, dateText(values.batteryDate));
    if (limits.answeredYes) {
        add(Value::StandBy, values.standBy != 0, answerText(values.standBy));
        add(Value::Led, values.led != 0, answerText(values.led));
        add(Value::Beeper, values.beeper != 0, answerText(values.beeper));
    }
    return judged;
}

QList<Judgement> outside(const RecordValues &values, const Limits &limits)
{
    QList<Judgement> found = judge(values, limits);
    found.removeIf([](const Judgement &j) { return !j.outside; });
    return found;
}

QString summary(const QList<Judgement> &outside)
{
    if (outside.isEmpty())
        return QStringLiteral("All values within the limits of the SART standard");
    QStringList names;
    for (const Judgement &j : outside)
        names.append(j.name);
    return QStringLiteral("%1 %2 outside the limits of the SART standard: %3")
        .arg(outside.size())
        .arg(outside.size() == 1 ? QStringLiteral("value") : QStringLiteral("values"), names.join(QStringLiteral(", ")));
}

QString frequencyText(int kHz)
{
    // At least the three decimals the standard is written with, and every
    // further digit the record holds.
    QString decimals = QStringLiteral("%1").arg(kHz % 1000000, 6, 10, QLatin1Char('0'));
    while (decimals.size() > 3 && decimals.endsWith(u'0'))
        decimals.chop(1);
    return QString::number(kHz / 1000000) + QLocale().decimalPoint() + decimals + QStringLiteral(" GHz");
}

QString durationText(int units)
{
    return QString::number(units / 5) + QLocale().decimalPoint() + QString::number(units % 5 * 2)
           + QStringLiteral(" \u00B5s");
}

Limits load(const QSettings &settings)
{
    Limits limits;
    for (const Setting &s : IntegerSettings) {
        bool ok = false;
        const int value = settings.value(QLatin1String(s.key)).toString().toInt(&ok);
        if (ok && value >= 0 && value <= s.maximum)
            limits.*s.field = value;
    }
    if (limits.durationMinUnits > limits.durationMaxUnits) {
        limits.durationMinUnits = Limits().durationMinUnits;
        limits.durationMaxUnits = Limits().durationMaxUnits;
    }
    for (const auto &[key, field] : RuleSettings) {
        const QString text = settings.value(QLatin1String(key)).toString();
        if (text == QLatin1String("true") || text == QLatin1String("false"))
            limits.*field = text == QLatin1String("true");
    }
    return limits;
}

void store(QSettings &settings, const Limits &limits)
{
    for (const Setting &s : IntegerSettings)
        settings.setValue(QLatin1String(s.key), limits.*s.field);
    for (const auto &[key, field] : RuleSettings)
        settings.setValue(QLatin1String(key), limits.*field);
}

InForce::InForce() : m_limits(load(ProgramSettings())) {}

InForce &InForce::instance()
{
    // Lives until the program ends; made on first use, after the settings'
    // place is known.
    static InForce *const inForce = new InForce;
    return *inForce;
}

void InForce::set(const Limits &limits)
{
    if (limits != m_limits) {
        m_limits = limits;
        emit changed();
    }
    ProgramSettings settings;
    store(settings, limits);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        errors::throwText(QStringLiteral("The limits hold until the program ends, but cannot be kept: "
                                         "the settings file %1 cannot be written.")
                              .arg(ProgramSettings::filePath()));
}

} // namespace limits

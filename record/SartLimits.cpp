#include "SartLimits.h"

#include "AppError.h"
#include "ProgramSettings.h"

#include <QCoreApplication>
#include <QLocale>

#include <functional>

namespace limits {
namespace {

const QString FrequencySource = QStringLiteral("ITU-R M.628-5, IMO A.802(19)");

// Each judged text has two forms: the one the register keeps, English with
// "." and a fixed date format whatever the interface's language and locale
// (two certificates of one record compare equal only so), and the one shown,
// translated and in the interface's locale.
enum class Form { Stored, Shown };

QString translated(Form form, const char *source)
{
    return form == Form::Stored ? QString::fromUtf8(source) : QCoreApplication::translate("SartLimits", source);
}

// "YES" and "NO" are the panel's items: kept in English, shown as the
// panel shows them.
QString answerText(Form form, int index)
{
    if (index == 0)
        return form == Form::Stored ? QStringLiteral("YES") : QCoreApplication::translate("RecordPanel", "YES");
    if (index == 1)
        return form == Form::Stored ? QStringLiteral("NO") : QCoreApplication::translate("RecordPanel", "NO");
    return translated(form, QT_TRANSLATE_NOOP("SartLimits", "no answer"));
}

QString decimalPoint(Form form) { return form == Form::Stored ? QStringLiteral(".") : QLocale().decimalPoint(); }

const char *nameSource(Value value)
{
    switch (value) {
    case Value::FrequencyHigh: return QT_TRANSLATE_NOOP("SartLimits", "Frequency high");
    case Value::FrequencyLow: return QT_TRANSLATE_NOOP("SartLimits", "Frequency low");
    case Value::Power: return QT_TRANSLATE_NOOP("SartLimits", "Emitted power");
    case Value::Duration: return QT_TRANSLATE_NOOP("SartLimits", "Emitted signal duration");
    case Value::Tunings: return QT_TRANSLATE_NOOP("SartLimits", "Number of frequency tunings");
    case Value::BatteryDate: return QT_TRANSLATE_NOOP("SartLimits", "Battery replacement date");
    case Value::StandBy: return QT_TRANSLATE_NOOP("SartLimits", "Stand by");
    case Value::Led: return QT_TRANSLATE_NOOP("SartLimits", "Led");
    case Value::Beeper: return QT_TRANSLATE_NOOP("SartLimits", "Sound beeper");
    }
    return "";
}

QString frequencyIn(Form form, int kHz)
{
    // At least the three decimals the standard is written with, and every
    // further digit the record holds.
    QString decimals = QStringLiteral("%1").arg(kHz % 1000000, 6, 10, QLatin1Char('0'));
    while (decimals.size() > 3 && decimals.endsWith(u'0'))
        decimals.chop(1);
    return translated(form, QT_TRANSLATE_NOOP("SartLimits", "%1 GHz"))
        .arg(QString::number(kHz / 1000000) + decimalPoint(form) + decimals);
}

QString durationIn(Form form, int units)
{
    return translated(form, QT_TRANSLATE_NOOP("SartLimits", "%1 \u00B5s"))
        .arg(QString::number(units / 5) + decimalPoint(form) + QString::number(units % 5 * 2));
}

QString powerIn(Form form, int mW) { return translated(form, QT_TRANSLATE_NOOP("SartLimits", "%1 mW")).arg(mW); }

QString dateIn(Form form, const QDate &date)
{
    return form == Form::Stored ? QLocale::c().toString(date, QStringLiteral("d MMM yyyy"))
                                : QLocale().toString(date, QLocale::ShortFormat);
}

QString limitText(Form form, Value value, const Limits &l, const QDate &testingDate)
{
    switch (value) {
    case Value::FrequencyHigh:
        return translated(form, QT_TRANSLATE_NOOP("SartLimits", "at least %1")).arg(frequencyIn(form, l.highMinKHz));
    case Value::FrequencyLow:
        return translated(form, QT_TRANSLATE_NOOP("SartLimits", "at most %1")).arg(frequencyIn(form, l.lowMaxKHz));
    case Value::Power:
        return translated(form, QT_TRANSLATE_NOOP("SartLimits", "at least %1")).arg(powerIn(form, l.powerMinMw));
    case Value::Duration:
        return translated(form, QT_TRANSLATE_NOOP("SartLimits", "%1 to %2"))
            .arg(durationIn(form, l.durationMinUnits), durationIn(form, l.durationMaxUnits));
    case Value::Tunings: return translated(form, QT_TRANSLATE_NOOP("SartLimits", "exactly %1")).arg(l.tunings);
    case Value::BatteryDate:
        return testingDate.isValid()
                   ? translated(form, QT_TRANSLATE_NOOP("SartLimits", "not before the testing date, %1"))
                         .arg(dateIn(form, testingDate))
                   : translated(form, QT_TRANSLATE_NOOP("SartLimits", "not before the testing date"));
    case Value::StandBy:
    case Value::Led:
    case Value::Beeper: return QStringLiteral("\"%1\"").arg(answerText(form, 0));
    }
    return {};
}


QString withStandardLimit(const QString &source, const QString &standardLimit)
{
    return QCoreApplication::translate("SartLimits", "%1; changed in the limits dialog, the standard's limit is %2")
        .arg(source, standardLimit);
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

QString nameOf(Value value) { return QCoreApplication::translate("SartLimits", nameSource(value)); }

QString sourceOf(Value value)
{
    switch (value) {
    case Value::FrequencyHigh:
    case Value::FrequencyLow: return FrequencySource;
    case Value::Power: return QCoreApplication::translate("SartLimits", "EIRP; %1").arg(FrequencySource);
    case Value::Duration:
        return QCoreApplication::translate("SartLimits", "derived from the sweep times of ITU-R M.628-5: "
                                                         "12 \u00D7 (7.5 \u00B1 1 + 0.4 \u00B1 0.1) \u00B5s");
    case Value::Tunings: return QCoreApplication::translate("SartLimits", "12 sweeps per response; ITU-R M.628-5");
    case Value::BatteryDate:
        return QCoreApplication::translate(
            "SartLimits", "IMO A.802(19): battery capacity, kept only up to the battery's replacement date");
    case Value::StandBy:
    case Value::Led:
    case Value::Beeper:
        return QCoreApplication::translate("SartLimits",
                                           "IMO A.802(19): indication of correct operation, test facility");
    }
    return {};
}

QString Judgement::shownText() const
{
    return QCoreApplication::translate("SartLimits", "%1 %2 (limit: %3)").arg(name, measured, limit);
}

QString Judgement::description() const
{
    return (outside ? QCoreApplication::translate("SartLimits", "Outside the limit of the SART standard (advisory).\n"
                                                                "%1: %2; limit: %3.\nSource: %4.")
                    : QCoreApplication::translate("SartLimits", "Within the limit of the SART standard.\n"
                                                                "%1: %2; limit: %3.\nSource: %4."))
        .arg(name, measured, limit, source);
}

QList<Judgement> judge(const RecordValues &values, const Limits &limits)
{
    const Limits standard;
    const QDate &testing = values.testingDate;
    QList<Judgement> judged;
    // `measured` gives the record's value in either form.
    auto add = [&](Value value, bool outside, const std::function<QString(Form)> &measured) {
        Judgement j{value,
                    outside,
                    nameOf(value),
                    measured(Form::Shown),
                    limitText(Form::Shown, value, limits, testing),
                    sourceOf(value),
                    QStringLiteral("%1 %2 (limit: %3)")
                        .arg(QString::fromUtf8(nameSource(value)), measured(Form::Stored),
                             limitText(Form::Stored, value, limits, testing))};
        const QString standardLimit = limitText(Form::Shown, value, standard, testing);
        if (j.limit != standardLimit)
            j.source = withStandardLimit(j.source, standardLimit);
        judged.append(j);
    };
    if (const std::optional<MeasuredValues> &m = values.measured) {
        add(Value::FrequencyHigh, m->highKHz < limits.highMinKHz, [&](Form f) { return frequencyIn(f, m->highKHz); });
        add(Value::FrequencyLow, m->lowKHz > limits.lowMaxKHz, [&](Form f) { return frequencyIn(f, m->lowKHz); });
        add(Value::Power, m->powerMw < limits.powerMinMw, [&](Form f) { return powerIn(f, m->powerMw); });
        add(Value::Duration, m->durationUnits < limits.durationMinUnits || m->durationUnits > limits.durationMaxUnits,
            [&](Form f) { return durationIn(f, m->durationUnits); });
        add(Value::Tunings, m->tunings != limits.tunings, [&](Form) { return QString::number(m->tunings); });
    }
    if (limits.batteryInDate && values.batteryDate.isValid() && testing.isValid())
        add(Value::BatteryDate, values.batteryDate < testing, [&](Form f) { return dateIn(f, values.batteryDate); });
    if (limits.answeredYes) {
        add(Value::StandBy, values.standBy != 0, [&](Form f) { return answerText(f, values.standBy); });
        add(Value::Led, values.led != 0, [&](Form f) { return answerText(f, values.led); });
        add(Value::Beeper, values.beeper != 0, [&](Form f) { return answerText(f, values.beeper); });
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
        return QCoreApplication::translate("SartLimits", "All values within the limits of the SART standard");
    QStringList names;
    for (const Judgement &j : outside)
        names.append(j.name);
    const int n = int(outside.size());
    // English has one form for 1 and one for more; each source carries every
    // plural form of the translation.
    return (n == 1 ? QCoreApplication::translate("SartLimits", "%n value outside the limits of the SART standard: %1",
                                                 nullptr, n)
                   : QCoreApplication::translate("SartLimits", "%n values outside the limits of the SART standard: %1",
                                                 nullptr, n))
        .arg(names.join(QStringLiteral(", ")));
}

QString frequencyText(int kHz) { return frequencyIn(Form::Shown, kHz); }

QString durationText(int units) { return durationIn(Form::Shown, units); }

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
        errors::throwText(QCoreApplication::translate("SartLimits",
                                                      "The limits hold until the program ends, but cannot be kept: "
                                                      "the settings file %1 cannot be written.")
                              .arg(ProgramSettings::filePath()));
}

} // namespace limits

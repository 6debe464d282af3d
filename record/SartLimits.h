#pragma once

#include "MeasuredValues.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QString>

#include <optional>

class QSettings;

// The limits a SART must keep by the SART standard, and the judging of one
// record's values against them. Advisory: the limits mark values and ask
// before a certificate goes out; they never change the verdict, a stored
// byte or the report. Values are compared as the record holds them (kHz,
// mW, 0.2 us units), never as the panel rounds them.
namespace limits {

// The limits in force. The defaults are the standard's; national rules may
// differ, so the user can change them (kept in the program's settings).
struct Limits
{
    int lowMaxKHz = 9200000;      // the sweep starts at or below 9.200 GHz
    int highMinKHz = 9500000;     // and reaches at least 9.500 GHz
    int powerMinMw = 400;         // EIRP
    int tunings = 12;             // sweeps per response, exactly
    int durationMinUnits = 408;   // 81.6 us = 12 x (6.5 + 0.3) us
    int durationMaxUnits = 540;   // 108 us  = 12 x (8.5 + 0.5) us
    bool batteryInDate = true;    // battery replacement date not before the testing date
    bool answeredYes = true;      // stand-by, LED and beeper answered "YES"

    bool operator==(const Limits &) const = default;
};

// The values the limits judge, in the order the panel shows them.
enum class Value { FrequencyHigh, FrequencyLow, Power, Duration, Tunings, BatteryDate, StandBy, Led, Beeper };

// One record's values as the limits see them: the measured values as the
// record holds them, the answers and dates as the certificate states them.
struct RecordValues
{
    std::optional<MeasuredValues> measured;   // none: not judged
    int standBy = -1, led = -1, beeper = -1;  // item index: 0 "YES"; 1 "NO"; else no answer
    QDate batteryDate, testingDate;           // the battery rule needs both
};

// One value judged against its limit.
struct Judgement
{
    Value value;
    bool outside = false;
    // As the interface shows them: translated, in the interface's locale.
    QString name;       // "Emitted power"
    QString measured;   // the record's value, exactly: "399 mW"
    QString limit;      // "at least 400 mW"
    QString source;     // where the limit comes from
    // The text the register keeps: English with "." and "d MMM yyyy" dates
    // whatever the interface's language and locale, so that two certificates
    // of one record compare equal.
    QString stored;     // "Emitted power 399 mW (limit: at least 400 mW)"

    // The text the register keeps (stored).
    QString text() const { return stored; }
    // The same line as the interface shows it, from name, measured and limit.
    QString shownText() const;
    // The limit with its source and the value, for a tooltip.
    QString description() const;
};

// Every value of the record that the limits judge, in Value order: the
// measured ones when there are any, the answers, and the battery date when
// both dates are known and its rule is on.
QList<Judgement> judge(const RecordValues &values, const Limits &limits);
// Only the values outside their limits: what the certificate questions name
// and what may be kept with a certificate issued.
QList<Judgement> outside(const RecordValues &values, const Limits &limits);
// "2 values outside the limits of the SART standard: ...", one line.
QString summary(const QList<Judgement> &outside);

// A value's readable name ("Emitted power") and where its standard limit
// comes from.
QString nameOf(Value value);
QString sourceOf(Value value);

// Readable forms shared by the panel, the questions and the archive views.
// In the interface's language and locale.
QString frequencyText(int kHz);         // "9.200001 GHz": every digit the record holds
QString durationText(int units);        // "81.6 µs"

// Reads the limits kept in settings; a missing or unusable value is the
// standard's. Writes them back.
Limits load(const QSettings &settings);
void store(QSettings &settings, const Limits &limits);

// The limits in force for the whole program: read once from the program's
// settings, changed (and kept) by the limits dialog; `changed` tells every
// view that shows marks.
class InForce : public QObject
{
    Q_OBJECT

public:
    static InForce &instance();
    const Limits &limits() const { return m_limits; }
    // Puts the limits in force and keeps them; raises AppError when the
    // settings cannot be written (the limits hold all the same).
    void set(const Limits &limits);

signals:
    void changed();

private:
    InForce();
    Limits m_limits;
};

// Shorthand for InForce::instance().limits().
inline const Limits &inForce() { return InForce::instance().limits(); }

} // namespace limits

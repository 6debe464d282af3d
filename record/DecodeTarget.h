#pragma once

#include "MeasuredValues.h"

#include <QDate>
#include <QString>

// The fields the decoder writes into (see RecordHeader). DecodedRecord
// collects them so that the record view panel changes only for a record
// decoded whole; tests implement it to decode without widgets. Each call
// happens as soon as the decoder has the value, so a failure leaves earlier
// fields changed and later ones untouched.
class DecodeTarget
{
public:
    // The measured values shown, the header's texts, the visual checks'
    // answers and the three dates.
    enum Field {
        FrequencyHigh, FrequencyLow, Power, SignalDuration, Tunings, Repetition, TesterDuration,
        RadioEngineer, Controller, SartModel, Vessel, CentreName, CentreAddress, CentreTel, CentreFax, ManufacturerNo,
        StandBy, Led, Beeper,
        NextTestDate, TestingDate, BatteryDate,
    };

    // Dates a picker accepts; others raise "Failed to set calendar date or time".
    static QDate pickerMinimum() { return QDate(1601, 1, 1); }
    static QDate pickerMaximum() { return QDate(9999, 12, 31); }

    virtual ~DecodeTarget() = default;
    virtual void setText(Field field, const QString &text) = 0;
    // -1 leaves the selector with no item selected.
    virtual void setItemIndex(Field field, int index) = 0;
    // Raises "Failed to set calendar date or time" for a date outside the range.
    virtual void setDate(Field field, const QDate &date) = 0;
    // The measured values of the block decoded, as the record holds them;
    // comes right after their texts. Targets that only show texts ignore it.
    virtual void setMeasured(const MeasuredValues &) {}
};

#pragma once

#include "MeasuredValues.h"

#include <QDate>
#include <QString>

// The controls the decoder writes into. DecodedRecord collects them so that
// the record view panel changes only for a record decoded whole; tests
// implement it to decode without widgets. Each call happens as soon as the
// decoder has the value, so a failure leaves earlier controls changed and
// later ones untouched.
class DecodeTarget
{
public:
    enum Control {
        Label8, Label11, Label12, Label13, Label14, Label15, Label16,
        Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9,
        ComboBox1, ComboBox2, ComboBox3,
        DateTimePicker1, DateTimePicker2, DateTimePicker3,
    };

    // Dates a picker accepts; others raise "Failed to set calendar date or time".
    static QDate pickerMinimum() { return QDate(1601, 1, 1); }
    static QDate pickerMaximum() { return QDate(9999, 12, 31); }

    virtual ~DecodeTarget() = default;
    virtual void setText(Control control, const QString &text) = 0;
    // -1 leaves the selector with no item selected.
    virtual void setItemIndex(Control control, int index) = 0;
    // Raises "Failed to set calendar date or time" for a date outside the range.
    virtual void setDate(Control control, const QDate &date) = 0;
    // The measured values of the block decoded, as the record holds them;
    // comes right after their texts. Targets that only show texts ignore it.
    virtual void setMeasured(const MeasuredValues &) {}
};

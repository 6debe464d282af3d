#pragma once

#include "AppError.h"
#include "DecodeTarget.h"

#include <QList>
#include <QMap>
#include <QVariant>

// Stands in for the record view panel: keeps what every control shows and the
// calls of the latest run in order. Like the real date pickers, it refuses
// dates outside the pickers' range.
class RecordingTarget : public DecodeTarget
{
public:
    QList<Control> calls;           // controls set in the latest run, in order
    QMap<Control, QVariant> shown;  // what each control shows now

    void setText(Control control, const QString &text) override { set(control, text); }
    void setItemIndex(Control control, int index) override { set(control, index); }
    void setDate(Control control, const QDate &date) override
    {
        if (!date.isValid() || date < pickerMinimum() || date > pickerMaximum())
            throw AppError(errors::CalendarRefused);
        set(control, date);
    }

    bool wasSet(Control control) const { return calls.contains(control); }
    QString text(Control control) const { return shown.value(control).toString(); }
    int index(Control control) const { return shown.value(control, -2).toInt(); }
    QDate date(Control control) const { return shown.value(control).toDate(); }

private:
    void set(Control control, const QVariant &value)
    {
        calls.append(control);
        shown[control] = value;
    }
};

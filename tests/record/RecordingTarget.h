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
    QList<Field> calls;           // controls set in the latest run, in order
    QMap<Field, QVariant> shown;  // what each control shows now

    void setText(Field control, const QString &text) override { set(control, text); }
    void setItemIndex(Field control, int index) override { set(control, index); }
    void setDate(Field control, const QDate &date) override
    {
        if (!date.isValid() || date < pickerMinimum() || date > pickerMaximum())
            throw AppError(errors::CalendarRefused);
        set(control, date);
    }

    bool wasSet(Field control) const { return calls.contains(control); }
    QString text(Field control) const { return shown.value(control).toString(); }
    int index(Field control) const { return shown.value(control, -2).toInt(); }
    QDate date(Field control) const { return shown.value(control).toDate(); }

private:
    void set(Field control, const QVariant &value)
    {
        calls.append(control);
        shown[control] = value;
    }
};

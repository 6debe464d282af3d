#include "DecodedRecord.h"

#include "AppError.h"

void DecodedRecord::setText(Field field, const QString &text) { m_values.append({field, text}); }

void DecodedRecord::setItemIndex(Field field, int index) { m_values.append({field, index}); }

void DecodedRecord::setDate(Field field, const QDate &date)
{
    if (!date.isValid() || date < pickerMinimum() || date > pickerMaximum())
        errors::throwText(errors::CalendarRefused);
    m_values.append({field, date});
}

bool DecodedRecord::sets(Field field) const
{
    for (const Value &v : m_values)
        if (v.field == field)
            return true;
    return false;
}

void DecodedRecord::applyTo(DecodeTarget &target) const
{
    for (const Value &v : m_values) {
        switch (v.value.typeId()) {
        case QMetaType::QString:
            target.setText(v.field, v.value.toString());
            break;
        case QMetaType::Int:
            target.setItemIndex(v.field, v.value.toInt());
            break;
        default:
            target.setDate(v.field, v.value.toDate());
            break;
        }
    }
    if (m_measured)
        target.setMeasured(*m_measured);
}

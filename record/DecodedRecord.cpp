#include "DecodedRecord.h"

#include "AppError.h"

void DecodedRecord::setText(Control control, const QString &text) { m_values.append({control, text}); }

void DecodedRecord::setItemIndex(Control control, int index) { m_values.append({control, index}); }

void DecodedRecord::setDate(Control control, const QDate &date)
{
    if (!date.isValid() || date < pickerMinimum() || date > pickerMaximum())
        errors::throwText(errors::CalendarRefused);
    m_values.append({control, date});
}

bool DecodedRecord::sets(Control control) const
{
    for (const Value &v : m_values)
        if (v.control == control)
            return true;
    return false;
}

void DecodedRecord::applyTo(DecodeTarget &target) const
{
    for (const Value &v : m_values) {
        switch (v.value.typeId()) {
        case QMetaType::QString:
            target.setText(v.control, v.value.toString());
            break;
        case QMetaType::Int:
            target.setItemIndex(v.control, v.value.toInt());
            break;
        default:
            target.setDate(v.control, v.value.toDate());
            break;
        }
    }
    if (m_measured)
        target.setMeasured(*m_measured);
}

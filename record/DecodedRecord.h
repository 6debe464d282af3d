#pragma once

#include "DecodeTarget.h"

#include <QList>
#include <QVariant>

#include <optional>

// The values of one decode, held until the whole record has been decoded:
// a record that fails at any step leaves the panel as it was. Refuses the
// dates a picker refuses, so that applying the values cannot fail.
class DecodedRecord : public DecodeTarget
{
public:
    void setText(Field field, const QString &text) override;
    void setItemIndex(Field field, int index) override;
    void setDate(Field field, const QDate &date) override;
    void setMeasured(const MeasuredValues &measured) override { m_measured = measured; }

    // Whether the decode set the field (some are set only under a mark).
    bool sets(Field field) const;
    // Puts every value into target, in the order the decoder set them, the
    // measured values last.
    void applyTo(DecodeTarget &target) const;

private:
    struct Value
    {
        Field field;
        QVariant value;
    };
    QList<Value> m_values;
    std::optional<MeasuredValues> m_measured;
};

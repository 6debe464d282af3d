#pragma once

#include "DecodeTarget.h"

#include <QString>

#include <optional>
#include <span>

// The one table from the record view panel's controls (their object names,
// Edit9, Label8, DateTimePicker3 ...) to the record's fields they show. The
// rest of the program speaks of the fields only.
namespace panelfields {

using Field = DecodeTarget::Field;

struct Entry
{
    const char *control;
    Field field;
};

std::span<const Entry> table();
// The control that shows `field`, and the field a control shows (none: the
// control shows no field of the record).
QString controlOf(Field field);
std::optional<Field> fieldOf(const QString &control);

} // namespace panelfields

#pragma once

#include <QDate>
#include <QString>

// Text-to-number and text-to-date conversions with the program's error texts.
namespace convert {

// A whole number: leading spaces, an optional sign, decimal digits or a '$'/0x
// hexadecimal number, nothing after it. Otherwise
// "'%s' is not a valid integer value".
int toInt(const QString &text);

// Builds a date; day, month or year out of range gives
// "Invalid argument to date encode".
QDate encodeDate(int year, int month, int day);

// The year a two-digit year stands for: the one within the hundred years that
// begin 50 years before the current year.
qint64 windowedYear(int twoDigitYear, int currentYear);

// Reads day.month.year as the file table writes it ("dd.mm.yy"); blanks around
// the numbers are allowed, a two-digit year lies within the hundred years that
// begin 50 years before the current year. Otherwise "'%s' is not a valid date".
QDate tableDate(const QString &text, int currentYear);

} // namespace convert

#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

// A whole date as engineers type it: "05.01.2027", "5.1.27", "2027-01-05",
// "5/1/2027", or with the month's name in the given language or in English
// ("5 January 2027", "Jan 5, 2027"). Numbers alone are day, month, year -
// with slashes in the locale's order, with the year first as year, month,
// day. A two-digit year lies within the hundred years that begin 50
// years before `currentYear` (0: this year). Invalid when the text is no
// whole date.
namespace typeddate {

QDate parse(const QString &text, const QLocale &locale = QLocale::system(), int currentYear = 0);

} // namespace typeddate

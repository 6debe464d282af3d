#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

// What the engineer types into Find, read as terms: words, and dates written
// the ways the program writes them. Widget-free.
namespace archive {

struct QueryTerm
{
    QString text;          // as typed
    QString folded;        // the same, case folded
    QDate day;             // a whole date, or
    int year = 0;          // a month: year and month, `day` invalid
    int month = 0;

    bool isDate() const { return day.isValid() || month > 0; }
    // A date term: the same day, or a day in the same month.
    bool matchesDate(const QDate &date) const;
};

// Reads one piece of text as a date or a month. Dates: day.month.year with a
// two- or four-digit year (the file table's "05.01.26", "05.01.2026",
// "5.1.26"), ISO "2026-01-05", the system's short date format and the C
// locale's "5 Jan 2026"; a two-digit year lies within the hundred years that
// begin 50 years before `currentYear`, as the file table's dates do. Months:
// "01.2026" and "2026-01". Anything else, an impossible date and a year no
// record holds (before 1, after 9999) included, is no date.
std::optional<QueryTerm> dateTerm(const QString &text, const QLocale &locale, int currentYear);

// The query split at blanks into terms; a date written with blanks
// ("5 Jan 2026") is one term.
QVector<QueryTerm> parseQuery(const QString &query, const QLocale &locale = QLocale(),
                              int currentYear = QDate::currentDate().year());

// What a query is matched against, made once per entry: the texts and the
// testing and next testing dates written in the system's short format, as
// "dd.MM.yy", "dd.MM.yyyy" and "yyyy-MM-dd", case folded, one per line.
QString searchText(const QStringList &texts, const QDate &testingDate, const QDate &nextTestDate,
                   const QLocale &locale = QLocale());

// Whether an entry matches every term: a word when its search text contains
// it, case ignored; a date when the testing or next testing date is that day
// or lies in that month, or when the search text contains it as typed.
bool matchesQuery(const QVector<QueryTerm> &terms, const QString &searchText, const QDate &testingDate,
                  const QDate &nextTestDate);
// The same for one term.
bool matchesTerm(const QueryTerm &term, const QString &searchText, const QDate &testingDate,
                 const QDate &nextTestDate);

} // namespace archive

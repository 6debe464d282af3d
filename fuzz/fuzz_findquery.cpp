// Find's query, as any text typed in any of the system's locales and any
// current year. The terms keep every word of the query in order; a date term
// is a real day or month and matches its own dates; an entry that holds the
// query's words is found by it and an empty entry by no term. Every date,
// written as the program writes dates, is read back as the same day (a
// two-digit year when it lies in its window) and finds an entry with that
// testing date, by the date and by its search text alike; its month too.
//
// Input: byte 0 picks the locale (C, en_US, en_GB, de_DE, ru_RU), bytes 1-2
// the current year (1..9999), bytes 3-6 a date (year, two bytes, month, day);
// the rest is the query, as UTF-8.
#include "FindQuery.h"

#include <QLocale>
#include <QRegularExpression>

#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace {

using archive::QueryTerm;

[[noreturn]] void fail(const char *what, const QString &detail)
{
    std::fprintf(stderr, "%s: %s\n", what, qPrintable(detail));
    std::abort();
}

const QLocale &localeNumber(int n)
{
    static const QLocale locales[] = {QLocale::c(), QLocale(QStringLiteral("en_US")), QLocale(QStringLiteral("en_GB")),
                                      QLocale(QStringLiteral("de_DE")), QLocale(QStringLiteral("ru_RU"))};
    return locales[n % std::size(locales)];
}

const QRegularExpression &blanks()
{
    static const QRegularExpression re(QStringLiteral("\\s+"));
    return re;
}

void checkTerm(const QueryTerm &term)
{
    if (term.folded != term.text.toCaseFolded())
        fail("folded text", term.text);
    const qsizetype words = term.text.split(u' ').size();
    if (term.text.isEmpty() || term.text.contains(blanks()) != (words > 1))
        fail("term text", term.text);
    if (!term.isDate()) {
        if (words != 1)
            fail("word with a blank", term.text);
        return;
    }
    if (words > 3)
        fail("date of more than three parts", term.text);
    if (term.day.isValid()) {
        if (term.day.year() < 1 || term.day.year() > 9999 || !term.matchesDate(term.day)
            || term.matchesDate(term.day.addDays(1)))
            fail("day term", term.text + u'/' + term.day.toString(Qt::ISODate));
        return;
    }
    if (term.month < 1 || term.month > 12 || term.year < 1)
        fail("month term", term.text);
    const QDate first(term.year, term.month, 1);
    if (first.isValid()
        && (!term.matchesDate(first) || !term.matchesDate(first.addMonths(1).addDays(-1))
            || term.matchesDate(first.addDays(-1)) || term.matchesDate(first.addMonths(1))))
        fail("month term matches", term.text);
}

void checkQuery(const QString &query, const QLocale &locale, int currentYear)
{
    const QVector<QueryTerm> terms = archive::parseQuery(query, locale, currentYear);
    const QStringList words = query.split(blanks(), Qt::SkipEmptyParts);
    QStringList texts;
    for (const QueryTerm &term : terms) {
        checkTerm(term);
        texts.append(term.text);
    }
    if (texts.join(u' ') != words.join(u' '))
        fail("terms lose or change words", texts.join(u'|'));

    const QString holding = archive::searchText({words.join(u' ')}, QDate(), QDate(), locale);
    if (!archive::matchesQuery(terms, holding, QDate(), QDate()))
        fail("entry holding the query not found", query);
    const QString empty = archive::searchText({}, QDate(), QDate(), locale);
    if (!terms.isEmpty() && archive::matchesQuery(terms, empty, QDate(), QDate()))
        fail("empty entry found", query);
}

enum class Written { Month, Day, DayAsSearchTextHolds };

// One way of writing `date`, typed alone into Find.
void checkWritten(const QDate &date, const QString &written, const QLocale &locale, int currentYear, Written how)
{
    const bool month = how == Written::Month;
    const std::optional<QueryTerm> term = archive::dateTerm(written, locale, currentYear);
    if (!term)
        fail("written date not read", written);
    if (month ? term->day.isValid() || term->year != date.year() || term->month != date.month()
              : term->day != date)
        fail("written date read as another", written + u'/' + term->day.toString(Qt::ISODate));

    const QVector<QueryTerm> terms = archive::parseQuery(written, locale, currentYear);
    if (terms.size() != 1 || !terms[0].isDate())
        fail("written date not one term", written);
    const QString other = archive::searchText({QStringLiteral("x")}, date.addYears(-200), QDate(), locale);
    if (!archive::matchesQuery(terms, other, date, QDate()) || !archive::matchesQuery(terms, other, QDate(), date))
        fail("written date does not find its testing or next testing date", written);
    const QString itsText = archive::searchText({}, date, QDate(), locale);
    if (how == Written::DayAsSearchTextHolds && !archive::matchesQuery(terms, itsText, QDate(), QDate()))
        fail("written date not found in the search text", written);
}

void checkDate(const QDate &date, const QLocale &locale, int currentYear)
{
    if (!date.isValid() || date.year() < 1 || date.year() > 9999)
        return;
    const QLocale c = QLocale::c();
    const bool inWindow = date.year() >= currentYear - 50 && date.year() < currentYear + 50;
    using W = Written;
    if (date.year() >= 1000) {
        checkWritten(date, c.toString(date, QStringLiteral("dd.MM.yyyy")), locale, currentYear, W::DayAsSearchTextHolds);
        checkWritten(date, c.toString(date, QStringLiteral("yyyy-MM-dd")), locale, currentYear, W::DayAsSearchTextHolds);
        checkWritten(date, c.toString(date, QStringLiteral("d.M.yyyy")), locale, currentYear, W::Day);
        checkWritten(date, c.toString(date, QStringLiteral("d MMM yyyy")), locale, currentYear, W::Day);
        checkWritten(date, c.toString(date, QStringLiteral("MM.yyyy")), locale, currentYear, W::Month);
        checkWritten(date, c.toString(date, QStringLiteral("yyyy-MM")), locale, currentYear, W::Month);
    }
    if (inWindow)
        checkWritten(date, c.toString(date, QStringLiteral("dd.MM.yy")), locale, currentYear, W::DayAsSearchTextHolds);
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    if (format.contains(QLatin1String("yyyy")) ? date.year() >= 1000 : inWindow)
        checkWritten(date, locale.toString(date, QLocale::ShortFormat), locale, currentYear, W::DayAsSearchTextHolds);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    localeNumber(0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 7)
        return 0;
    const QLocale &locale = localeNumber(data[0]);
    const int currentYear = 1 + (data[1] << 8 | data[2]) % 9999;
    const QDate date(data[3] << 8 | data[4], data[5], data[6]);
    const QString query = QString::fromUtf8(reinterpret_cast<const char *>(data + 7), qsizetype(size - 7));

    checkQuery(query, locale, currentYear);
    checkDate(date, locale, currentYear);
    return 0;
}

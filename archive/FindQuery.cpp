#include "FindQuery.h"

#include "AppError.h"
#include "Convert.h"

#include <QRegularExpression>

#include <algorithm>

namespace archive {
namespace {

// A date written with blanks has at most three parts: "5 Jan 2026".
constexpr int MostPartsOfADate = 3;

QueryTerm dayTerm(const QString &text, const QDate &day)
{
    QueryTerm term;
    term.text = text;
    term.day = day;
    return term;
}

// The system's short format, read leniently: one-digit days and months too.
QDate systemDate(const QString &text, const QLocale &locale, int currentYear)
{
    static const QRegularExpression twoDigitDay(QStringLiteral("(?<!d)dd(?!d)"));
    static const QRegularExpression twoDigitMonth(QStringLiteral("(?<!M)MM(?!M)"));
    QString format = locale.dateFormat(QLocale::ShortFormat);
    format.replace(twoDigitDay, QStringLiteral("d")).replace(twoDigitMonth, QStringLiteral("M"));
    const QDate date = locale.toDate(text, format);
    if (!date.isValid() || format.contains(QLatin1String("yyyy")) || !format.contains(QLatin1String("yy")))
        return date;
    // A two-digit year is read as 19yy: put it where the file table's would be.
    const qint64 year = convert::windowedYear(date.year() % 100, currentYear);
    return year >= 1 && year <= 9999 ? QDate(int(year), date.month(), date.day()) : QDate();
}

// The texts of a date that a word is looked for in.
QStringList dateTexts(const QDate &date, const QLocale &locale)
{
    if (!date.isValid())
        return {};
    const QLocale c = QLocale::c();
    return {locale.toString(date, QLocale::ShortFormat), c.toString(date, QStringLiteral("dd.MM.yy")),
            c.toString(date, QStringLiteral("dd.MM.yyyy")), c.toString(date, QStringLiteral("yyyy-MM-dd"))};
}

} // namespace

bool QueryTerm::matchesDate(const QDate &date) const
{
    if (!date.isValid())
        return false;
    if (day.isValid())
        return date == day;
    return month > 0 && date.year() == year && date.month() == month;
}

std::optional<QueryTerm> dateTerm(const QString &text, const QLocale &locale, int currentYear)
{
    static const QRegularExpression dotted(QStringLiteral("^\\d{1,2}\\.\\d{1,2}\\.(\\d{2}|\\d{4})$"));
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    static const QRegularExpression dottedMonth(QStringLiteral("^(\\d{1,2})\\.(\\d{4})$"));
    static const QRegularExpression isoMonth(QStringLiteral("^(\\d{4})-(\\d{1,2})$"));

    if (dotted.match(text).hasMatch()) {
        try {
            return dayTerm(text, convert::tableDate(text, currentYear));
        } catch (const AppError &) {
            return std::nullopt;  // 31.02.26 and the like
        }
    }
    if (const QRegularExpressionMatch m = iso.match(text); m.hasMatch()) {
        const QDate day(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        return day.isValid() ? std::optional(dayTerm(text, day)) : std::nullopt;
    }
    QRegularExpressionMatch m = dottedMonth.match(text);
    int year = 0, month = 0;
    if (m.hasMatch()) {
        month = m.captured(1).toInt();
        year = m.captured(2).toInt();
    } else if (m = isoMonth.match(text); m.hasMatch()) {
        year = m.captured(1).toInt();
        month = m.captured(2).toInt();
    }
    if (year > 0) {
        if (month < 1 || month > 12)
            return std::nullopt;
        QueryTerm term;
        term.text = text;
        term.year = year;
        term.month = month;
        return term;
    }
    // Years as records hold them: a negative year written in full is no date.
    // Month names in English, and in the interface's language, short or long.
    for (const QDate &day : {systemDate(text, locale, currentYear),
                             QLocale::c().toDate(text, QStringLiteral("d MMM yyyy")),
                             locale.toDate(text, QStringLiteral("d MMM yyyy")),
                             locale.toDate(text, QStringLiteral("d MMMM yyyy"))})
        if (day.isValid() && day.year() >= 1 && day.year() <= 9999)
            return dayTerm(text, day);
    return std::nullopt;
}

QVector<QueryTerm> parseQuery(const QString &query, const QLocale &locale, int currentYear)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const QStringList words = query.split(blanks, Qt::SkipEmptyParts);
    QVector<QueryTerm> terms;
    for (qsizetype i = 0; i < words.size();) {
        qsizetype parts = std::min<qsizetype>(MostPartsOfADate, words.size() - i);
        std::optional<QueryTerm> date;
        for (; parts > 0; --parts)
            if ((date = dateTerm(words.mid(i, parts).join(u' '), locale, currentYear)))
                break;
        if (date) {
            date->folded = date->text.toCaseFolded();
            terms.append(*date);
            i += parts;
        } else {
            QueryTerm word;
            word.text = words[i++];
            word.folded = word.text.toCaseFolded();
            terms.append(word);
        }
    }
    return terms;
}

QString searchText(const QStringList &texts, const QDate &testingDate, const QDate &nextTestDate,
                   const QLocale &locale)
{
    return (texts + dateTexts(testingDate, locale) + dateTexts(nextTestDate, locale)).join(u'\n').toCaseFolded();
}

bool matchesQuery(const QVector<QueryTerm> &terms, const QString &searchText, const QDate &testingDate,
                  const QDate &nextTestDate)
{
    return std::all_of(terms.begin(), terms.end(), [&](const QueryTerm &term) {
        return matchesTerm(term, searchText, testingDate, nextTestDate);
    });
}

bool matchesTerm(const QueryTerm &term, const QString &searchText, const QDate &testingDate,
                 const QDate &nextTestDate)
{
    if (term.isDate() && (term.matchesDate(testingDate) || term.matchesDate(nextTestDate)))
        return true;
    // A term holds no line break, so it never spans two of the texts.
    return searchText.contains(term.folded);
}

} // namespace archive

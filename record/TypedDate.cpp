#include "TypedDate.h"

#include "Convert.h"

#include <QRegularExpression>
#include <QStringList>

namespace typeddate {
namespace {

int fullYear(const QString &digits, int currentYear)
{
    const int year = digits.toInt();
    return digits.size() <= 2 ? int(convert::windowedYear(year, currentYear)) : year;
}

// The month a word names in `locale`, 1..12; 0 when none. A word of three
// letters or more that begins a month's name names it ("Jan", "janv").
int monthOf(const QString &word, const QLocale &locale)
{
    const QString w = word.toCaseFolded();
    if (w.size() < 3)
        return 0;
    for (int m = 1; m <= 12; ++m)
        for (QLocale::FormatType f : {QLocale::LongFormat, QLocale::ShortFormat})
            for (const QString &name : {locale.monthName(m, f), locale.standaloneMonthName(m, f)}) {
                const QString n = name.toCaseFolded().remove(u'.');
                if (!n.isEmpty() && (n == w || (n.startsWith(w))))
                    return m;
            }
    return 0;
}

} // namespace

QDate parse(const QString &text, const QLocale &locale, int currentYear)
{
    if (currentYear == 0)
        currentYear = QDate::currentDate().year();
    // Numbers and words, whatever separates them.
    static const QRegularExpression part(QStringLiteral("(\\d+)|(\\p{L}+)"));
    QStringList numbers;
    int month = 0;
    int numbersBeforeMonth = -1;
    for (auto it = part.globalMatch(text.trimmed()); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedLength(1)) {
            numbers.append(m.captured(1));
            continue;
        }
        int named = monthOf(m.captured(2), locale);
        if (!named)
            named = monthOf(m.captured(2), QLocale::c());
        if (!named || month)
            return {};  // a word that is no month, or two months
        month = named;
        numbersBeforeMonth = int(numbers.size());
    }
    // Nothing but separators between the parts.
    static const QRegularExpression allowed(QStringLiteral("^[\\d\\p{L}\\s./,-]+$"));
    if (!allowed.match(text.trimmed()).hasMatch())
        return {};

    int day = 0, year = 0;
    if (month) {
        if (numbers.size() != 2)
            return {};
        // "5 January 2027", "January 5, 2027", "2027 January 5"
        const bool yearFirst = numbers[0].size() == 4;
        day = numbers[yearFirst ? 1 : 0].toInt();
        year = fullYear(numbers[yearFirst ? 0 : 1], currentYear);
        if (numbersBeforeMonth == 0 && numbers[0].size() > 2)
            return {};
    } else {
        if (numbers.size() != 3)
            return {};
        if (numbers[0].size() == 4) {  // 2027-01-05
            year = numbers[0].toInt();
            month = numbers[1].toInt();
            day = numbers[2].toInt();
        } else {
            if (numbers[2].size() != 2 && numbers[2].size() != 4)
                return {};
            // Dotted dates are day first; with slashes the locale's order holds.
            const QString format = locale.dateFormat(QLocale::ShortFormat);
            const bool monthFirst = text.contains(u'/') && format.indexOf(u'M') < format.indexOf(u'd');
            day = numbers[monthFirst ? 1 : 0].toInt();
            month = numbers[monthFirst ? 0 : 1].toInt();
            year = fullYear(numbers[2], currentYear);
        }
    }
    return QDate(year, month, day);  // invalid when out of range
}

} // namespace typeddate

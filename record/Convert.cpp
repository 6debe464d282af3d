#include "Convert.h"

#include "AppError.h"

namespace convert {

int toInt(const QString &text)
{
    int i = 0;
    const int n = text.size();
    while (i < n && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    int base = 10;
    if (i < n && text[i] == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i >= n)
        errors::throwInvalidInteger(text);
    qint64 value = 0;
    for (; i < n; ++i) {
        const int digit = text[i].isDigit() && text[i].unicode() < 128
                              ? text[i].unicode() - '0'
                              : (base == 16 && QStringLiteral("abcdef").contains(text[i].toLower())
                                     ? text[i].toLower().unicode() - 'a' + 10
                                     : -1);
        if (digit < 0)
            errors::throwInvalidInteger(text);
        value = value * base + digit;
        if (value > qint64(INT_MAX) + 1)
            errors::throwInvalidInteger(text);
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        errors::throwInvalidInteger(text);
    return int(value);
}

QDate encodeDate(int year, int month, int day)
{
    const QDate date(year, month, day);
    if (year < 1 || year > 9999 || !date.isValid())
        errors::throwText(errors::InvalidDateEncode);
    return date;
}

namespace {

struct Scanner
{
    const QString &s;
    int pos = 0;

    void blanks()
    {
        while (pos < s.size() && s[pos] == u' ')
            ++pos;
    }
    bool number(int &value, int &length)
    {
        blanks();
        int i = pos;
        int n = 0;
        while (i < s.size() && s[i] >= u'0' && s[i] <= u'9' && n < 1000)
            n = n * 10 + (s[i++].unicode() - '0');
        length = i - pos;
        if (length == 0)
            return false;
        pos = i;
        value = n;
        return true;
    }
    bool character(QChar c)
    {
        blanks();
        if (pos < s.size() && s[pos] == c) {
            ++pos;
            return true;
        }
        return false;
    }
};

} // namespace

qint64 windowedYear(int twoDigitYear, int currentYear)
{
    const qint64 base = qint64(currentYear) - 50;
    const qint64 year = twoDigitYear + base / 100 * 100;
    return year < base ? year + 100 : year;
}

QDate tableDate(const QString &text, int currentYear)
{
    Scanner scan{text};
    int day = 0, month = 0, length = 0, yearLength = 4;
    if (!scan.number(day, length) || !scan.character(u'.') || !scan.number(month, length))
        errors::throwInvalidDate(text);
    // 64-bit so that no current year, however odd, overflows the window.
    qint64 year = currentYear;
    if (scan.character(u'.')) {
        int digits = 0;
        if (!scan.number(digits, yearLength))
            errors::throwInvalidDate(text);
        year = yearLength <= 2 ? windowedYear(digits, currentYear) : digits;
    }
    scan.character(u'.');
    scan.blanks();
    if (year < 1 || year > 9999 || scan.pos < text.size())
        errors::throwInvalidDate(text);
    const QDate date(int(year), month, day);
    if (!date.isValid())
        errors::throwInvalidDate(text);
    return date;
}

} // namespace convert

// The text conversions: whole numbers (header digits, the "Go to" input) and
// the "Testing date" cell, plus building dates from their parts. Only the
// program's error texts may come out, and what is accepted must mean what it
// says.
//
// Input: byte 0 chooses the conversion and the text's encoding (windows-1251
// record characters or UTF-8 typed text), bytes 1..4 are a number (the
// current year, or year/month/day), the rest is the text.
#include "AppError.h"
#include "Convert.h"
#include "RecordText.h"

#include <QRegularExpression>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

[[noreturn]] void fail(const char *what, const QString &detail)
{
    std::fprintf(stderr, "%s: %s\n", what, qPrintable(detail));
    std::abort();
}

void checkToInt(const QString &text)
{
    static const QRegularExpression plain(QStringLiteral("\\A *[+-]?[0-9]+\\z"));
    try {
        const int value = convert::toInt(text);
        if (plain.match(text).hasMatch() && text.trimmed().toLongLong() != value)
            fail("toInt value", text);
    } catch (const AppError &e) {
        if (e.text() != QStringLiteral("'%1' is not a valid integer value").arg(text))
            fail("toInt error", e.text());
        bool ok = false;
        const qlonglong value = text.toLongLong(&ok);
        if (ok && plain.match(text).hasMatch() && value >= INT_MIN && value <= INT_MAX)
            fail("toInt refused a whole number", text);
    }
}

void checkTableDate(const QString &text, int currentYear)
{
    QDate date;
    try {
        date = convert::tableDate(text, currentYear);
    } catch (const AppError &e) {
        if (e.text() != QStringLiteral("'%1' is not a valid date").arg(text))
            fail("tableDate error", e.text());
        return;
    }
    if (!date.isValid() || date.year() < 1 || date.year() > 9999)
        fail("tableDate gave an impossible date", text);
    // What the file table writes for that date reads back as the same date
    // whenever the year lies in the two-digit window.
    const qint64 base = qint64(currentYear) - 50;
    if (currentYear >= 51 && currentYear <= 9999 && date.year() >= base && date.year() < base + 100
        && convert::tableDate(date.toString(QStringLiteral("dd.MM.yy")), currentYear) != date)
        fail("tableDate round trip", text);
    if (convert::tableDate(date.toString(QStringLiteral("dd.MM.yyyy")), currentYear) != date)
        fail("tableDate four-digit round trip", text);
}

void checkEncodeDate(int year, int month, int day)
{
    try {
        if (convert::encodeDate(year, month, day) != QDate(year, month, day))
            fail("encodeDate value", QString());
    } catch (const AppError &e) {
        if (e.text() != errors::InvalidDateEncode)
            fail("encodeDate error", e.text());
        if (year >= 1 && year <= 9999 && QDate(year, month, day).isValid())
            fail("encodeDate refused a date", QString());
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    recordtext::fromBytes("\x80\xC0");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 5)
        return 0;
    qint32 number;
    std::memcpy(&number, data + 1, 4);
    const QByteArray bytes(reinterpret_cast<const char *>(data + 5), qsizetype(size - 5));
    const QString text = data[0] & 1 ? QString::fromUtf8(bytes) : recordtext::fromBytes(bytes);
    switch ((data[0] >> 1) % 3) {
    case 0:
        checkToInt(text);
        break;
    case 1:
        checkTableDate(text, number);
        break;
    default:
        checkEncodeDate(qint16(number), qint8(number >> 16), qint8(number >> 24));
    }
    return 0;
}

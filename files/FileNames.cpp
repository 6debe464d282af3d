#include "FileNames.h"

#include <QStringDecoder>

namespace filenames {
namespace {

constexpr char16_t EscapeBase = 0xDC00;

// An escaped byte is a lone low surrogate: the second half of a pair (a
// character beyond U+FFFF in a UTF-8 name) may hold the same value.
bool isEscape(const QString &s, qsizetype i)
{
    const char16_t c = s[i].unicode();
    return c >= EscapeBase + 0x80 && c <= EscapeBase + 0xFF && (i == 0 || !s[i - 1].isHighSurrogate());
}

bool hasEscape(const QString &s)
{
    for (qsizetype i = 0; i < s.size(); ++i)
        if (isEscape(s, i))
            return true;
    return false;
}

} // namespace

bool isUtf8(const QByteArray &bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int length;
        char32_t code;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
            code = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            code = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            code = c & 0x07;
        } else {
            return false;
        }
        if (n - i < length)
            return false;
        for (int k = 1; k < length; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (p[i + k] & 0x3F);
        }
        if ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF))
            || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

QString fromBytes(const QByteArray &bytes)
{
    if (isUtf8(bytes))
        return QString::fromUtf8(bytes);
    QString carried;
    carried.reserve(bytes.size());
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        carried += u < 0x80 ? QChar(u) : QChar(char16_t(EscapeBase + u));
    }
    return carried;
}

QByteArray toBytes(const QString &carried)
{
    QByteArray bytes;
    bytes.reserve(carried.size());
    qsizetype plainFrom = 0;
    for (qsizetype i = 0; i < carried.size(); ++i) {
        if (!isEscape(carried, i))
            continue;
        bytes += QStringView(carried).mid(plainFrom, i - plainFrom).toUtf8();
        bytes += char(carried[i].unicode() - EscapeBase);
        plainFrom = i + 1;
    }
    bytes += QStringView(carried).mid(plainFrom).toUtf8();
    return bytes;
}

QString display(const QString &carried)
{
    if (!hasEscape(carried))
        return carried;
    QString shown;
    shown.reserve(carried.size() + NotUtf8Mark.size());
    QStringDecoder cp1251("windows-1251");
    for (qsizetype i = 0; i < carried.size(); ++i) {
        if (isEscape(carried, i)) {
            const char b = char(carried[i].unicode() - EscapeBase);
            shown += cp1251.decode(QByteArrayView(&b, 1));
        } else {
            shown += carried[i];
        }
    }
    return shown + NotUtf8Mark;
}

} // namespace filenames

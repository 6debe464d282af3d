#include "RecordText.h"

#include <QStringDecoder>
#include <QHash>

#include <array>

namespace recordtext {
namespace {

const std::array<QChar, 256> &decodeTable()
{
    static const std::array<QChar, 256> table = [] {
        std::array<QChar, 256> t{};
        QStringDecoder decoder("windows-1251");
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            const QString s = decoder.decode(QByteArrayView(&byte, 1));
            // 0x98 has no character in windows-1251: keep it as the C1 control
            // of the same value so that it survives a load and a save.
            t[b] = (s.size() == 1 && s[0] != QChar::ReplacementCharacter) ? s[0] : QChar(b);
        }
        return t;
    }();
    return table;
}

} // namespace

QChar fromByte(unsigned char byte) { return decodeTable()[byte]; }

QString fromBytes(const QByteArray &bytes)
{
    QString s;
    s.reserve(bytes.size());
    for (char c : bytes)
        s.append(fromByte(static_cast<unsigned char>(c)));
    return s;
}

QByteArray toBytes(const QString &text)
{
    static const QHash<char32_t, char> encodeTable = [] {
        QHash<char32_t, char> t;
        for (int b = 255; b >= 0; --b)
            t.insert(decodeTable()[b].unicode(), char(b));
        return t;
    }();
    QByteArray out;
    out.reserve(text.size());
    for (char32_t c : text.toUcs4())
        out.append(encodeTable.value(c, '?'));
    return out;
}

} // namespace recordtext

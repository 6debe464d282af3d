// File names carried as bytes: any byte string read from a folder must come
// back byte for byte from the name the program carries, two different byte
// strings must never be carried as the same name (they would act on each
// other's file), and the shown name must be marked exactly when the bytes are
// not UTF-8, holding no half of a surrogate pair.
//
// Input: byte 0 says where the input splits into two names a and b; both are
// checked, and checked against each other.
#include "FileNames.h"

#include <QString>

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what, const QByteArray &name)
{
    std::fprintf(stderr, "%s: %s\n", what, name.toHex(' ').constData());
    std::abort();
}

QString checkName(const QByteArray &bytes)
{
    const QString carried = filenames::fromBytes(bytes);
    if (filenames::toBytes(carried) != bytes)
        fail("round trip", bytes);
    const bool utf8 = filenames::isUtf8(bytes);
    // Where Qt's decoder and this check agree that the bytes are UTF-8, the
    // carried name is plain decoded text.
    if (utf8 && carried != QString::fromUtf8(bytes))
        fail("UTF-8 name not decoded as such", bytes);
    const QString shown = filenames::display(carried);
    if (shown.endsWith(filenames::NotUtf8Mark) == utf8 && !(utf8 && carried.endsWith(filenames::NotUtf8Mark)))
        fail("mark", bytes);
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const QChar c = shown[i];
        if (c.isLowSurrogate() && (i == 0 || !shown[i - 1].isHighSurrogate()))
            fail("lone surrogate shown", bytes);
        if (c.isHighSurrogate() && (i + 1 == shown.size() || !shown[i + 1].isLowSurrogate()))
            fail("lone surrogate shown", bytes);
    }
    // A path of a UTF-8 folder and the name gives the folder's and the name's bytes.
    if (filenames::toBytes(QStringLiteral("/tmp/Архив/") + carried) != QStringLiteral("/tmp/Архив/").toUtf8() + bytes)
        fail("path", bytes);
    return carried;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray input(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const qsizetype split = std::min<qsizetype>(data[0], input.size());
    const QByteArray a = input.left(split), b = input.mid(split);
    const QString ca = checkName(a), cb = checkName(b);
    if ((a == b) != (ca == cb))
        fail("two names carried alike", a + QByteArray(" | ") + b);
    return 0;
}

// Rows read from the register: whatever values a database hands back (a
// register written by another program, a damaged file), reading them into an
// entry and its outputs never crashes, the entry's cells match the columns,
// and a file name stored in the register comes back byte for byte.
//
// Input: fields separated by 0x1f; a field's first byte picks what the
// database gives (none, a number, text, a file name's bytes), the rest is
// its value.
#include "CertificateRegister.h"
#include "FileNames.h"

#include <QVariant>

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what, const QByteArray &value)
{
    std::fprintf(stderr, "%s: %s\n", what, value.toHex(' ').constData());
    std::abort();
}

QVariant valueOf(const QByteArray &field)
{
    if (field.isEmpty())
        return {};
    const QByteArray rest = field.mid(1);
    switch (static_cast<unsigned char>(field[0]) % 5) {
    case 0:
        return {};
    case 1:
        return rest.toLongLong();
    case 2:
        return QString::fromUtf8(rest);
    case 3:
        return rest;
    default:
        return filenames::fromBytes(rest);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    QVector<QVariant> row;
    for (const QByteArray &field : input.split('\x1f')) {
        row.append(valueOf(field));
        // A stored name (or any text taken for one) gives the name back.
        const QString carried = filenames::fromBytes(field);
        if (certregister::carriedName(certregister::storedName(carried)) != carried)
            fail("stored name round trip", field);
    }
    const certregister::Entry entry = certregister::readEntry(row);
    if (certregister::cells(entry).size() != certregister::columnCaptions().size())
        fail("cells", input);
    (void)certregister::checkText(certregister::RecordCheck::Missing, entry);
    certregister::Entry withOutputs = entry;
    withOutputs.outputs.append(certregister::readOutput(row));
    withOutputs.outputs.append(certregister::readOutput(row.mid(row.size() / 2)));
    if (certregister::cells(withOutputs).size() != certregister::columnCaptions().size())
        fail("cells with outputs", input);
    (void)certregister::notCompleted(withOutputs);
    return 0;
}

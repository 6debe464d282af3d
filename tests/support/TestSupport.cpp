#include "TestSupport.h"

#include <QFile>
#include <QTest>

namespace testsupport {

QByteArray blankRecord() { return QByteArray(layout::RecordSize, '\0'); }

void put(QByteArray &record, int offset, const QByteArray &bytes)
{
    record.replace(offset, bytes.size(), bytes);
}

void putValue(QByteArray &record, int offset, int width, quint32 value)
{
    for (int i = width - 1; i >= 0; --i, value >>= 8)
        record[offset + i] = char(value & 0xFF);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

} // namespace testsupport

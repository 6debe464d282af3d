#pragma once

#include <QByteArray>
#include <QString>

// Record characters are single bytes in windows-1251; these convert between
// record bytes and the texts the widgets show and the user types.
namespace recordtext {

QChar fromByte(unsigned char byte);
QString fromBytes(const QByteArray &bytes);

// A character with no windows-1251 byte becomes '?'.
QByteArray toBytes(const QString &text);

} // namespace recordtext

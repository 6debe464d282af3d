#pragma once

#include <QString>
#include <rtl/ustring.hxx>

// UTF-16 both sides: the conversions copy without re-encoding.
inline rtl::OUString toOUString(const QString &text)
{
    return rtl::OUString(reinterpret_cast<const sal_Unicode *>(text.utf16()), text.size());
}

inline QString toQString(const rtl::OUString &text)
{
    return QString(reinterpret_cast<const QChar *>(text.getStr()), text.getLength());
}

#pragma once

#include <QByteArray>
#include <QString>

// File names as the file system holds them: bytes. The program carries a name
// in a QString that gives back exactly those bytes: a name that is valid UTF-8
// is its decoded text; any other name keeps its ASCII bytes as they are and
// carries every other byte b as the lone surrogate U+DC00 + b, a character no
// valid UTF-8 name decodes to. So distinct byte names never share a carried
// name, and paths built from carried names open exactly the right file.
namespace filenames {

QString fromBytes(const QByteArray &bytes);
QByteArray toBytes(const QString &carried);

// True when the bytes are UTF-8 as a file name may hold it: no overlong forms,
// no surrogates, nothing beyond U+10FFFF.
bool isUtf8(const QByteArray &bytes);

// What the user sees: a carried name or path whose bytes are not UTF-8 shows
// those bytes as windows-1251, the likely origin of such names, marked with
// NotUtf8Mark at its end so that it never looks like a UTF-8 name.
QString display(const QString &carried);
inline const QString NotUtf8Mark = QStringLiteral(" [windows-1251]");

// The archive folder: where the records of a start folder are kept, its
// subfolder "bin".
inline QString archiveFolder(const QString &startFolder) { return startFolder + QStringLiteral("/bin"); }

} // namespace filenames

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Tables the program exports as comma-separated values, for a spreadsheet to
// open: UTF-8 with a byte order mark (so that a spreadsheet takes it for
// UTF-8), lines ended by CR LF, and no cell that a spreadsheet would run.
namespace csvfile {

// The mark put in front of a cell that a spreadsheet would take for a
// formula: it then shows the cell as the text it is.
inline constexpr QChar FormulaMark = u'\'';

// One cell as written. A cell whose first character is "=", "+", "-" or "@"
// (also after leading blanks, which spreadsheets drop), or a tab or CR, gets
// the FormulaMark in front; a plain number such as "-22" stays a number.
// A cell holding a quote, comma, semicolon, tab, CR or LF, or beginning or
// ending with a space, is quoted, its quotes doubled, so that no reader
// splits or trims it. A standard CSV reader gives
// back the value exactly, after the mark.
QByteArray cell(const QString &value);

// The whole table, one line per row.
QByteArray encode(const QList<QStringList> &rows);

// Writes the table as a file the engineer chose (outputfile::write): raises
// a FileError naming the file.
void write(const QString &path, const QList<QStringList> &rows);

} // namespace csvfile

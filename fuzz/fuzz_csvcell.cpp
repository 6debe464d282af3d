// The CSV writer, for any texts in any rows: the table it writes, read back
// by a strict reader of comma-separated values (RFC 4180), gives the same
// rows and cells, each exactly, the formula mark in front of those that a
// spreadsheet would run and only of those. A cell left unquoted holds
// nothing that a reader splits at, unquotes or trims; the file starts with
// the UTF-8 byte order mark and ends every line with CR LF.
//
// Input: the table's rows separated by the byte 0xFE, the cells of a row by
// 0xFF (neither is UTF-8); each cell's bytes read as UTF-8.
#include "CsvFile.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

[[noreturn]] void fail(const char *what, const QString &detail)
{
    std::fprintf(stderr, "%s: %s\n", what, qPrintable(detail));
    std::abort();
}

// A strict RFC 4180 reader: fields separated by commas, records ended by
// CR LF; a quoted field holds anything, its quotes doubled; an unquoted one
// holds no quote, comma, CR or LF. Nothing as an error.
std::optional<QList<QByteArrayList>> readCsv(const QByteArray &csv)
{
    QList<QByteArrayList> rows;
    QByteArrayList row;
    qsizetype i = 0;
    const qsizetype n = csv.size();
    while (i < n) {
        QByteArray field;
        if (csv[i] == '"') {
            ++i;
            for (;;) {
                if (i >= n)
                    return std::nullopt;  // unclosed quote
                if (csv[i] == '"') {
                    if (i + 1 < n && csv[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += csv[i++];
            }
        } else {
            while (i < n && csv[i] != ',' && csv[i] != '\r' && csv[i] != '\n') {
                if (csv[i] == '"')
                    return std::nullopt;  // quote in an unquoted field
                field += csv[i++];
            }
        }
        row.append(field);
        if (i < n && csv[i] == ',') {
            ++i;
            if (i == n)
                return std::nullopt;  // a record must end with CR LF
            continue;
        }
        if (i + 1 < n && csv[i] == '\r' && csv[i + 1] == '\n') {
            i += 2;
            rows.append(row);
            row.clear();
            continue;
        }
        return std::nullopt;  // anything else after a field, or no line end
    }
    if (!row.isEmpty())
        return std::nullopt;
    return rows;
}

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

// "-22", "+3.5", "7,25": a number a spreadsheet takes as such.
bool plainNumber(const QString &value)
{
    qsizetype i = 0;
    if (i < value.size() && (value[i] == u'+' || value[i] == u'-'))
        ++i;
    auto digits = [&] {
        const qsizetype start = i;
        while (i < value.size() && value[i] >= u'0' && value[i] <= u'9')
            ++i;
        return i > start;
    };
    if (!digits())
        return false;
    if (i < value.size() && (value[i] == u'.' || value[i] == u',')) {
        ++i;
        if (!digits())
            return false;
    }
    return i == value.size();
}

// Whether a spreadsheet would take the value for a formula: its first
// character that is not a blank is one of = + - @, or it starts with a tab or
// CR; a plain number is none.
bool runs(const QString &value)
{
    if (value.isEmpty())
        return false;
    if (value.front() == u'\t' || value.front() == u'\r')
        return true;
    if (plainNumber(value))
        return false;
    for (const QChar c : value)
        if (!isBlank(c))
            return c == u'=' || c == u'+' || c == u'-' || c == u'@';
    return false;
}

void checkCell(const QString &value, const QByteArray &written, const QByteArray &read)
{
    const QString expected = runs(value) ? csvfile::FormulaMark + value : value;
    if (QString::fromUtf8(read) != expected || read != expected.toUtf8())
        fail("cell read back", value + QStringLiteral(" -> ") + QString::fromUtf8(read));
    if (!written.startsWith('"')) {
        // Unquoted: no reader that splits at semicolons or tabs, or trims
        // blanks, changes it.
        for (const char c : written)
            if (c == ';' || c == '\t' || c == '"' || c == '\r' || c == '\n' || c == ',')
                fail("unquoted cell holds a separator", value);
        if (!written.isEmpty() && (written.front() == ' ' || written.back() == ' '))
            fail("unquoted cell with a blank at an end", value);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    QList<QStringList> rows;
    for (const QByteArray &line : input.split('\xFE')) {
        QStringList row;
        for (const QByteArray &cell : line.split('\xFF'))
            row.append(QString::fromUtf8(cell));
        rows.append(row);
    }

    const QByteArray csv = csvfile::encode(rows);
    const QByteArray bom = "\xEF\xBB\xBF";
    if (!csv.startsWith(bom) || !csv.endsWith("\r\n"))
        fail("byte order mark or last line end", QString::fromUtf8(csv));
    const std::optional<QList<QByteArrayList>> read = readCsv(csv.mid(bom.size()));
    if (!read)
        fail("not valid CSV", QString::fromUtf8(csv));
    if (read->size() != rows.size())
        fail("rows read back", QString::number(read->size()));
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const QStringList &row = rows[r];
        const QByteArrayList &cells = (*read)[r];
        if (cells.size() != row.size())
            fail("cells in a row read back", QString::number(cells.size()));
        for (qsizetype c = 0; c < row.size(); ++c)
            checkCell(row[c], csvfile::cell(row[c]), cells[c]);
    }
    return 0;
}

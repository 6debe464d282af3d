#include "CsvFile.h"

#include "OutputFile.h"

#include <QRegularExpression>

namespace csvfile {
namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

bool runsAsFormula(const QString &value)
{
    if (value.isEmpty())
        return false;
    if (value.front() == u'\t' || value.front() == u'\r')
        return true;
    // \z, not $: $ also matches before a line break at the end.
    static const QRegularExpression number(QStringLiteral("^[+-]?[0-9]+([.,][0-9]+)?\\z"));
    if (number.match(value).hasMatch())
        return false;
    for (const QChar c : value) {
        if (isBlank(c))
            continue;
        return c == u'=' || c == u'+' || c == u'-' || c == u'@';
    }
    return false;
}

bool needsQuotes(const QString &value)
{
    for (const QChar c : value)
        if (c == u'"' || c == u',' || c == u';' || c == u'\t' || c == u'\r' || c == u'\n')
            return true;
    return !value.isEmpty() && (value.front() == u' ' || value.back() == u' ');
}

} // namespace

QByteArray cell(const QString &value)
{
    QString text = runsAsFormula(value) ? FormulaMark + value : value;
    if (needsQuotes(value)) {
        text.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        text = u'"' + text + u'"';
    }
    return text.toUtf8();
}

QByteArray encode(const QList<QStringList> &rows)
{
    QByteArray csv = "\xEF\xBB\xBF";
    for (const QStringList &row : rows) {
        QByteArrayList cells;
        for (const QString &value : row)
            cells.append(cell(value));
        csv += cells.join(',') + "\r\n";
    }
    return csv;
}

void write(const QString &path, const QList<QStringList> &rows) { outputfile::write(path, encode(rows)); }

} // namespace csvfile

#include "FileTable.h"

#include "AppError.h"

namespace {

QStringList blankRow() { return QStringList(FileTable::ColumnCount, QString()); }

} // namespace

FileTable::FileTable()
    : m_rows(MinimumRows, blankRow())
{
    m_rows[0] = {QStringLiteral("File number"), QStringLiteral("File name"), QStringLiteral("Testing date"),
                 QStringLiteral("Computer date"), QStringLiteral("Computer time")};
}

const QString &FileTable::cell(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= ColumnCount)
        errors::throwText(errors::GridIndex);
    return m_rows[row][column];
}

QString FileTable::fileName(int row) const
{
    return isListed(row) ? m_names[row - 1] : cell(row, Name);
}

int FileTable::rowOfFile(const QString &fileName) const
{
    const qsizetype i = m_names.indexOf(fileName);
    return i < 0 ? 0 : int(i + 1);
}

void FileTable::setRecords(QVector<QStringList> rows, QStringList names)
{
    if (names.isEmpty())
        for (const QStringList &row : std::as_const(rows))
            names.append(row[Name]);
    m_names = std::move(names);
    m_listed = int(rows.size());
    m_rows.resize(std::max<qsizetype>(MinimumRows, rows.size() + 2));
    for (int i = 0; i < m_listed; ++i)
        m_rows[i + 1] = std::move(rows[i]);
    for (qsizetype r = m_listed + 1; r < m_rows.size(); ++r)
        m_rows[r] = blankRow();
}

void FileTable::setRow(int row, QStringList cells)
{
    if (!isListed(row) || cells.size() != ColumnCount)
        errors::throwText(errors::GridIndex);
    m_rows[row] = std::move(cells);
}

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

int FileTable::rowOfFile(const QString &fileName) const
{
    for (int row = 1; row <= m_listed; ++row)
        if (m_rows[row][Name] == fileName)
            return row;
    return 0;
}

void FileTable::setRecords(QVector<QStringList> rows)
{
    m_listed = int(rows.size());
    m_rows.resize(std::max<qsizetype>(MinimumRows, rows.size() + 2));
    for (int i = 0; i < m_listed; ++i)
        m_rows[i + 1] = std::move(rows[i]);
    for (qsizetype r = m_listed + 1; r < m_rows.size(); ++r)
        m_rows[r] = blankRow();
}

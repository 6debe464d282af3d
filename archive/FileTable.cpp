#include "FileTable.h"

#include "AppError.h"
#include "ArchiveScan.h"

namespace {

QStringList blankRow() { return QStringList(FileTable::ColumnCount, QString()); }

} // namespace

FileTable::FileTable()
    : m_rows(MinimumRows, blankRow())
{
    m_rows[0] = {QStringLiteral("File number"), QStringLiteral("File name"), QStringLiteral("Testing date"),
                 QStringLiteral("Computer date"), QStringLiteral("Computer time")};
}

QString FileTable::cell(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= ColumnCount)
        errors::throwText(errors::GridIndex);
    if (column == Number && isListed(row))
        return QString::number(row);
    return m_rows[row][column];
}

QString FileTable::fileName(int row) const
{
    return isListed(row) ? m_names[row - 1] : cell(row, Name);
}

int FileTable::placeOf(const QString &fileName) const
{
    const auto at = std::lower_bound(m_names.cbegin(), m_names.cend(), fileName, archive::listedBefore);
    return int(at - m_names.cbegin()) + 1;
}

int FileTable::rowOfFile(const QString &fileName) const
{
    const int row = placeOf(fileName);
    return isListed(row) && m_names[row - 1] == fileName ? row : 0;
}

void FileTable::setRecords(QVector<QStringList> rows, QStringList names, QVector<FileIdentity> identities)
{
    if (names.isEmpty())
        for (const QStringList &row : std::as_const(rows))
            names.append(row[Name]);
    identities.resize(rows.size());
    m_names = std::move(names);
    m_identities = std::move(identities);
    m_listed = int(rows.size());
    m_rows.resize(wantedRows());
    for (int i = 0; i < m_listed; ++i)
        m_rows[i + 1] = std::move(rows[i]);
    for (qsizetype r = m_listed + 1; r < m_rows.size(); ++r)
        m_rows[r] = blankRow();
}

int FileTable::putRow(const QString &fileName, QStringList cells, const FileIdentity &identity)
{
    const int row = placeOf(fileName);
    if (isListed(row) && m_names[row - 1] == fileName) {
        m_rows[row] = std::move(cells);
        m_identities[row - 1] = identity;
        if (m_observer)
            m_observer->rowChanged(row);
        return row;
    }
    if (m_observer)
        m_observer->rowsAboutToBeInserted(row, row);
    m_rows.insert(row, std::move(cells));
    m_names.insert(row - 1, fileName);
    m_identities.insert(row - 1, identity);
    ++m_listed;
    if (m_observer)
        m_observer->rowsInserted();
    // Below a thousand rows the new row takes the place of a blank one.
    if (m_rows.size() > wantedRows()) {
        const int last = rowCount() - 1;
        if (m_observer)
            m_observer->rowsAboutToBeRemoved(last, last);
        m_rows.removeLast();
        if (m_observer)
            m_observer->rowsRemoved();
    }
    return row;
}

int FileTable::takeRow(const QString &fileName)
{
    const int row = rowOfFile(fileName);
    if (row == 0)
        return 0;
    if (m_observer)
        m_observer->rowsAboutToBeRemoved(row, row);
    m_rows.remove(row);
    m_names.remove(row - 1);
    m_identities.remove(row - 1);
    --m_listed;
    if (m_observer)
        m_observer->rowsRemoved();
    if (m_rows.size() < wantedRows()) {
        const int last = rowCount();
        if (m_observer)
            m_observer->rowsAboutToBeInserted(last, last);
        m_rows.append(blankRow());
        if (m_observer)
            m_observer->rowsInserted();
    }
    return row;
}

void FileTable::setDates(int row, const QStringList &cells, const FileIdentity &identity)
{
    if (!isListed(row))
        return;
    QStringList &target = m_rows[row];
    for (const int column : {TestingDate, ComputerDate, ComputerTime})
        target[column] = cells[column];
    m_identities[row - 1] = identity;
    if (m_observer)
        m_observer->rowChanged(row);
}

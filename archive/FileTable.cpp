#include "FileTable.h"

#include "AppError.h"
#include "ArchiveScan.h"

FileTable::FileTable()
    : m_rows(MinimumRows)
{
    m_header = {QStringLiteral("File number"), QStringLiteral("File name"), QStringLiteral("Testing date"),
                QStringLiteral("Computer date"), QStringLiteral("Computer time")};
}

FileTable::Row FileTable::compact(QStringList cells)
{
    Row row;
    row.name = std::move(cells[Name]);
    for (int i = 0; i < 3; ++i) {
        row.dates[i] = std::move(cells[TestingDate + i]);
        m_texts.share(row.dates[i]);
    }
    return row;
}

QString FileTable::cell(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= ColumnCount)
        errors::throwText(errors::GridIndex);
    if (row == 0)
        return m_header[column];
    if (column == Number)
        return isListed(row) ? QString::number(row) : QString();
    const Row &held = m_rows[row];
    return column == Name ? held.name : held.dates[column - TestingDate];
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
    for (int i = 0; i < m_listed; ++i) {
        m_rows[i + 1] = compact(std::move(rows[i]));
        rows[i] = QStringList();  // let go as it goes: the rows are not held twice
    }
    for (qsizetype r = m_listed + 1; r < m_rows.size(); ++r)
        m_rows[r] = Row();
}

int FileTable::putRow(const QString &fileName, QStringList cells, const FileIdentity &identity)
{
    const int row = placeOf(fileName);
    if (isListed(row) && m_names[row - 1] == fileName) {
        m_rows[row] = compact(std::move(cells));
        m_identities[row - 1] = identity;
        if (m_observer)
            m_observer->rowChanged(row);
        return row;
    }
    if (m_observer)
        m_observer->rowsAboutToBeInserted(row, row);
    m_rows.insert(row, compact(std::move(cells)));
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
        m_rows.append(Row());
        if (m_observer)
            m_observer->rowsInserted();
    }
    return row;
}

void FileTable::setDates(int row, const QStringList &cells, const FileIdentity &identity)
{
    if (!isListed(row))
        return;
    Row &target = m_rows[row];
    for (int i = 0; i < 3; ++i) {
        target.dates[i] = cells[TestingDate + i];
        m_texts.share(target.dates[i]);
    }
    m_identities[row - 1] = identity;
    if (m_observer)
        m_observer->rowChanged(row);
}

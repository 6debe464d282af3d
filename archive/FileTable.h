#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The file table's content, without widgets: row 0 is the header row, every
// further row holds one record file (five cells) or nothing.
class FileTable
{
public:
    enum Column { Number, Name, TestingDate, ComputerDate, ComputerTime, ColumnCount };
    static constexpr int MinimumRows = 1000;  // header + 999 rows, more when needed

    FileTable();

    int rowCount() const { return int(m_rows.size()); }
    // Raises "Grid index out of range" for a row outside the table.
    const QString &cell(int row, int column) const;
    // The carried name of a listed row's file (see FileNames.h), which may
    // differ from the Name cell that shows it; other rows: their Name cell.
    QString fileName(int row) const;
    bool isListed(int row) const { return row >= 1 && row <= m_listed; }
    int rowOfFile(const QString &fileName) const;  // by carried name; 0 when not listed

    // Sets the listed rows and their carried names (the Name cells when none
    // are given); every row after them is blank.
    void setRecords(QVector<QStringList> rows, QStringList names = {});
    int listedCount() const { return m_listed; }
    // Replaces the cells of one listed row, keeping its file.
    void setRow(int row, QStringList cells);

private:
    QVector<QStringList> m_rows;
    QStringList m_names;
    int m_listed = 0;
};

#pragma once

#include "FileIdentity.h"
#include "SharedTexts.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

// The file table's content, without widgets: row 0 is the header row, every
// further row holds one record file (five cells) or nothing. A listed row's
// number is its position; the table also keeps each listed file's identity,
// so that a file reported as changed is read again only when it did change.
class FileTable
{
public:
    using FileIdentity = archive::FileIdentity;
    enum Column { Number, Name, TestingDate, ComputerDate, ComputerTime, ColumnCount };
    static constexpr int MinimumRows = 1000;  // header + 999 rows, more when needed

    // Told about rows that come and go one at a time, so that a view keeps its
    // current row and selection on the same file. setRecords() tells nobody:
    // its caller refreshes the views.
    class Observer
    {
    public:
        virtual ~Observer() = default;
        virtual void rowsAboutToBeInserted(int first, int last) = 0;
        virtual void rowsInserted() = 0;
        virtual void rowsAboutToBeRemoved(int first, int last) = 0;
        virtual void rowsRemoved() = 0;
        virtual void rowChanged(int row) = 0;
    };

    FileTable();

    void setObserver(Observer *observer) { m_observer = observer; }

    int rowCount() const { return int(m_rows.size()); }
    // Raises "Grid index out of range" for a row outside the table.
    QString cell(int row, int column) const;
    // The carried name of a listed row's file (see FileNames.h), which may
    // differ from the Name cell that shows it; other rows: their Name cell.
    QString fileName(int row) const;
    bool isListed(int row) const { return row >= 1 && row <= m_listed; }
    int rowOfFile(const QString &fileName) const;  // by carried name; 0 when not listed
    FileIdentity identity(int row) const { return isListed(row) ? m_identities[row - 1] : FileIdentity{}; }
    const QStringList &names() const { return m_names; }
    const QVector<FileIdentity> &identities() const { return m_identities; }

    // Sets the listed rows, their carried names (the Name cells when none are
    // given) and identities; every row after them is blank.
    void setRecords(QVector<QStringList> rows, QStringList names = {}, QVector<FileIdentity> identities = {});
    int listedCount() const { return m_listed; }

    // One file at a time, in the listing's order: the row a file of that name
    // has or would take.
    int placeOf(const QString &fileName) const;
    // Lists a file, or replaces the row of a listed file of that name; the
    // number cell is left to the row's position. Returns the row.
    int putRow(const QString &fileName, QStringList cells, const FileIdentity &identity);
    // Takes a listed file out, moving the rows below it up; returns the row it
    // had, or 0.
    int takeRow(const QString &fileName);
    // The date cells of a listed row and its file's identity, read after
    // its name was listed: the three date cells of `cells` are taken.
    void setDates(int row, const QStringList &cells, const FileIdentity &identity);

private:
    int wantedRows() const { return std::max(MinimumRows, m_listed + 2); }

    // A row as held: the number cell follows from the row's position, and
    // equal date cells of many rows share one text.
    struct Row
    {
        QString name;
        QString dates[3];  // TestingDate, ComputerDate, ComputerTime
    };
    Row compact(QStringList cells);

    QStringList m_header;
    QVector<Row> m_rows;
    archive::SharedTexts m_texts;
    QStringList m_names;
    QVector<FileIdentity> m_identities;
    int m_listed = 0;
    Observer *m_observer = nullptr;
};

#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>

#include <functional>

// Read-only rows of texts for the archive views; a marked row is shown in
// red (an overdue SART), a dimmed one in grey (a record without a saved
// header), a row of a record with values outside the limits of the SART
// standard on the background those values have in the panel, with the
// values in its tooltip. Each row carries the file name of its record.
class RowsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    struct Row
    {
        QStringList cells;
        QString fileName;
        bool marked = false;
        bool dimmed = false;
        QString outsideLimits;  // tooltip naming the values outside the limits; empty: none
    };

    explicit RowsModel(QStringList headers, QObject *parent = nullptr);

    void setRows(QVector<Row> rows);
    const Row &row(int r) const { return m_rows[r]; }
    const QVector<Row> &rows() const { return m_rows; }
    const QStringList &headers() const { return m_headers; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The text colour of a marked or dimmed row, for every archive view.
    static QVariant foreground(bool marked, bool dimmed);

private:
    QStringList m_headers;
    QVector<Row> m_rows;
};

class QTableView;
class QWidget;

namespace archive {
class ArchiveIndex;
struct IndexEntry;
}

// Refills an archive view whenever the index or the limits in force change
// while it is shown; a hidden view is filled when it is shown.
void followArchive(QWidget *view, const archive::ArchiveIndex &index, const std::function<void()> &refill);

// The last cell of a record's row in every archive view: the names of its
// values outside the limits in force, which also mark the row.
// The values of a record outside the limits in force: their names for a
// cell, and a tooltip naming each with its limit (empty when none is outside).
struct LimitsCell
{
    QString names;
    QString tooltip;
};
LimitsCell limitsCell(const archive::IndexEntry &entry);
void addLimitsCell(RowsModel::Row &row, const archive::IndexEntry &entry);
inline const QString LimitsColumn = QStringLiteral(QT_TRANSLATE_NOOP("RowsModel", "Outside limits"));
// The last column's caption in the interface language.
QString limitsColumn();

// A table view of the rows: whole rows, one at a time, no editing.
QTableView *rowsView(QAbstractItemModel *model, const QString &objectName, QWidget *parent);

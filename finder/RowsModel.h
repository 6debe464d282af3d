#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>

// Read-only rows of texts for the archive views; a marked row is shown in
// red (an overdue SART), a dimmed one in grey (a record without a saved
// header). Each row carries the file name of its record.
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

// A table view of the rows: whole rows, one at a time, no editing.
QTableView *rowsView(QAbstractItemModel *model, const QString &objectName, QWidget *parent);

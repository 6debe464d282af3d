#pragma once

#include <QAbstractTableModel>
#include <QTableView>

class FileTable;

// Shows a FileTable: its row 0 is the header, table row r is model row r - 1.
class FileTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit FileTableModel(const FileTable &table, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void refresh();

private:
    const FileTable &m_table;
};

// The file table (StringGrid1): whole-row selection, no editing, and the
// mouse-release and key-release events the navigation needs, in table rows.
class FileGrid : public QTableView
{
    Q_OBJECT

public:
    explicit FileGrid(const FileTable &table, QWidget *parent = nullptr);

    void refresh();
    void selectTableRow(int row);   // 0 (the header) clears the highlight
    int selectedTableRow() const;   // -1 when no row is selected
    int tableRowAt(const QPoint &viewportPos) const;  // -1 outside every cell

    // Widths of the five columns. The "File name" column takes the width the
    // others leave, so setting its width has no effect.
    QList<int> columnWidths() const;
    void setColumnWidths(const QList<int> &widths);

signals:
    void mouseReleased(int tableRow, Qt::MouseButton button, const QPoint &globalPos);
    void keyReleased();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FileTableModel m_model;
};

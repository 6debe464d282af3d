#pragma once

#include <QAbstractTableModel>
#include <QSet>
#include <QTableView>

#include <optional>

#include "FileTable.h"

// Shows a FileTable: its row 0 is the header, table row r is model row r - 1.
// Rows that come, go or change one at a time are told to the view as such, so
// that it keeps its current row, selection and scroll position on their files.
class FileTableModel : public QAbstractTableModel, public FileTable::Observer
{
    Q_OBJECT

public:
    explicit FileTableModel(const FileTable &table, QObject *parent = nullptr);

    void rowsAboutToBeInserted(int first, int last) override;
    void rowsInserted() override;
    void rowsAboutToBeRemoved(int first, int last) override;
    void rowsRemoved() override;
    void rowChanged(int row) override;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void refresh();
    void refreshRow(int tableRow);

private:
    const FileTable &m_table;
};

// The file table (StringGrid1): whole-row selection, no editing, and the
// mouse-release and key-release events the navigation needs, in table rows.
// A key release counts only when its key was pressed in the table, so the
// key that closes a message box never chooses a row. The header row takes no
// clicks. The menu key (or Shift+F10) asks for the pop-up menu at the
// current row and chooses no row.
class FileGrid : public QTableView
{
    Q_OBJECT

public:
    explicit FileGrid(const FileTable &table, QWidget *parent = nullptr);

    void refresh();
    FileTable::Observer *tableObserver() { return &m_model; }
    void selectTableRow(int row);   // 0 (the header) clears the highlight
    int selectedTableRow() const;   // -1 when no row is selected
    int tableRowAt(const QPoint &viewportPos) const;  // -1 outside every cell
    // Puts the highlight back where it was before the mouse or key press
    // whose release is being handled; nothing outside such a release.
    void restorePressedSelection();

    // Widths of the five columns. The "File name" column takes the width the
    // others leave, so setting its width has no effect; a width narrower than
    // a column can be or wider than 2000 pixels is ignored.
    QList<int> columnWidths() const;
    void setColumnWidths(const QList<int> &widths);

signals:
    void mouseReleased(int tableRow, Qt::MouseButton button, const QPoint &globalPos);
    void keyReleased();
    void popupRequested(const QPoint &globalPos);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    FileTableModel m_model;
    QSet<int> m_pressedKeys;
    std::optional<int> m_rowBeforePress;
    bool m_releasing = false;  // a release is being handled
};

#include "FileGrid.h"

#include "FileTable.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

FileTableModel::FileTableModel(const FileTable &table, QObject *parent)
    : QAbstractTableModel(parent), m_table(table)
{
}

int FileTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_table.rowCount() - 1;
}

int FileTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : FileTable::ColumnCount;
}

QVariant FileTableModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return m_table.cell(index.row() + 1, index.column());
}

namespace {

// The file table's header row as the table holds it (in English, which the
// navigation meets when the header row is clicked), for the translations.
[[maybe_unused]] constexpr const char *HeaderTexts[] = {
    QT_TRANSLATE_NOOP("FileTableModel", "File number"),   QT_TRANSLATE_NOOP("FileTableModel", "File name"),
    QT_TRANSLATE_NOOP("FileTableModel", "Testing date"),  QT_TRANSLATE_NOOP("FileTableModel", "Computer date"),
    QT_TRANSLATE_NOOP("FileTableModel", "Computer time"),
};

} // namespace

QVariant FileTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    // Only what is shown is translated; the table's row 0 stays as it is.
    return tr(m_table.cell(0, section).toUtf8().constData());
}

void FileTableModel::refresh()
{
    beginResetModel();
    endResetModel();
}

void FileTableModel::rowsAboutToBeInserted(int first, int last) { beginInsertRows({}, first - 1, last - 1); }
void FileTableModel::rowsInserted() { endInsertRows(); }
void FileTableModel::rowsAboutToBeRemoved(int first, int last) { beginRemoveRows({}, first - 1, last - 1); }
void FileTableModel::rowsRemoved() { endRemoveRows(); }
void FileTableModel::rowChanged(int row)
{
    emit dataChanged(index(row - 1, 0), index(row - 1, FileTable::ColumnCount - 1));
}

FileGrid::FileGrid(const FileTable &table, QWidget *parent)
    : QTableView(parent), m_model(table)
{
    setObjectName(QStringLiteral("StringGrid1"));
    setModel(&m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Rows are chosen whole: Tab leaves the table instead of walking its cells.
    setTabKeyNavigation(false);
    setShowGrid(true);
    setWordWrap(false);
    setContextMenuPolicy(Qt::NoContextMenu);  // the pop-up follows the row choice
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(18);
    verticalHeader()->setDefaultSectionSize(18);
    horizontalHeader()->setDefaultSectionSize(154);
    // The table uses the window's width: the file name takes what the other
    // columns, which the user may resize, leave over.
    horizontalHeader()->setSectionResizeMode(FileTable::Name, QHeaderView::Stretch);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::white);
    setPalette(p);
}

void FileGrid::refresh() { m_model.refresh(); }

void FileGrid::selectTableRow(int row)
{
    if (row <= 0) {
        clearSelection();
        setCurrentIndex({});
        return;
    }
    const QModelIndex index = m_model.index(row - 1, 0);
    setCurrentIndex(index);
    selectRow(row - 1);
    scrollTo(index);
}

int FileGrid::selectedTableRow() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() ? index.row() + 1 : -1;
}

int FileGrid::tableRowAt(const QPoint &pos) const
{
    const int row = rowAt(pos.y());
    return row < 0 || columnAt(pos.x()) < 0 ? -1 : row + 1;
}

QList<int> FileGrid::columnWidths() const
{
    QList<int> widths;
    for (int column = 0; column < FileTable::ColumnCount; ++column)
        widths.append(columnWidth(column));
    return widths;
}

void FileGrid::setColumnWidths(const QList<int> &widths)
{
    constexpr int Widest = 2000;
    for (int column = 0; column < std::min<int>(widths.size(), FileTable::ColumnCount); ++column)
        if (column != FileTable::Name && widths[column] >= horizontalHeader()->minimumSectionSize()
            && widths[column] <= Widest)
            setColumnWidth(column, widths[column]);
}

void FileGrid::restorePressedSelection()
{
    if (m_rowBeforePress)
        selectTableRow(*m_rowBeforePress);
}

void FileGrid::mousePressEvent(QMouseEvent *event)
{
    m_rowBeforePress = selectedTableRow();
    QTableView::mousePressEvent(event);
}

void FileGrid::mouseReleaseEvent(QMouseEvent *event)
{
    QTableView::mouseReleaseEvent(event);
    m_releasing = true;
    emit mouseReleased(tableRowAt(event->position().toPoint()), event->button(),
                       event->globalPosition().toPoint());
    m_releasing = false;
    m_rowBeforePress.reset();
}

void FileGrid::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Menu
        || (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        // Under the current row, or at the top of the table when none is.
        const QRect row = visualRect(currentIndex());
        const QPoint at = row.isValid() ? QPoint(viewport()->width() / 4, row.bottom()) : QPoint(0, 0);
        emit popupRequested(viewport()->mapToGlobal(at));
        return;
    }
    if (m_pressedKeys.isEmpty())
        m_rowBeforePress = selectedTableRow();
    m_pressedKeys.insert(event->key());
    QTableView::keyPressEvent(event);
}

void FileGrid::keyReleaseEvent(QKeyEvent *event)
{
    QTableView::keyReleaseEvent(event);
    if (event->isAutoRepeat() || !m_pressedKeys.remove(event->key()))
        return;
    m_releasing = true;
    emit keyReleased();
    m_releasing = false;
    m_rowBeforePress.reset();
}

void FileGrid::focusOutEvent(QFocusEvent *event)
{
    // A release that comes back after the focus went elsewhere was not a
    // key stroke in the table. A question asked while a release is handled
    // takes the focus too: its answer may still need the highlight back.
    m_pressedKeys.clear();
    if (!m_releasing)
        m_rowBeforePress.reset();
    QTableView::focusOutEvent(event);
}

#include "FoundModel.h"

#include "FileNames.h"
#include "Marks.h"
#include "RowsModel.h"

#include <QBrush>

FoundModel::FoundModel(QObject *parent)
    : QAbstractTableModel(parent),
      m_headers{tr("File"), tr("Vessel"), tr("SART model"), tr("Manufacturer's number"), tr("Testing date"),
                tr("Next testing date"), limitsColumn()}
{
}

void FoundModel::setResults(QVector<archive::IndexEntry> entries, QVector<int> matches)
{
    beginResetModel();
    m_entries = std::move(entries);
    m_matches = std::move(matches);
    endResetModel();
}

int FoundModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_matches.size()); }

int FoundModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_headers.size()); }

QVariant FoundModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_matches.size())
        return {};
    const archive::IndexEntry &e = entry(index.row());
    const bool incomplete = !e.headerSaved || !e.problem.isEmpty();
    if (role == Qt::ForegroundRole)
        return RowsModel::foreground(false, incomplete);
    if (role == Qt::BackgroundRole || role == Qt::ToolTipRole || (role == Qt::DisplayRole && index.column() == 6)) {
        const LimitsCell cell = limitsCell(e);
        if (role == Qt::DisplayRole)
            return cell.names;
        if (cell.tooltip.isEmpty())
            return {};
        return role == Qt::ToolTipRole ? QVariant(cell.tooltip) : QVariant(QBrush(OutsideLimitBackground));
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case 0:
        return filenames::display(e.fileName);
    case 1:
        return !e.headerSaved       ? tr("(header not saved)")
               : !e.problem.isEmpty() ? tr("(header unreadable: %1)").arg(e.problem)
                                      : e.vessel;
    case 2:
        return e.sartModel;
    case 3:
        return e.manufacturerNo;
    case 4:
        return archive::dateText(e.testingDate);
    case 5:
        return archive::dateText(e.nextTestDate);
    default:
        return {};
    }
}

QVariant FoundModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < m_headers.size())
        return m_headers[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

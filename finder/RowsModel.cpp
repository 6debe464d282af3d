#include "RowsModel.h"

#include "ArchiveIndex.h"
#include "Marks.h"

#include <QBrush>
#include <QColor>
#include <QCoreApplication>
#include <QHeaderView>
#include <QTableView>
#include <QWidget>

RowsModel::RowsModel(QStringList headers, QObject *parent)
    : QAbstractTableModel(parent), m_headers(std::move(headers))
{
}

void RowsModel::setRows(QVector<Row> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

QVariant RowsModel::foreground(bool marked, bool dimmed)
{
    if (marked)
        return QBrush(QColor(176, 0, 0));
    return dimmed ? QVariant(QBrush(QColor(110, 110, 110))) : QVariant();
}

int RowsModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_rows.size()); }

int RowsModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_headers.size()); }

QVariant RowsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Row &row = m_rows[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        return index.column() < row.cells.size() ? row.cells[index.column()] : QString();
    case Qt::ForegroundRole:
        return foreground(row.marked, row.dimmed);
    case Qt::BackgroundRole:
        return row.outsideLimits.isEmpty() ? QVariant() : QVariant(QBrush(OutsideLimitBackground));
    case Qt::ToolTipRole:
        return row.outsideLimits.isEmpty() ? QVariant() : QVariant(row.outsideLimits);
    default:
        return {};
    }
}

QVariant RowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < m_headers.size())
        return m_headers[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

QString limitsColumn() { return QCoreApplication::translate("RowsModel", LimitsColumn.toUtf8().constData()); }

LimitsCell limitsCell(const archive::IndexEntry &entry)
{
    const QList<limits::Judgement> outside = entry.outsideLimits(limits::inForce());
    QStringList names, lines;
    for (const limits::Judgement &j : outside) {
        names.append(j.name);
        lines.append(j.shownText());
    }
    LimitsCell cell{names.join(QStringLiteral(", ")), {}};
    if (!outside.isEmpty())
        cell.tooltip = QCoreApplication::translate("RowsModel", "Outside the limits of the SART standard:\n%1")
                           .arg(lines.join(u'\n'));
    return cell;
}

void addLimitsCell(RowsModel::Row &row, const archive::IndexEntry &entry)
{
    LimitsCell cell = limitsCell(entry);
    row.cells.append(std::move(cell.names));
    row.outsideLimits = std::move(cell.tooltip);
}

void followArchive(QWidget *view, const archive::ArchiveIndex &index, const std::function<void()> &refill)
{
    auto refillShown = [view, refill] {
        if (view->isVisible())
            refill();
    };
    QObject::connect(&index, &archive::ArchiveIndex::changed, view, refillShown);
    QObject::connect(&limits::InForce::instance(), &limits::InForce::changed, view, refillShown);
}

QTableView *rowsView(QAbstractItemModel *model, const QString &objectName, QWidget *parent)
{
    auto *view = new QTableView(parent);
    view->setObjectName(objectName);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAlternatingRowColors(true);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(20);
    view->horizontalHeader()->setStretchLastSection(true);
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return view;
}

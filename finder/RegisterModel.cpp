#include "RegisterModel.h"

#include "Marks.h"

#include <QCoreApplication>

RegisterModel::RegisterModel(Reader reader, QObject *parent)
    : QAbstractTableModel(parent), m_reader(std::move(reader))
{}

void RegisterModel::setNumbers(QStringList numbers)
{
    beginResetModel();
    m_numbers = std::move(numbers);
    m_pages.clear();
    endResetModel();
}

void RegisterModel::setChecks(QHash<QString, certregister::RecordCheck> checks)
{
    m_checks = std::move(checks);
    if (!m_numbers.isEmpty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

const QVector<certregister::Entry> &RegisterModel::page(int row) const
{
    const int first = row / PageRows;
    auto it = m_pages.find(first);
    if (it == m_pages.end()) {
        // Only the pages the view shows stay read.
        if (m_pages.size() > 50)
            m_pages.clear();
        it = m_pages.insert(first, m_reader(m_numbers.mid(first * PageRows, PageRows)));
    }
    return *it;
}

certregister::Entry RegisterModel::entry(int row) const
{
    const QVector<certregister::Entry> &entries = page(row);
    const int at = row % PageRows;
    // An entry not read (the register gone meanwhile) shows its number alone.
    if (at < entries.size() && entries[at].number == m_numbers[row])
        return entries[at];
    certregister::Entry e;
    e.number = m_numbers[row];
    return e;
}

int RegisterModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_numbers.size());
}

int RegisterModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(certregister::columnCaptions().size());
}

QVariant RegisterModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const auto check = m_checks.constFind(m_numbers[index.row()]);
    const bool marked = check != m_checks.constEnd();
    switch (role) {
    case Qt::DisplayRole:
        return certregister::shownCells(entry(index.row())).value(index.column());
    case Qt::ForegroundRole:
        if (certregister::notCompleted(entry(index.row())) > 0)
            return NotCompletedText;
        return {};
    case Qt::BackgroundRole:
        if (marked)
            return *check == certregister::RecordCheck::Missing ? RecordMissingBackground : RecordChangedBackground;
        return {};
    case Qt::ToolTipRole: {
        QStringList tips;
        if (marked)
            tips << certregister::checkText(*check, entry(index.row()));
        if (const int n = certregister::notCompleted(entry(index.row())); n > 0)
            tips << tr("%n of its outputs not completed: it may not have gone out.", nullptr, n);
        return tips.isEmpty() ? QVariant() : QVariant(tips.join(u'\n'));
    }
    default:
        return {};
    }
}

QVariant RegisterModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return QCoreApplication::translate("RegisterColumns",
                                           certregister::columnCaptions().value(section).toUtf8().constData());
    return {};
}

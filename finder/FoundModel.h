#pragma once

#include "ArchiveIndex.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>

// Find's results: the matching entries of the index as it was searched, made
// into cells only when a row is drawn, so that showing 100,000 matches costs
// no more than showing ten. A record never saved, or with a header that cannot
// be read, says so where the vessel would be, in grey.
class FoundModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit FoundModel(QObject *parent = nullptr);

    void setResults(QVector<archive::IndexEntry> entries, QVector<int> matches);
    const archive::IndexEntry &entry(int row) const { return m_entries[m_matches[row]]; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_headers;
    QVector<archive::IndexEntry> m_entries;
    QVector<int> m_matches;
};

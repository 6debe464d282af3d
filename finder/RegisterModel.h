#pragma once

#include "CertificateEntry.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>

#include <functional>

// The register's entries that a search found, newest first: the model holds
// only their numbers and reads the entries a page at a time as the view
// shows them, so 100,000 entries open at once. Entries whose record Verify
// found changed or missing are marked, with the reason in their tooltip.
class RegisterModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // Reads the entries of the numbers given, in that order.
    using Reader = std::function<QVector<certregister::Entry>(const QStringList &numbers)>;

    explicit RegisterModel(Reader reader, QObject *parent = nullptr);

    void setNumbers(QStringList numbers);
    const QStringList &numbers() const { return m_numbers; }
    void setChecks(QHash<QString, certregister::RecordCheck> checks);
    const QHash<QString, certregister::RecordCheck> &checks() const { return m_checks; }
    // The entry of a row (read when not read yet).
    certregister::Entry entry(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    static constexpr int PageRows = 100;

private:
    const QVector<certregister::Entry> &page(int row) const;

    Reader m_reader;
    QStringList m_numbers;
    QHash<QString, certregister::RecordCheck> m_checks;
    mutable QHash<int, QVector<certregister::Entry>> m_pages;
};

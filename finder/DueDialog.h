#pragma once

#include <QDate>
#include <QDialog>

class QLabel;
class QPainter;
class QPrinter;
class QSpinBox;
class QTableView;
class RowsModel;

namespace archive {
class ArchiveIndex;
}

// Due for test: the SARTs whose next testing date falls within the chosen
// number of days or has passed, latest record of each, soonest first, the
// overdue ones in red. Printable through a preview and exportable as CSV.
class DueDialog : public QDialog
{
    Q_OBJECT

public:
    DueDialog(const archive::ArchiveIndex &index, QWidget *parent = nullptr);

    void showList();
    QSpinBox *daysField() const { return m_days; }
    QTableView *list() const { return m_view; }
    const RowsModel &rows() const { return *m_model; }

    // Paints the list onto printer pages: title, the date it was made, the
    // table, page numbers.
    void paintList(QPrinter &printer) const;
    // Writes the list as CSV; raises AppError when the file cannot be written.
    void exportCsv(const QString &path) const;

signals:
    void recordChosen(const QString &fileName);

private:
    void refill();
    void print();
    void exportWithDialog();

    const archive::ArchiveIndex &m_index;
    QSpinBox *m_days = nullptr;
    QTableView *m_view = nullptr;
    RowsModel *m_model = nullptr;
    QLabel *m_status = nullptr;
    QDate m_today;
};

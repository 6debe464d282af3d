#pragma once

#include <QDialog>

class HistoryPlot;
class QLabel;
class QTableView;
class RowsModel;

namespace archive {
class ArchiveIndex;
}

// The history of one SART: every record with its manufacturer's number,
// oldest first, with the measured values side by side and a plot of power and
// frequency range over the years.
class HistoryDialog : public QDialog
{
    Q_OBJECT

public:
    HistoryDialog(const archive::ArchiveIndex &index, QWidget *parent = nullptr);

    void showFor(const QString &manufacturerNo);
    QTableView *list() const { return m_view; }
    const RowsModel &rows() const { return *m_model; }
    HistoryPlot *plot() const { return m_plot; }

signals:
    void recordChosen(const QString &fileName);

private:
    void refill();

    const archive::ArchiveIndex &m_index;
    QString m_number;
    QLabel *m_title = nullptr;
    QTableView *m_view = nullptr;
    RowsModel *m_model = nullptr;
    HistoryPlot *m_plot = nullptr;
};

#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QTableView;
class RowsModel;

namespace archive {
class ArchiveIndex;
}

// Find: a search field over the archive index and the records that match,
// narrowed as the engineer types. Enter or a double click on a result asks
// the main window to show that record.
class FindDialog : public QDialog
{
    Q_OBJECT

public:
    FindDialog(const archive::ArchiveIndex &index, QWidget *parent = nullptr);

    // Brings the window up with the search text selected for typing over.
    void showForSearch();
    QLineEdit *searchField() const { return m_edit; }
    QTableView *results() const { return m_view; }

signals:
    void recordChosen(const QString &fileName);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refill();
    void chooseCurrent();

    const archive::ArchiveIndex &m_index;
    QLineEdit *m_edit = nullptr;
    QTableView *m_view = nullptr;
    RowsModel *m_model = nullptr;
    QLabel *m_status = nullptr;
};

#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QTableView;
class FoundModel;

namespace archive {
class ArchiveIndex;
}

// Find: a search field over the archive index and the records that match,
// narrowed as the engineer types. The search runs off the window's thread, so
// a keystroke never waits for it; the results of the newest text replace the
// list when they come. Enter or a double click on a result asks the main
// window to show that record.
class FindDialog : public QDialog
{
    Q_OBJECT

public:
    FindDialog(archive::ArchiveIndex &index, QWidget *parent = nullptr);

    // Brings the window up with the search text selected for typing over.
    void showForSearch();
    QLineEdit *searchField() const { return m_edit; }
    QTableView *results() const { return m_view; }
    // Whether the list shows the results of `text` (they may lag behind the
    // typing).
    bool showsResultsFor(const QString &text) const { return m_hasResults && m_resultsFor == text; }

signals:
    void recordChosen(const QString &fileName);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refill();
    void showStatus();
    void chooseCurrent();

    archive::ArchiveIndex &m_index;
    QLineEdit *m_edit = nullptr;
    QTableView *m_view = nullptr;
    FoundModel *m_model = nullptr;
    QLabel *m_status = nullptr;
    QString m_resultsFor;
    bool m_hasResults = false;
};

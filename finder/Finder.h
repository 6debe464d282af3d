#pragma once

#include "ArchiveIndex.h"

#include <QObject>

class DueDialog;
class FindDialog;
class HistoryDialog;
class QWidget;

// The archive views and the index they share, as the main window uses them:
// it hands over the listing after every scan and shows the record chosen in
// any of the views through its usual row choice.
class Finder : public QObject
{
    Q_OBJECT

public:
    explicit Finder(QWidget *window);

    void archiveChanged(QVector<archive::IndexSource> sources);
    // Records listed anew or changed, and records no longer listed.
    void filesUpdated(QVector<archive::IndexSource> changed, QStringList removed);
    const archive::ArchiveIndex &index() const { return *m_index; }

    void showFind();
    void showDue();
    // The history of the SART of the record at `shownPath`. Raises AppError
    // when no record is shown or the record has no manufacturer's number.
    void showHistory(const QString &shownPath);

    // Each window is made when it is first wanted, not at start-up.
    FindDialog *findDialog();
    DueDialog *dueDialog();
    HistoryDialog *historyDialog();

signals:
    void recordChosen(const QString &fileName);

private:
    QWidget *m_window;
    archive::ArchiveIndex *m_index;
    FindDialog *m_find = nullptr;
    DueDialog *m_due = nullptr;
    HistoryDialog *m_history = nullptr;
};

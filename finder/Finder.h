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
    const archive::ArchiveIndex &index() const { return *m_index; }

    void showFind();
    void showDue();
    // The history of the SART of the record at `shownPath`. Raises AppError
    // when no record is shown or the record has no manufacturer's number.
    void showHistory(const QString &shownPath);

    FindDialog *findDialog() const { return m_find; }
    DueDialog *dueDialog() const { return m_due; }
    HistoryDialog *historyDialog() const { return m_history; }

signals:
    void recordChosen(const QString &fileName);

private:
    archive::ArchiveIndex *m_index;
    FindDialog *m_find;
    DueDialog *m_due;
    HistoryDialog *m_history;
};

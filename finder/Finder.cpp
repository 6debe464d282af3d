#include "Finder.h"

#include "AppError.h"
#include "DueDialog.h"
#include "FindDialog.h"
#include "HistoryDialog.h"

#include <QFileInfo>
#include <QWidget>

Finder::Finder(QWidget *window)
    : QObject(window), m_window(window), m_index(new archive::ArchiveIndex(this))
{
    setObjectName(QStringLiteral("Finder1"));
}

FindDialog *Finder::findDialog()
{
    if (!m_find) {
        m_find = new FindDialog(*m_index, m_window);
        connect(m_find, &FindDialog::recordChosen, this, &Finder::recordChosen);
    }
    return m_find;
}

DueDialog *Finder::dueDialog()
{
    if (!m_due) {
        m_due = new DueDialog(*m_index, m_window);
        connect(m_due, &DueDialog::recordChosen, this, &Finder::recordChosen);
    }
    return m_due;
}

HistoryDialog *Finder::historyDialog()
{
    if (!m_history) {
        m_history = new HistoryDialog(*m_index, m_window);
        connect(m_history, &HistoryDialog::recordChosen, this, &Finder::recordChosen);
    }
    return m_history;
}

void Finder::archiveChanged(QVector<archive::IndexSource> sources) { m_index->rebuild(std::move(sources)); }

void Finder::filesUpdated(QVector<archive::IndexSource> changed, QStringList removed)
{
    m_index->update(std::move(changed), std::move(removed));
}

void Finder::showFind() { findDialog()->showForSearch(); }

void Finder::showDue() { dueDialog()->showList(); }

void Finder::showHistory(const QString &shownPath)
{
    if (shownPath.isEmpty())
        errors::throwText(tr("No record is shown: choose a record first, then its history."));
    const archive::IndexEntry *entry = m_index->entryFor(shownPath);
    const QString name = QFileInfo(shownPath).fileName();
    if (!entry) {
        if (m_index->isBuilding())
            errors::throwText(tr("The archive is still being read. Try again in a moment."));
        errors::throwText(tr("The record %1 is not in the archive index.").arg(name));
    }
    if (!entry->headerSaved || entry->manufacturerNo.isEmpty())
        errors::throwText(tr("The record %1 has no saved manufacturer's number: "
                                         "save its header first.")
                              .arg(name));
    historyDialog()->showFor(entry->manufacturerNo);
}

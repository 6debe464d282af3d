#include "Finder.h"

#include "AppError.h"
#include "DueDialog.h"
#include "FindDialog.h"
#include "HistoryDialog.h"

#include <QFileInfo>
#include <QWidget>

Finder::Finder(QWidget *window)
    : QObject(window),
      m_index(new archive::ArchiveIndex(this)),
      m_find(new FindDialog(*m_index, window)),
      m_due(new DueDialog(*m_index, window)),
      m_history(new HistoryDialog(*m_index, window))
{
    setObjectName(QStringLiteral("Finder1"));
    connect(m_find, &FindDialog::recordChosen, this, &Finder::recordChosen);
    connect(m_due, &DueDialog::recordChosen, this, &Finder::recordChosen);
    connect(m_history, &HistoryDialog::recordChosen, this, &Finder::recordChosen);
}

void Finder::archiveChanged(QVector<archive::IndexSource> sources) { m_index->rebuild(std::move(sources)); }

void Finder::showFind() { m_find->showForSearch(); }

void Finder::showDue() { m_due->showList(); }

void Finder::showHistory(const QString &shownPath)
{
    if (shownPath.isEmpty())
        errors::throwText(QStringLiteral("No record is shown: choose a record first, then its history."));
    const archive::IndexEntry *entry = m_index->entryFor(shownPath);
    const QString name = QFileInfo(shownPath).fileName();
    if (!entry) {
        if (m_index->isBuilding())
            errors::throwText(QStringLiteral("The archive is still being read. Try again in a moment."));
        errors::throwText(QStringLiteral("The record %1 is not in the archive index.").arg(name));
    }
    if (!entry->headerSaved || entry->manufacturerNo.isEmpty())
        errors::throwText(QStringLiteral("The record %1 has no saved manufacturer's number: "
                                         "save its header first.")
                              .arg(name));
    m_history->showFor(entry->manufacturerNo);
}

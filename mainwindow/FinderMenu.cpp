// The Archive menu of the main window: Find, Due for test and the history of
// the shown SART, and the archive index that follows every scan.
#include "Unit1.h"

#include "AppError.h"
#include "ErrorBox.h"
#include "FileGrid.h"
#include "Finder.h"

#include <QMenu>
#include <QMenuBar>

namespace {

// A record chosen in an archive view is shown as a click on its row shows it
// (asking first about typed changes of the record shown).
void showChosenRecord(TForm1 &form, const QString &fileName)
{
    const int row = form.navigation().table().rowOfFile(fileName);
    if (row == 0)
        errors::throwText(QStringLiteral("The record %1 is no longer listed in the archive.").arg(fileName));
    form.activateWindow();
    form.grid()->setFocus();
    form.chooseRow(row);
}

} // namespace

void TForm1::buildFinder()
{
    Finder1 = new Finder(this);
    connect(Finder1, &Finder::recordChosen, this,
            [this](const QString &fileName) { guarded(this, [&] { showChosenRecord(*this, fileName); }); });

    auto *menu = new QMenu(QStringLiteral("&Archive"), this);
    menu->setObjectName(QStringLiteral("Archive1"));
    // Placed before Help; the menus already there keep their captions.
    const QMenu *help = menuBar()->findChild<QMenu *>(QStringLiteral("Help1"));
    menuBar()->insertMenu(help ? help->menuAction() : nullptr, menu);
    auto item = [&](const QString &name, const QString &caption, auto handler, const QKeySequence &shortcut = {}) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(name);
        action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this, [this, handler] { guarded(this, handler); });
    };
    item(QStringLiteral("Find1"), QStringLiteral("&Find..."), [this] { Finder1->showFind(); },
         QKeySequence(Qt::CTRL | Qt::Key_F));
    item(QStringLiteral("Duefortest1"), QStringLiteral("&Due for test..."), [this] { Finder1->showDue(); });
    item(QStringLiteral("History1"), QStringLiteral("&History of this SART..."),
         [this] { Finder1->showHistory(m_navigation->shownPath()); });
}

void TForm1::indexArchive()
{
    const FileTable &table = m_navigation->table();
    QVector<archive::IndexSource> sources;
    sources.reserve(table.listedCount());
    for (int row = 1; row <= table.listedCount(); ++row)
        sources.append({table.fileName(row), m_navigation->rowPath(row), table.identity(row)});
    Finder1->archiveChanged(std::move(sources));
}

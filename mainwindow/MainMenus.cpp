// The main window's menus, pop-up menu and tool bar: each command's caption,
// object name and shortcut, and the handler it runs (guarded).
#include "Unit1.h"

#include "ErrorBox.h"
#include "FileGrid.h"
#include "Finder.h"
#include "Glyphs.h"
#include "LanguageMenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <functional>

namespace {

QAction *command(QWidget *window, QMenu *menu, const QString &name, const QString &caption,
                 const std::function<void()> &handler, const QKeySequence &shortcut = {})
{
    auto *action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    QObject::connect(action, &QAction::triggered, window, [window, handler] { guarded(window, handler); });
    return action;
}

QMenu *addMenu(QMenuBar *bar, const QString &name, const QString &caption)
{
    QMenu *menu = bar->addMenu(caption);
    menu->setObjectName(name);
    return menu;
}

} // namespace

void TForm1::buildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu *file = addMenu(bar, QStringLiteral("File1"), tr("&File"));
    command(this, file, QStringLiteral("Savechanges1"), tr("S&ave changes"), [this] { ToolButton11Click(); })
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_A), QKeySequence(Qt::CTRL | Qt::Key_S)});
    command(this, file, QStringLiteral("Open1"), tr("&Open"), [this] { ToolButton10Click(); },
            QKeySequence(Qt::CTRL | Qt::Key_O));
    file->addSeparator();
    command(this, file, QStringLiteral("Print1"), tr("Pa&ge Setup..."), [this] { Print1Click(); });
    command(this, file, QStringLiteral("Print2"), tr("Pr&int "), [this] { ToolButton13Click(); },
            QKeySequence(Qt::CTRL | Qt::Key_P));
    file->addSeparator();
    command(this, file, QStringLiteral("Exit1"), tr("&Exit"), [this] { ToolButton4Click(); },
            QKeySequence(Qt::CTRL | Qt::Key_X));

    QMenu *import = addMenu(bar, QStringLiteral("Dataimport1"), tr("Data import"));
    command(this, import, QStringLiteral("N4"), tr("Receiving"), [this] { N4Click(); });

    QMenu *exportMenu = addMenu(bar, QStringLiteral("Dataexport1"), tr("Data export"));
    command(this, exportMenu, QStringLiteral("Word1"), tr("Word"), [this] { Word1Click(); },
            QKeySequence(Qt::CTRL | Qt::Key_W));
    command(this, exportMenu, QStringLiteral("Pdf1"), tr("PDF..."), [this] { Pdf1Click(); });

    QMenu *archive = addMenu(bar, QStringLiteral("Archive1"), tr("&Archive"));
    command(this, archive, QStringLiteral("Find1"), tr("&Find..."), [this] { Finder1->showFind(); },
            QKeySequence(Qt::CTRL | Qt::Key_F));
    command(this, archive, QStringLiteral("Duefortest1"), tr("&Due for test..."),
            [this] { Finder1->showDue(); });
    command(this, archive, QStringLiteral("History1"), tr("&History of this SART..."),
            [this] { Finder1->showHistory(m_navigation->shownPath()); });
    archive->addSeparator();
    command(this, archive, QStringLiteral("Certificates1"), tr("&Certificates issued..."),
            [this] { Certificates1Click(); });

    QMenu *settings = addMenu(bar, QStringLiteral("Settings1"), tr("&Settings"));
    command(this, settings, QStringLiteral("Limits1"), tr("SART &limits..."), [this] { Limits1Click(); });
    command(this, settings, QStringLiteral("Register1"), tr("Certificate &register..."),
            [this] { Register1Click(); });
    languagemenu::add(settings, this);

    QMenu *help = addMenu(bar, QStringLiteral("Help1"), tr("Help"));
    command(this, help, QStringLiteral("UserGuide1"), tr("User guide"), [this] { UserGuide1Click(); },
            QKeySequence(Qt::Key_F1));
    command(this, help, QStringLiteral("Abaut1"), tr("Help"), [this] { Abaut1Click(); });
    help->addSeparator();
    command(this, help, QStringLiteral("About2"), tr("About"), [this] { About2Click(); });

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    // The Delete key deletes too, while the table has the focus.
    QAction *del = command(this, PopupMenu1, QStringLiteral("N131"), tr("Delete"), [this] { N131Click(); },
                           QKeySequence(Qt::Key_Delete));
    del->setShortcutContext(Qt::WidgetShortcut);
    StringGrid1->addAction(del);
    command(this, PopupMenu1, QStringLiteral("N4531"), tr("Go to"), [this] { N4531Click(); });

    // F5 rescans the archive, as the rescan timer does.
    auto *rescan = new QAction(this);
    rescan->setObjectName(QStringLiteral("Rescan1"));
    rescan->setShortcut(QKeySequence(Qt::Key_F5));
    connect(rescan, &QAction::triggered, this, [this] { guarded(this, [this] { Timer1Timer(); }); });
    addAction(rescan);
}

void TForm1::buildToolBar()
{
    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ToolBar1->toggleViewAction()->setVisible(false);

    auto button = [this](const QString &name, const QIcon &icon, const QString &hint, void (TForm1::*handler)()) {
        QAction *action = ToolBar1->addAction(icon, hint);
        action->setToolTip(hint);
        connect(action, &QAction::triggered, this, [this, handler] { guarded(this, [&] { (this->*handler)(); }); });
        QWidget *w = ToolBar1->widgetForAction(action);
        w->setObjectName(name);
        w->setMinimumSize(32, 25);
    };
    button(QStringLiteral("ToolButton10"), glyphs::open(), tr("Open"), &TForm1::ToolButton10Click);
    button(QStringLiteral("ToolButton11"), glyphs::save(), tr("Save changes"), &TForm1::ToolButton11Click);
    button(QStringLiteral("ToolButton13"), glyphs::print(), tr("Print"), &TForm1::ToolButton13Click);
    button(QStringLiteral("ToolButton16"), glyphs::help(), tr("Help"), &TForm1::ToolButton16Click);
    auto *separator = new QWidget(ToolBar1);
    separator->setObjectName(QStringLiteral("ToolButton17"));
    separator->setFixedWidth(12);
    ToolBar1->addWidget(separator);
    button(QStringLiteral("ToolButton18"), glyphs::exit(), tr("Exit"), &TForm1::ToolButton4Click);
}

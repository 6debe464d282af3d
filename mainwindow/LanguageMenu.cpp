#include "LanguageMenu.h"

#include "ErrorBox.h"
#include "Language.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QMessageBox>

namespace {

struct Item
{
    language::Choice choice;
    const char *name;
    QString caption;
};

// The interface changes only at the next start: the box says so in the
// language chosen and in the one shown now (both, so whoever reads it reads
// it in a language they chose), English first.
void sayAppliesAtNextStart(QWidget *parent)
{
    QMessageBox box(QMessageBox::Information, programTitle(),
                    QStringLiteral("The new language applies when the program is started again.\n"
                                   "Новый язык будет применён при следующем запуске программы."),
                    QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("LanguageChanged"));
    box.exec();
}

} // namespace

namespace languagemenu {

void add(QMenu *settings, QWidget *parent)
{
    QMenu *menu = settings->addMenu(QCoreApplication::translate("LanguageMenu", "Lan&guage"));
    menu->setObjectName(QStringLiteral("Language1"));
    const QString system = language::effective(language::Choice::System) == QLatin1String("ru")
                               ? QCoreApplication::translate("LanguageMenu", "Russian")
                               : QCoreApplication::translate("LanguageMenu", "English");
    // English and Russian are named in their own language, whatever the
    // interface's, so that one who cannot read the other finds their own.
    const Item items[] = {
        {language::Choice::System, "LanguageSystem1",
         QCoreApplication::translate("LanguageMenu", "System (%1)", "the system's language").arg(system)},
        {language::Choice::English, "LanguageEnglish1", QStringLiteral("English")},
        {language::Choice::Russian, "LanguageRussian1", QStringLiteral("Русский")},
    };
    auto *group = new QActionGroup(menu);
    group->setExclusive(true);
    const language::Choice chosen = language::chosen();
    for (const Item &item : items) {
        QAction *action = menu->addAction(item.caption);
        action->setObjectName(QLatin1String(item.name));
        action->setCheckable(true);
        action->setChecked(item.choice == chosen);
        group->addAction(action);
        const language::Choice choice = item.choice;
        QObject::connect(action, &QAction::triggered, parent, [parent, choice] {
            guarded(parent, [&] {
                if (choice == language::chosen())
                    return;
                language::choose(choice);
                if (language::effective(choice) != language::shown())
                    sayAppliesAtNextStart(parent);
            });
        });
    }
}

} // namespace languagemenu

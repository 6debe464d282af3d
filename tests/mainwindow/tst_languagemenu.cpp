// Settings > Language through the real main window: the system's language,
// English and Русский, one of them checked; a choice is kept in the settings
// and, when it changes the language shown, a message in both languages says
// it applies at the next start.
#include "Language.h"
#include "Unit1.h"
#include "WindowFixture.h"

#include <QAction>
#include <QMenu>
#include <QTest>

using namespace windowtest;

namespace {

const char *const Items[] = {"LanguageSystem1", "LanguageEnglish1", "LanguageRussian1"};

QStringList checkedItems(TForm1 &form)
{
    QStringList checked;
    for (const char *name : Items)
        if (action(form, name)->isChecked())
            checked << QLatin1String(name);
    return checked;
}

} // namespace

class TestLanguageMenu : public WindowTestCase
{
    Q_OBJECT

private slots:
    void itemsInSettings();
    void choice_data();
    void choice();
};

// Under Settings, after the register; each language named in its own words,
// the system's language (English here) in brackets.
void TestLanguageMenu::itemsInSettings()
{
    StartDirectory dir;
    language::choose(language::Choice::System);
    auto form = startWindow();
    auto *settings = child<QMenu>(form.get(), "Settings1");
    auto *menu = child<QMenu>(form.get(), "Language1");
    QVERIFY(settings->actions().contains(menu->menuAction()));
    QCOMPARE(menu->title(), QStringLiteral("Lan&guage"));
    QStringList captions;
    for (const QAction *a : menu->actions())
        captions << a->text();
    QCOMPARE(captions, (QStringList{"System (English)", "English", QStringLiteral("Русский")}));
    QCOMPARE(checkedItems(*form), QStringList{"LanguageSystem1"});
}

void TestLanguageMenu::choice_data()
{
    QTest::addColumn<int>("before");  // language::Choice kept before the start
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("after");
    QTest::addColumn<bool>("told");  // the message about the next start
    using C = language::Choice;
    QTest::newRow("system to Russian") << int(C::System) << "LanguageRussian1" << int(C::Russian) << true;
    QTest::newRow("system to English: the same language") << int(C::System) << "LanguageEnglish1"
                                                           << int(C::English) << false;
    QTest::newRow("English to system: the same language") << int(C::English) << "LanguageSystem1"
                                                           << int(C::System) << false;
    QTest::newRow("Russian kept to system") << int(C::Russian) << "LanguageSystem1" << int(C::System) << false;
    QTest::newRow("Russian chosen again") << int(C::Russian) << "LanguageRussian1" << int(C::Russian) << false;
}

// The item kept is checked at the start; a choice is kept at once, only one
// item is checked, and the message comes only when the language shown at
// the next start differs from the one shown now (English here: the test
// window installs no translation).
void TestLanguageMenu::choice()
{
    QFETCH(int, before);
    QFETCH(QString, item);
    QFETCH(int, after);
    QFETCH(bool, told);
    StartDirectory dir;
    language::choose(language::Choice(before));
    auto form = startWindow();
    QCOMPARE(checkedItems(*form), QStringList{QLatin1String(Items[before])});

    action(*form, item)->trigger();
    QCOMPARE(int(language::chosen()), after);
    QCOMPARE(checkedItems(*form), QStringList{item});
    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), told ? 1 : 0);
    if (told) {
        QCOMPARE(seen[0].objectName, QStringLiteral("LanguageChanged"));
        QCOMPARE(seen[0].icon, QMessageBox::Information);
        QVERIFY(seen[0].text.contains(QLatin1String("when the program is started again")));
        QVERIFY(seen[0].text.contains(QStringLiteral("при следующем запуске")));
    }
    language::choose(language::Choice::System);
}

QTEST_MAIN(TestLanguageMenu)
#include "tst_languagemenu.moc"

// The user guide through the real main window: F1 and the Help menu open it,
// it names every menu item the program has, its find field finds words and
// says when there are none, its contents list leads to each section, and it
// prints into a file like every other document. Run with LANGUAGE=ru, the
// window's menus are Russian and F1 shows the Russian guide, which names them.
#include "GuideWindow.h"
#include "Language.h"
#include "PdfText.h"
#include "ReportPrinter.h"
#include "Unit1.h"
#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

using namespace windowtest;

namespace {

// A caption as the guide writes it: without the mnemonic's "&" and blanks.
QString caption(const QAction *action) { return action->text().remove(u'&').trimmed(); }

// Every item of a menu and of the menus under it, with the menu's own title.
void collect(const QMenu *menu, QStringList &captions)
{
    captions.append(caption(menu->menuAction()));
    for (const QAction *a : menu->actions()) {
        if (a->isSeparator())
            continue;
        if (a->menu())
            collect(a->menu(), captions);
        else
            captions.append(caption(a));
    }
}

bool russian() { return language::shown() == QLatin1String("ru"); }

// A text as the guide of the interface's language writes it.
QString shownAs(const char *english, const char *russianText)
{
    return russian() ? QString::fromUtf8(russianText) : QString::fromUtf8(english);
}

GuideWindow *guideOf(TForm1 &form) { return form.findChild<GuideWindow *>(QStringLiteral("GuideWindow")); }

void typeInto(QWidget *target, QKeyCombination key)
{
    QTest::keyClick(target, key.key(), key.keyboardModifiers());
}

} // namespace

class TestGuide : public WindowTestCase
{
    Q_OBJECT

private slots:
    void initTestCase();
    void opensFromF1AndTheMenu_data();
    void opensFromF1AndTheMenu();
    void namesEveryMenuItem();
    void findField();
    void contentsLeadToEachSection();
    void printsIntoAFile();
};

// The interface's language as the program chooses it at start.
void TestGuide::initTestCase()
{
    language::install(language::chosen());
}

void TestGuide::opensFromF1AndTheMenu_data()
{
    QTest::addColumn<QString>("focus");  // empty: the menu item
    QTest::newRow("F1 in the table") << "StringGrid1";
    QTest::newRow("F1 in an edit box") << "Edit4";
    QTest::newRow("menu item User guide") << "";
}

// F1 from wherever the focus is in the main window, and Help > User guide,
// bring up the guide beside the main window, which stays usable.
void TestGuide::opensFromF1AndTheMenu()
{
    QFETCH(QString, focus);
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    auto form = startWindow();
    QVERIFY(!guideOf(*form));
    if (focus.isEmpty()) {
        action(*form, "UserGuide1")->trigger();
    } else {
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        auto *target = child<QWidget>(form.get(), focus);
        target->setFocus();
        QTRY_VERIFY(target->hasFocus());
        typeInto(target, QKeyCombination(Qt::Key_F1));
    }
    GuideWindow *guide = guideOf(*form);
    QVERIFY(guide);
    QTRY_VERIFY(guide->isVisible());
    QVERIFY(guide->isWindow());
    QVERIFY(!guide->isModal());
    QCOMPARE(guide->text()->document()->firstBlock().text(),
             shownAs("SART Tester: user guide", "SART Tester: руководство пользователя"));
    QVERIFY(guide->text()->isReadOnly());
    QVERIFY(m_dialogs->takeSeen().isEmpty());

    // Escape closes it; F1 brings the same window back.
    // It comes to the front with the keyboard's focus in the text.
    QTRY_COMPARE(QApplication::activeWindow(), guide);
    QTRY_COMPARE(QApplication::focusWidget(), guide->text());
    typeInto(guide->text(), QKeyCombination(Qt::Key_Escape));
    QVERIFY(!guide->isVisible());
    action(*form, "UserGuide1")->trigger();
    QCOMPARE(guideOf(*form), guide);
    QVERIFY(guide->isVisible());
}

// Every menu, menu item and pop-up menu item the main window has is named in
// the guide with its caption; so is the Russian help item, kept under Help.
void TestGuide::namesEveryMenuItem()
{
    StartDirectory dir;
    auto form = startWindow();
    QStringList captions;
    for (const QAction *a : form->menuBar()->actions())
        collect(a->menu(), captions);
    collect(child<QMenu>(form.get(), "PopupMenu1"), captions);
    captions.removeAll(QString());  // the pop-up menu has no title
    const QString help = shownAs("Help", "Справка");
    QVERIFY2(captions.contains(shownAs("User guide", "Руководство пользователя")) && captions.contains(help)
                 && captions.contains(shownAs("Go to", "Перейти к строке")),
             qPrintable(captions.join(u'|')));
    QVERIFY2(captions.size() >= 20, qPrintable(captions.join(u'|')));
    // Settings > Language names the system's language and each language in its own words.
    QVERIFY(captions.contains(QStringLiteral("English")) && captions.contains(QStringLiteral("Русский")));
    QVERIFY(captions.contains(shownAs("System (English)", "Системный (русский)")));

    action(*form, "UserGuide1")->trigger();
    const QString guide = guideOf(*form)->text()->toPlainText();
    QStringList missing;
    for (const QString &c : std::as_const(captions))
        if (!guide.contains(c))
            missing.append(c);
    QVERIFY2(missing.isEmpty(), qPrintable("not in the guide: " + missing.join(QStringLiteral(", "))));
    QCOMPARE(action(*form, "Abaut1")->text(), help);
    QVERIFY(action(*form, "Abaut1")->shortcut().isEmpty());
}

// Typing finds as it goes; Enter goes on to the next place and starts again
// at the top, Shift+Enter goes back; a word the guide lacks says so.
void TestGuide::findField()
{
    StartDirectory dir;
    auto form = startWindow();
    action(*form, "UserGuide1")->trigger();
    GuideWindow *guide = guideOf(*form);
    QTRY_COMPARE(QApplication::activeWindow(), guide);
    typeInto(guide->text(), QKeyCombination(Qt::ControlModifier, Qt::Key_F));
    QTRY_VERIFY(guide->findField()->hasFocus());

    QTest::keyClicks(guide->findField(), "due for TEST");
    QTextCursor found = guide->text()->textCursor();
    QCOMPARE(found.selectedText(), QStringLiteral("Due for test"));
    const QString plain = guide->text()->toPlainText();
    const int places = int(plain.count(QStringLiteral("due for test"), Qt::CaseInsensitive));
    QVERIFY(places >= 2);
    const int first = found.selectionStart();
    QList<int> starts{first};
    for (int i = 1; i < places; ++i) {
        typeInto(guide->findField(), QKeyCombination(Qt::Key_Return));
        starts.append(guide->text()->textCursor().selectionStart());
    }
    QVERIFY(std::is_sorted(starts.begin(), starts.end()));
    typeInto(guide->findField(), QKeyCombination(Qt::Key_Return));
    QCOMPARE(guide->text()->textCursor().selectionStart(), first);  // round again
    typeInto(guide->findField(), QKeyCombination(Qt::ShiftModifier, Qt::Key_Return));
    QCOMPARE(guide->text()->textCursor().selectionStart(), starts.last());

    auto *status = child<QLabel>(guide, "GuideFindStatus");
    QVERIFY(status->text().isEmpty());
    guide->findField()->clear();
    QTest::keyClicks(guide->findField(), "Titanic");
    QCOMPARE(status->text(), QStringLiteral("Not found"));
    QVERIFY(!guide->findNext());
    QVERIFY(guide->isVisible());  // Enter in the field never closes the window
}

// The contents list holds the sections in order; choosing one brings its
// heading to the top of the text.
void TestGuide::contentsLeadToEachSection()
{
    StartDirectory dir;
    auto form = startWindow();
    action(*form, "UserGuide1")->trigger();
    GuideWindow *guide = guideOf(*form);
    QListWidget *contents = guide->contents();
    QStringList sections;
    for (int row = 0; row < contents->count(); ++row)
        sections.append(contents->item(row)->text().trimmed());
    for (const char *expected : {"The working day", "Receiving a record", "USB serial adapters", "Save changes",
                                 "Find", "Due for test", "Certificates issued", "A shared archive folder",
                                 "Keyboard shortcuts", "Troubleshooting"})
        QVERIFY2(sections.contains(QLatin1String(expected)), expected);

    const int row = int(sections.indexOf(QStringLiteral("Troubleshooting")));
    contents->setCurrentRow(row);
    QTextBrowser *text = guide->text();
    QCOMPARE(text->textCursor().block().text(), QStringLiteral("Troubleshooting"));
    const QRect heading = text->cursorRect();
    QVERIFY2(heading.top() >= 0 && heading.top() < text->viewport()->height() / 4,
             qPrintable(QString::number(heading.top())));
}

// Printed into a file from the print preview: the whole guide, several
// pages, and the message naming the file.
void TestGuide::printsIntoAFile()
{
    StartDirectory dir;
    auto form = startWindow();
    action(*form, "UserGuide1")->trigger();
    GuideWindow *guide = guideOf(*form);
    QTemporaryDir out;
    const QString path = out.filePath("guide.pdf");
    QPrinter &printer = printing::programPrinter();
    const auto restore = qScopeGuard([&] { printer.setOutputFileName(QString()); });

    const auto printStep = printNextPreviewInto(*m_dialogs, printer, path);
    m_dialogs->answer(QMessageBox::Ok);
    child<QPushButton>(guide, "GuidePrint")->click();

    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].objectName, QStringLiteral("FileWritten"));
    QCOMPARE(seen[0].text, "The user guide was saved as\n" + path);
    const QString printed = pdftext::flatText(path);
    for (const char *expected : {"SART Tester: user guide", "Keyboard shortcuts", "Troubleshooting"})
        QVERIFY2(printed.contains(QLatin1String(expected)), expected);
    QVERIFY(pdftext::info(path, "Pages").toInt() > 3);
}

QTEST_MAIN(TestGuide)
#include "tst_guide.moc"

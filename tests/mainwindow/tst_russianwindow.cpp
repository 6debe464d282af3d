// The main window in Russian: its menus and tool bar, its title, and the
// questions and messages it builds for each command, each a whole Russian
// sentence.
#include "Language.h"
#include "ReportPrinter.h"
#include "TestSupport.h"
#include "Unit1.h"
#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

using namespace windowtest;

namespace {

const QString Title = QStringLiteral("ПРОГРАММА ТЕСТЕРА САРТ");

void typeAtEnd(TForm1 &form, const QString &name, const QString &text)
{
    auto *edit = child<QLineEdit>(&form, name);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClicks(edit, text);
}

bool hasCyrillic(const QString &text)
{
    static const QRegularExpression cyrillic(QStringLiteral("\\p{Cyrillic}"));
    return text.contains(cyrillic);
}

// The letters after "&" in the captions given, lower case.
QStringList accelerators(const QStringList &captions)
{
    QStringList letters;
    for (const QString &caption : captions) {
        const qsizetype at = caption.indexOf(u'&');
        if (at >= 0 && at + 1 < caption.size())
            letters.append(caption.mid(at + 1, 1).toLower());
    }
    return letters;
}

} // namespace

class TestRussianWindow : public WindowTestCase
{
    Q_OBJECT

private slots:
    void initTestCase();
    void menusAndToolBarAreRussian();
    void unsavedChangesQuestionForEachAction_data();
    void unsavedChangesQuestionForEachAction();
    void commandOnARecordWhoseFileWent_data();
    void commandOnARecordWhoseFileWent();
    void certificatePrintedIntoAFile();
};

void TestRussianWindow::initTestCase()
{
    language::install(language::Choice::Russian);
    QCOMPARE(language::shown(), QStringLiteral("ru"));
}

// Every caption is Russian (but the names "Word" and "PDF"), and the
// accelerators are Russian letters, none twice in one menu or in the bar.
void TestRussianWindow::menusAndToolBarAreRussian()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    auto form = startWindow();
    QCOMPARE(form->windowTitle(), QStringLiteral("a.bin - ") + Title);

    const QStringList names = {"Word", "PDF..."};
    QList<QMenu *> menus{child<QMenu>(form.get(), "PopupMenu1")};
    QStringList barCaptions;
    for (QAction *entry : form->menuBar()->actions()) {
        QVERIFY2(hasCyrillic(entry->text()), qPrintable(entry->text()));
        barCaptions.append(entry->text());
        menus.append(entry->menu());
    }
    for (QMenu *menu : menus) {
        QStringList captions;
        for (QAction *item : menu->actions()) {
            if (item->isSeparator())
                continue;
            QVERIFY2(hasCyrillic(item->text()) || names.contains(item->text()),
                     qPrintable(menu->objectName() + u':' + item->text()));
            captions.append(item->text());
        }
        const QStringList letters = accelerators(captions);
        for (const QString &letter : letters) {
            QVERIFY2(hasCyrillic(letter), qPrintable(menu->objectName() + u':' + captions.join(u',')));
            QVERIFY2(letters.count(letter) == 1, qPrintable(menu->objectName() + u':' + captions.join(u',')));
        }
    }
    const QStringList barLetters = accelerators(barCaptions);
    for (const QString &letter : barLetters)
        QVERIFY2(hasCyrillic(letter) && barLetters.count(letter) == 1, qPrintable(barCaptions.join(u',')));

    const QStringList hints = {"Открыть", "Сохранить изменения", "Печать", "Справка", "Выход"};
    QStringList shown;
    for (QToolButton *button : child<QToolBar>(form.get(), "ToolBar1")->findChildren<QToolButton *>())
        if (button->defaultAction() && button->isVisible())
            shown.append(button->defaultAction()->toolTip());
    for (const QString &hint : hints)
        QVERIFY2(shown.contains(hint), qPrintable(shown.join(u',')));
}

void TestRussianWindow::unsavedChangesQuestionForEachAction_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("question");
    const QString start = QStringLiteral("В записи b.bin есть несохранённые изменения.\n\n");
    QTest::newRow("another row") << "mouse" << start + "Сохранить их перед показом другой записи?";
    QTest::newRow("open") << "open" << start + "Сохранить их перед открытием записи?";
    QTest::newRow("testing mode") << "testing mode"
                                  << start + "Сохранить их перед показом записи в другом режиме проверки?";
    QTest::newRow("delete") << "delete" << start + "Сохранить их перед удалением её файла?";
    QTest::newRow("close") << "close" << start + "Сохранить их перед закрытием программы?";
}

// The question names the action in a sentence of its own; Cancel changes
// nothing.
void TestRussianWindow::unsavedChangesQuestionForEachAction()
{
    QFETCH(QString, entry);
    QFETCH(QString, question);
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    const QString b = dir.addRecord("b.bin", 1);
    auto form = startWindow();
    typeAtEnd(*form, "Edit3", "TYPED");
    QCOMPARE(form->windowTitle(), QStringLiteral("*b.bin - ") + Title);

    if (entry == QLatin1String("delete"))
        m_dialogs->answer(QMessageBox::Yes);
    m_dialogs->answer(QMessageBox::Cancel);
    if (entry == QLatin1String("mouse")) {
        clickRow(*form, 1);
    } else if (entry == QLatin1String("open")) {
        clickTool(*form, "ToolButton10");
    } else if (entry == QLatin1String("testing mode")) {
        auto *mode = child<QComboBox>(form.get(), "ComboBox4");
        mode->setFocus();
        QTest::keyClick(mode, Qt::Key_Down);
    } else if (entry == QLatin1String("delete")) {
        action(*form, "N131")->trigger();
    } else {
        form->close();
    }

    QList<SeenDialog> seen = m_dialogs->takeSeen();
    if (entry == QLatin1String("delete")) {
        QVERIFY(!seen.isEmpty());
        QCOMPARE(seen[0].title, QStringLiteral("Внимание"));
        QCOMPARE(seen[0].text, QStringLiteral("УДАЛИТЬ ФАЙЛ?\n\nb.bin"));
        seen.removeFirst();
    }
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].title, Title);
    QCOMPARE(seen[0].text, question);
    QCOMPARE(seen[0].buttons.size(), 3);
    QVERIFY2(seen[0].buttons.contains(QStringLiteral("Отбросить")), qPrintable(seen[0].buttons.join(u',')));
    QCOMPARE(form->windowTitle(), QStringLiteral("*b.bin - ") + Title);
    QVERIFY(QFile::exists(b));
    QVERIFY(form->isVisible());
}

void TestRussianWindow::commandOnARecordWhoseFileWent_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("nothingTo");
    QTest::newRow("save, tool button") << "ToolButton11" << "сохранять нечего";
    QTest::newRow("save, menu") << "Savechanges1" << "сохранять нечего";
    QTest::newRow("print") << "ToolButton13" << "печатать нечего";
    QTest::newRow("PDF") << "Pdf1" << "сохранять в PDF нечего";
    QTest::newRow("Word") << "Word1" << "экспортировать нечего";
}

// Each command says in a sentence of its own that there is nothing to do it
// on, in an error box with the program's title.
void TestRussianWindow::commandOnARecordWhoseFileWent()
{
    QFETCH(QString, command);
    QFETCH(QString, nothingTo);
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    const QString b = dir.addRecord("b.bin", 1);
    auto form = startWindow();
    QVERIFY(QFile::remove(b));
    action(*form, "Rescan1")->trigger();

    if (command.startsWith(QLatin1String("ToolButton")))
        clickTool(*form, command);
    else
        action(*form, command)->trigger();
    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].title, Title);
    QCOMPARE(seen[0].icon, QMessageBox::Critical);
    QCOMPARE(seen[0].text, QStringLiteral("Файла записи b.bin больше нет (удалён или перемещён): %1.").arg(nothingTo));
}

// The print preview's title is shown in Russian around the certificate's
// own English title; the message at the end names the file in Russian.
void TestRussianWindow::certificatePrintedIntoAFile()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    auto form = startWindow();
    chooseConclusion(*form, 1);
    QTemporaryDir out;
    const QString path = out.filePath("printed.pdf");
    QPrinter &printer = printing::programPrinter();
    const auto restore = qScopeGuard([&] { printer.setOutputFileName(QString()); });

    QString previewTitle;
    QTimer step;
    m_dialogs->setPaused(true);
    connect(&step, &QTimer::timeout, this, [&] {
        auto *preview = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
        if (!preview)
            return;
        step.stop();
        previewTitle = preview->windowTitle();
        printer.setOutputFileName(path);
        preview->findChild<QPrintPreviewWidget *>()->print();
        preview->accept();
        m_dialogs->setPaused(false);
    });
    step.start(5);
    m_dialogs->answer(QMessageBox::Ok);
    clickTool(*form, "ToolButton13");

    QVERIFY2(previewTitle.startsWith(QStringLiteral("SART TEST REPORT, сертификат ")), qPrintable(previewTitle));
    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].objectName, QStringLiteral("FileWritten"));
    QCOMPARE(seen[0].title, Title);
    QCOMPARE(seen[0].text, QStringLiteral("Сертификат: сохранено как\n") + path);
    QVERIFY2(seen[0].buttons.contains(QStringLiteral("Открыть папку")), qPrintable(seen[0].buttons.join(u',')));
}

QTEST_MAIN(TestRussianWindow)
#include "tst_russianwindow.moc"

// Every window and dialog of the program, opened as the engineer opens them
// and looked at the size they come with (the main window at the size it takes
// on a first start): no text cut, in English and in Russian, and in Russian no
// English of the program's own left.
//
// The English walk comes first: the words it shows, with the English of the
// translation file, are the program's own English the Russian walk looks for.
#include "Finder.h"
#include "HeaderWriteBack.h"
#include "Language.h"
#include "ProgramSettings.h"
#include "SampleRecord.h"
#include "TestSupport.h"
#include "Unit1.h"
#include "WindowFixture.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>
#include <QStatusBar>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QTest>
#include <QTextEdit>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QXmlStreamReader>

#include <deque>
#include <functional>

using namespace windowtest;

namespace {

// Words a Russian interface writes in Latin letters too.
const QStringList AllowedWords = {"SART", "PDF", "CSV", "Word", "SQLite", "PostgreSQL", "OK", "LibreOffice",
                                  "ODT", "DOCX", "USB", "UTF", "ITU", "IMO", "PKCS", "SHA",
                                  "YYYY",        // the year in a certificate number's pattern, typed as it is
                                  "PGPASSWORD",  // an environment variable
                                  "English",     // the language's own name in the language menu
                                  "Ctrl", "Shift", "Alt", "Enter", "Esc", "Del", "Tab"};  // keys
// Texts of the certificate, which stays English, where a window quotes them.
// Also the maker's name and the program's (its archive folder's too), which
// stay as they are in every language.
const QStringList CertificatePhrases = {"SART PASSED TESTS", "SART FAILED TESTS", "SART TESTING", "Signed by",
                                        "Marine Test Instruments", "SART Tester"};

// File names, paths, addresses and the certificate's own texts: not words of
// the interface.
QString withoutNames(QString text)
{
    static const QRegularExpression names(
        QStringLiteral(R"((?:https?://|[A-Za-z]:)?[\\/][^\s,;:()]*|\S+@\S+|www\.\S+|)"
                       R"([\w*.-]*\.(?:bin|pdf|csv|odt|docx?|db|sqlite|md|txt|conf|png|html?|key|pem|crt|p12|qm|ts)\b)"),
        QRegularExpression::CaseInsensitiveOption);
    for (const QString &phrase : CertificatePhrases)
        text.remove(phrase);
    return text.remove(names);
}

// Words of three and more Latin letters, lower case.
QSet<QString> latinWords(const QString &text)
{
    static const QRegularExpression word(QStringLiteral(R"((?<![\p{L}\p{N}_])[A-Za-z]{3,}(?![\p{L}\p{N}_]))"));
    QSet<QString> words;
    for (const QRegularExpressionMatch &m : word.globalMatch(withoutNames(QString(text).remove(u'&'))))
        words.insert(m.captured().toLower());
    return words;
}

// The record data the sample records carry (engineers, SART, vessel, centre).
QSet<QString> dataWords()
{
    const RecordHeader h = sample::savedHeader();
    QString all = QStringList({h.radioEngineer, h.sartModel, h.manufacturerNo, h.vessel, h.centreName,
                               h.centreAddress, h.centreTel, h.centreFax})
                      .join(u' ');
    for (int n = 0; n < 4; ++n)
        all += u' ' + QString::fromLatin1(sample::variant(n).testerEngineer);
    QSet<QString> words = latinWords(all);
    for (const QString &w : AllowedWords)
        words.insert(w.toLower());
    return words;
}

// The English of the translation file's source texts.
QSet<QString> translationSourceWords()
{
    QFile file(QStringLiteral(SART_TS_FILE));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", SART_TS_FILE);
    QSet<QString> words;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("source"))
            words.unite(latinWords(xml.readElementText()));
    return words;
}

// A text the user reads, where it is shown.
struct Shown
{
    QString widget;
    QString text;
};

QString nameOf(const QObject *o)
{
    if (!o->objectName().isEmpty())
        return o->objectName();
    const QObject *named = o->parent();
    while (named && named->objectName().isEmpty())
        named = named->parent();
    return QString::fromLatin1(o->metaObject()->className())
           + (named ? QStringLiteral(" in ") + named->objectName() : QString());
}

QString plain(const QString &text)
{
    return Qt::mightBeRichText(text) ? QTextDocumentFragment::fromHtml(text).toPlainText() : text;
}

// Qt's own dialogs: their texts are Qt's translation; the program gives them a title.
bool isQtsOwn(const QWidget *w)
{
    return qobject_cast<const QFileDialog *>(w) || qobject_cast<const QPrintPreviewDialog *>(w)
           || qobject_cast<const QPrintDialog *>(w) || qobject_cast<const QPageSetupDialog *>(w);
}

void addActions(const QWidget *owner, const QList<QAction *> &actions, QList<Shown> &texts)
{
    for (const QAction *a : actions) {
        if (a->isSeparator() || !a->isVisible())
            continue;
        const QString name = a->objectName().isEmpty() ? nameOf(owner) : a->objectName();
        texts.append({name, a->text()});
        if (a->toolTip() != QString(a->text()).remove(u'&'))
            texts.append({name + QStringLiteral(" (hint)"), a->toolTip()});
        if (a->menu())
            addActions(a->menu(), a->menu()->actions(), texts);
    }
}

// Every text a window shows, in its title, controls, menus, tool bar, table
// headers, lists and hints.
QList<Shown> textsOf(QWidget *window)
{
    QList<Shown> texts{{QStringLiteral("title"), window->windowTitle()}};
    if (auto *menu = qobject_cast<QMenu *>(window)) {
        addActions(menu, menu->actions(), texts);
        return texts;
    }
    if (auto *files = qobject_cast<QFileDialog *>(window))
        for (const QString &filter : files->nameFilters())
            texts.append({QStringLiteral("file type"), filter});
    if (isQtsOwn(window))
        return texts;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window))
            continue;
        const QString name = nameOf(w);
        if (!w->toolTip().isEmpty())
            texts.append({name + QStringLiteral(" (hint)"), plain(w->toolTip())});
        if (auto *label = qobject_cast<QLabel *>(w))
            texts.append({name, plain(label->text())});
        else if (auto *button = qobject_cast<QAbstractButton *>(w))
            texts.append({name, button->text()});
        else if (auto *box = qobject_cast<QGroupBox *>(w))
            texts.append({name, box->title()});
        else if (auto *combo = qobject_cast<QComboBox *>(w))
            for (int i = 0; i < combo->count(); ++i)
                texts.append({name, combo->itemText(i)});
        else if (auto *tabs = qobject_cast<QTabBar *>(w))
            for (int i = 0; i < tabs->count(); ++i)
                texts.append({name, tabs->tabText(i)});
        else if (auto *edit = qobject_cast<QLineEdit *>(w))
            texts.append({name, edit->placeholderText()});
        else if (auto *spin = qobject_cast<QAbstractSpinBox *>(w))
            texts.append({name, spin->specialValueText()});
        else if (auto *browser = qobject_cast<QTextEdit *>(w))  // a document shown (the guide) is not checked here
            texts.append({name, browser->placeholderText()});
        else if (auto *plainEdit = qobject_cast<QPlainTextEdit *>(w))
            texts.append({name, plainEdit->placeholderText()});
        else if (auto *bar = qobject_cast<QStatusBar *>(w))
            texts.append({name, bar->currentMessage()});
        else if (auto *menuBar = qobject_cast<QMenuBar *>(w))
            addActions(menuBar, menuBar->actions(), texts);
        else if (auto *toolBar = qobject_cast<QToolBar *>(w))
            addActions(toolBar, toolBar->actions(), texts);
        if (auto *view = qobject_cast<QAbstractItemView *>(w); view && view->model()) {
            const QAbstractItemModel *model = view->model();
            for (const QHeaderView *header : view->findChildren<QHeaderView *>(Qt::FindDirectChildrenOnly))
                if (header->orientation() == Qt::Horizontal && header->isVisibleTo(window))
                    for (int c = 0; c < model->columnCount(); ++c)
                        texts.append({name + QStringLiteral(" (column)"),
                                      model->headerData(c, Qt::Horizontal).toString()});
            // A list's lines are the program's own texts; a table's cells are data.
            if (qobject_cast<QListView *>(w))
                for (int r = 0; r < std::min(model->rowCount(), 50); ++r)
                    texts.append({name + QStringLiteral(" (line)"), model->index(r, 0).data().toString()});
        }
    }
    return texts;
}

// Texts wider than the room they have, each as "widget: text (needs N, has M)".
QList<Shown> cutTexts(QWidget *window)
{
    QList<Shown> cut;
    auto add = [&](QWidget *w, const QString &text, int needs, int has) {
        cut.append({nameOf(w), QStringLiteral("%1 (needs %2 px, has %3)").arg(text).arg(needs).arg(has)});
    };
    if (isQtsOwn(window) || qobject_cast<QMenu *>(window))
        return cut;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window))
            continue;
        if (auto *label = qobject_cast<QLabel *>(w)) {
            if (!label->wordWrap() && !label->text().isEmpty() && label->sizeHint().width() > label->width())
                add(w, plain(label->text()), label->sizeHint().width(), label->width());
        } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            auto *tool = qobject_cast<QToolButton *>(w);
            if (tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly)
                continue;
            if (!button->text().isEmpty() && button->sizeHint().width() > button->width())
                add(w, button->text(), button->sizeHint().width(), button->width());
        } else if (auto *box = qobject_cast<QGroupBox *>(w)) {
            if (box->title().isEmpty())
                continue;
            QStyleOptionGroupBox option;
            option.initFrom(box);
            option.text = box->title();
            option.textAlignment = box->alignment();
            option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
            if (box->isCheckable())
                option.subControls |= QStyle::SC_GroupBoxCheckBox;
            const QRect title = box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
            if (title.right() > box->rect().right() || title.left() < 0)
                add(w, box->title(), title.right() + 1, box->width());
        } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
            const QString text = combo->currentText();
            if (text.isEmpty())
                continue;
            // As the selector works out the width its longest item needs.
            QStyleOptionComboBox option;
            option.initFrom(combo);
            option.editable = combo->isEditable();
            option.frame = combo->hasFrame();
            option.currentText = text;
            int textWidth = combo->fontMetrics().boundingRect(text).width();
            if (!combo->itemIcon(combo->currentIndex()).isNull())
                textWidth += combo->iconSize().width() + 4;
            const int needs = combo->style()
                                  ->sizeFromContents(QStyle::CT_ComboBox, &option,
                                                     QSize(textWidth, combo->fontMetrics().height()), combo)
                                  .width();
            if (needs > combo->width())
                add(w, text, needs, combo->width());
        } else if (auto *bar = qobject_cast<QMenuBar *>(w)) {
            // Titles that do not fit go behind the bar's extension button.
            const auto *more = bar->findChild<QToolButton *>(QStringLiteral("qt_menubar_ext_button"));
            QStringList hidden;
            for (QAction *a : bar->actions())
                if (a->isVisible() && !bar->rect().contains(bar->actionGeometry(a)))
                    hidden.append(a->text());
            if ((more && more->isVisible()) || !hidden.isEmpty())
                add(w, QStringLiteral("menu titles ") + hidden.join(QStringLiteral(", ")), bar->sizeHint().width(),
                    bar->width());
        }
    }
    return cut;
}

// The words of `text` that are English of the program's own, sorted.
QStringList englishIn(const QString &text, const QSet<QString> &vocabulary)
{
    static const QSet<QString> allowed = dataWords();
    QStringList english = (latinWords(text) - allowed).intersect(vocabulary).values();
    english.sort();
    return english;
}

enum class Lang { English, Russian };

// Words of the program's own English: the translation file's, and those the
// English walk read (record data and words English in Russian too left out).
QSet<QString> &englishVocabulary()
{
    static QSet<QString> words = translationSourceWords();
    return words;
}

// Looks at each window the program opens: the modal ones as they come
// (answering questions with the queued answer or their Escape button, and
// cancelling input and file dialogs unless a file is queued), the others
// when the command that opens them has returned.
class Walk : public QObject
{
public:
    explicit Walk(Lang lang, const QString &row) : m_lang(lang), m_row(row)
    {
        connect(&m_timer, &QTimer::timeout, this, &Walk::poll);
        m_timer.start(5);
    }

    void answer(QMessageBox::StandardButton button) { m_answers.push_back({button, {}}); }
    void chooseFile(const QString &path) { m_answers.push_back({QMessageBox::NoButton, path}); }

    // Runs the command and looks at every window it opens.
    void open(const std::function<void()> &command)
    {
        const QWidgetList before = shownWindows();
        const int seenBefore = m_windows;
        command();
        for (QWidget *w : shownWindows()) {
            if (before.contains(w))
                continue;
            if (!QTest::qWaitForWindowExposed(w))
                qWarning("%s not exposed", qPrintable(nameOf(w)));
            QTest::qWait(20);
            inspect(w);
            w->close();
        }
        if (m_windows == seenBefore)
            m_opened.append(QStringLiteral("nothing opened in %1").arg(m_row));
    }

    void inspect(QWidget *window)
    {
        ++m_windows;
        const QString where = m_row + u'/' + nameOf(window);
        keepPicture(window);
        for (const Shown &s : cutTexts(window))
            m_cut.append(where + u'\t' + s.widget + u'\t' + s.text);
        static const QSet<QString> allowed = dataWords();
        for (const Shown &s : textsOf(window)) {
            if (m_lang == Lang::English) {
                englishVocabulary().unite(latinWords(s.text) - allowed);
                continue;
            }
            QStringList english = englishIn(s.text, englishVocabulary());
            if (english.isEmpty())
                continue;
            if (english.size() > 12)
                english = english.mid(0, 12) << QStringLiteral("...");
            QString text = s.text.simplified();
            if (text.size() > 160)
                text = text.left(157) + QStringLiteral("...");
            m_english.append(where + u'\t' + s.widget + u'\t' + text + QStringLiteral("\t[")
                             + english.join(u' ') + u']');
        }
    }

    QStringList english() const { return m_english; }
    QStringList cut() const { return m_cut; }
    QStringList problems() const { return m_opened; }
    int queued() const { return int(m_answers.size()); }

private:
    struct Answer
    {
        QMessageBox::StandardButton button;
        QString file;
    };

    // With SART_WINDOW_SHOTS naming a folder, a picture of each window looked
    // at goes there (ru-<row>-<window>.png), to be looked at by eye.
    void keepPicture(QWidget *window) const
    {
        const QString folder = qEnvironmentVariable("SART_WINDOW_SHOTS");
        if (folder.isEmpty())
            return;
        static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9]+"));
        const QString name = (m_lang == Lang::Russian ? QStringLiteral("ru-") : QStringLiteral("en-"))
                             + QString(m_row).replace(unsafe, QStringLiteral("-")) + u'-'
                             + QString(nameOf(window)).replace(unsafe, QStringLiteral("-"));
        window->grab().save(folder + u'/' + name.toLower() + QStringLiteral(".png"));
    }

    static QWidgetList shownWindows()
    {
        QWidgetList windows;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->isWindow() && !qobject_cast<TForm1 *>(w) && !qobject_cast<QMenu *>(w)
                && !w->inherits("QTipLabel"))
                windows.append(w);
        return windows;
    }

    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        inspect(modal);
        const std::optional<Answer> given =
            m_answers.empty() ? std::nullopt : std::optional<Answer>(m_answers.front());
        if (given)
            m_answers.pop_front();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            QAbstractButton *button = given ? box->button(given->button) : box->escapeButton();
            if (!button && box->buttons().size() == 1)
                button = box->buttons().constFirst();
            if (button)
                button->click();
            else
                box->reject();
        } else if (auto *files = qobject_cast<QFileDialog *>(modal); files && given && !given->file.isEmpty()) {
            files->selectFile(given->file);
            static_cast<QDialog *>(files)->accept();
        } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
    }

    Lang m_lang;
    QString m_row;
    QTimer m_timer;
    std::deque<Answer> m_answers;
    int m_windows = 0;
    QStringList m_english, m_cut, m_opened;
};

// A record saved with every answer "YES", a weak one (399 mW) saved the same
// way, and one as received: each question and view has something to work on.
void fillArchive(const StartDirectory &dir)
{
    RecordHeader honest = sample::savedHeader();
    honest.beeperIndex = 0;
    dir.addFile(QStringLiteral("a.bin"), writeback::rewrite(sample::makeRecord(sample::variant(0)), honest));
    sample::Params weak = sample::variant(1);
    weak.automatic.powerMw = 399;
    dir.addFile(QStringLiteral("b.bin"), writeback::rewrite(sample::makeRecord(weak), honest));
    dir.addRecord(QStringLiteral("c.bin"), 2);
    dir.addFile(QStringLiteral("not-a-certificate.pdf"), "%PDF-1.4\nnot a certificate\n");
}

void run(TForm1 &form, const QString &name) { windowtest::action(form, name)->trigger(); }

void waitForIndex(TForm1 &form)
{
    if (!QTest::qWaitFor([&] { return !form.Finder1->index().isBuilding(); }, 10000))
        qWarning("the archive index was not built");
}

using Opening = std::function<void(TForm1 &, Walk &, const StartDirectory &)>;

// How each window is reached, from the window showing c.bin (the last record).
const QList<std::pair<const char *, Opening>> &openings()
{
    static const QList<std::pair<const char *, Opening>> list = {
        {"main window, every menu",
         [](TForm1 &form, Walk &walk, const StartDirectory &) {
             clickRow(form, 1);
             walk.inspect(&form);
             QList<QMenu *> menus;
             for (QAction *a : form.menuBar()->actions())
                 if (a->menu())
                     menus.append(a->menu());
             menus.append(child<QMenu>(&form, QStringLiteral("PopupMenu1")));
             for (QMenu *menu : menus) {
                 menu->popup(form.mapToGlobal(QPoint(20, 20)));
                 if (!QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000))
                     qWarning("menu %s did not open", qPrintable(menu->objectName()));
                 walk.inspect(menu);
                 menu->hide();
             }
         }},
        {"main window, values carried over",
         [](TForm1 &form, Walk &walk, const StartDirectory &) {
             clickRow(form, 1);
             clickRow(form, 3);
             walk.inspect(&form);
         }},
        {"receive dialog", [](TForm1 &form, Walk &walk, const StartDirectory &) { walk.open([&] { run(form, "N4"); }); }},
        {"limits dialog",
         [](TForm1 &form, Walk &walk, const StartDirectory &) { walk.open([&] { run(form, "Limits1"); }); }},
        {"register settings",
         [](TForm1 &form, Walk &walk, const StartDirectory &) { walk.open([&] { run(form, "Register1"); }); }},
        {"signing settings",
         [](TForm1 &form, Walk &walk, const StartDirectory &) { walk.open([&] { run(form, "Signing1"); }); }},
        {"certificate check",
         [](TForm1 &form, Walk &walk, const StartDirectory &dir) {
             walk.chooseFile(dir.inArchive(QStringLiteral("not-a-certificate.pdf")));
             walk.open([&] { run(form, "CheckCertificate1"); });
         }},
        {"open file dialog",
         [](TForm1 &form, Walk &walk, const StartDirectory &) { walk.open([&] { run(form, "Open1"); }); }},
        {"PDF file dialog",
         [](TForm1 &form, Walk &walk, const StartDirectory &) {
             clickRow(form, 1);
             chooseConclusion(form, 0);
             walk.open([&] { run(form, "Pdf1"); });
         }},
        {"find", [](TForm1 &form, Walk &walk, const StartDirectory &) { walk.open([&] { run(form, "Find1"); }); }},
        {"due list",
         [](TForm1 &form, Walk &walk, const StartDirectory &) {
             waitForIndex(form);
             walk.open([&] { run(form, "Duefortest1"); });
         }},
        {"history",
         [](TForm1 &form, Walk &walk, const StartDirectory &) {
             clickRow(form, 1);
             waitForIndex(form);
             walk.open([&] { run(form, "History1"); });
         }},
        {"history of a record without its header (error)",
         [](TForm1 &form, Walk &walk, const StartDirectory &) {
             waitForIndex(form);
             walk.open([&] { run(form, "History1"); });
         }},
        {"register of certificates",
         [](TForm1 &form, Walk &walk, const StartDirectory &) { walk.open([&] { run(form, "Certificates1"); }); }},
        {"help window", [](TForm1 &form, Walk &walk, const StartDirectory &) { walk.open([&] { run(form, "Abaut1"); }); }},
        {"About box", [](TForm1 &form, Walk &walk, const StartDirectory &) { walk.open([&] { run(form, "About2"); }); }},
        {"user guide",
         [](TForm1 &form, Walk &walk, const StartDirectory &) { walk.open([&] { run(form, "UserGuide1"); }); }},
        {"certificate question (carried over, outside the limits)",
         [](TForm1 &form, Walk &walk, const StartDirectory &) {
             clickRow(form, 1);
             chooseConclusion(form, 0);
             clickRow(form, 2);
             walk.open([&] { run(form, "Print2"); });
         }},
        {"save questions (carried-over SART data, unsaved changes)",
         [](TForm1 &form, Walk &walk, const StartDirectory &) {
             clickRow(form, 1);
             clickRow(form, 3);
             setEdit(form, QStringLiteral("Edit1"), QStringLiteral("A. Ivanov"));
             walk.open([&] { run(form, "Savechanges1"); });
             walk.open([&] { clickRow(form, 1); });
         }},
        {"delete question",
         [](TForm1 &form, Walk &walk, const StartDirectory &) {
             clickRow(form, 1);
             walk.open([&] { run(form, "N131"); });
         }},
        {"go to", [](TForm1 &form, Walk &walk, const StartDirectory &) { walk.open([&] { run(form, "N4531"); }); }},
    };
    return list;
}

} // namespace

class TestRussianWindows : public QObject
{
    Q_OBJECT

private slots:
    void englishFound_data();
    void englishFound();
    void cutFound_data();
    void cutFound();
    void englishWindows_data() { windows(); }
    void englishWindows() { walk(Lang::English); }
    void russianWindows_data();
    void russianWindows() { walk(Lang::Russian); }

private:
    static void windows();
    static void walk(Lang lang);
};

void TestRussianWindows::englishFound_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("english");
    QTest::newRow("Russian") << QStringLiteral("Сохранить изменения") << QStringList();
    QTest::newRow("English word") << QStringLiteral("Сохранить record") << QStringList{"record"};
    QTest::newRow("accelerator, any case") << QStringLiteral("&Save Record") << QStringList({"record", "save"});
    QTest::newRow("word not the program's") << QStringLiteral("Ответчик Zeta") << QStringList();
    QTest::newRow("words English in Russian too") << QStringLiteral("Экспорт в PDF, CSV и Word") << QStringList();
    QTest::newRow("file names and paths")
        << QStringLiteral("Файл /tmp/record/save.txt и record-12.bin, C:\\Record\\x, *.pdf") << QStringList();
    QTest::newRow("certificate quoted") << QStringLiteral("Заключение «SART PASSED TESTS»") << QStringList();
    QTest::newRow("record data") << QStringLiteral("MV Baltic Dawn, SART-20, PETROV") << QStringList();
    QTest::newRow("inside a word") << QStringLiteral("ttyS0, A4, record2") << QStringList();
}

// A word of the program's English is found in a Russian text, however it is
// written; file names, record data and words English in Russian too are not.
void TestRussianWindows::englishFound()
{
    QFETCH(QString, text);
    QFETCH(QStringList, english);
    const QSet<QString> vocabulary = {"record", "save", "zeta"};
    QCOMPARE(englishIn(text, vocabulary - QSet<QString>{"zeta"}), english);
}

void TestRussianWindows::cutFound_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("narrow");
    for (const char *kind : {"label", "button", "check box", "radio button", "group box", "selector", "menu bar"})
        for (bool narrow : {false, true})
            QTest::addRow("%s, %s", kind, narrow ? "narrow" : "roomy") << QString::fromLatin1(kind) << narrow;
}

// A text wider than its control is found, in each kind of control; the same
// text with room enough is not.
void TestRussianWindows::cutFound()
{
    QFETCH(QString, kind);
    QFETCH(bool, narrow);
    const QString text = QStringLiteral("Дата следующей проверки ответчика");
    QMainWindow window;
    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    QWidget *control = nullptr;
    if (kind == QLatin1String("label"))
        control = new QLabel(text);
    else if (kind == QLatin1String("button"))
        control = new QPushButton(text);
    else if (kind == QLatin1String("check box"))
        control = new QCheckBox(text);
    else if (kind == QLatin1String("radio button"))
        control = new QRadioButton(text);
    else if (kind == QLatin1String("group box"))
        control = new QGroupBox(text);
    else if (kind == QLatin1String("selector")) {
        auto *combo = new QComboBox;
        combo->addItems({QStringLiteral("Да"), text});
        combo->setCurrentIndex(1);
        control = combo;
    }
    if (control) {
        control->setObjectName(QStringLiteral("Tried"));
        layout->addWidget(control);
        if (narrow)
            control->setFixedWidth(60);
    } else {
        for (const char *title : {"&Файл", "Импорт данных", "Экспорт данных", "&Архив", "&Настройки", "Справка"})
            window.menuBar()->addMenu(QString::fromUtf8(title));
        window.menuBar()->setObjectName(QStringLiteral("Tried"));
    }
    window.setCentralWidget(content);
    window.resize(narrow && !control ? 200 : 700, 200);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QStringList found;
    for (const Shown &s : cutTexts(&window))
        found.append(s.widget);
    QCOMPARE(found, narrow ? QStringList{"Tried"} : QStringList());
}

void TestRussianWindows::windows()
{
    QTest::addColumn<int>("opening");
    for (int i = 0; i < openings().size(); ++i)
        QTest::newRow(openings()[i].first) << i;
}

void TestRussianWindows::russianWindows_data()
{
    // Every window is made anew for each row, after this.
    language::install(language::Choice::Russian);
    windows();
}

void TestRussianWindows::walk(Lang lang)
{
    QFETCH(int, opening);
    const QString row = QString::fromLatin1(QTest::currentDataTag());
    // No settings: the main window takes the size of a first start.
    QFile::remove(ProgramSettings::filePath());
    StartDirectory dir;
    fillArchive(dir);
    auto form = startWindow();
    if (opening == 0)
        qInfo("main window at first start: %dx%d on a screen of %dx%d", form->width(), form->height(),
              form->screen()->size().width(), form->screen()->size().height());
    Walk walk(lang, row);
    openings()[opening].second(*form, walk, dir);

    // One line for each finding (a failure's own message is cut short).
    for (const QString &line : walk.english())
        qInfo().noquote() << "ENGLISH\t" + line;
    for (const QString &line : walk.cut())
        qInfo().noquote() << "CUT\t" + line;
    QStringList report = walk.problems();
    if (walk.queued() != 0)
        report.append(QStringLiteral("%1 answers left unused").arg(walk.queued()));
    if (!walk.english().isEmpty())
        report.append(QStringLiteral("%1 texts with English left (ENGLISH lines above: window, widget, text, "
                                     "[words])")
                          .arg(walk.english().size()));
    if (!walk.cut().isEmpty())
        report.append(QStringLiteral("%1 texts cut (CUT lines above: window, widget, text)").arg(walk.cut().size()));
    QVERIFY2(report.isEmpty(), qPrintable(report.join(QStringLiteral("; "))));
}

QTEST_MAIN(TestRussianWindows)
#include "tst_russianwindows.moc"

#include "WindowFixture.h"

#include "FileGrid.h"
#include "SampleRecord.h"
#include "TestSupport.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTest>
#include <QToolButton>

namespace windowtest {

StartDirectory::StartDirectory(bool withArchive)
    : m_previous(QDir::currentPath())
{
    if (!m_dir.isValid())
        qFatal("no temporary directory");
    if (withArchive)
        QDir(m_dir.path()).mkdir(QStringLiteral("bin"));
    QDir::setCurrent(m_dir.path());
}

StartDirectory::~StartDirectory() { QDir::setCurrent(m_previous); }

QString StartDirectory::addRecord(const QString &name, int variant) const
{
    return addFile(name, sample::makeRecord(sample::variant(variant)));
}

QString StartDirectory::addFile(const QString &name, const QByteArray &bytes) const
{
    const QString file = inArchive(name);
    testsupport::writeFile(file, bytes);
    return file;
}

DialogDriver::DialogDriver()
{
    connect(&m_timer, &QTimer::timeout, this, &DialogDriver::poll);
    m_timer.start(5);
}

void DialogDriver::answer(QMessageBox::StandardButton button)
{
    m_answers.push_back({QStringLiteral("box"), true, {}, button});
}

void DialogDriver::answerInput(const QString &text) { m_answers.push_back({QStringLiteral("input"), true, text}); }
void DialogDriver::cancelInput() { m_answers.push_back({QStringLiteral("input"), false}); }
void DialogDriver::chooseFile(const QString &path) { m_answers.push_back({QStringLiteral("file"), true, path}); }
void DialogDriver::cancelFile() { m_answers.push_back({QStringLiteral("file"), false}); }
void DialogDriver::closeWindow(const QString &className) { m_answers.push_back({className, false}); }

QStringList DialogDriver::takeErrors()
{
    QStringList texts;
    for (const SeenDialog &d : std::as_const(m_seen))
        if (d.kind == QLatin1String("box") && d.icon == QMessageBox::Critical)
            texts.append(d.text);
    m_seen.clear();
    return texts;
}

QList<SeenDialog> DialogDriver::takeSeen() { return std::exchange(m_seen, {}); }

bool DialogDriver::takeAnswer(const QString &kind, Answer &answer)
{
    if (m_answers.empty() || m_answers.front().kind != kind)
        return false;
    answer = m_answers.front();
    m_answers.pop_front();
    return true;
}

void DialogDriver::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (m_paused || !modal || !modal->isVisible())
        return;
    SeenDialog seen;
    seen.objectName = modal->objectName();
    seen.title = modal->windowTitle();
    Answer answer;

    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        seen.kind = QStringLiteral("box");
        seen.text = box->text();
        seen.icon = box->icon();
        for (QAbstractButton *b : box->buttons())
            seen.buttons.append(b->text().remove(u'&'));
        if (box->defaultButton())
            seen.defaultButton = box->defaultButton()->text().remove(u'&');
        m_seen.append(seen);
        if (box->buttons().size() == 1)
            box->buttons().constFirst()->click();
        else if (takeAnswer(seen.kind, answer) && box->button(answer.button))
            box->button(answer.button)->click();
        else {
            m_unexpected.append(QStringLiteral("question: ") + seen.text);
            box->reject();
        }
    } else if (auto *input = qobject_cast<QInputDialog *>(modal)) {
        seen.kind = QStringLiteral("input");
        seen.text = input->labelText();
        seen.value = input->textValue();
        m_seen.append(seen);
        const bool answered = takeAnswer(seen.kind, answer);
        if (!answered)
            m_unexpected.append(QStringLiteral("input dialog"));
        if (answered && answer.accept) {
            input->setTextValue(answer.text);
            input->accept();
        } else {
            input->reject();
        }
    } else if (auto *files = qobject_cast<QFileDialog *>(modal)) {
        seen.kind = QStringLiteral("file");
        seen.value = files->nameFilters().join(u';');
        seen.text = files->selectedFiles().value(0);  // the folder and name it offers
        m_seen.append(seen);
        const bool answered = takeAnswer(seen.kind, answer);
        if (!answered)
            m_unexpected.append(QStringLiteral("file dialog"));
        if (answered && answer.accept) {
            files->selectFile(answer.text);
            static_cast<QDialog *>(files)->accept();  // QFileDialog::accept checks the name
        } else {
            files->reject();
        }
    } else {
        seen.kind = QString::fromLatin1(modal->metaObject()->className());
        m_seen.append(seen);
        if (!takeAnswer(seen.kind, answer))
            m_unexpected.append(seen.kind);
        modal->close();
    }
}

void WindowTestCase::init() { m_dialogs = std::make_unique<DialogDriver>(); }

void WindowTestCase::cleanup()
{
    const std::unique_ptr<DialogDriver> dialogs = std::move(m_dialogs);
    QVERIFY2(dialogs->unexpected().isEmpty(), qPrintable(dialogs->unexpected().join(u'\n')));
    QCOMPARE(dialogs->queued(), 0);
}

void waitForStartUp(TForm1 &form)
{
    if (!QTest::qWaitForWindowExposed(&form))
        qWarning("main window not exposed");
    // Timer2 fires 10 ms after creation; its handler has ended once the timer
    // is off and the events have been processed.
    if (!QTest::qWaitFor([&] { return !form.Timer2->isActive(); }, 5000))
        qWarning("the start-up timer did not fire");
    // A large archive's dates are read after the window shows: the listing ends first.
    if (!QTest::qWaitFor([&] { return !form.navigation().isListing(); }, 60000))
        qWarning("the start-up listing did not end");
    QTest::qWait(20);
}

std::unique_ptr<TForm1> startWindow()
{
    auto form = std::make_unique<TForm1>();
    form->show();
    waitForStartUp(*form);
    return form;
}

QAction *action(TForm1 &form, const QString &name) { return child<QAction>(&form, name); }
QString labelText(TForm1 &form, const QString &name) { return child<QLabel>(&form, name)->text(); }
QString editText(TForm1 &form, const QString &name) { return child<QLineEdit>(&form, name)->text(); }
void setEdit(TForm1 &form, const QString &name, const QString &text) { child<QLineEdit>(&form, name)->setText(text); }

QStringList listedNames(TForm1 &form)
{
    QStringList names;
    const FileTable &table = form.navigation().table();
    for (int row = 1; table.isListed(row); ++row)
        names.append(table.fileName(row));
    return names;
}

QString powerOf(int variant) { return QString::number(sample::variant(variant).automatic.powerMw); }
QString shownPower(TForm1 &form) { return labelText(form, QStringLiteral("Label12")); }
QString engineerOf(int variant) { return QString::fromLatin1(sample::variant(variant).testerEngineer); }

void clickRow(TForm1 &form, int tableRow, Qt::MouseButton button)
{
    FileGrid *grid = form.grid();
    if (tableRow == 0) {
        QHeaderView *header = grid->horizontalHeader();
        const QPoint pos(header->sectionViewportPosition(1) + 20, header->height() / 2);
        QTest::mouseClick(header->viewport(), button, {}, pos);
        return;
    }
    const QModelIndex index = grid->model()->index(tableRow - 1, 1);
    grid->scrollTo(index);
    QTest::mouseClick(grid->viewport(), button, {}, grid->visualRect(index).center());
}

void pressKey(TForm1 &form, Qt::Key key)
{
    form.grid()->setFocus();
    QTest::keyClick(form.grid(), key);
}

bool popupCommand(TForm1 &form, int tableRow, const QString &item)
{
    clickRow(form, tableRow, Qt::RightButton);
    auto *menu = child<QMenu>(&form, QStringLiteral("PopupMenu1"));
    if (!QTest::qWaitFor([menu] { return menu->isVisible(); }, 1000))
        return false;
    for (QAction *a : menu->actions()) {
        if (a->text() == item) {
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
            return true;
        }
    }
    menu->hide();
    return false;
}

void clickTool(TForm1 &form, const QString &name) { child<QToolButton>(&form, name)->click(); }

void chooseConclusion(TForm1 &form, int index)
{
    auto *conclusions = child<QComboBox>(&form, QStringLiteral("ComboBox5"));
    conclusions->setCurrentIndex(index);
    emit conclusions->activated(index);
}

QList<int> highlightedRows(TForm1 &form)
{
    QList<int> rows;
    for (const QModelIndex &index : form.grid()->selectionModel()->selectedRows())
        rows.append(index.row() + 1);
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::unique_ptr<QTimer> printNextPreviewInto(DialogDriver &dialogs, QPrinter &printer, const QString &path)
{
    auto timer = std::make_unique<QTimer>();
    QTimer *step = timer.get();
    dialogs.setPaused(true);
    QObject::connect(step, &QTimer::timeout, step, [step, &dialogs, &printer, path] {
        auto *preview = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
        if (!preview)
            return;
        step->stop();
        printer.setOutputFileName(path);
        preview->findChild<QPrintPreviewWidget *>()->print();
        preview->accept();
        dialogs.setPaused(false);
    });
    step->start(5);
    return timer;
}

} // namespace windowtest

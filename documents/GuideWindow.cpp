#include "GuideWindow.h"

#include "ErrorBox.h"
#include "Language.h"
#include "ReportPrinter.h"

#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

// Reacts to Enter in the find field: the next place, with Shift the previous.
class EnterKeys : public QObject
{
public:
    EnterKeys(GuideWindow &window) : QObject(&window), m_window(window) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return QObject::eventFilter(watched, event);
        m_window.findNext(key->modifiers().testFlag(Qt::ShiftModifier));
        return true;
    }

private:
    GuideWindow &m_window;
};

} // namespace

GuideWindow::GuideWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("GuideWindow"));
    setWindowTitle(tr("User guide - %1").arg(programTitle()));

    auto *findLabel = new QLabel(tr("F&ind:"), this);
    m_find = new QLineEdit(this);
    m_find->setObjectName(QStringLiteral("GuideFind"));
    m_find->setPlaceholderText(tr("a word or phrase; Enter finds the next"));
    m_find->setClearButtonEnabled(true);
    m_find->installEventFilter(new EnterKeys(*this));
    findLabel->setBuddy(m_find);
    auto *next = new QPushButton(tr("&Next"), this);
    next->setObjectName(QStringLiteral("GuideNext"));
    auto *previous = new QPushButton(tr("P&revious"), this);
    previous->setObjectName(QStringLiteral("GuidePrevious"));
    m_findStatus = new QLabel(this);
    m_findStatus->setObjectName(QStringLiteral("GuideFindStatus"));
    auto *printButton = new QPushButton(tr("&Print..."), this);
    printButton->setObjectName(QStringLiteral("GuidePrint"));
    auto *closeButton = new QPushButton(tr("&Close"), this);
    closeButton->setObjectName(QStringLiteral("GuideClose"));
    for (QPushButton *button : {next, previous, printButton, closeButton})
        button->setAutoDefault(false);

    auto *bar = new QHBoxLayout;
    bar->addWidget(findLabel);
    bar->addWidget(m_find, 1);
    bar->addWidget(next);
    bar->addWidget(previous);
    bar->addWidget(m_findStatus, 1);
    bar->addWidget(printButton);
    bar->addWidget(closeButton);

    m_contents = new QListWidget(this);
    m_contents->setObjectName(QStringLiteral("GuideContents"));
    m_text = new QTextBrowser(this);
    m_text->setObjectName(QStringLiteral("GuideText"));
    m_text->setOpenExternalLinks(true);
    m_text->setMarkdown(markdown());
    fillContents();

    auto *splitter = new QSplitter(this);
    splitter->addWidget(m_contents);
    splitter->addWidget(m_text);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({280, 700});

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(splitter, 1);

    connect(next, &QPushButton::clicked, this, [this] { findNext(); });
    connect(previous, &QPushButton::clicked, this, [this] { findNext(true); });
    // Typing narrows from where the last match began.
    connect(m_find, &QLineEdit::textEdited, this, [this] {
        QTextCursor cursor = m_text->textCursor();
        cursor.setPosition(cursor.selectionStart());
        m_text->setTextCursor(cursor);
        findNext();
    });
    connect(printButton, &QPushButton::clicked, this, [this] { guarded(this, [this] { print(); }); });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(m_contents, &QListWidget::currentRowChanged, this, &GuideWindow::showSection);

    auto shortcut = [this](const QKeySequence &keys, auto slot) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence::Find, [this] {
        m_find->setFocus();
        m_find->selectAll();
    });
    shortcut(QKeySequence::FindNext, [this] { findNext(); });
    shortcut(QKeySequence::FindPrevious, [this] { findNext(true); });
    shortcut(QKeySequence::Print, [this] { guarded(this, [this] { print(); }); });
    shortcut(QKeySequence(Qt::Key_Escape), [this] { close(); });
}

QString GuideWindow::markdown()
{
    // The guide in the interface's language (the English one otherwise).
    QFile file(language::shown() == QLatin1String("ru") ? QStringLiteral(":/guide/user-guide.ru.md")
                                                        : QStringLiteral(":/guide/user-guide.md"));
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
}

void GuideWindow::showGuide()
{
    if (!isVisible()) {
        // Most of the screen's height, beside the main window where it fits.
        const QRect screen = (parentWidget() ? parentWidget()->screen() : this->screen())->availableGeometry();
        resize(std::min(980, screen.width()), std::min(screen.height() * 9 / 10, 860));
        move(screen.left() + (screen.width() - width()) / 2, screen.top() + (screen.height() - height()) / 2);
    }
    show();
    raise();
    activateWindow();
    m_text->setFocus();
}

bool GuideWindow::findNext(bool backward)
{
    const QString wanted = m_find->text();
    if (wanted.isEmpty()) {
        m_findStatus->clear();
        return false;
    }
    const QTextDocument::FindFlags flags = backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    bool found = m_text->find(wanted, flags);
    if (!found) {
        QTextCursor cursor(m_text->document());
        cursor.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
        m_text->setTextCursor(cursor);
        found = m_text->find(wanted, flags);
    }
    m_findStatus->setText(found ? QString() : tr("Not found"));
    if (found) {
        // The place found stands a third of the way down, with what leads to it above.
        QScrollBar *bar = m_text->verticalScrollBar();
        bar->setValue(bar->value() + m_text->cursorRect().top() - m_text->viewport()->height() / 3);
    }
    return found;
}

void GuideWindow::print()
{
    printing::previewDocument(this, tr("The user guide"),
                              [this](QPrinter &printer) { m_text->document()->print(&printer); });
}

// The sections and their subsections, as the guide's headings name them.
void GuideWindow::fillContents()
{
    for (QTextBlock block = m_text->document()->begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level != 2 && level != 3)
            continue;
        auto *item = new QListWidgetItem(level == 3 ? QStringLiteral("    ") + block.text() : block.text());
        item->setData(Qt::UserRole, block.position());
        m_contents->addItem(item);
    }
}

// Shows a section's heading at the top of the text.
void GuideWindow::showSection(int row)
{
    if (row < 0)
        return;
    QTextCursor cursor(m_text->document());
    cursor.movePosition(QTextCursor::End);
    m_text->setTextCursor(cursor);
    m_text->ensureCursorVisible();
    cursor.setPosition(m_contents->item(row)->data(Qt::UserRole).toInt());
    m_text->setTextCursor(cursor);
    m_text->ensureCursorVisible();
}

#include "Unit3.h"

#include "ErrorBox.h"
#include "HelpText.h"
#include "Unit6.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextCursor>
#include <QVBoxLayout>

TForm3::TForm3(QWidget *parent)
    : QDialog(parent),
      Panel1(new QFrame(this)),
      Button1(new QPushButton(tr("Print"), Panel1)),
      BitBtn1(new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), tr("&Close"), Panel1)),
      Memo1(new QPlainTextEdit(this)),
      QuickReport6(new TQuickReport6(this))
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Form3"));
    setSizeGripEnabled(true);
    QFont formFont(QStringLiteral("MS Sans Serif"));
    formFont.setPixelSize(10);
    setFont(formFont);

    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setFixedHeight(57);
    Button1->setObjectName(QStringLiteral("Button1"));
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    for (QPushButton *button : {Button1, BitBtn1}) {
        button->setAutoDefault(false);
        button->setMinimumSize(75, 25);
    }
    auto *buttons = new QHBoxLayout(Panel1);
    buttons->setContentsMargins(16, 0, 16, 0);
    buttons->setSpacing(16);
    buttons->addWidget(Button1);
    buttons->addWidget(BitBtn1);
    buttons->addStretch();

    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab stops every eight average characters, as the drawing of the cable
    // expects.
    Memo1->setTabStopDistance(8 * Memo1->fontMetrics().averageCharWidth());
    Memo1->setPlainText(help::windowLines().join(u'\n'));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel1);
    layout->addWidget(Memo1);

    resize(640, 480);

    connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm3::BitBtn1Click);
}

void TForm3::showEvent(QShowEvent *event)
{
    // Every opening is maximized and starts at the first line.
    if (!isMaximized()) {
        setGeometry(screen()->availableGeometry());
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    Memo1->moveCursor(QTextCursor::Start);
    Memo1->ensureCursorVisible();
    QDialog::showEvent(event);
}

void TForm3::Button1Click()
{
    guarded(this, [this] { QuickReport6->preview(this); });
}

void TForm3::BitBtn1Click()
{
    guarded(this, [this] { close(); });
}

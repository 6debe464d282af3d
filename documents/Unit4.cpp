#include "Unit4.h"

#include "ErrorBox.h"
#include "Logo.h"

#include <QDesktopServices>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QColor LinkColor(0, 0, 255);
const QColor HoverColor(255, 255, 0);
const QColor MailColor(255, 0, 255);

QLabel *makeLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QFont labelFont(const QString &family, int points, bool underline = false)
{
    QFont f(family);
    f.setPointSize(points);
    f.setUnderline(underline);
    return f;
}

void setTextColor(QLabel *label, const QColor &color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

} // namespace

TForm4::TForm4(QWidget *parent)
    : QDialog(parent),
      Panel1(new QFrame(this)),
      Label1(makeLabel(QStringLiteral("Label1"), tr("SART Tester Software 1.0"), Panel1)),
      Image2(makeLabel(QStringLiteral("Image2"), QString(), Panel1)),
      Label3(makeLabel(QStringLiteral("Label3"),
                       tr("Copyright © 2004–2026 Marine Test Instruments. All rights reserved."),
                       Panel1)),
      Label4(makeLabel(QStringLiteral("Label4"), QStringLiteral("Marine Test Instruments"), Panel1)),
      Label5(makeLabel(QStringLiteral("Label5"), tr("WEB:"), Panel1)),
      Label2(makeLabel(QStringLiteral("Label2"), QStringLiteral("www.example.com"), Panel1)),
      Label6(makeLabel(QStringLiteral("Label6"), tr("e-mail:"), Panel1)),
      Label7(makeLabel(QStringLiteral("Label7"), QStringLiteral("service@example.com"), Panel1)),
      Label8(makeLabel(QStringLiteral("Label8"), QStringLiteral("sales@example.com"), Panel1)),
      BitBtn1(new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), tr("OK"), Panel1))
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(programTitle());
    QFont formFont(QStringLiteral("MS Sans Serif"));
    formFont.setPointSize(8);
    setFont(formFont);

    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setMouseTracking(true);
    Panel1->installEventFilter(this);

    Label1->setFont(labelFont(QStringLiteral("MS Sans Serif"), 12));
    Image2->setPixmap(QPixmap::fromImage(makeLogo()));
    Image2->setScaledContents(true);
    Image2->setFixedSize(81, 65);
    Label5->setFont(labelFont(QStringLiteral("Arial"), 14));
    Label6->setFont(labelFont(QStringLiteral("Arial"), 14));
    Label2->setFont(labelFont(QStringLiteral("Arial"), 12, true));
    setTextColor(Label2, LinkColor);
    Label2->setMouseTracking(true);
    Label2->installEventFilter(this);
    for (QLabel *mail : {Label7, Label8}) {
        mail->setFont(labelFont(QStringLiteral("Arial"), 12, true));
        setTextColor(mail, MailColor);
    }
    for (QLabel *link : {Label2, Label7, Label8})
        link->setCursor(Qt::PointingHandCursor);

    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn1->setMinimumSize(75, 25);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    auto *grid = new QGridLayout(Panel1);
    grid->setContentsMargins(12, 12, 12, 12);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    grid->addWidget(Label1, 0, 0, 1, 2, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(Image2, 0, 2, 3, 1, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(Label3, 1, 0, 1, 2, Qt::AlignLeft);
    grid->addWidget(Label4, 2, 0, 1, 2, Qt::AlignLeft);
    grid->setRowMinimumHeight(3, 8);
    grid->addWidget(Label5, 4, 0, Qt::AlignLeft);
    grid->addWidget(Label2, 4, 1, 1, 2, Qt::AlignLeft);
    grid->addWidget(Label6, 5, 0, Qt::AlignLeft);
    grid->addWidget(Label7, 5, 1, 1, 2, Qt::AlignLeft);
    grid->addWidget(Label8, 6, 1, 1, 2, Qt::AlignLeft);
    grid->setRowMinimumHeight(7, 8);
    grid->addWidget(BitBtn1, 8, 0, 1, 3, Qt::AlignHCenter);
    grid->setColumnStretch(1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Panel1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool TForm4::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Label2) {
        switch (event->type()) {
        case QEvent::MouseMove:
            Label2MouseMove();
            return true;
        case QEvent::MouseButtonPress:
            m_linkPressed = static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
            Label2MouseDown();
            return true;
        case QEvent::MouseButtonRelease: {
            // A click is a left press and release both on the address.
            const auto *mouse = static_cast<QMouseEvent *>(event);
            const bool click = m_linkPressed && mouse->button() == Qt::LeftButton
                               && Label2->rect().contains(mouse->position().toPoint());
            m_linkPressed = false;
            Label2MouseUp();
            if (click)
                Label2Click();
            return true;
        }
        default:
            break;
        }
    } else if (watched == Panel1 && event->type() == QEvent::MouseMove) {
        Panel1MouseMove();
    }
    return QDialog::eventFilter(watched, event);
}

void TForm4::setLinkColor(const QColor &color)
{
    setTextColor(Label2, color);
}

void TForm4::Label2MouseMove()
{
    guarded(this, [this] { setLinkColor(HoverColor); });
}

void TForm4::Label2MouseDown()
{
    guarded(this, [this] { setLinkColor(LinkColor); });
}

void TForm4::Label2MouseUp()
{
    guarded(this, [this] { setLinkColor(LinkColor); });
}

void TForm4::Label2Click()
{
    guarded(this, [this] { QDesktopServices::openUrl(QUrl::fromUserInput(Label2->text().left(255))); });
}

// Reached only over the bare panel: the labels and the button keep plain
// pointer moves to themselves.
void TForm4::Panel1MouseMove()
{
    guarded(this, [this] { setLinkColor(LinkColor); });
}

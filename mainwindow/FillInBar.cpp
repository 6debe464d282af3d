#include "FillInBar.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

FillInBar::FillInBar(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("FillInOffer"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(226, 238, 255));  // a pale blue: an offer, not a warning
    setPalette(p);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 3, 6, 3);
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("FillInText"));
    m_text->setWordWrap(true);
    layout->addWidget(m_text, 1);
    m_use = new QPushButton(tr("&Use these values"), this);
    m_use->setObjectName(QStringLiteral("FillInUse"));
    m_use->setFocusPolicy(Qt::TabFocus);
    auto *dismiss = new QPushButton(tr("Dismiss"), this);
    dismiss->setObjectName(QStringLiteral("FillInDismiss"));
    dismiss->setFocusPolicy(Qt::TabFocus);
    dismiss->setToolTip(tr("Escape"));
    layout->addWidget(m_use);
    layout->addWidget(dismiss);

    connect(m_use, &QPushButton::clicked, this, [this] {
        if (auto offered = std::exchange(m_offered, std::nullopt)) {
            hide();
            emit accepted(*offered);
        }
    });
    auto dismissOffer = [this] {
        if (auto offered = std::exchange(m_offered, std::nullopt)) {
            hide();
            emit dismissed(offered->manufacturerNo);
        }
    };
    connect(dismiss, &QPushButton::clicked, this, dismissOffer);
    // Escape anywhere in the window while the offer is shown.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, [dismissOffer] {
        // A list open over the window (the numbers the archive knows) closes
        // first, as Escape closes it anywhere.
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
        else
            dismissOffer();
    });
    hide();
}

void FillInBar::offer(const certificate::FillIn &fillIn)
{
    m_offered = fillIn;
    m_text->setText(certificate::offerText(fillIn));
    show();
}

void FillInBar::withdraw()
{
    m_offered.reset();
    hide();
}

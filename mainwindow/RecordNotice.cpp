#include "RecordNotice.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QWidget *line(QWidget *parent, QLabel *label, std::initializer_list<QPushButton *> buttons)
{
    auto *w = new QWidget(parent);
    auto *layout = new QHBoxLayout(w);
    layout->setContentsMargins(0, 0, 0, 0);
    label->setWordWrap(true);
    layout->addWidget(label, 1);
    for (QPushButton *b : buttons) {
        b->setAutoDefault(false);
        layout->addWidget(b);
    }
    return w;
}

QPushButton *button(const QString &name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

} // namespace

RecordNotice::RecordNotice(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("RecordNotice"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(255, 244, 200));
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);

    m_stale = new QLabel(this);
    m_stale->setObjectName(QStringLiteral("StaleText"));
    m_showAgain = button(QStringLiteral("ShowAgainButton"), RecordNotice::tr("&Show it as it is now"), this);
    m_staleLine = line(this, m_stale, {m_showAgain});

    m_typed = new QLabel(this);
    m_typed->setObjectName(QStringLiteral("TypedText"));
    QPushButton *reapply = button(QStringLiteral("ReapplyButton"), RecordNotice::tr("&Re-apply typed values"), this);
    QPushButton *discard = button(QStringLiteral("DiscardTypedButton"), RecordNotice::tr("Discard them"), this);
    m_typedLine = line(this, m_typed, {reapply, discard});

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 3, 6, 3);
    layout->addWidget(m_staleLine);
    layout->addWidget(m_typedLine);

    connect(m_showAgain, &QPushButton::clicked, this, &RecordNotice::showAgainRequested);
    connect(reapply, &QPushButton::clicked, this, &RecordNotice::reapplyRequested);
    connect(discard, &QPushButton::clicked, this, &RecordNotice::discardRequested);
    m_staleLine->hide();
    m_typedLine->hide();
    hide();
}

void RecordNotice::setStale(const QString &text, bool canShowAgain)
{
    m_stale->setText(text);
    m_showAgain->setVisible(canShowAgain);
    m_staleLine->setVisible(!text.isEmpty());
    updateVisibility();
}

void RecordNotice::offerTypedValues(const QString &recordName)
{
    m_typed->setText(tr("The values typed for the record %1 before it was shown again are kept.")
                         .arg(recordName));
    m_typedLine->show();
    updateVisibility();
}

void RecordNotice::clearTypedValues()
{
    m_typedLine->hide();
    updateVisibility();
}

QString RecordNotice::staleText() const { return m_staleLine->isVisibleTo(this) ? m_stale->text() : QString(); }
bool RecordNotice::offersTypedValues() const { return m_typedLine->isVisibleTo(this); }

void RecordNotice::updateVisibility()
{
    setVisible(m_staleLine->isVisibleTo(this) || m_typedLine->isVisibleTo(this));
}

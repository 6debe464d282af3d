#include "PanelMarks.h"

#include "Marks.h"
#include "PanelControls.h"

#include <QLabel>
#include <QVBoxLayout>

PanelMarks::PanelMarks(QWidget *panel, QVBoxLayout *below)
    : m_panel(panel)
{
    // Long lines wrap rather than widen the panel.
    m_limitsLine = new QLabel(panel);
    m_limitsLine->setObjectName(QStringLiteral("LimitsLine"));
    m_limitsLine->setWordWrap(true);
    m_goneLine = new QLabel(panel);
    m_goneLine->setObjectName(QStringLiteral("RecordGoneLine"));
    m_goneLine->setWordWrap(true);
    panelcontrols::emphasise(m_goneLine);
    QPalette warning = m_goneLine->palette();
    warning.setColor(QPalette::WindowText, QColor(176, 0, 0));
    m_goneLine->setPalette(warning);
    m_goneLine->hide();
    m_lastIssuedLine = new QLabel(panel);
    m_lastIssuedLine->setObjectName(QStringLiteral("LastIssuedLine"));
    m_lastIssuedLine->setWordWrap(true);
    m_lastIssuedLine->hide();
    below->addWidget(m_limitsLine);
    below->addWidget(m_lastIssuedLine);
    below->addWidget(m_goneLine);
}

QString PanelMarks::notOwnTip(NotOwn notOwn, const QString &shown, const QString &source)
{
    // One whole sentence for each case, as translations need them.
    if (notOwn == NotRead)
        return source.isEmpty()
                   ? tr("Not read from the record %1: this value was in the panel before any record was shown.")
                         .arg(shown)
                   : tr("Not read from the record %1: carried over from the record %2.").arg(shown, source);
    return source.isEmpty()
               ? tr("Not chosen for the record %1: this conclusion was in the panel before any record was shown.")
                     .arg(shown)
               : tr("Not chosen for the record %1: carried over from the record %2.").arg(shown, source);
}

void PanelMarks::setNotOwn(QWidget *w, const char *property, const QString &tip)
{
    if (tip.isEmpty())
        m_notOwnTip.remove(w);
    else
        m_notOwnTip[w] = tip;
    w->setProperty(property, !tip.isEmpty());
    update(w);
}

void PanelMarks::setJudged(const QList<QWidget *> &controls, const QHash<QWidget *, limits::Judgement> &judged,
                           const QList<limits::Judgement> &outside, bool recordShown)
{
    m_judged = judged;
    for (QWidget *w : controls)
        update(w);
    m_limitsLine->setText(recordShown ? limits::summary(outside) : QString());
    QPalette p = m_limitsLine->palette();
    p.setColor(QPalette::WindowText,
               outside.isEmpty() ? m_panel->palette().color(QPalette::WindowText) : QColor(176, 0, 0));
    m_limitsLine->setPalette(p);
}

void PanelMarks::update(QWidget *w)
{
    const auto judged = m_judged.constFind(w);
    const bool isJudged = judged != m_judged.constEnd();
    const bool outside = isJudged && judged->outside;
    const bool notOwn = m_notOwnTip.contains(w);
    // A value label shows its mark behind its text, a box in its field.
    const bool label = qobject_cast<QLabel *>(w) != nullptr;
    QPalette p;
    if (outside || notOwn)
        p.setColor(label ? QPalette::Window : QPalette::Base, outside ? OutsideLimitBackground : CarriedBackground);
    w->setPalette(p);
    if (label)
        w->setAutoFillBackground(outside);
    QStringList tips;
    if (notOwn)
        tips.append(m_notOwnTip.value(w));
    if (isJudged) {
        tips.append(judged->description());
        w->setProperty("outsideLimit", outside);
    } else if (w->property("outsideLimit").isValid()) {
        w->setProperty("outsideLimit", false);
    }
    w->setToolTip(tips.join(QStringLiteral("\n\n")));
}

void PanelMarks::setLastIssued(const QString &text)
{
    m_lastIssuedLine->setText(text);
    m_lastIssuedLine->setVisible(!text.isEmpty());
}

void PanelMarks::setRecordGone(const QString &text, bool gone)
{
    m_goneLine->setText(text);
    m_goneLine->setVisible(gone);
}

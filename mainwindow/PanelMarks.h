#pragma once

#include "SartLimits.h"

#include <QCoreApplication>
#include <QHash>
#include <QString>

class QLabel;
class QVBoxLayout;
class QWidget;

// The marks the record view panel puts on its controls and the lines below
// its columns. A value that is not the record shown's own (carried over, a
// testing date not the record's) gets a background and a tooltip saying why;
// a value the limits of the SART standard judge gets a tooltip with its limit
// and the dynamic property "outsideLimit", and another colour when outside.
// The lines say how many values are outside, the certificate last issued for
// the record and that its file is gone.
class PanelMarks
{
    Q_DECLARE_TR_FUNCTIONS(PanelMarks)

public:
    // Makes the three lines in `panel` and adds them to `below`.
    PanelMarks(QWidget *panel, QVBoxLayout *below);

    // Why `w`'s value is not the record shown's own, with the dynamic
    // property set to true; an empty tip takes the mark away.
    void setNotOwn(QWidget *w, const char *property, const QString &tip);
    // A value not read from the record shown, or a conclusion not chosen for it.
    enum NotOwn { NotRead, NotChosen };
    // "Not read from the record b.bin: carried over from the record a.bin."
    // An empty source: the value was in the panel before any record was shown.
    static QString notOwnTip(NotOwn notOwn, const QString &shown, const QString &source);

    // How the limits judge the values the controls show (`judged`: none
    // when no record is shown), and the line that sums up those outside.
    void setJudged(const QList<QWidget *> &controls, const QHash<QWidget *, limits::Judgement> &judged,
                   const QList<limits::Judgement> &outside, bool recordShown);

    void setLastIssued(const QString &text);
    void setRecordGone(const QString &text, bool gone);

private:
    void update(QWidget *w);

    QWidget *m_panel;
    QHash<QWidget *, QString> m_notOwnTip;
    QHash<QWidget *, limits::Judgement> m_judged;
    QLabel *m_limitsLine;
    QLabel *m_goneLine;
    QLabel *m_lastIssuedLine;
};

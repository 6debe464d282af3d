#pragma once

#include <QObject>
#include <QString>

class FillInBar;
class Finder;
class Navigation;
class RecordPanel;

// The offer to fill in a SART's data from its latest record: a manufacturer's
// number typed in the panel (or picked from the numbers the archive knows)
// brings the offer of that SART's latest record, shown in the bar below the
// panel until it is accepted or dismissed.
class FillInOffer : public QObject
{
    Q_OBJECT

public:
    FillInOffer(QObject *parent, RecordPanel *panel, FillInBar *bar, Navigation &navigation, Finder *finder);

    // A record was read into the panel: no offer stands for it.
    void recordShown();

private:
    void offer();

    RecordPanel *m_panel;
    FillInBar *m_bar;
    Navigation &m_navigation;
    Finder *m_finder;
    QString m_dismissed;  // the number whose offer was dismissed for the record shown
};

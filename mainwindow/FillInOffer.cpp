#include "FillInOffer.h"

#include "FillIn.h"
#include "FillInBar.h"
#include "Finder.h"
#include "Navigation.h"
#include "RecordPanel.h"

#include <QCompleter>
#include <QFileInfo>
#include <QLineEdit>
#include <QStringListModel>
#include <QTimer>

FillInOffer::FillInOffer(QObject *parent, RecordPanel *panel, FillInBar *bar, Navigation &navigation, Finder *finder)
    : QObject(parent)
    , m_panel(panel)
    , m_bar(bar)
    , m_navigation(navigation)
    , m_finder(finder)
{
    auto *number = panel->findChild<QLineEdit *>(QStringLiteral("Edit9"));
    auto *numbers = new QStringListModel(this);
    auto *completer = new QCompleter(numbers, number);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    number->setCompleter(completer);
    connect(&finder->index(), &archive::ArchiveIndex::changed, this, [this, numbers] {
        QStringList known;
        for (const archive::IndexEntry &e : m_finder->index().entries())
            if (e.headerSaved && !e.manufacturerNo.trimmed().isEmpty() && !known.contains(e.manufacturerNo.trimmed()))
                known.append(e.manufacturerNo.trimmed());
        known.sort(Qt::CaseInsensitive);
        numbers->setStringList(known);
    });
    auto *typing = new QTimer(this);
    typing->setSingleShot(true);
    typing->setInterval(400);
    connect(typing, &QTimer::timeout, this, &FillInOffer::offer);
    connect(number, &QLineEdit::textEdited, typing, qOverload<>(&QTimer::start));
    connect(number, &QLineEdit::editingFinished, this, &FillInOffer::offer);
    connect(completer, qOverload<const QString &>(&QCompleter::activated), this, &FillInOffer::offer);
    connect(bar, &FillInBar::accepted, this, [this](const certificate::FillIn &fillIn) {
        // The engineer's own choice: typed values of the record shown, not
        // carried over, saved with Save changes.
        m_panel->fillIn(fillIn.values);
    });
    connect(bar, &FillInBar::dismissed, this, [this](const QString &number) { m_dismissed = number; });
}

void FillInOffer::recordShown()
{
    m_bar->withdraw();
    m_dismissed.clear();
}

void FillInOffer::offer()
{
    const QString number = m_panel->values().manufacturerNo.trimmed();
    const QString shown = QFileInfo(m_navigation.shownPath()).fileName();
    std::optional<certificate::FillIn> latest;
    if (!shown.isEmpty() && !number.isEmpty() && number.compare(m_dismissed.trimmed(), Qt::CaseInsensitive) != 0)
        latest = certificate::latestRecordOf(m_finder->index().entries(), number, shown);
    // Nothing to offer when the panel holds those values already.
    if (latest && !m_panel->wouldChange(latest->values))
        latest.reset();
    if (latest)
        m_bar->offer(*latest);
    else
        m_bar->withdraw();
}

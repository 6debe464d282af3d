#include "ReportContent.h"

#include "Language.h"

#include <QLocale>

namespace report {

const QStringList &captionLines()
{
    static const QStringList lines = {
        QStringLiteral("SART MODEL:"),
        QString(),
        QStringLiteral("MANUFACTURER \u2116:"),
        QString(),
        QStringLiteral("VESSEL NAME:"),
        QString(),
        QStringLiteral("SART TECHNICAL CHARACTERISTICS"),
        QStringLiteral("Frequency High, GHz"),
        QStringLiteral("Frequency Low, GHz"),
        QStringLiteral("Emitted Power, mW"),
        QStringLiteral("Emitted signal duration, mks"),
        QStringLiteral("Number of frequency tunings in signal"),
        QString(),
        QStringLiteral("SART TESTER SETUP"),
        QStringLiteral("Frequency repetition, Hz"),
        QStringLiteral("Testing mode"),
        QStringLiteral("Tester emitted signal duration, mks"),
        QString(),
        QStringLiteral("SART VISUAL CHARACTERISTICS"),
        QStringLiteral("Stand by"),
        QStringLiteral("Led"),
        QStringLiteral("Sound beeper"),
        QString(),
        QStringLiteral("DATE OF BAT. REPLACE"),
        QString(),
        QStringLiteral("NEXT TESTING DATE"),
        QString(),
        QStringLiteral("TESTING DATE"),
        QString(),
        QStringLiteral("SERVICE CENTER"),
        QStringLiteral("Name"),
        QStringLiteral("Address"),
        QStringLiteral("Tel"),
        QStringLiteral("Fax"),
        QString(),
        QStringLiteral("RADIOENGINEER"),
    };
    return lines;
}

static QString shortDate(const QDate &date)
{
    // As the regional settings write it, whatever the interface shows.
    return language::regionalLocale().toString(date, QLocale::ShortFormat);
}

QStringList valueLines(const RecordHeader &p)
{
    const QString none;
    return {
        p.sartModel, none,
        p.manufacturerNo, none,
        p.vessel, none,
        none,
        language::regionalNumber(p.frequencyHigh), language::regionalNumber(p.frequencyLow),
        p.power, p.signalDuration, p.tunings,
        none,
        none,
        p.repetition, p.testingModeText, p.testerDuration,
        none,
        none,
        p.standByText, p.ledText, p.beeperText,
        none,
        shortDate(p.batteryDate), none,
        shortDate(p.nextTestDate), none,
        shortDate(p.testingDate), none,
        none,
        p.centreName, p.centreAddress, p.centreTel, p.centreFax,
        none,
        p.radioEngineer,
    };
}

QString verdict(int conclusionIndex)
{
    return conclusionIndex == 0 ? Certified : NotCompliant;
}

} // namespace report

ReportContent::ReportContent()
    : m_values(report::LineCount, QString())
{
}

void ReportContent::fill(const RecordHeader &panel)
{
    m_values = report::valueLines(panel);
    m_verdict = report::verdict(panel.verdictIndex);
}

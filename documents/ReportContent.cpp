#include "ReportContent.h"

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
    return QLocale().toString(date, QLocale::ShortFormat);
}

QStringList valueLines(const PanelValues &p)
{
    const QString none;
    return {
        p.edit3, none,
        p.edit9, none,
        p.edit4, none,
        none,
        p.label8, p.label11, p.label12, p.label13, p.label14,
        none,
        none,
        p.label15, p.comboBox4Text, p.label16,
        none,
        none,
        p.comboBox1Text, p.comboBox2Text, p.comboBox3Text,
        none,
        shortDate(p.dateTimePicker3), none,
        shortDate(p.dateTimePicker1), none,
        shortDate(p.dateTimePicker2), none,
        none,
        p.edit5, p.edit6, p.edit7, p.edit8,
        none,
        p.edit1,
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

void ReportContent::fill(const PanelValues &panel)
{
    m_values = report::valueLines(panel);
    m_verdict = report::verdict(panel.comboBox5Index);
}

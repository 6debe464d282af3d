#include "WordReport.h"

#include <QDate>
#include <QLocale>

using namespace Qt::StringLiterals;

namespace wordreport {

QString verdict(int conclusionsIndex)
{
    return conclusionsIndex == 0 ? PassedVerdict : FailedVerdict;
}

QStringList pieces(const PanelValues &v, const QString &numberLine)
{
    const auto value = [](const QString &text) { return text + u'\r'; };
    const auto date = [&](const QDate &d) { return value(QLocale().toString(d, QLocale::ShortFormat)); };

    QStringList pieces = {
        u"\t\t\t\tSART TEST REPORT\r\r\r"_s,
        u"SART MODEL\t\t\t\t\t\t"_s, value(v.edit3),
        u"MANUFACTURER \u2116:\t\t\t\t\t"_s, value(v.edit9),
        u"VESSEL NAME:\t\t\t\t\t\t"_s, value(v.edit4),
        u"SART TECHNICAL CHARACTERISTICS\t\r"_s,
        u"Frequency High, GHz\t\t\t\t\t"_s, value(v.label8),
        u"Frequency Low, GHz\t\t\t\t\t\t"_s, value(v.label11),
        u"Emitted Power, mW\t\t\t\t\t\t"_s, value(v.label12),
        u"Emitted signal duration, mks\t\t\t\t\t"_s, value(v.label13),
        u"Number of frequency tunings in signal\t\t\t"_s, value(v.label14),
        u"SART TESTER SETUP\r"_s,
        u"Frequency repetition, Hz\t\t\t\t\t"_s, value(v.label15),
        u"Testing mode\t\t\t\t\t\t\t"_s, value(v.comboBox4Text),
        u"Tester emitted signal duration, mks\t\t\t\t"_s, value(v.label16),
        u"SART VISUAL CHARACTERISTICS\r"_s,
        u"Stand by\t\t\t\t\t\t\t"_s, value(v.comboBox1Text),
        u"Led\t\t\t\t\t\t\t\t"_s, value(v.comboBox2Text),
        u"Sound beeper\t\t\t\t\t\t\t"_s, value(v.comboBox3Text),
        u"DATE OF BAT. REPLACE\t\t\t\t\t"_s, date(v.dateTimePicker3),
        u"NEXT TESTING DATE\t\t\t\t\t"_s, date(v.dateTimePicker1),
        u"TESTING DATE\t\t\t\t\t\t"_s, date(v.dateTimePicker2),
        u"SERVICE CENTER\r"_s,
        u"Name\t\t\t\t\t\t\t\t"_s, value(v.edit5),
        u"Address\t\t\t\t\t\t\t"_s, value(v.edit6),
        u"Tel\t\t\t\t\t\t\t\t"_s, value(v.edit7),
        u"Fax\t\t\t\t\t\t\t\t"_s, value(v.edit8),
        u"RADIOENGINEER\t\t\t\t\t\t"_s, value(v.edit1),
        u"\r\r\r"_s,
        verdict(v.comboBox5Index),
        u"\r\r\r"_s,
        u"\t\tStamp here\t\t\t\t\t\tSignature"_s,
    };
    if (!numberLine.isEmpty())
        pieces.append(u"\r\r"_s + numberLine);
    return pieces;
}

} // namespace wordreport

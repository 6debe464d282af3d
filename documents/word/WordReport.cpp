#include "WordReport.h"

#include "Language.h"

#include <QDate>
#include <QLocale>

using namespace Qt::StringLiterals;

namespace wordreport {

QString verdict(int conclusionsIndex)
{
    return conclusionsIndex == 0 ? PassedVerdict : FailedVerdict;
}

QStringList pieces(const RecordHeader &v, const QString &numberLine)
{
    const auto value = [](const QString &text) { return text + u'\r'; };
    const auto date = [&](const QDate &d) { return value(language::regionalLocale().toString(d, QLocale::ShortFormat)); };

    QStringList pieces = {
        u"\t\t\t\tSART TEST REPORT\r\r\r"_s,
        u"SART MODEL\t\t\t\t\t\t"_s, value(v.sartModel),
        u"MANUFACTURER \u2116:\t\t\t\t\t"_s, value(v.manufacturerNo),
        u"VESSEL NAME:\t\t\t\t\t\t"_s, value(v.vessel),
        u"SART TECHNICAL CHARACTERISTICS\t\r"_s,
        u"Frequency High, GHz\t\t\t\t\t"_s, value(language::regionalNumber(v.frequencyHigh)),
        u"Frequency Low, GHz\t\t\t\t\t\t"_s, value(language::regionalNumber(v.frequencyLow)),
        u"Emitted Power, mW\t\t\t\t\t\t"_s, value(v.power),
        u"Emitted signal duration, mks\t\t\t\t\t"_s, value(v.signalDuration),
        u"Number of frequency tunings in signal\t\t\t"_s, value(v.tunings),
        u"SART TESTER SETUP\r"_s,
        u"Frequency repetition, Hz\t\t\t\t\t"_s, value(v.repetition),
        u"Testing mode\t\t\t\t\t\t\t"_s, value(v.testingModeText),
        u"Tester emitted signal duration, mks\t\t\t\t"_s, value(v.testerDuration),
        u"SART VISUAL CHARACTERISTICS\r"_s,
        u"Stand by\t\t\t\t\t\t\t"_s, value(v.standByText),
        u"Led\t\t\t\t\t\t\t\t"_s, value(v.ledText),
        u"Sound beeper\t\t\t\t\t\t\t"_s, value(v.beeperText),
        u"DATE OF BAT. REPLACE\t\t\t\t\t"_s, date(v.batteryDate),
        u"NEXT TESTING DATE\t\t\t\t\t"_s, date(v.nextTestDate),
        u"TESTING DATE\t\t\t\t\t\t"_s, date(v.testingDate),
        u"SERVICE CENTER\r"_s,
        u"Name\t\t\t\t\t\t\t\t"_s, value(v.centreName),
        u"Address\t\t\t\t\t\t\t"_s, value(v.centreAddress),
        u"Tel\t\t\t\t\t\t\t\t"_s, value(v.centreTel),
        u"Fax\t\t\t\t\t\t\t\t"_s, value(v.centreFax),
        u"RADIOENGINEER\t\t\t\t\t\t"_s, value(v.radioEngineer),
        u"\r\r\r"_s,
        verdict(v.verdictIndex),
        u"\r\r\r"_s,
        u"\t\tStamp here\t\t\t\t\t\tSignature"_s,
    };
    if (!numberLine.isEmpty())
        pieces.append(u"\r\r"_s + numberLine);
    return pieces;
}

} // namespace wordreport

#pragma once

#include "RecordHeader.h"

#include <QDate>
#include <QStringList>

// A panel as the engineer leaves it before printing. Every value is one word
// that appears nowhere else on the page; the sound beeper answer is blank.
inline RecordHeader samplePanel()
{
    RecordHeader p;
    p.radioEngineer = QStringLiteral("Ivanov");
    p.controller = QStringLiteral("CTRL-7");
    p.sartModel = QStringLiteral("SART-9");
    p.vessel = QStringLiteral("Northern-Star");
    p.centreName = QStringLiteral("Harbour");
    p.centreAddress = QStringLiteral("Quay-Street");
    p.centreTel = QStringLiteral("555-0100");
    p.centreFax = QStringLiteral("555-0101");
    p.manufacturerNo = QStringLiteral("123456");
    p.frequencyHigh = QStringLiteral("9,500");
    p.frequencyLow = QStringLiteral("9,200");
    p.power = QStringLiteral("650");
    p.signalDuration = QStringLiteral("100,0");
    p.tunings = QStringLiteral("12");
    p.repetition = QStringLiteral("1250");
    p.testerDuration = QStringLiteral("1,1");
    p.standByText = QStringLiteral("YES");
    p.standByIndex = 0;
    p.ledText = QStringLiteral("NO");
    p.ledIndex = 1;
    p.beeperText = QString();
    p.beeperIndex = 2;
    p.testingModeText = QStringLiteral("Manual");
    p.testingModeIndex = 1;
    p.verdictText = QStringLiteral("SART PASSED TESTS");
    p.verdictIndex = 0;
    p.nextTestDate = QDate(2027, 11, 30);
    p.testingDate = QDate(2026, 11, 29);
    p.batteryDate = QDate(2025, 3, 1);
    return p;
}

// The value each line of samplePanel() prints, dates as en_US writes them.
inline QStringList sampleValuesEnUs()
{
    return {
        "SART-9", "", "123456", "", "Northern-Star", "", "",
        "9,500", "9,200", "650", "100,0", "12", "", "",
        "1250", "Manual", "1,1", "", "",
        "YES", "NO", "", "",
        "3/1/25", "", "11/30/27", "", "11/29/26", "", "",
        "Harbour", "Quay-Street", "555-0100", "555-0101", "",
        "Ivanov",
    };
}

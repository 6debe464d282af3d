#pragma once

#include <QDate>
#include <QString>

// One record as the record view panel shows it: the header the engineer may
// edit, the measured values as shown and the answers chosen. Save changes,
// the register entry, the printed report, the PDF's name, the word export
// and the archive index all work from this, never from the panel's controls.
struct RecordHeader
{
    // The header's texts. The controller's name is carried from the record to
    // Save changes, never shown.
    QString radioEngineer, controller;
    QString sartModel, manufacturerNo, vessel;
    QString centreName, centreAddress, centreTel, centreFax;

    // The measured values and the tester's setup, as the panel shows them.
    QString frequencyHigh, frequencyLow;  // GHz
    QString power;                        // emitted power, mW
    QString signalDuration;               // emitted signal duration, us
    QString tunings;                      // frequency tunings in the signal
    QString repetition;                   // frequency repetition, Hz
    QString testerDuration;               // tester's emitted signal duration, us

    // The selectors: displayed text and item index (-1: typed text matching
    // no item). The visual checks (stand-by, LED, sound beeper), the testing
    // mode (0 Auto, 1 Manual) and the verdict (0 passed, 1 failed).
    QString standByText, ledText, beeperText, testingModeText, verdictText;
    int standByIndex = -1, ledIndex = -1, beeperIndex = -1;
    int testingModeIndex = 0, verdictIndex = 0;

    QDate nextTestDate, testingDate, batteryDate;
};

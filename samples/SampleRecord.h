#pragma once

#include "RecordHeader.h"

#include <QByteArray>
#include <QDate>
#include <QTime>

// Realistic test records as the tester sends them, for the sample archive,
// the tester simulator, the benchmarks and the tests.
namespace sample {

struct Measurement
{
    int highKHz = 9500000;        // upper sweep frequency, kHz
    int lowKHz = 9200000;         // lower sweep frequency, kHz
    int powerMw = 650;
    int durationUnits = 500;      // 0.2 us units: 100,0 us
    int tunings = 12;
    int repetitionCode = 2;       // 1250 Hz
    int testerDurationCode = 3;   // 1.1 us
    int standBy = 0, led = 0, beeper = 0;  // visual check codes: 0 YES, 1 NO
};

struct Params
{
    QByteArray testerEngineer = "PETROV";  // up to ten characters
    Measurement automatic;
    Measurement manual;
    QDate testingDate = QDate(2026, 11, 30);
    QDate receiveDate = QDate(2026, 11, 30);
    QTime receiveTime = QTime(10, 15, 0);
    quint32 seed = 1;  // fills the bytes the program does not interpret
};

QByteArray makeRecord(const Params &params);

// The n-th record of a small family of plausible tests (n >= 0).
Params variant(int n);

// A SART's header as an engineer saves it (engineer, SART model,
// manufacturer's number, vessel, service centre, dates, visual checks "YES"):
// a record holding it carries nothing over from another.
RecordHeader savedHeader();

} // namespace sample

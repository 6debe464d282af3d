#pragma once

// Byte layout of a 4096-byte test record. Offsets are 0-based file offsets.
// Every other part of the program names these constants instead of numbers.
namespace layout {

constexpr int RecordSize = 4096;

// Service header, bytes 0..199, written by Save changes.
constexpr int HeaderSize = 200;
constexpr char Mark = '9';
constexpr int EngineerMark = 0;
constexpr int RadioEngineer = 1;      // 19 characters
constexpr int RadioEngineerWidth = 19;
constexpr int Controller = 20;        // 19 bytes: flag/space at 20, text 21..38
constexpr int ControllerWidth = 19;
constexpr int ControllerText = 21;
constexpr int ControllerTextWidth = 18;
constexpr int ServiceMark = 39;
constexpr int NextTestDate = 40;      // "ddmmyyyy"
constexpr int StandByAnswer = 48;
constexpr int LedAnswer = 49;
constexpr int BeeperAnswer = 50;
constexpr int SartModel = 51;
constexpr int ManufacturerNo = 71;
constexpr int VesselName = 91;
constexpr int CentreName = 111;
constexpr int CentreAddress = 131;
constexpr int CentreTel = 151;
constexpr int CentreFax = 171;
constexpr int TextFieldWidth = 20;
constexpr char TextTerminator = '@';
constexpr int BatteryMark = 191;
constexpr int BatteryDate = 192;      // "ddmmyyyy"
constexpr int DateWidth = 8;

// Tester area. Mode-dependent offsets get 128 x the testing-mode index added.
constexpr int ModeStride = 128;
constexpr int TesterEngineer = 3200;  // +0..+8 and +10
constexpr int MeasurementBlock = 3328;
constexpr int FrequencyHigh = 0;      // 24 bit, kHz
constexpr int FrequencyLow = 3;       // 24 bit, kHz
constexpr int EmittedPower = 6;       // 16 bit, mW
constexpr int SignalDuration = 8;     // 16 bit, 0.2 us units
constexpr int TuningCount = 10;       // 8 bit
constexpr int RepetitionCode = 15;
constexpr int TesterDurationCode = 17;
constexpr int StandByCode = 22;
constexpr int LedCode = 33;
constexpr int BeeperCode = 44;

constexpr int TestingDate = 3444;     // "ddmmyy", fixed
constexpr int TestingDateWidth = 6;

// Reception stamps.
constexpr int ReceiveTime = 4080;     // 8 characters
constexpr int ReceiveTimeWidth = 8;
constexpr int ReceiveDate = 4090;     // "ddmmyy"
constexpr int ReceiveDateWidth = 6;

} // namespace layout

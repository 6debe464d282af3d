#include "SampleRecord.h"

#include "RecordLayout.h"

namespace sample {
namespace {

void putValue(QByteArray &r, int offset, int width, quint32 value)
{
    for (int i = width - 1; i >= 0; --i, value >>= 8)
        r[offset + i] = char(value & 0xFF);
}

void putText(QByteArray &r, int offset, const QByteArray &text)
{
    r.replace(offset, text.size(), text);
}

void putMeasurement(QByteArray &r, int block, const Measurement &m)
{
    putValue(r, block + layout::FrequencyHigh, 3, quint32(m.highKHz));
    putValue(r, block + layout::FrequencyLow, 3, quint32(m.lowKHz));
    putValue(r, block + layout::EmittedPower, 2, quint32(m.powerMw));
    putValue(r, block + layout::SignalDuration, 2, quint32(m.durationUnits));
    putValue(r, block + layout::TuningCount, 1, quint32(m.tunings));
    r[block + layout::RepetitionCode] = char(m.repetitionCode);
    r[block + layout::TesterDurationCode] = char(m.testerDurationCode);
    r[block + layout::StandByCode] = char(m.standBy);
    r[block + layout::LedCode] = char(m.led);
    r[block + layout::BeeperCode] = char(m.beeper);
}

} // namespace

QByteArray makeRecord(const Params &params)
{
    QByteArray r(layout::RecordSize, '\0');
    // Bytes nobody interprets still carry something, as a real tester's do.
    quint32 x = params.seed * 2654435761u + 12345u;
    for (char &c : r) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = char(x & 0xFF);
    }
    // The header as received: no marks, nothing saved yet.
    r[layout::EngineerMark] = '\0';
    r[layout::ServiceMark] = '\0';
    r[layout::BatteryMark] = '\0';

    // The tester's copy of the engineer's name (Auto position: +0..+8 and +10).
    QByteArray name = params.testerEngineer.left(10).leftJustified(10, '\0');
    for (int i = 0; i < 9; ++i)
        r[layout::TesterEngineer + i] = name[i];
    r[layout::TesterEngineer + 10] = name[9];

    putMeasurement(r, layout::MeasurementBlock, params.automatic);
    putMeasurement(r, layout::MeasurementBlock + layout::ModeStride, params.manual);

    putText(r, layout::TestingDate, params.testingDate.toString(QStringLiteral("ddMMyy")).toLatin1());
    putText(r, layout::ReceiveTime, params.receiveTime.toString(QStringLiteral("HH:mm:ss")).toLatin1());
    putText(r, layout::ReceiveDate, params.receiveDate.toString(QStringLiteral("ddMMyy")).toLatin1());
    return r;
}

Params variant(int n)
{
    static const char *const engineers[] = {"PETROV", "SMIRNOV", "KUZNETSOV", "VOLKOV", "SOKOLOV"};
    Params s;
    s.seed = quint32(n + 1);
    s.testerEngineer = engineers[n % 5];
    // Sweeps that cover the band the standard asks for, some with room.
    s.automatic.highKHz = 9500000 + (n % 7) * 5000;
    s.automatic.lowKHz = 9200000 - (n % 5) * 5000;
    s.automatic.powerMw = 600 + (n * 37) % 200;
    s.automatic.durationUnits = 480 + (n * 13) % 60;
    s.automatic.tunings = 12;
    s.automatic.repetitionCode = n % 6;
    s.automatic.testerDurationCode = (n + 3) % 6;
    s.automatic.led = (n % 9 == 4) ? 1 : 0;
    s.manual = s.automatic;
    s.manual.highKHz -= 10000;
    s.manual.powerMw -= 20;
    s.testingDate = QDate(2026, 1, 5).addDays(n * 3);
    s.receiveDate = s.testingDate.addDays(1);
    s.receiveTime = QTime(9, 0, 0).addSecs(n * 977 % 30000);
    return s;
}

RecordHeader savedHeader()
{
    RecordHeader v;
    v.radioEngineer = QStringLiteral("A. Sidorov");
    v.sartModel = QStringLiteral("SART-20");
    v.manufacturerNo = QStringLiteral("No 12345");
    v.vessel = QStringLiteral("MV Baltic Dawn");
    v.centreName = QStringLiteral("Marine Radio");
    v.standByIndex = v.ledIndex = v.beeperIndex = 0;
    v.nextTestDate = QDate(2027, 3, 5);
    v.batteryDate = QDate(2028, 6, 30);
    return v;
}

} // namespace sample

// Renders the printed test report to PDF a few times and prints the median
// time, e.g. "report to PDF: 45 ms".
#include "SampleRecord.h"
#include "Unit5.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

RecordHeader panel()
{
    const sample::Params params = sample::variant(0);
    RecordHeader p;
    p.radioEngineer = QString::fromLatin1(params.testerEngineer);
    p.sartModel = QStringLiteral("SART-9");
    p.vessel = QStringLiteral("MV Northern Star");
    p.centreName = QStringLiteral("Harbour Radio Service");
    p.centreAddress = QStringLiteral("12 Quay Street, Port Town");
    p.centreTel = QStringLiteral("+1 555 0100");
    p.centreFax = QStringLiteral("+1 555 0101");
    p.manufacturerNo = QStringLiteral("123456");
    p.frequencyHigh = QString::number(params.automatic.highKHz / 1e6, 'f', 3);
    p.frequencyLow = QString::number(params.automatic.lowKHz / 1e6, 'f', 3);
    p.power = QString::number(params.automatic.powerMw);
    p.signalDuration = QString::number(params.automatic.durationUnits / 5.0, 'f', 1);
    p.tunings = QString::number(params.automatic.tunings);
    p.repetition = QStringLiteral("1250");
    p.testerDuration = QStringLiteral("1,1");
    p.standByText = p.ledText = p.beeperText = QStringLiteral("YES");
    p.testingModeText = QStringLiteral("Auto");
    p.nextTestDate = params.testingDate.addYears(1);
    p.testingDate = params.testingDate;
    p.batteryDate = params.testingDate.addYears(-1);
    return p;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));

    TQuickReport5 report;
    report.fill(panel());
    report.printToPdf(path);  // warm-up: font loading
    std::vector<qint64> times;
    for (int run = 0; run < 7; ++run) {
        QElapsedTimer timer;
        timer.start();
        report.printToPdf(path);
        times.push_back(timer.nsecsElapsed());
    }
    std::sort(times.begin(), times.end());
    std::printf("report to PDF: %.1f ms\n", times[times.size() / 2] / 1e6);
    return 0;
}

// Renders the printed test report to PDF a few times and prints the median
// time against a bare QPdfWriter page in the same run: one A4 page with as
// many lines of text in the same fonts (goal <= 2 x). Exits 1 when the goal
// is missed.
#include "SampleRecord.h"
#include "Unit5.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
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

// The floor: one A4 page, 10 mm margins, 60 lines of text.
void barePage(const QString &path)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    QPainter painter(&writer);
    QFont font(QStringLiteral("Times New Roman"), 12);
    painter.setFont(font);
    const int line = painter.fontMetrics().height();
    for (int i = 0; i < 60; ++i)
        painter.drawText(0, (i + 1) * line, QStringLiteral("Emitted signal duration, mks %1 .......... 12,4").arg(i));
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
    barePage(path);
    std::vector<qint64> times, bare;
    for (int run = 0; run < 9; ++run) {
        QElapsedTimer timer;
        timer.start();
        report.printToPdf(path);
        times.push_back(timer.nsecsElapsed());
        timer.start();
        barePage(path);
        bare.push_back(timer.nsecsElapsed());
    }
    std::sort(times.begin(), times.end());
    std::sort(bare.begin(), bare.end());
    const double r = times[times.size() / 2] / 1e6, b = bare[bare.size() / 2] / 1e6;
    std::printf("report to PDF: %.1f ms, a bare QPdfWriter page of text %.1f ms, ratio %.2f (goal <= 2)\n", r, b,
                r / b);
    return r / b <= 2 ? 0 : 1;
}

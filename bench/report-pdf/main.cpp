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

PanelValues panel()
{
    const sample::Params params = sample::variant(0);
    PanelValues p;
    p.edit1 = QString::fromLatin1(params.testerEngineer);
    p.edit3 = QStringLiteral("SART-9");
    p.edit4 = QStringLiteral("MV Northern Star");
    p.edit5 = QStringLiteral("Harbour Radio Service");
    p.edit6 = QStringLiteral("12 Quay Street, Port Town");
    p.edit7 = QStringLiteral("+1 555 0100");
    p.edit8 = QStringLiteral("+1 555 0101");
    p.edit9 = QStringLiteral("123456");
    p.label8 = QString::number(params.automatic.highKHz / 1e6, 'f', 3);
    p.label11 = QString::number(params.automatic.lowKHz / 1e6, 'f', 3);
    p.label12 = QString::number(params.automatic.powerMw);
    p.label13 = QString::number(params.automatic.durationUnits / 5.0, 'f', 1);
    p.label14 = QString::number(params.automatic.tunings);
    p.label15 = QStringLiteral("1250");
    p.label16 = QStringLiteral("1,1");
    p.comboBox1Text = p.comboBox2Text = p.comboBox3Text = QStringLiteral("YES");
    p.comboBox4Text = QStringLiteral("Auto");
    p.dateTimePicker1 = params.testingDate.addYears(1);
    p.dateTimePicker2 = params.testingDate;
    p.dateTimePicker3 = params.testingDate.addYears(-1);
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

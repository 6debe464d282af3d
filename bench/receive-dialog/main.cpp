// How long the receive dialog takes to open, from show() until it has been
// painted, with 6,000 serial devices in the device folder (SART_DEVICE_ROOT)
// against an empty device folder, on the offscreen platform; the goal is a
// ratio of at most 1.2. The devices: 2,000 USB adapters under their stable
// names with maker and product, 2,000 more without, 2,000 built-in ports
// with a UART. Also how long the list takes to fill in (every device shown
// and painted), alone and beside two busy processes (goal <= 3 x alone: the
// survey runs at a fair priority). Exits 1 when a goal is missed.
#include "BenchSupport.h"
#include "Unit2.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <cstdio>
#include <unistd.h>

namespace {

constexpr int PerKind = 2000;

bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool link(const QString &target, const QString &path)
{
    return QDir().mkpath(QFileInfo(path).path())
        && ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()) == 0;
}

// A device folder laid out as the kernel and udev lay out the real one.
bool makeDevices(const QString &root)
{
    for (int i = 0; i < PerKind; ++i) {
        const QString usb = QStringLiteral("ttyUSB%1").arg(i);
        const QString usbDevice = root + QStringLiteral("/sys/devices/usb1/1-%1").arg(i);
        if (!write(root + "/dev/" + usb, {}) || !write(root + "/dev/" + QStringLiteral("ttyACM%1").arg(i), {})
            || !link("../../" + usb, root + QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_%1-if00-port0").arg(i))
            || !write(usbDevice + "/manufacturer", "FTDI\n") || !write(usbDevice + "/product", "FT232R USB UART\n")
            || !QDir().mkpath(usbDevice + "/1-1:1.0")
            || !link(usbDevice + "/1-1:1.0", root + "/sys/class/tty/" + usb + "/device"))
            return false;
        const QString builtIn = QStringLiteral("ttyS%1").arg(i);
        if (!write(root + "/dev/" + builtIn, {}) || !QDir().mkpath(root + "/sys/class/tty/" + builtIn + "/device/driver")
            || !write(root + "/sys/class/tty/" + builtIn + "/type", "4\n"))
            return false;
    }
    return true;
}

// Notes when a window has been painted.
class PaintWatch : public QObject
{
public:
    bool painted = false;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

struct Opening
{
    double openMs = 0;
    double filledMs = 0;
};

Opening open(const QString &root, const QString &start, int expected)
{
    qputenv("SART_DEVICE_ROOT", QFile::encodeName(root));
    TForm2 dialog(start);
    PaintWatch watch;
    dialog.installEventFilter(&watch);
    QElapsedTimer timer;
    timer.start();
    dialog.show();
    while (!watch.painted)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    Opening result;
    result.openMs = timer.nsecsElapsed() / 1e6;
    // Filled: the survey done, every device in the list, and painted so.
    auto *list = dialog.findChild<QTreeWidget *>(QStringLiteral("DeviceList"));
    while (dialog.isListingDevices() || !list || list->topLevelItemCount() < expected
           || (expected > 0 && list->topLevelItem(0)->text(1).startsWith(QStringLiteral("Looking")))) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        list = dialog.findChild<QTreeWidget *>(QStringLiteral("DeviceList"));
    }
    watch.painted = false;
    list->viewport()->installEventFilter(&watch);
    list->viewport()->update();
    while (!watch.painted)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    result.filledMs = timer.nsecsElapsed() / 1e6;
    return result;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir work;
    const QString none = work.filePath("none"), many = work.filePath("many"), start = work.filePath("start");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(work.filePath("config")));
    if (!QDir().mkpath(none + "/dev") || !QDir().mkpath(start + "/bin") || !makeDevices(many)) {
        std::fprintf(stderr, "cannot make the device folders in %s\n", qPrintable(work.path()));
        return 1;
    }

    open(none, start, 0);  // fonts, style and the like, loaded once
    const int expected = 3 * PerKind;
    QVector<double> openNone, openMany, filledMany, filledBusy;
    for (int run = 0; run < 7; ++run) {
        openNone << open(none, start, 0).openMs;
        const Opening opening = open(many, start, expected);
        openMany << opening.openMs;
        filledMany << opening.filledMs;
    }
    {
        const bench::BusyProcesses busy(2);
        for (int run = 0; run < 5; ++run)
            filledBusy << open(many, start, expected).filledMs;
    }
    const double n = bench::median(openNone), m = bench::median(openMany), f = bench::median(filledMany),
                 b = bench::median(filledBusy);
    std::printf("receive dialog opens with %d devices: %.1f ms, with none %.1f ms, ratio = %.2f (goal <= 1.2)\n",
                expected, m, n, m / n);
    std::printf("receive dialog with %d devices: the list filled in and painted after %.0f ms; beside two busy "
                "processes %.0f ms, ratio = %.2f (goal <= 3)\n",
                expected, f, b, b / f);
    std::printf("load average %s\n", bench::loadAverage().constData());
    return m / n <= 1.2 && b / f <= 3 ? 0 : 1;
}

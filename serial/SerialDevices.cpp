#include "SerialDevices.h"

#include "PortNames.h"
#include "SmallFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <utility>

namespace serialdevices {
namespace {

// A small text file of sysfs, trimmed; empty when it cannot be read. Sysfs
// gives every such file the size of a memory page.
QString readAttribute(const QString &path)
{
    constexpr qint64 PageSize = 4096;
    return QString::fromUtf8(smallfile::read(path, PageSize).value_or(QByteArray()).left(256)).trimmed();
}

QString sysTty(const QString &kernelName)
{
    return portnames::deviceRoot() + QStringLiteral("/sys/class/tty/") + kernelName;
}

// The USB device above a tty's interface names its maker and product.
QString usbDescription(const QString &kernelName)
{
    QString folder = QFileInfo(sysTty(kernelName) + QStringLiteral("/device")).canonicalFilePath();
    for (int up = 0; up < 4 && !folder.isEmpty(); ++up) {
        const QString product = readAttribute(folder + QStringLiteral("/product"));
        if (!product.isEmpty()) {
            const QString maker = readAttribute(folder + QStringLiteral("/manufacturer"));
            return maker.isEmpty() || product.startsWith(maker) ? product : maker + u' ' + product;
        }
        folder = QFileInfo(folder).path();
    }
    return {};
}

// A built-in port is real hardware when a driver has claimed it and the port
// type is known. The PC's serial driver registers placeholder ports (four or
// more) that have the driver but type 0 ("unknown"): no UART answers behind
// them, and opening one fails.
bool isRealBuiltInPort(const QString &kernelName)
{
    const QString sys = sysTty(kernelName);
    if (!QFileInfo::exists(sys + QStringLiteral("/device/driver")))
        return false;
    bool ok = false;
    const int type = readAttribute(sys + QStringLiteral("/type")).toInt(&ok);
    return ok && type != 0;
}

QFileInfoList entries(const QString &folder, const QStringList &patterns)
{
    return QDir(folder).entryInfoList(patterns, QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot,
                                      QDir::Name);
}

bool isBuiltInName(const QString &kernelName)
{
    static const QRegularExpression pattern(QStringLiteral("^ttyS[0-9]+$"));
    return pattern.match(kernelName).hasMatch();
}

// The device a path finally leads to, for comparing two names of one device.
QString finalPath(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(path) : canonical;
}

} // namespace

const QStringList &portNames()
{
    static const QStringList names = {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8"};
    return names;
}

QString displayName(const QString &path)
{
    const QString root = portnames::deviceRoot();
    if (!root.isEmpty() && path.startsWith(root + u'/'))
        return path.mid(root.size());
    return path;
}

QList<Device> list()
{
    const QString root = portnames::deviceRoot();
    const QString dev = root + QStringLiteral("/dev");
    QList<Device> devices;
    QSet<QString> named;  // kernel names that have a stable name

    // Links such as usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0 -> ../../ttyUSB0;
    // a link whose device is gone is left out.
    for (const QFileInfo &link : entries(dev + QStringLiteral("/serial/by-id"), {})) {
        if (!link.isSymLink() || !link.exists())
            continue;
        const QString kernelName = QFileInfo(link.symLinkTarget()).fileName();
        named.insert(kernelName);
        devices.append({displayName(link.absoluteFilePath()), link.absoluteFilePath(), kernelName,
                        usbDescription(kernelName)});
    }
    for (const QFileInfo &node : entries(dev, {QStringLiteral("ttyACM*"), QStringLiteral("ttyUSB*")})) {
        if (named.contains(node.fileName()) || !node.exists())
            continue;
        devices.append({displayName(node.absoluteFilePath()), node.absoluteFilePath(), node.fileName(),
                        usbDescription(node.fileName())});
    }
    for (const QFileInfo &port : entries(root + QStringLiteral("/sys/class/tty"), {QStringLiteral("ttyS*")})) {
        const QString node = dev + u'/' + port.fileName();
        if (isRealBuiltInPort(port.fileName()) && QFileInfo::exists(node))
            devices.append({displayName(node), node, port.fileName(), QCoreApplication::translate("SerialDevices", "built-in serial port")});
    }
    return devices;
}

Listing::Listing(QList<Device> devices) : m_devices(std::move(devices))
{
    for (int i = int(m_devices.size()) - 1; i >= 0; --i)
        m_byFinalPath.insert(finalPath(m_devices[i].path), i);  // of two names of one device, the first
}

int Listing::indexOf(const QString &path) const { return m_byFinalPath.value(finalPath(path), -1); }

QList<Device> Listing::overview() const
{
    QList<Device> devices = m_devices;
    for (const QString &port : portNames()) {
        const QString path = portnames::devicePath(port);
        if (const int i = indexOf(path); i >= 0) {
            devices[i].ports.append(port);
            continue;
        }
        // A built-in port without a link stands for a port without hardware:
        // it is told in its status line, not listed.
        if (!QFileInfo(portnames::linkPath(port)).isSymLink())
            continue;
        Device gone;
        gone.path = path;
        gone.name = displayName(gone.path);
        gone.kernelName = QFileInfo(gone.path).fileName();
        gone.present = portnames::isPresent(gone.path);
        gone.description = gone.present ? QCoreApplication::translate("SerialDevices", "not a serial adapter")
                                         : QCoreApplication::translate("SerialDevices", "not present", "device");
        gone.ports.append(port);
        devices.append(gone);
    }
    return devices;
}

QString Listing::portStatusText(const QString &portName) const
{
    const QString path = portnames::devicePath(portName);
    const QString device = displayName(path);
    if (!portnames::isPresent(path))
        return QCoreApplication::translate("SerialDevices", "%1 stands for %2: not present").arg(portName, device);
    QString kernelName = QFileInfo(path).fileName();
    if (!isBuiltInName(kernelName))
        kernelName = QFileInfo(finalPath(path)).fileName();
    if (isBuiltInName(kernelName) && !isRealBuiltInPort(kernelName))
        return QCoreApplication::translate("SerialDevices", "%1 stands for %2: no serial port hardware behind it")
            .arg(portName, device);
    if (const int i = indexOf(path); i >= 0) {
        const Device &d = m_devices[i];
        return QCoreApplication::translate("SerialDevices", "%1 stands for %2: present (%3)")
            .arg(portName, device,
                 d.description.isEmpty() ? d.kernelName : d.kernelName + QStringLiteral(", ") + d.description);
    }
    return QCoreApplication::translate("SerialDevices", "%1 stands for %2: present").arg(portName, device);
}

} // namespace serialdevices

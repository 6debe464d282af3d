#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The serial devices of this machine, found without opening any of them:
// the stable names under /dev/serial/by-id, the USB adapters /dev/ttyUSB*
// and /dev/ttyACM* that have no such name, and the built-in ports /dev/ttyS*
// behind which the kernel found a UART. Everything is looked up under the
// device root (portnames::deviceRoot()).
namespace serialdevices {

struct Device
{
    QString name;         // as the user knows it, e.g. /dev/serial/by-id/usb-FTDI_...
    QString path;         // where it lies: the name under the device root
    QString kernelName;   // e.g. ttyUSB0
    QString description;  // maker and product of a USB adapter, "built-in serial port", ...
    QStringList ports;    // the port names that stand for it
    bool present = true;
};

// The devices that exist now, stable names first. The kernel's files that
// describe them are read only when they are small regular files, never
// blocking (smallfile::read).
QList<Device> list();

// A device path as the user knows it: the path without the device root.
QString displayName(const QString &path);

// The port names COM1 to COM8.
const QStringList &portNames();

// The devices listed once, with what the port names stand for. Listing
// reads the device folders, which can take a while with many devices, so a
// window makes the listing on a worker thread (DeviceSurvey) and asks it
// about the port names, which it does at once: where a port name leads is
// looked up when asked, the device's description in the listing.
class Listing
{
public:
    Listing() = default;  // nothing listed yet
    explicit Listing(QList<Device> devices);

    // The devices listed, each with the port names that stand for it, then
    // the devices that port names are linked to but that are not listed
    // (gone, or not a serial adapter).
    QList<Device> overview() const;

    // Which device a port name stands for and whether it is there, in a line:
    // "COM3 stands for /dev/ttyUSB0: not present".
    QString portStatusText(const QString &portName) const;

private:
    // The index of the listed device a path finally leads to; -1 if none.
    int indexOf(const QString &path) const;

    QList<Device> m_devices;
    QHash<QString, int> m_byFinalPath;
};

// The devices that exist now, listed.
inline Listing survey() { return Listing(list()); }
inline QList<Device> overview() { return survey().overview(); }
inline QString portStatusText(const QString &portName) { return survey().portStatusText(portName); }

} // namespace serialdevices

#pragma once

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

// The devices that exist now, stable names first.
QList<Device> list();

// The devices that exist, each with the port names that stand for it, then
// the devices that port names are linked to but that are not listed (gone,
// or not a serial adapter).
QList<Device> overview();

// A device path as the user knows it: the path without the device root.
QString displayName(const QString &path);

// Which device a port name stands for and whether it is there, in a line:
// "COM3 stands for /dev/ttyUSB0: not present".
QString portStatusText(const QString &portName);

} // namespace serialdevices

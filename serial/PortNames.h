#pragma once

#include <QString>

// Port names "COM1".."COM8" stand for /dev/ttyS0../dev/ttyS7 unless the user
// points a name at another device (a USB adapter, a simulator) with a symbolic
// link named after the port in the per-user ports folder:
//   $XDG_CONFIG_HOME/sart-tester/ports/COM1 -> /dev/serial/by-id/usb-...
namespace portnames {

// SART_DEVICE_ROOT without a trailing "/", or empty for the real "/". When
// set, it is a folder that stands for "/" wherever the program looks for
// devices (its dev/ and sys/ instead of the machine's), so that tests offer
// devices of their own and never meet the machine's serial ports.
QString deviceRoot();

// $XDG_CONFIG_HOME/sart-tester, by default ~/.config/sart-tester: the
// program's settings and the ports folder.
QString configFolder();

// $XDG_CONFIG_HOME/sart-tester/ports, by default ~/.config/sart-tester/ports.
QString portsFolder();

// The path of the link for a port name in the ports folder.
QString linkPath(const QString &portName);

// The device a port name stands for: the target of its link, or the serial
// device of that number (under the device root). Empty for a name that is not COM1..COM8.
QString devicePath(const QString &portName);

// Whether a device exists (its link, if any, leads to it). Never opens it.
bool isPresent(const QString &device);

// Makes the port name stand for a device: writes the link in the ports
// folder, replacing an earlier link but never a file or folder of another
// kind. Raises an error that says why it could not.
void assign(const QString &portName, const QString &device);

// What to tell the user when a port cannot be opened or set up: the port,
// the device and the system's reason. For a refused permission also the
// device's group and how to join it, when it is a group of serial devices
// ("dialout" and the like), never another; for ENOTTY what lies there
// instead of a serial device.
QString openFailureText(const QString &portName, const QString &device, int errorCode);

} // namespace portnames

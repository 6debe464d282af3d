#pragma once

#include <QString>

// Port names "COM1".."COM8" stand for /dev/ttyS0../dev/ttyS7 unless the user
// points a name at another device (a USB adapter, a simulator) with a symbolic
// link named after the port in the per-user ports folder:
//   $XDG_CONFIG_HOME/sart-tester/ports/COM1 -> /dev/serial/by-id/usb-...
namespace portnames {

// $XDG_CONFIG_HOME/sart-tester/ports, by default ~/.config/sart-tester/ports.
QString portsFolder();

// The path of the link for a port name in the ports folder.
QString linkPath(const QString &portName);

// The device a port name stands for: the target of its link, or the serial
// device of that number. Empty for a name that is not COM1..COM8.
QString devicePath(const QString &portName);

// What to tell the user when a port cannot be opened or set up: the port,
// the device and the system's reason; for a refused permission also the group
// that owns the device and what to do about it.
QString openFailureText(const QString &portName, const QString &device, int errorCode);

} // namespace portnames

#pragma once

#include <QtGlobal>

// Line rates through the Linux termios2 interface (BOTHER), which takes any
// rate, also those without a termios speed code (14400, 56000, 128000,
// 256000). Kept apart because <asm/termbits.h> clashes with <termios.h>.
namespace customrate {

// Sets the input and output rate of the device; 0 or the errno.
int setRate(int fd, quint32 rate);

// Reads the device's output rate; 0 or the errno.
int readRate(int fd, quint32 &rate);

} // namespace customrate

#pragma once

#include <QtGlobal>

#include <termios.h>

// The line-settings record the serial component works with (LineSettings
// below): the fields and flag bits of the classic communications interface,
// translated to and from the termios settings of a POSIX serial device.
namespace linebits {

// Flag word bits.
constexpr quint32 fBinary = 1u << 0;         // always set: transfers are binary
constexpr quint32 fParity = 1u << 1;         // check parity of received bytes (INPCK)
constexpr quint32 fOutxCtsFlow = 1u << 2;    // CTS output handshake (CRTSCTS)
constexpr quint32 fOutxDsrFlow = 1u << 3;    // DSR output handshake: not available
constexpr quint32 fDtrControl = 3u << 4;     // DTR line control, two bits
constexpr quint32 DtrControlEnable = 1u << 4;
constexpr quint32 fDsrSensitivity = 1u << 6;
constexpr quint32 fTXContinueOnXoff = 1u << 7;
constexpr quint32 fOutX = 1u << 8;           // XON/XOFF flow control of sending (IXON)
constexpr quint32 fInX = 1u << 9;            // XON/XOFF flow control of receiving (IXOFF)
constexpr quint32 fErrorChar = 1u << 10;     // bytes with line errors are replaced, not dropped
constexpr quint32 fNull = 1u << 11;
constexpr quint32 fRtsControl = 3u << 12;    // RTS line control, two bits
constexpr quint32 RtsControlEnable = 1u << 12;
constexpr quint32 RtsControlHandshake = 2u << 12;
constexpr quint32 fAbortOnError = 1u << 14;

// Parity codes.
constexpr quint8 NoParity = 0, OddParity = 1, EvenParity = 2, MarkParity = 3, SpaceParity = 4;
// Stop-bit codes.
constexpr quint8 OneStopBit = 0, OneAndHalfStopBits = 1, TwoStopBits = 2;

} // namespace linebits

struct LineSettings
{
    quint32 BaudRate = 9600;  // bits per second
    quint32 Flags = linebits::fBinary | linebits::DtrControlEnable | linebits::RtsControlEnable;  // flag word
    quint8 ByteSize = 8;      // data bits, 5..8
    quint8 Parity = 0;        // parity code
    quint8 StopBits = 0;      // stop-bit code
    char XonChar = 17;
    char XoffChar = 19;
};

namespace linesettings {

// The termios speed code of a standard rate, or B0 when the rate has none
// (such rates are set separately, see CustomRate.h).
speed_t speedCode(quint32 rate);
// The rate of a termios speed code, 0 for an unknown code.
quint32 rateOfSpeedCode(speed_t code);

// The settings that a termios record describes. The rate comes from the
// caller, who reads it from the device (it may be a rate without a code).
LineSettings fromTermios(const termios &t, quint32 rate);

// Makes a termios record describe a raw line: every byte value passes
// unchanged in both directions (no flow-control characters, no end-of-line or
// character translation, no line editing, echo or signals), 8 data bits, no
// parity, reads return as soon as one byte is there. The speed is kept.
void makeRaw(termios &t);

// Writes the settings into a termios record read from the device: a raw line
// (makeRaw) with only what the settings ask for on top. Returns 0, or EINVAL
// for settings the device cannot take (data bits outside 5..8, unknown codes,
// one and a half stop bits except with 5 data bits, two stop bits with 5,
// non-binary transfer, rate 0); the record is then left as it was.
int toTermios(const LineSettings &s, termios &t);

} // namespace linesettings

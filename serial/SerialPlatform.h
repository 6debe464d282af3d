#pragma once

#include "LineSettings.h"

#include <QByteArray>
#include <QtGlobal>

#include <memory>

// The port status record: status flags and the counts of the driver's queues.
struct PortStatus
{
    quint32 Flags = 0;
    quint32 cbInQue = 0;   // bytes received and not yet read
    quint32 cbOutQue = 0;  // bytes not yet sent
};

namespace lineerrors {
constexpr quint32 RxOver = 0x01;    // input buffer overflow
constexpr quint32 Overrun = 0x02;   // hardware overrun
constexpr quint32 RxParity = 0x04;  // parity error
constexpr quint32 Frame = 0x08;     // framing error
constexpr quint32 Break = 0x10;     // break received
} // namespace lineerrors

// Codes of the port's extended functions (SetEscCode).
namespace escapecode {
constexpr int SetXoff = 1;   // act as if XOFF was received: stop sending
constexpr int SetXon = 2;    // act as if XON was received: resume sending
constexpr int SetRts = 3;
constexpr int ClrRts = 4;
constexpr int SetDtr = 5;
constexpr int ClrDtr = 6;
constexpr int SetBreak = 8;
constexpr int ClrBreak = 9;
} // namespace escapecode

// The operations of the operating system's serial ports that the serial
// component relies on. Every call that can fail returns false and leaves the
// error code in lastError(). A modem-line or counter request that a device
// does not support (a pseudo-terminal has no modem lines) is not a failure.
class SerialPlatform
{
public:
    using Handle = int;
    static constexpr Handle InvalidHandle = -1;

    virtual ~SerialPlatform() = default;

    // Opens the device a port name ("COM1".."COM8") stands for, for reading
    // and writing, claimed by this process alone. InvalidHandle on failure.
    virtual Handle open(const QByteArray &portName) = 0;
    virtual bool setupQueues(Handle h, quint32 inSize, quint32 outSize) = 0;
    virtual bool getState(Handle h, LineSettings &settings) = 0;
    virtual bool setState(Handle h, const LineSettings &settings) = 0;
    // Takes the line errors since the last call and the queue counts.
    virtual bool clearError(Handle h, quint32 &errors, PortStatus &status) = 0;
    virtual bool read(Handle h, char *data, quint32 size, quint32 &done) = 0;
    virtual bool write(Handle h, const char *data, quint32 size, quint32 &done) = 0;
    // Waits up to timeoutMs for received bytes; ready tells whether some came.
    virtual bool waitInput(Handle h, int timeoutMs, bool &ready) = 0;
    // Discards the bytes received and not yet read.
    virtual bool purgeInput(Handle h) = 0;
    virtual bool getMask(Handle h, quint32 &mask) = 0;
    virtual bool setMask(Handle h, quint32 mask) = 0;
    virtual bool escape(Handle h, int code) = 0;
    virtual bool close(Handle h) = 0;
    virtual int lastError() const = 0;
};

std::unique_ptr<SerialPlatform> makePosixSerialPlatform();

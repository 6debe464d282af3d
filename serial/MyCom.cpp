#include "MyCom.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr quint32 rates[] = {110, 300, 1200, 2400, 4800, 9600, 14400, 19200,
                             38400, 56000, 57600, 115200, 128000, 256000};

// fInX and fErrorChar: the two flag bits the flow-control setting decides.
constexpr quint32 flowControlBits = linebits::fInX | linebits::fErrorChar;

} // namespace

quint32 baudRate(TBaud baud)
{
    const auto index = std::size_t(baud);
    return index < std::size(rates) ? rates[index] : 0;  // 0: the device refuses it
}

QByteArray portName(tPort port) { return "COM" + QByteArray::number(quint8(port) + 1); }

TComm::TComm(QObject *owner) : TComm(makePosixSerialPlatform(), owner) {}

TComm::TComm(std::unique_ptr<SerialPlatform> platform, QObject *owner)
    : QObject(owner), FPlatform(std::move(platform)), FStatus(std::make_unique<PortStatus>())
{
}

TComm::~TComm() = default;

void TComm::reportFailure() { SetError(FPlatform->lastError()); }

void TComm::transferFailed()
{
    if (FLineFault == 0)
        FLineFault = FPlatform->lastError();
    reportFailure();
}

void TComm::Connect()
{
    FStatus->cbInQue = 0;
    FLineFault = 0;
    if (FConnected && FHandle != SerialPlatform::InvalidHandle) {
        FPlatform->close(FHandle);
        FHandle = SerialPlatform::InvalidHandle;
    }

    FHandle = FPlatform->open(portName(FPort));
    if (FHandle == SerialPlatform::InvalidHandle) {
        // Nothing to set up without a device; the open's reason stays stored,
        // so that the caller can tell the user why the port is not there.
        reportFailure();
    } else {
        if (!FPlatform->setupQueues(FHandle, QueueSize, QueueSize))
            reportFailure();
        LineSettings dcb;  // defaults when the device's settings cannot be read
        if (!FPlatform->getState(FHandle, dcb))
            reportFailure();
        dcb.BaudRate = baudRate(FBaud);
        dcb.ByteSize = FDataBits;
        dcb.Parity = quint8(FParity);
        dcb.StopBits = quint8(FStopBits);
        FLastError = 0;
        if (FFlowControl == tFlowControl::XON_XOFF) {
            dcb.Flags |= flowControlBits;
            dcb.XonChar = FXON;
            dcb.XoffChar = FXOFF;
        } else {
            dcb.Flags &= ~flowControlBits;
        }
        if (!FPlatform->setState(FHandle, dcb))
            reportFailure();
    }
    FConnected = true;
}

void TComm::queryStatus()
{
    quint32 errors = 0;
    PortStatus status = *FStatus;
    if (FPlatform->clearError(FHandle, errors, status))
        *FStatus = status;
    else if (FLineFault == 0)
        FLineFault = FPlatform->lastError();  // the counts are stale now
    if (FLastError == 0)
        SetError(qint32(errors));
}

qint32 TComm::GetOut()
{
    queryStatus();
    return qint32(FStatus->cbOutQue);
}

qint32 TComm::GetIn()
{
    queryStatus();
    return qint32(FStatus->cbInQue);
}

qint32 TComm::GetError()
{
    const qint32 e = FLastError;
    FLastError = 0;
    return e;
}

void TComm::SetError(qint32 ECode)
{
    if (ECode == 0)
        return;
    FLastError = ECode;
    if (FOnComError)
        FOnComError(this, ECode);
}

QByteArray TComm::GetFlags()
{
    LineSettings dcb;
    quint32 flags = 0;
    if (FPlatform->getState(FHandle, dcb))
        flags = dcb.Flags;
    else
        reportFailure();
    QByteArray text;
    for (int bit = 0; bit < 16; ++bit)
        text.prepend((flags >> bit) & 1 ? '1' : '0');
    return text;
}

void TComm::SetEvent(qint32 mask)
{
    if (!FPlatform->setMask(FHandle, quint32(mask)))
        reportFailure();
}

bool TComm::GetEvent(qint32 &mask)
{
    quint32 current = 0;
    if (!FPlatform->getMask(FHandle, current))
        reportFailure();
    const bool same = qint64(mask) == qint64(current);
    mask = qint32(current);
    return same;
}

void TComm::SetEscCode(qint32 code)
{
    if (!FPlatform->escape(FHandle, code))
        reportFailure();
}

void TComm::SendByte(quint8 value)
{
    const char byte = char(value);
    quint32 done = 0;
    if (!FPlatform->write(FHandle, &byte, 1, done))
        transferFailed();
}

quint8 TComm::GetByte()
{
    char byte = 0;
    quint32 done = 0;
    if (!FPlatform->read(FHandle, &byte, 1, done))
        transferFailed();
    return done == 1 ? quint8(byte) : 0;
}

void TComm::SendString(const QByteArray &text)
{
    quint32 done = 0;
    if (!FPlatform->write(FHandle, text.constData(), quint32(text.size()), done))
        transferFailed();
}

QByteArray TComm::GetString(qint32 count)
{
    QByteArray buffer(std::clamp(count, 0, MaxString), '\0');
    quint32 done = 0;
    if (!FPlatform->read(FHandle, buffer.data(), quint32(buffer.size()), done))
        transferFailed();
    buffer.truncate(qsizetype(done));
    return buffer;
}

bool TComm::WaitIn(int timeoutMs)
{
    bool ready = false;
    if (!FPlatform->waitInput(FHandle, timeoutMs, ready))
        transferFailed();
    return ready;
}

void TComm::PurgeIn()
{
    if (!FPlatform->purgeInput(FHandle))
        transferFailed();
}

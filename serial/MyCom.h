#pragma once

#include "SerialPlatform.h"

#include <QByteArray>
#include <QObject>

#include <functional>
#include <memory>

// Line rate; Connect applies the rate the value names.
enum class TBaud : quint8 {
    b110, b300, b1200, b2400, b4800, b9600, b14400, b19200,
    b38400, b56000, b57600, b115200, b128000, b256000
};
// One, one and a half, two stop bits.
enum class tStopBits : quint8 { s10, s15, s20 };
// None, odd, even, mark, space.
enum class tParitet : quint8 { Zero, Odd, Even, Binary0, Binary1 };
// Data bits per character, 4 to 8 (the device takes 5 to 8).
using tDataBit = quint8;
enum class tPort : quint8 { COM1, COM2, COM3, COM4, COM5, COM6, COM7, COM8 };
enum class tFlowControl : quint8 { Hardware, XON_XOFF };
// The error event: the component and the error code.
using TComError = std::function<void(QObject *Sender, qint32 ECode)>;

// Bits per second of a TBaud value; 0 for a value outside the type.
quint32 baudRate(TBaud baud);
// "COM1".."COM8".
QByteArray portName(tPort port);

// The serial port component: owns one serial port, keeps the line settings,
// opens and sets up the port in one call (Connect) and transfers bytes.
// It never throws: a failed platform call stores the platform's error code
// (SetError), raises OnComError when a handler is assigned, and the operation
// goes on with its next step.
class TComm : public QObject
{
    Q_OBJECT
public:
    static constexpr quint32 QueueSize = 1600;
    static constexpr qint32 MaxString = 255;  // most bytes GetString reads at once

    explicit TComm(QObject *owner = nullptr);
    // On the given platform instead of the system's serial ports.
    explicit TComm(std::unique_ptr<SerialPlatform> platform, QObject *owner = nullptr);
    ~TComm() override;

    virtual void Connect();
    qint32 GetOut();
    qint32 GetIn();
    qint32 GetError();
    void SetError(qint32 ECode);
    QByteArray GetFlags();
    void SetEvent(qint32 mask);
    bool GetEvent(qint32 &mask);
    void SetEscCode(qint32 code);
    virtual void SendByte(quint8 value);
    virtual quint8 GetByte();
    virtual void SendString(const QByteArray &text);
    virtual QByteArray GetString(qint32 count);

    // Waits up to timeoutMs for received bytes and tells whether some are
    // waiting; lets a caller wait on the line without polling it.
    bool WaitIn(int timeoutMs);
    // Discards the bytes received and not yet read.
    void PurgeIn();
    // The platform's error code of the first transfer, wait or queue query
    // that failed since Connect, 0 while all went well: once a port has
    // failed (hung up, unplugged) nothing it gives is trusted.
    qint32 LineFault() const { return FLineFault; }

    // Properties. Setting one only stores it; the next Connect applies it.
    const TComError &OnComError() const { return FOnComError; }
    void SetOnComError(TComError handler) { FOnComError = std::move(handler); }
    TBaud Baud() const { return FBaud; }
    void SetBaud(TBaud value) { FBaud = value; }
    tStopBits StopBits() const { return FStopBits; }
    void SetStopBits(tStopBits value) { FStopBits = value; }
    tParitet Parity() const { return FParity; }
    void SetParity(tParitet value) { FParity = value; }
    tDataBit DataBits() const { return FDataBits; }
    void SetDataBits(tDataBit value) { FDataBits = value; }
    tFlowControl FlowControl() const { return FFlowControl; }
    void SetFlowControl(tFlowControl value) { FFlowControl = value; }
    tPort Port() const { return FPort; }
    void SetPort(tPort value) { FPort = value; }
    char XON() const { return FXON; }
    void SetXON(char value) { FXON = value; }
    char XOFF() const { return FXOFF; }
    void SetXOFF(char value) { FXOFF = value; }
    qint32 InQue() { return GetIn(); }
    qint32 OutQue() { return GetOut(); }

private:
    void queryStatus();
    void reportFailure();
    void transferFailed();

    std::unique_ptr<SerialPlatform> FPlatform;
    TComError FOnComError;
    std::unique_ptr<PortStatus> FStatus;
    SerialPlatform::Handle FHandle = SerialPlatform::InvalidHandle;
    tPort FPort = tPort::COM1;
    TBaud FBaud = TBaud::b9600;
    tDataBit FDataBits = 8;
    tParitet FParity = tParitet::Zero;
    tStopBits FStopBits = tStopBits::s10;
    tFlowControl FFlowControl = tFlowControl::Hardware;
    qint32 FLastError = 0;
    qint32 FLineFault = 0;
    bool FConnected = false;
    char FXON = 17;
    char FXOFF = 19;
};

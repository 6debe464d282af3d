#include "LineSettings.h"

#include <cerrno>

namespace linesettings {
namespace {

struct SpeedEntry
{
    quint32 rate;
    speed_t code;
};

constexpr SpeedEntry speeds[] = {
    {50, B50},         {75, B75},           {110, B110},         {134, B134},
    {150, B150},       {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},     {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},     {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200}, {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000}, {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
};

constexpr tcflag_t sizeCodes[] = {CS5, CS6, CS7, CS8};

} // namespace

speed_t speedCode(quint32 rate)
{
    for (const SpeedEntry &e : speeds)
        if (e.rate == rate)
            return e.code;
    return B0;
}

quint32 rateOfSpeedCode(speed_t code)
{
    for (const SpeedEntry &e : speeds)
        if (e.code == code)
            return e.rate;
    return 0;
}

LineSettings fromTermios(const termios &t, quint32 rate)
{
    using namespace linebits;
    LineSettings s;
    s.BaudRate = rate;

    s.Flags = fBinary | DtrControlEnable;
    if (t.c_iflag & INPCK)
        s.Flags |= fParity;
    if (t.c_cflag & CRTSCTS)
        s.Flags |= fOutxCtsFlow | RtsControlHandshake;
    else
        s.Flags |= RtsControlEnable;
    if (t.c_iflag & IXON)
        s.Flags |= fOutX;
    if (t.c_iflag & IXOFF)
        s.Flags |= fInX;
    if (!(t.c_iflag & (IGNPAR | PARMRK)))
        s.Flags |= fErrorChar;

    const tcflag_t size = t.c_cflag & CSIZE;
    s.ByteSize = size == CS5 ? 5 : size == CS6 ? 6 : size == CS7 ? 7 : 8;

    if (!(t.c_cflag & PARENB))
        s.Parity = NoParity;
    else if (t.c_cflag & CMSPAR)
        s.Parity = (t.c_cflag & PARODD) ? MarkParity : SpaceParity;
    else
        s.Parity = (t.c_cflag & PARODD) ? OddParity : EvenParity;

    if (!(t.c_cflag & CSTOPB))
        s.StopBits = OneStopBit;
    else
        s.StopBits = size == CS5 ? OneAndHalfStopBits : TwoStopBits;

    s.XonChar = char(t.c_cc[VSTART]);
    s.XoffChar = char(t.c_cc[VSTOP]);
    return s;
}

void makeRaw(termios &t)
{
    ::cfmakeraw(&t);
    // cfmakeraw leaves these: received flow control, any-character restart,
    // case mapping, the bell on a full queue and the parity check.
    t.c_iflag &= ~tcflag_t(IXOFF | IXANY | IUCLC | IMAXBEL | INPCK);
    t.c_oflag = 0;
    t.c_lflag &= ~tcflag_t(ECHOE | ECHOK | ECHOCTL | ECHOKE | ECHOPRT | TOSTOP | XCASE | FLUSHO | PENDIN);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
}

int toTermios(const LineSettings &s, termios &t)
{
    using namespace linebits;
    if (s.BaudRate == 0 || !(s.Flags & fBinary) || s.ByteSize < 5 || s.ByteSize > 8
        || s.Parity > SpaceParity || s.StopBits > TwoStopBits
        || (s.StopBits == OneAndHalfStopBits && s.ByteSize != 5)
        || (s.StopBits == TwoStopBits && s.ByteSize == 5))
        return EINVAL;

    // Binary transfer: whatever the device had before, only the settings'
    // own requests are added to a raw line.
    makeRaw(t);

    auto setIf = [](tcflag_t &word, tcflag_t bits, bool on) {
        word = on ? (word | bits) : (word & ~bits);
    };
    setIf(t.c_iflag, INPCK, s.Flags & fParity);
    setIf(t.c_iflag, IXON, s.Flags & fOutX);
    setIf(t.c_iflag, IXOFF, s.Flags & fInX);
    // Bytes received with a line error: replaced by 0 (fErrorChar) or dropped.
    t.c_iflag &= ~tcflag_t(PARMRK);
    setIf(t.c_iflag, IGNPAR, !(s.Flags & fErrorChar));

    const bool handshake = (s.Flags & fOutxCtsFlow) || (s.Flags & fRtsControl) == RtsControlHandshake;
    setIf(t.c_cflag, CRTSCTS, handshake);
    t.c_cflag = (t.c_cflag & ~tcflag_t(CSIZE)) | sizeCodes[s.ByteSize - 5];
    t.c_cflag &= ~tcflag_t(PARENB | PARODD | CMSPAR);
    switch (s.Parity) {
    case OddParity: t.c_cflag |= PARENB | PARODD; break;
    case EvenParity: t.c_cflag |= PARENB; break;
    case MarkParity: t.c_cflag |= PARENB | CMSPAR | PARODD; break;
    case SpaceParity: t.c_cflag |= PARENB | CMSPAR; break;
    default: break;
    }
    setIf(t.c_cflag, CSTOPB, s.StopBits != OneStopBit);

    t.c_cc[VSTART] = cc_t(s.XonChar);
    t.c_cc[VSTOP] = cc_t(s.XoffChar);

    // A rate without a code is set afterwards through CustomRate; the code
    // written here only has to be valid.
    const speed_t code = speedCode(s.BaudRate);
    cfsetispeed(&t, code == B0 ? B38400 : code);
    cfsetospeed(&t, code == B0 ? B38400 : code);
    return 0;
}

} // namespace linesettings

// The translation of line settings into termios and back, from any settings
// and any termios record read from a device. Settings the device cannot take
// are refused with EINVAL and leave the record as it was; accepted ones read
// back the same, keep what they do not describe, and translate again to the
// same record. Rates and speed codes map onto each other.
//
// Input: byte 0 chooses how the rate and the small fields are taken (bit 0: a
// standard rate picked by the next byte, else four raw bytes; bit 1: data bits,
// parity and stop bits from small ranges, else raw bytes), then the flag word
// (4 bytes), XonChar, XoffChar, a speed code (4 bytes), and the termios record,
// filled up with zeros.
#include "LineSettings.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace {

[[noreturn]] void fail(const char *what, unsigned long long detail)
{
    std::fprintf(stderr, "%s: %llu\n", what, detail);
    std::abort();
}

struct Rate
{
    quint32 rate;
    speed_t code;
};

constexpr Rate standardRates[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},
    {150, B150},         {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
};

class Reader
{
public:
    Reader(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}
    quint32 number(int bytes)
    {
        quint32 value = 0;
        for (int i = 0; i < bytes; ++i)
            value = value << 8 | byte();
        return value;
    }
    quint8 byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    void fill(void *target, size_t count)
    {
        std::memset(target, 0, count);
        const size_t n = std::min(count, m_size - m_at);
        std::memcpy(target, m_data + m_at, n);
        m_at += n;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_at = 0;
};

bool same(const termios &a, const termios &b)
{
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag && a.c_lflag == b.c_lflag
           && a.c_line == b.c_line && std::equal(std::begin(a.c_cc), std::end(a.c_cc), std::begin(b.c_cc))
           && a.c_ispeed == b.c_ispeed && a.c_ospeed == b.c_ospeed;
}

bool acceptable(const LineSettings &s)
{
    using namespace linebits;
    const bool sizeOk = s.ByteSize >= 5 && s.ByteSize <= 8;
    const bool parityOk = s.Parity <= SpaceParity;
    const bool stopOk = s.StopBits == OneStopBit || (s.StopBits == OneAndHalfStopBits && s.ByteSize == 5)
                        || (s.StopBits == TwoStopBits && s.ByteSize != 5);
    return s.BaudRate != 0 && (s.Flags & fBinary) && sizeOk && parityOk && stopOk;
}

bool handshake(quint32 flags)
{
    using namespace linebits;
    return (flags & fOutxCtsFlow) || (flags & fRtsControl) == RtsControlHandshake;
}

void checkRates(speed_t anyCode, quint32 anyRate)
{
    for (const Rate &r : standardRates)
        if (linesettings::speedCode(r.rate) != r.code || linesettings::rateOfSpeedCode(r.code) != r.rate)
            fail("standard rate", r.rate);
    const speed_t code = linesettings::speedCode(anyRate);
    if (code != B0 && linesettings::rateOfSpeedCode(code) != anyRate)
        fail("rate round trip", anyRate);
    const quint32 rate = linesettings::rateOfSpeedCode(anyCode);
    if (rate != 0 && linesettings::speedCode(rate) != anyCode)
        fail("speed code round trip", anyCode);
}

void checkTranslation(const LineSettings &s, const termios &device)
{
    using namespace linebits;
    termios t = device;
    const int rc = linesettings::toTermios(s, t);
    if (rc != 0 && rc != EINVAL)
        fail("result", unsigned(rc));
    if ((rc == 0) != acceptable(s))
        fail("accepted or refused wrongly", unsigned(rc));
    if (rc == EINVAL) {
        if (!same(t, device))
            fail("refused settings changed the record", 0);
        return;
    }

    const LineSettings back = linesettings::fromTermios(t, s.BaudRate);
    if (back.BaudRate != s.BaudRate || back.ByteSize != s.ByteSize || back.Parity != s.Parity
        || back.StopBits != s.StopBits || back.XonChar != s.XonChar || back.XoffChar != s.XoffChar)
        fail("fields read back", s.ByteSize * 100 + s.Parity * 10 + s.StopBits);
    constexpr quint32 carried = fBinary | fParity | fOutX | fInX | fErrorChar;
    if ((back.Flags & carried) != ((s.Flags & carried) | fBinary))
        fail("flags read back", s.Flags);
    if (handshake(back.Flags) != handshake(s.Flags))
        fail("handshake read back", s.Flags);

    // A raw line, whatever the device had: nothing but the settings' own
    // requests changes a byte or takes one out of the data.
    if ((t.c_lflag & (ICANON | ECHO | ECHONL | ISIG | IEXTEN)) || t.c_oflag != 0
        || (t.c_iflag & (ISTRIP | INLCR | IGNCR | ICRNL | PARMRK | IXANY | IUCLC | BRKINT))
        || (t.c_cflag & (CLOCAL | CREAD)) != (CLOCAL | CREAD))
        fail("not a raw line", t.c_lflag);
    if (bool(t.c_iflag & IXON) != bool(s.Flags & fOutX) || bool(t.c_iflag & IXOFF) != bool(s.Flags & fInX))
        fail("flow control not asked for", t.c_iflag);
    if (t.c_cc[VMIN] != 1 || t.c_cc[VTIME] != 0)
        fail("reads do not wait for one byte", t.c_cc[VMIN]);
    const speed_t code = linesettings::speedCode(s.BaudRate);
    const speed_t expected = code == B0 ? B38400 : code;
    if (cfgetospeed(&t) != expected || cfgetispeed(&t) != expected)
        fail("speed code", cfgetospeed(&t));
    // What the settings do not describe is kept.
    if (t.c_line != device.c_line)
        fail("line discipline", t.c_line);
    for (int i = 0; i < NCCS; ++i)
        if (i != VSTART && i != VSTOP && i != VMIN && i != VTIME && t.c_cc[i] != device.c_cc[i])
            fail("control character", unsigned(i));

    termios again = t;
    if (linesettings::toTermios(back, again) != 0 || !same(again, t))
        fail("settings read back translate differently", back.Flags);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Reader in(data, size);
    const quint8 how = in.byte();
    LineSettings s;
    s.BaudRate = how & 1 ? standardRates[in.byte() % std::size(standardRates)].rate : in.number(4);
    s.Flags = in.number(4);
    if (how & 2) {
        s.ByteSize = quint8(4 + in.byte() % 6);
        s.Parity = quint8(in.byte() % 6);
        s.StopBits = quint8(in.byte() % 4);
    } else {
        s.ByteSize = in.byte();
        s.Parity = in.byte();
        s.StopBits = in.byte();
    }
    s.XonChar = char(in.byte());
    s.XoffChar = char(in.byte());
    const speed_t anyCode = in.number(4);
    termios device;
    in.fill(&device, sizeof device);

    checkRates(anyCode, s.BaudRate);
    checkTranslation(s, device);
    return 0;
}

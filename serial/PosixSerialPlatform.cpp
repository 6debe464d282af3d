#include "SerialPlatform.h"

#include "CustomRate.h"
#include "PortNames.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <unordered_map>

namespace {

bool unsupported(int e) { return e == ENOTTY || e == EINVAL; }

// The serial ports of a POSIX system: termios devices opened by file name.
class PosixSerialPlatform final : public SerialPlatform
{
public:
    ~PosixSerialPlatform() override
    {
        for (const auto &[fd, state] : m_ports) {
            ::ioctl(fd, TIOCNXCL);
            ::close(fd);
        }
    }

    Handle open(const QByteArray &portName) override
    {
        const QString device = portnames::devicePath(QString::fromLatin1(portName));
        if (device.isEmpty()) {
            fail(ENOENT);
            return InvalidHandle;
        }
        // Only a serial device is opened: anything else a port name may be
        // linked to (a file, a FIFO, a folder) is refused before it is
        // touched, with ENOTTY, and so is a device that is no terminal.
        const QByteArray name = QFile::encodeName(device);
        struct stat st {};
        if (::stat(name.constData(), &st) != 0) {
            fail(errno);
            return InvalidHandle;
        }
        if (!S_ISCHR(st.st_mode)) {
            fail(ENOTTY);
            return InvalidHandle;
        }
        // Non-blocking open, so that a modem-control line cannot hold it up.
        const int fd = ::open(name.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            fail(errno);
            return InvalidHandle;
        }
        // Looked at again through the descriptor: the entry may have changed.
        if (::fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode) || !::isatty(fd)) {
            ::close(fd);
            fail(ENOTTY);
            return InvalidHandle;
        }
        // Claimed by this process alone: other opens are refused (TIOCEXCL) and
        // other programs that lock the device see it taken (flock).
        int e = 0;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
            e = errno == EWOULDBLOCK ? EBUSY : errno;
        else if (::ioctl(fd, TIOCEXCL) != 0 && !unsupported(errno))
            e = errno;
        else if (const int fl = ::fcntl(fd, F_GETFL); fl < 0 || ::fcntl(fd, F_SETFL, fl & ~O_NONBLOCK) != 0)
            e = errno;
        if (e != 0) {
            ::close(fd);
            fail(e);
            return InvalidHandle;
        }
        // A device comes at the system's terminal settings, which take 0x11 and
        // 0x13 as flow control, turn 0x0D into 0x0A, echo and raise signals.
        // The line starts raw, so that the settings read from it next hold
        // nothing but what the program asks for.
        if (termios t {}; ::tcgetattr(fd, &t) == 0) {
            linesettings::makeRaw(t);
            ::tcsetattr(fd, TCSANOW, &t);
        }
        PortState state;
        state.countersSupported = readCounters(fd, state.counters);
        m_ports[fd] = state;
        return fd;
    }

    bool setupQueues(Handle h, quint32, quint32) override
    {
        // The driver's queues have fixed sizes here; only the handle is checked.
        return port(h) != nullptr;
    }

    bool getState(Handle h, LineSettings &settings) override
    {
        if (!port(h))
            return false;
        termios t {};
        if (::tcgetattr(h, &t) != 0)
            return fail(errno);
        quint32 rate = 0;
        if (const int e = customrate::readRate(h, rate); e != 0)
            rate = linesettings::rateOfSpeedCode(cfgetospeed(&t));
        settings = linesettings::fromTermios(t, rate);
        return true;
    }

    bool setState(Handle h, const LineSettings &settings) override
    {
        if (!port(h))
            return false;
        termios t {};
        if (::tcgetattr(h, &t) != 0)
            return fail(errno);
        if (const int e = linesettings::toTermios(settings, t); e != 0)
            return fail(e);
        if (::tcsetattr(h, TCSANOW, &t) != 0)
            return fail(errno);
        if (linesettings::speedCode(settings.BaudRate) == B0)
            if (const int e = customrate::setRate(h, settings.BaudRate); e != 0)
                return fail(e);
        return true;
    }

    bool clearError(Handle h, quint32 &errors, PortStatus &status) override
    {
        PortState *state = port(h);
        if (!state)
            return false;
        errors = 0;
        if (state->countersSupported) {
            serial_icounter_struct now {};
            if (readCounters(h, now)) {
                const serial_icounter_struct &was = state->counters;
                if (now.buf_overrun != was.buf_overrun)
                    errors |= lineerrors::RxOver;
                if (now.overrun != was.overrun)
                    errors |= lineerrors::Overrun;
                if (now.parity != was.parity)
                    errors |= lineerrors::RxParity;
                if (now.frame != was.frame)
                    errors |= lineerrors::Frame;
                if (now.brk != was.brk)
                    errors |= lineerrors::Break;
                state->counters = now;
            } else {
                state->countersSupported = false;
            }
        }
        int in = 0;
        if (::ioctl(h, FIONREAD, &in) != 0)
            return fail(errno);
        int out = 0;
        if (::ioctl(h, TIOCOUTQ, &out) != 0 && !unsupported(errno))
            return fail(errno);
        status.Flags = 0;
        status.cbInQue = quint32(in);
        status.cbOutQue = quint32(out);
        return true;
    }

    bool read(Handle h, char *data, quint32 size, quint32 &done) override
    {
        done = 0;
        if (!port(h))
            return false;
        for (;;) {
            const ssize_t n = ::read(h, data, size);
            if (n >= 0) {
                done = quint32(n);
                return true;
            }
            if (errno != EINTR)
                return fail(errno);
        }
    }

    bool write(Handle h, const char *data, quint32 size, quint32 &done) override
    {
        done = 0;
        if (!port(h))
            return false;
        do {
            const ssize_t n = ::write(h, data + done, size - done);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return fail(errno);
            }
            done += quint32(n);
        } while (done < size);
        return true;
    }

    bool waitInput(Handle h, int timeoutMs, bool &ready) override
    {
        ready = false;
        if (!port(h))
            return false;
        pollfd p {h, POLLIN, 0};
        const int n = ::poll(&p, 1, timeoutMs);
        if (n < 0)
            return errno == EINTR ? true : fail(errno);
        // A hung-up device (adapter unplugged, tester switched off) reports
        // input too, but a read gives no byte: it has failed.
        if (p.revents & (POLLHUP | POLLERR | POLLNVAL))
            return fail(EIO);
        ready = (p.revents & POLLIN) != 0;
        return true;
    }

    bool purgeInput(Handle h) override
    {
        if (!port(h))
            return false;
        return ::tcflush(h, TCIFLUSH) == 0 || fail(errno);
    }

    bool getMask(Handle h, quint32 &mask) override
    {
        const PortState *state = port(h);
        if (!state)
            return false;
        mask = state->eventMask;
        return true;
    }

    bool setMask(Handle h, quint32 mask) override
    {
        PortState *state = port(h);
        if (!state)
            return false;
        state->eventMask = mask;
        return true;
    }

    bool escape(Handle h, int code) override
    {
        if (!port(h))
            return false;
        int line = 0;
        unsigned long request = 0;
        switch (code) {
        case escapecode::SetXoff: return ::tcflow(h, TCOOFF) == 0 || fail(errno);
        case escapecode::SetXon: return ::tcflow(h, TCOON) == 0 || fail(errno);
        case escapecode::SetRts: request = TIOCMBIS; line = TIOCM_RTS; break;
        case escapecode::ClrRts: request = TIOCMBIC; line = TIOCM_RTS; break;
        case escapecode::SetDtr: request = TIOCMBIS; line = TIOCM_DTR; break;
        case escapecode::ClrDtr: request = TIOCMBIC; line = TIOCM_DTR; break;
        case escapecode::SetBreak: request = TIOCSBRK; break;
        case escapecode::ClrBreak: request = TIOCCBRK; break;
        default: return fail(EINVAL);
        }
        const int result = line ? ::ioctl(h, request, &line) : ::ioctl(h, request);
        return result == 0 || unsupported(errno) || fail(errno);
    }

    bool close(Handle h) override
    {
        if (!port(h))
            return false;
        m_ports.erase(h);
        ::ioctl(h, TIOCNXCL);  // the next open, by anybody, may claim it again
        return ::close(h) == 0 || fail(errno);
    }

    int lastError() const override { return m_lastError; }

private:
    struct PortState
    {
        quint32 eventMask = 0;
        bool countersSupported = false;
        serial_icounter_struct counters {};
    };

    bool fail(int e)
    {
        m_lastError = e;
        return false;
    }

    PortState *port(Handle h)
    {
        const auto it = m_ports.find(h);
        if (it == m_ports.end()) {
            fail(EBADF);
            return nullptr;
        }
        return &it->second;
    }

    static bool readCounters(int fd, serial_icounter_struct &counters)
    {
        return ::ioctl(fd, TIOCGICOUNT, &counters) == 0;
    }

    std::unordered_map<int, PortState> m_ports;
    int m_lastError = 0;
};

} // namespace

std::unique_ptr<SerialPlatform> makePosixSerialPlatform()
{
    return std::make_unique<PosixSerialPlatform>();
}

#include "TesterSimulator.h"

#include "RecordLayout.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/prctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace {

constexpr quint8 StartRequest = 0xA5;
constexpr quint8 ByteRequest = 0x9B;
constexpr char StartAnswer = 0x01;
constexpr char StrayByte = char(0xEE);
constexpr int SlowEvery = 256;

// Sleeps until a point in time: the system's sleep to shortly before it, the
// rest by watching the clock, so that pacing at high rates stays exact.
void sleepUntil(std::chrono::steady_clock::time_point when)
{
    using namespace std::chrono;
    const auto coarse = when - microseconds(150);
    if (steady_clock::now() < coarse) {
        const auto ns = duration_cast<nanoseconds>(coarse.time_since_epoch()).count();
        timespec ts {time_t(ns / 1'000'000'000), long(ns % 1'000'000'000)};
        while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
        }
    }
    while (steady_clock::now() < when) {
    }
}

} // namespace

TesterSimulator::TesterSimulator(Options options) : m_options(std::move(options)) {}

TesterSimulator::~TesterSimulator()
{
    if (m_master >= 0)
        ::close(m_master);
}

bool TesterSimulator::open(QString &error)
{
    int slave = -1;
    char name[256] = {};
    if (::openpty(&m_master, &slave, name, nullptr, nullptr) != 0) {
        error = QStringLiteral("cannot open a pseudo-terminal: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    // A freshly plugged adapter comes at the system's terminal settings; the
    // program must make the line raw itself. By default the simulator spares
    // it that, like an adapter another program has already set up.
    if (!m_options.defaultLine) {
        termios t {};
        ::tcgetattr(slave, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(slave, TCSANOW, &t);
    }
    // The program opens the device itself; until it does, reading the master
    // reports a hang-up, which run() waits out.
    ::close(slave);
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    m_devicePath = QString::fromLocal8Bit(name);
    if (m_options.rate != 0)
        ::prctl(PR_SET_TIMERSLACK, 1UL);
    return true;
}

void TesterSimulator::run(const std::atomic<bool> &stop)
{
    while (!stop && !m_hungUp) {
        if (m_options.once && m_ended) {
            lingerUntilClosed(stop);
            return;
        }
        pollfd p {m_master, POLLIN, 0};
        if (::poll(&p, 1, 100) < 0)
            continue;  // a signal: look at stop again
        quint8 chunk[256];
        const ssize_t n = (p.revents & POLLIN) ? ::read(m_master, chunk, sizeof chunk) : -1;
        if (n <= 0) {
            if (p.revents & (POLLHUP | POLLERR | POLLIN)) {
                // Nobody has the port open: whatever was going on has ended.
                m_serving = false;
                ::usleep(20'000);
            }
            continue;
        }
        const Clock::time_point arrival = Clock::now();
        for (ssize_t i = 0; i < n && !m_hungUp && !(m_options.once && m_ended); ++i)
            handle(chunk[i], arrival);
    }
}

// Closing the master would discard the answers the program has not read yet:
// wait until it has closed the port, or a second at most.
void TesterSimulator::lingerUntilClosed(const std::atomic<bool> &stop)
{
    const Clock::time_point end = Clock::now() + std::chrono::seconds(1);
    while (!stop && Clock::now() < end) {
        pollfd p {m_master, 0, 0};
        if (::poll(&p, 1, 50) > 0 && (p.revents & POLLHUP))
            return;
    }
}

void TesterSimulator::handle(quint8 request, Clock::time_point arrival)
{
    if (request == StartRequest) {
        m_serving = true;
        m_next = 0;
        if (m_options.hangUpAtStart) {
            hangUp();
            return;
        }
        if (m_options.silent) {
            endReception();
            return;
        }
        answer(m_options.doubleStart ? QByteArray(2, StartAnswer) : QByteArray(1, StartAnswer), arrival,
               m_options.slowMs > 0);
        return;
    }
    if (request != ByteRequest || !m_serving)
        return;
    if (m_options.hangUpAfter >= 0 && m_next >= m_options.hangUpAfter) {
        hangUp();
        return;
    }
    if (m_options.stopAfter >= 0 && m_next >= m_options.stopAfter) {
        endReception();
        return;
    }
    const int k = m_next++;
    QByteArray bytes(1, m_options.record.at(k));
    if (k == m_options.strayAfter)
        bytes.append(StrayByte);
    answer(bytes, arrival, m_options.slowMs > 0 && k % SlowEvery == 0);
    if (m_next == layout::RecordSize)
        endReception();
}

void TesterSimulator::answer(const QByteArray &bytes, Clock::time_point arrival, bool late)
{
    if (m_options.rate != 0) {
        // The request takes 10 bit times on the line, then each answer byte
        // another 10; an answer byte is delivered once it has been sent.
        const auto byteTime = std::chrono::nanoseconds(10'000'000'000LL / m_options.rate);
        m_lineFree = std::max(arrival + byteTime, m_lineFree) + byteTime * bytes.size();
        sleepUntil(m_lineFree + (late ? std::chrono::milliseconds(m_options.slowMs) : std::chrono::milliseconds(0)));
    } else if (late) {
        ::usleep(useconds_t(m_options.slowMs) * 1000);
    }
    ssize_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno != EINTR)
            return;  // the program has closed the port
        if (n > 0)
            done += n;
    }
}

void TesterSimulator::endReception()
{
    m_serving = false;
    m_ended = true;
}

// As a tester switched off or an adapter pulled out: the program sees its
// port hung up, and the device is gone.
void TesterSimulator::hangUp()
{
    ::close(m_master);
    m_master = -1;
    m_hungUp = true;
    endReception();
}

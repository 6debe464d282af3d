// Measures a whole reception (connect, start request, 4096 byte requests) of
// the widget-free reception code against the SART tester simulator:
//  - paced at 19200 bit/s: wall time against the line time, 4096 x 20 bits,
//    and the processor time the reception uses;
//  - unpaced: wall time against a minimal blocking request/answer loop over
//    the same simulator, measured in the same run.
// The simulator leaves its line at the system's default settings, as a
// freshly plugged adapter has them, so the program sets the line up itself.
// Only reports; the exit code is always 0.

#include "MyCom.h"
#include "PortNames.h"
#include "Reception.h"
#include "RecordLayout.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double cpuSeconds()
{
    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

class Simulator
{
public:
    Simulator(const QString &port, const QStringList &arguments)
    {
        m_process.start(QStringLiteral(SART_TESTER_SIM), QStringList{QStringLiteral("--port"), port} + arguments);
        QByteArray output;
        while (!output.contains("ready\n") && m_process.waitForReadyRead(10000))
            output += m_process.readAllStandardOutput();
        m_ready = output.contains("ready\n");
    }
    ~Simulator()
    {
        m_process.terminate();
        m_process.waitForFinished(5000);
    }
    bool ready() const { return m_ready; }

private:
    QProcess m_process;
    bool m_ready = false;
};

struct Measurement
{
    double wall = 0;
    double cpu = 0;
    bool complete = false;
};

Measurement receiveOnce(tPort port, TBaud baud)
{
    TComm comm;
    comm.SetPort(port);
    comm.SetBaud(baud);
    QByteArray buffer;
    reception::Hooks hooks;
    hooks.processEvents = [] { QCoreApplication::processEvents(); };
    const double cpu0 = cpuSeconds();
    const Clock::time_point start = Clock::now();
    const reception::Result result = reception::receive(comm, buffer, hooks);
    Measurement m;
    m.wall = since(start);
    m.cpu = cpuSeconds() - cpu0;
    m.complete = result.outcome == reception::Outcome::Complete;
    return m;
}

// The least a reception can do: one blocking write and one blocking read per
// byte, nothing else.
Measurement minimalLoop(const QString &device)
{
    Measurement m;
    const int fd = ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY);
    if (fd < 0)
        return m;
    termios t {};
    ::tcgetattr(fd, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(fd, TCSANOW, &t);
    ::tcflush(fd, TCIFLUSH);
    const Clock::time_point start = Clock::now();
    unsigned char request = reception::StartRequest, answer = 0;
    bool ok = ::write(fd, &request, 1) == 1 && ::read(fd, &answer, 1) == 1;
    request = reception::ByteRequest;
    for (int k = 0; ok && k < layout::RecordSize; ++k)
        ok = ::write(fd, &request, 1) == 1 && ::read(fd, &answer, 1) == 1;
    m.wall = since(start);
    m.complete = ok;
    ::close(fd);
    return m;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));

    {
        Simulator paced(QStringLiteral("COM1"),
                        {QStringLiteral("--rate"), QStringLiteral("19200"), QStringLiteral("--default-line")});
        const Measurement m = paced.ready() ? receiveOnce(tPort::COM1, TBaud::b19200) : Measurement();
        const Measurement l = paced.ready() ? minimalLoop(portnames::devicePath(QStringLiteral("COM1"))) : Measurement();
        const double line = layout::RecordSize * 20.0 / 19200.0;
        if (m.complete && l.complete) {
            std::printf("reception 19200 bit/s: wall/line = %.3f, cpu/wall = %.3f (wall %.3f s, line %.3f s, cpu %.3f s)\n",
                        m.wall / line, m.cpu / m.wall, m.wall, line, m.cpu);
            std::printf("  for comparison, minimal loop 19200 bit/s: wall/line = %.3f\n", l.wall / line);
        } else {
            std::printf("reception 19200 bit/s: did not complete\n");
        }
    }
    {
        Simulator unpaced(QStringLiteral("COM2"), {QStringLiteral("--default-line")});
        const QString device = portnames::devicePath(QStringLiteral("COM2"));
        std::vector<double> receptions, loops;
        bool complete = unpaced.ready();
        for (int round = 0; complete && round < 5; ++round) {
            const Measurement r = receiveOnce(tPort::COM2, TBaud::b256000);
            const Measurement l = minimalLoop(device);
            complete = r.complete && l.complete;
            receptions.push_back(r.wall);
            loops.push_back(l.wall);
        }
        if (complete)
            std::printf("reception unpaced: wall/minimal loop = %.3f (median of 5: reception %.3f s, minimal loop %.3f s)\n",
                        median(receptions) / median(loops), median(receptions), median(loops));
        else
            std::printf("reception unpaced: did not complete\n");
    }
    return 0;
}

#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QProcess>
#include <QString>
#include <QVector>

#include <algorithm>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// Small helpers the benchmarks share.
namespace bench {

inline double median(QVector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Milliseconds a run of program with one argument takes, started in dir.
inline double timeChild(const QString &program, const QString &mode, const QString &dir, int timeoutMs)
{
    QProcess child;
    child.setWorkingDirectory(dir);
    QElapsedTimer t;
    t.start();
    child.start(program, {mode});
    child.waitForFinished(timeoutMs);
    return t.nsecsElapsed() / 1e6;
}

// The record counts to measure: those given on the command line, or the
// defaults.
inline QList<int> recordCounts(int argc, char **argv, QList<int> defaults)
{
    if (argc <= 1)
        return defaults;
    QList<int> counts;
    for (int i = 1; i < argc; ++i)
        counts << QByteArray(argv[i]).toInt();
    return counts;
}

// Ordinary busy processes (spinning, normal priority) for as long as it lives.
class BusyProcesses
{
public:
    explicit BusyProcesses(int count)
    {
        for (int i = 0; i < count; ++i) {
            const pid_t pid = ::fork();
            if (pid == 0) {
                volatile unsigned long spin = 0;
                for (;;)
                    spin = spin + 1;
            }
            if (pid > 0)
                m_pids.push_back(pid);
        }
    }
    ~BusyProcesses()
    {
        for (const pid_t pid : m_pids) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }
    BusyProcesses(const BusyProcesses &) = delete;
    BusyProcesses &operator=(const BusyProcesses &) = delete;

private:
    std::vector<pid_t> m_pids;
};

// The machine's load averages (1, 5 and 15 minutes), to print beside figures.
inline QByteArray loadAverage()
{
    QProcess cat;
    cat.start(QStringLiteral("cat"), {QStringLiteral("/proc/loadavg")});
    cat.waitForFinished();
    return cat.readAllStandardOutput().split(' ').mid(0, 3).join(' ');
}

} // namespace bench

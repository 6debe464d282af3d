#pragma once

#include <QProcess>
#include <QStringList>

// The SART tester simulator (tools/sart-tester-sim) as a child process,
// reachable under a port name once started.
class SimProcess
{
public:
    // Starts it with --port (unless the port name is empty) and the extra
    // arguments; waits until it is ready.
    SimProcess(const QString &portName, const QStringList &arguments);
    ~SimProcess();

    bool isReady() const { return m_ready; }
    // Ends it at once, as a tester switched off: its line hangs up.
    void kill();
    QString output() const { return m_output; }
    // The pseudo-terminal the simulator answers on.
    QString devicePath() const;

private:
    QProcess m_process;
    QString m_output;
    bool m_ready = false;
};

#pragma once

#include <QString>

// A pseudo-terminal made reachable under a port name through the per-user
// ports folder (XDG_CONFIG_HOME must point at a test folder). The test keeps
// the master, to play the other end of the line, and a slave descriptor, to
// read back the line settings. The line is left at the system's default
// settings, as a freshly plugged adapter has them.
class PtyPort
{
public:
    explicit PtyPort(const QString &portName);
    ~PtyPort();
    PtyPort(const PtyPort &) = delete;
    PtyPort &operator=(const PtyPort &) = delete;

    int master() const { return m_master; }
    int slave() const { return m_slave; }
    QString devicePath() const { return m_devicePath; }

    // Bytes the program has sent, waiting up to timeoutMs for the first.
    QByteArray readSent(int timeoutMs = 1000);
    void sendToProgram(const QByteArray &bytes);
    // How many descriptors of this process have the device open.
    int openCount() const;

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_devicePath;
    QString m_link;
};

// Points a port name at any path (also one that does not exist).
void linkPort(const QString &portName, const QString &target);

// The line settings of a device as the kernel has them (termios2), so that
// rates without a termios speed code can be read back too.
struct LineReadback
{
    quint32 rate = 0;
    quint32 iflag = 0;
    quint32 cflag = 0;
    unsigned char startChar = 0;
    unsigned char stopChar = 0;
};
LineReadback readLine(int fd);

#include "PtyPort.h"

#include "PortNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <dirent.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

void linkPort(const QString &portName, const QString &target)
{
    QDir().mkpath(portnames::portsFolder());
    const QByteArray link = QFile::encodeName(portnames::linkPath(portName));
    ::unlink(link.constData());
    if (::symlink(QFile::encodeName(target).constData(), link.constData()) != 0)
        qFatal("cannot link %s", link.constData());
}

PtyPort::PtyPort(const QString &portName)
{
    char name[256] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0)
        qFatal("openpty failed");
    m_devicePath = QString::fromLocal8Bit(name);
    m_link = portnames::linkPath(portName);
    linkPort(portName, m_devicePath);
}

PtyPort::~PtyPort()
{
    ::unlink(QFile::encodeName(m_link).constData());
    ::close(m_slave);
    ::close(m_master);
}

QByteArray PtyPort::readSent(int timeoutMs)
{
    pollfd p {m_master, POLLIN, 0};
    if (::poll(&p, 1, timeoutMs) <= 0)
        return {};
    char buffer[512];
    const ssize_t n = ::read(m_master, buffer, sizeof buffer);
    return n > 0 ? QByteArray(buffer, n) : QByteArray();
}

void PtyPort::sendToProgram(const QByteArray &bytes)
{
    if (::write(m_master, bytes.constData(), size_t(bytes.size())) != bytes.size())
        qFatal("write to the pty failed");
}

int PtyPort::openCount() const
{
    int count = 0;
    DIR *dir = ::opendir("/proc/self/fd");
    while (const dirent *entry = dir ? ::readdir(dir) : nullptr) {
        const QString fd = QStringLiteral("/proc/self/fd/") + QString::fromLatin1(entry->d_name);
        if (QFileInfo(fd).symLinkTarget() == m_devicePath)
            ++count;
    }
    if (dir)
        ::closedir(dir);
    return count;
}

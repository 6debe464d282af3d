#include "SimProcess.h"

#include <QElapsedTimer>
#include <QRegularExpression>

SimProcess::SimProcess(const QString &portName, const QStringList &arguments)
{
    m_process.setProgram(QStringLiteral(SART_TESTER_SIM));
    m_process.setArguments(portName.isEmpty() ? arguments
                                              : QStringList{QStringLiteral("--port"), portName} + arguments);
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start();
    QElapsedTimer timer;
    timer.start();
    while (!m_ready && timer.elapsed() < 10000 && m_process.waitForReadyRead(10000)) {
        m_output += QString::fromLocal8Bit(m_process.readAll());
        m_ready = m_output.contains(QStringLiteral("ready\n"));
    }
}

QString SimProcess::devicePath() const
{
    static const QRegularExpression line(QStringLiteral("SART tester simulator on (\\S+)"));
    return line.match(m_output).captured(1);
}

SimProcess::~SimProcess()
{
    m_process.terminate();
    if (!m_process.waitForFinished(5000))
        m_process.kill();
    m_process.waitForFinished(5000);
}

void SimProcess::kill()
{
    m_process.kill();
    m_process.waitForFinished(5000);
}

#include "TestOffice.h"

#include "UnoRuntime.h"
#include "UnoText.h"

#include <com/sun/star/awt/XWindow2.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/frame/XTitle.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/util/XModifiable.hpp>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>
#include <QUrl>

#include <csignal>
#include <stdexcept>
#include <unistd.h>

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

namespace {

const QString OfficeBinary = QStringLiteral(SART_LIBREOFFICE_PROGRAM_DIR "/soffice.bin");
constexpr int FirstRunRestartCode = 81;
constexpr int StartTimeoutMs = 120000;

bool processAlive(qint64 pid)
{
    return ::kill(pid_t(pid), 0) == 0;
}

Reference<frame::XModel> model(const Reference<text::XTextDocument> &document)
{
    return Reference<frame::XModel>(document, UNO_QUERY_THROW);
}

} // namespace

TestOffice::TestOffice(QString profileDir, QString pipeName)
    : m_profileUrl(QUrl::fromLocalFile(profileDir).toString()), m_pipeName(std::move(pipeName))
{
}

TestOffice::~TestOffice()
{
    stop();
}

QString TestOffice::uniquePipeName(const QString &purpose)
{
    return QStringLiteral("sart_test_%1_%2").arg(QCoreApplication::applicationPid()).arg(purpose);
}

QStringList TestOffice::officeArguments() const
{
    return {QStringLiteral("--headless"), QStringLiteral("--invisible"), QStringLiteral("--nodefault"),
            QStringLiteral("--nologo"), QStringLiteral("--norestore"),
            QStringLiteral("-env:UserInstallation=") + m_profileUrl};
}

void TestOffice::start()
{
    m_process = std::make_unique<QProcess>();
    m_process->setProgram(OfficeBinary);
    m_process->setArguments(officeArguments() << QStringLiteral("--accept=pipe,name=%1;urp;").arg(m_pipeName));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : environment.keys()) {
        if (name.startsWith(QLatin1String("QT_")) || name.startsWith(QLatin1String("LD_")))
            environment.remove(name);
    }
    m_process->setProcessEnvironment(environment);
    // Nothing of the office's output reaches the test's own: an office left
    // behind by a crashed test must not keep the test runner waiting on it.
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    m_process->setStandardOutputFile(QProcess::nullDevice());
    m_process->start();
    if (!m_process->waitForStarted())
        throw std::runtime_error("cannot start " + OfficeBinary.toStdString());
    connect(StartTimeoutMs);
}

void TestOffice::adopt(qint64 pid)
{
    m_adoptedPid = pid;
    connect(StartTimeoutMs);
}

void TestOffice::connect(int timeoutMs)
{
    const Reference<bridge::XUnoUrlResolver> resolver = bridge::UnoUrlResolver::create(unoRuntime());
    const rtl::OUString url = "uno:pipe,name=" + toOUString(m_pipeName) + ";urp;StarOffice.ComponentContext";
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        try {
            const Reference<uno::XComponentContext> office(resolver->resolve(url), UNO_QUERY_THROW);
            m_desktop = frame::Desktop::create(office);
            return;
        } catch (const connection::NoConnectException &) {
        }
        if (deadline.hasExpired())
            throw std::runtime_error("the office did not listen on " + m_pipeName.toStdString());
        if (!m_process) {
            QThread::msleep(100);
        } else if (m_process->state() == QProcess::NotRunning || m_process->waitForFinished(100)) {
            if (m_process->exitCode() != FirstRunRestartCode)
                throw std::runtime_error("the office ended while starting");
            m_process->start();
            m_process->waitForStarted();
        }
    }
}

void TestOffice::kill()
{
    m_desktop.clear();
    if (m_process) {
        m_process->kill();
        m_process->waitForFinished();
    }
    if (m_adoptedPid)
        ::kill(pid_t(m_adoptedPid), SIGKILL);
    waitForEnd(10000);
}

void TestOffice::stop()
{
    if (m_desktop.is()) {
        try {
            m_desktop->terminate();
        } catch (const uno::Exception &) {
            // The office may go before it answers.
        }
        m_desktop.clear();
    }
    waitForEnd(20000);
    if (m_process && m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        m_process->waitForFinished();
    }
    if (m_adoptedPid && processAlive(m_adoptedPid))
        ::kill(pid_t(m_adoptedPid), SIGKILL);
    waitForEnd(10000);
    m_process.reset();
    m_adoptedPid = 0;
    // An office that was killed leaves the sockets of its pipes behind: this
    // one and those named after it that it took over.
    const QDir pipes(QStringLiteral("/tmp"), QStringLiteral("OSL_PIPE_%1_%2*").arg(getuid()).arg(m_pipeName),
                     QDir::NoSort, QDir::System);
    for (const QString &socket : pipes.entryList())
        QFile::remove(pipes.filePath(socket));
}

void TestOffice::waitForEnd(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    if (m_process && m_process->state() != QProcess::NotRunning)
        m_process->waitForFinished(timeoutMs);
    while (m_adoptedPid && processAlive(m_adoptedPid) && !deadline.hasExpired())
        QThread::msleep(50);
}

void TestOffice::writeLauncher(const QString &path, const QString &pidFile) const
{
    QString script = QStringLiteral("#!/bin/sh\necho $$ > '%1'\nexec '%2'").arg(pidFile, OfficeBinary);
    for (const QString &argument : officeArguments())
        script += QStringLiteral(" '%1'").arg(argument);
    script += QStringLiteral(" \"$@\"\n");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(script.toUtf8()) < 0)
        throw std::runtime_error("cannot write " + path.toStdString());
    file.close();
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

QList<Reference<text::XTextDocument>> TestOffice::textDocuments() const
{
    QList<Reference<text::XTextDocument>> documents;
    const Reference<container::XEnumeration> components = m_desktop->getComponents()->createEnumeration();
    while (components->hasMoreElements()) {
        Reference<text::XTextDocument> document(components->nextElement(), uno::UNO_QUERY);
        if (document.is())
            documents << document;
    }
    return documents;
}

namespace officetext {

QStringList paragraphs(const Reference<text::XTextDocument> &document)
{
    QStringList result;
    const Reference<container::XEnumerationAccess> access(document->getText(), UNO_QUERY_THROW);
    const Reference<container::XEnumeration> enumeration = access->createEnumeration();
    while (enumeration->hasMoreElements())
        result << toQString(Reference<text::XTextRange>(enumeration->nextElement(), UNO_QUERY_THROW)->getString());
    return result;
}

QString frameTitle(const Reference<text::XTextDocument> &document)
{
    const Reference<frame::XFrame> frame = model(document)->getCurrentController()->getFrame();
    return toQString(Reference<frame::XTitle>(frame, UNO_QUERY_THROW)->getTitle());
}

bool windowVisible(const Reference<text::XTextDocument> &document)
{
    const Reference<frame::XFrame> frame = model(document)->getCurrentController()->getFrame();
    return Reference<awt::XWindow2>(frame->getContainerWindow(), UNO_QUERY_THROW)->isVisible();
}

bool modified(const Reference<text::XTextDocument> &document)
{
    return Reference<util::XModifiable>(document, UNO_QUERY_THROW)->isModified();
}

bool stored(const Reference<text::XTextDocument> &document)
{
    return Reference<frame::XStorable>(document, UNO_QUERY_THROW)->hasLocation();
}

Reference<text::XTextDocument> openUserDocument(const Reference<frame::XDesktop2> &desktop, const QString &text)
{
    const Reference<text::XTextDocument> document(
        desktop->loadComponentFromURL(rtl::OUString("private:factory/swriter"), rtl::OUString("_blank"), 0, {}),
        UNO_QUERY_THROW);
    document->getText()->setString(toOUString(text));
    return document;
}

} // namespace officetext

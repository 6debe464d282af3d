#include "UnoWriter.h"

#include "UnoRuntime.h"
#include "UnoText.h"

#include <com/sun/star/awt/XTopWindow.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XTitle.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <cppuhelper/exc_hlp.hxx>

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <stdexcept>

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

constexpr int RetryIntervalMs = 100;
// How long a started office that has already ended may take to hand our pipe
// over to the office that runs already.
constexpr int HandOverGraceMs = 3000;

// The started office is detached: it is not our child, so ask the system.
bool processRunning(qint64 pid)
{
    return ::kill(pid_t(pid), 0) == 0 || errno != ESRCH;
}

// Runs UNO calls and raises their failures with the office's message, less
// the source location some builds append to it.
template<typename Calls>
void unoCalls(Calls &&calls)
{
    try {
        calls();
    } catch (const uno::Exception &e) {
        static const QRegularExpression location(QStringLiteral("\\s+at \\S+:\\d+$"));
        QString text = toQString(e.Message).remove(location);
        if (text.isEmpty())
            text = toQString(cppu::getCaughtException().getValueTypeName());
        throw std::runtime_error(("LibreOffice Writer: " + text).toStdString());
    } catch (const cppu::BootstrapException &e) {
        // The installation's UNO runtime cannot be set up.
        throw std::runtime_error(("LibreOffice Writer: " + toQString(e.getMessage())).toStdString());
    }
}

void requireConnected(const uno::BaseReference &link)
{
    if (!link.is())
        throw std::runtime_error("LibreOffice Writer is not connected");
}

} // namespace

UnoWriter::UnoWriter(OfficeConnection connection) : m_connection(std::move(connection)) {}

void UnoWriter::connectApplication()
{
    if (m_frame.is())
        return;
    unoCalls([&] {
        m_office = attachOffice();
        m_desktop = frame::Desktop::create(m_office);
        // Always a new document: the user's open documents are left alone.
        const Reference<lang::XComponent> document = m_desktop->loadComponentFromURL(
            rtl::OUString("private:factory/swriter"), rtl::OUString("_default"), 0, {});
        const Reference<text::XTextDocument> textDocument(document, UNO_QUERY);
        if (!textDocument.is())
            throw std::runtime_error(NeedsWriterText);
        const Reference<frame::XModel> model(document, UNO_QUERY_THROW);
        m_frame.set(model->getCurrentController()->getFrame(), uno::UNO_SET_THROW);
        m_text.set(textDocument->getText(), uno::UNO_SET_THROW);
    });
}

void UnoWriter::setVisible(bool visible)
{
    requireConnected(m_frame);
    unoCalls([&] {
        const Reference<awt::XWindow> window(m_frame->getContainerWindow(), uno::UNO_SET_THROW);
        window->setVisible(visible);
        if (const Reference<awt::XTopWindow> top{window, UNO_QUERY}; visible && top.is())
            top->toFront();
    });
}

void UnoWriter::setCaption(const QString &caption)
{
    // The frame's title is the window title exactly as given; the model's
    // title would get the application's name appended.
    requireConnected(m_frame);
    unoCalls([&] { Reference<frame::XTitle>(m_frame, UNO_QUERY_THROW)->setTitle(toOUString(caption)); });
}

void UnoWriter::appendToDocument(const QString &text)
{
    requireConnected(m_text);
    unoCalls([&] { m_text->insertString(m_text->getEnd(), toOUString(text), false); });
}

void UnoWriter::disconnectDocument()
{
    m_text.clear();
}

void UnoWriter::disconnectApplication()
{
    m_text.clear();
    m_frame.clear();
    m_desktop.clear();
    m_office.clear();
}

Reference<uno::XComponentContext> UnoWriter::attachOffice()
{
    const Reference<bridge::XUnoUrlResolver> resolver = bridge::UnoUrlResolver::create(unoRuntime());
    const rtl::OUString url = "uno:pipe,name=" + toOUString(m_connection.pipeName)
                              + ";urp;StarOffice.ComponentContext";
    qint64 officePid = 0;
    QElapsedTimer sinceStart, sinceEnd;
    for (;;) {
        try {
            return Reference<uno::XComponentContext>(resolver->resolve(url), UNO_QUERY_THROW);
        } catch (const connection::NoConnectException &) {
            if (!sinceStart.isValid()) {
                officePid = startOffice();
                sinceStart.start();
            } else if (sinceStart.hasExpired(m_connection.startTimeoutMs)) {
                throw std::runtime_error(
                    QStringLiteral("LibreOffice Writer did not start within %1 seconds")
                        .arg(m_connection.startTimeoutMs / 1000.0)
                        .toStdString());
            } else if (!sinceEnd.isValid()) {
                if (!processRunning(officePid))
                    sinceEnd.start();
            } else if (sinceEnd.hasExpired(HandOverGraceMs)) {
                // Neither listening itself nor handed over to a running office
                // (no display, a broken installation, ...).
                throw std::runtime_error("LibreOffice Writer could not be started");
            }
        }
        QThread::msleep(RetryIntervalMs);
    }
}

// Starts the office listening on our pipe and leaves it running on its own;
// returns its process id. When LibreOffice already runs for this user, the new
// process hands the request to it and ends, and the running office listens.
qint64 UnoWriter::startOffice()
{
    QProcess office;
    office.setProgram(m_connection.officeProgram);
    office.setArguments({QStringLiteral("--nologo"), QStringLiteral("--norestore"),
                         QStringLiteral("--accept=pipe,name=%1;urp;").arg(m_connection.pipeName)});
    // Our Qt and loader settings are not meant for the office.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : environment.keys()) {
        if (name.startsWith(QLatin1String("QT_")) || name.startsWith(QLatin1String("LD_")))
            environment.remove(name);
    }
    office.setProcessEnvironment(environment);
    qint64 pid = 0;
    if (!office.startDetached(&pid))
        throw std::runtime_error(NeedsWriterText);
    return pid;
}

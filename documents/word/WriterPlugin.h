#pragma once

#include "WordProcessor.h"

#include <QString>
#include <QtPlugin>

#include <memory>

// Where the LibreOffice plugin finds the office, and what it starts when
// nobody listens there.
struct OfficeConnection
{
    QString pipeName;       // the office accepts "pipe,name=<pipeName>;urp;"
    QString officeProgram;  // started detached when nobody listens on the pipe
    int startTimeoutMs = 30000;
};

// The interface of the plugin that drives LibreOffice Writer through UNO. It is
// loaded at run time so that the program starts where LibreOffice is missing.
// Its sessions raise std::runtime_error with the failure's text in UTF-8 (the
// plugin does not link the program's libraries); LibreOfficeWriter turns these
// into AppError.
class WriterPlugin
{
public:
    virtual ~WriterPlugin() = default;
    virtual std::unique_ptr<WordProcessor> createSession(const OfficeConnection &connection) = 0;
};

#define WriterPlugin_iid "org.sart-tester.WriterPlugin/1"
Q_DECLARE_INTERFACE(WriterPlugin, WriterPlugin_iid)

// The failure when Writer cannot be reached at all: no plugin, no office
// program, or an office without its word processor.
inline constexpr char NeedsWriterText[] =
    "LibreOffice Writer is needed for the Word export; install the package libreoffice-writer.";

// The failure when the office installed cannot show a window, so that the
// document would be made where nobody can see it.
inline constexpr char NeedsWindowText[] =
    "The LibreOffice installed here has no window (package libreoffice-writer-nogui), so the Word export "
    "could not show its document; install the package libreoffice-writer, which replaces it.";

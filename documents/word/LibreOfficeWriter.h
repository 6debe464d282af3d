#pragma once

#include "WordProcessor.h"
#include "WriterPlugin.h"

#include <QStringList>

#include <memory>

struct LibreOfficeOptions
{
    OfficeConnection office;
    QStringList pluginDirs;  // searched in order for the plugin

    // The program's own pipe "sart_tester_uno_<uid>", the installed soffice,
    // and the plugin next to the executable, in <exe dir>/../lib/sart-tester
    // and in the build tree.
    static LibreOfficeOptions defaults();
};

// Raises AppError (NeedsWindowText) when the office program is installed but
// cannot show a window: the office without one (libreoffice-core-nogui) lacks
// the window-system plugins libvclplug_* (gen for X11, gtk3, kf5, qt5) that
// every other build keeps beside its program. An office that is not there at
// all is left to the export, which reports it as missing.
void requireOfficeWindow(const QString &officeProgram);

// LibreOffice Writer as the word processor of the Word export. Connecting
// attaches to the office listening on the program's pipe, or starts one, and
// opens a new Writer document whose window the caption and visibility apply to.
// Disconnecting releases the references only: the office keeps running with
// the document, unsaved.
class LibreOfficeWriter final : public WordProcessor
{
public:
    LibreOfficeWriter();
    explicit LibreOfficeWriter(LibreOfficeOptions options);
    ~LibreOfficeWriter() override;

    void connectApplication() override;
    void setVisible(bool visible) override;
    void setCaption(const QString &caption) override;
    void appendToDocument(const QString &text) override;
    void disconnectDocument() override;
    void disconnectApplication() override;

private:
    WordProcessor &session();

    LibreOfficeOptions m_options;
    std::unique_ptr<WordProcessor> m_session;
};

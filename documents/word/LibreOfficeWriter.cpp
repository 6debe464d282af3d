#include "LibreOfficeWriter.h"

#include "AppError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

#include <csignal>
#include <exception>
#include <unistd.h>

namespace {

// The plugin stays loaded for the rest of the run: its UNO runtime is set up
// once per process.
WriterPlugin &loadPlugin(const QStringList &dirs)
{
    // The office is reached through a pipe: an office that ends mid-export
    // closes it under a write, whose SIGPIPE would otherwise end the whole
    // program with the engineer's unsaved work. The write fails instead and
    // the export reports it.
    static const bool pipeSignalIgnored = (std::signal(SIGPIPE, SIG_IGN), true);
    Q_UNUSED(pipeSignalIgnored);
    for (const QString &dir : dirs) {
        const QString path = QDir(dir).filePath(QStringLiteral(SART_WORD_PLUGIN_FILE));
        if (!QFileInfo::exists(path))
            continue;
        QPluginLoader loader(path);
        if (auto *plugin = qobject_cast<WriterPlugin *>(loader.instance()))
            return *plugin;
        // Typically LibreOffice's own libraries are missing.
        qWarning("Word export: %s", qPrintable(loader.errorString()));
    }
    throw AppError(QString::fromUtf8(NeedsWriterText));
}

// Runs a call into the plugin and turns its failures into the program's error.
template<typename Call>
void translated(Call &&call)
{
    try {
        call();
    } catch (const AppError &) {
        throw;
    } catch (const std::exception &e) {
        throw AppError(QString::fromUtf8(e.what()));
    }
}

} // namespace

void requireOfficeWindow(const QString &officeProgram)
{
    const QFileInfo program(officeProgram);
    if (program.exists()
        && program.dir().entryList({QStringLiteral("libvclplug_*")}, QDir::Files | QDir::System).isEmpty())
        throw AppError(QString::fromUtf8(NeedsWindowText));
}

LibreOfficeOptions LibreOfficeOptions::defaults()
{
    LibreOfficeOptions options;
    options.office.pipeName = QStringLiteral("sart_tester_uno_%1").arg(getuid());
    options.office.officeProgram = QStringLiteral(SART_OFFICE_PROGRAM);
    // An office of one's own (a headless one for tests, a second profile):
    // the export attaches to the office listening on this pipe, and starts
    // this program when nobody listens.
    if (const QString pipe = qEnvironmentVariable("SART_OFFICE_PIPE"); !pipe.isEmpty())
        options.office.pipeName = pipe;
    if (const QString program = qEnvironmentVariable("SART_OFFICE_PROGRAM"); !program.isEmpty())
        options.office.officeProgram = program;
    if (QCoreApplication::instance()) {
        const QDir exeDir(QCoreApplication::applicationDirPath());
        options.pluginDirs << exeDir.path()
                           << QDir::cleanPath(exeDir.filePath(QStringLiteral(SART_WORD_PLUGIN_INSTALL_DIR)));
    }
    options.pluginDirs << QStringLiteral(SART_WORD_PLUGIN_BUILD_DIR);
    return options;
}

LibreOfficeWriter::LibreOfficeWriter() : LibreOfficeWriter(LibreOfficeOptions::defaults()) {}

LibreOfficeWriter::LibreOfficeWriter(LibreOfficeOptions options) : m_options(std::move(options)) {}

LibreOfficeWriter::~LibreOfficeWriter() = default;

void LibreOfficeWriter::connectApplication()
{
    if (m_session)
        return;
    WriterPlugin &plugin = loadPlugin(m_options.pluginDirs);
    translated([&] {
        auto session = plugin.createSession(m_options.office);
        session->connectApplication();
        m_session = std::move(session);
    });
}

void LibreOfficeWriter::setVisible(bool visible)
{
    translated([&] { session().setVisible(visible); });
}

void LibreOfficeWriter::setCaption(const QString &caption)
{
    translated([&] { session().setCaption(caption); });
}

void LibreOfficeWriter::appendToDocument(const QString &text)
{
    translated([&] { session().appendToDocument(text); });
}

void LibreOfficeWriter::disconnectDocument()
{
    if (m_session)
        translated([&] { m_session->disconnectDocument(); });
}

void LibreOfficeWriter::disconnectApplication()
{
    if (const auto session = std::move(m_session))
        translated([&] { session->disconnectApplication(); });
}

WordProcessor &LibreOfficeWriter::session()
{
    if (!m_session)
        throw AppError(QStringLiteral("LibreOffice Writer is not connected"));
    return *m_session;
}

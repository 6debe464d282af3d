#include "CheckCommand.h"

#include "AppError.h"
#include "CertificateFindings.h"
#include "SigningSettings.h"
#include "StartFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include <cstring>

namespace checkcommand {

namespace {

// The options' names stay as typed whatever the language.
QString usage()
{
    return QCoreApplication::translate("CheckCommand", "Usage: %1 --check FILE.pdf [--ca CA.pem] [--archive FOLDER]")
        .arg(QStringLiteral("sart-tester"));
}

} // namespace

bool asked(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--check") == 0)
            return true;
    return false;
}

int run(const QStringList &arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    QString pdf, ca, archive;
    bool caGiven = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (a == Option && hasValue) {
            pdf = arguments[++i];
        } else if (a == QStringLiteral("--ca") && hasValue) {
            ca = arguments[++i];
            caGiven = true;
        } else if (a == QStringLiteral("--archive") && hasValue) {
            archive = arguments[++i];
        } else if (a != startfolder::OwnFolderOption) {
            err << QCoreApplication::translate("CheckCommand", "Unknown or incomplete argument: %1").arg(a) << '\n'
                << usage() << '\n';
            return 2;
        }
    }
    if (pdf.isEmpty()) {
        err << usage() << '\n';
        return 2;
    }
    // Names given relative to the folder the command was run in.
    pdf = QDir::current().absoluteFilePath(pdf);
    if (caGiven)
        ca = QDir::current().absoluteFilePath(ca);
    if (!archive.isEmpty())
        archive = QDir::current().absoluteFilePath(archive);
    try {
        startfolder::enter(arguments);
    } catch (const AppError &e) {
        err << e.text() << '\n';
        return 2;
    }
    signing::CheckPlace place;
    place.caFile = caGiven ? ca : signing::loadSettings().caFile;
    place.register_ = certregister::loadProgramSettings();
    place.archiveFolder = archive.isEmpty() ? QDir::current().absoluteFilePath(QStringLiteral("bin")) : archive;
    const signing::Findings findings = signing::checkCertificateFile(pdf, place);
    out << QCoreApplication::translate("CheckCommand", "Certificate %1").arg(QDir::toNativeSeparators(pdf)) << '\n';
    for (const QString &line : findings.texts())
        out << line << '\n';
    out << (findings.allHold() ? QCoreApplication::translate("CheckCommand", "Everything checked holds.")
                               : QCoreApplication::translate("CheckCommand", "Not everything holds: see PROBLEM above."))
        << '\n';
    return findings.allHold() ? 0 : 1;
}

} // namespace checkcommand

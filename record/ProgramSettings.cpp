#include "ProgramSettings.h"

#include "SmallFile.h"

#include <QDir>
#include <QFile>

QString ProgramSettings::configFolder()
{
    QString config = QFile::decodeName(qgetenv("XDG_CONFIG_HOME"));
    if (config.isEmpty() || !QDir::isAbsolutePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/sart-tester");
}

QString ProgramSettings::usablePath()
{
    const QString path = filePath();
    if (smallfile::check(path, MaxFileSize) != smallfile::Kind::Unusable
        && smallfile::check(path + QStringLiteral(".lock"), MaxFileSize) != smallfile::Kind::Unusable)
        return path;
    // /dev/null is no folder: every read or write under it fails at once.
    return QStringLiteral("/dev/null/sart-tester.conf");
}

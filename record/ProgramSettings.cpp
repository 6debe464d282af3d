#include "ProgramSettings.h"

#include <QDir>
#include <QFile>

QString ProgramSettings::configFolder()
{
    QString config = QFile::decodeName(qgetenv("XDG_CONFIG_HOME"));
    if (config.isEmpty() || !QDir::isAbsolutePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/sart-tester");
}

#include "ProgramSettings.h"

#include "SmallFile.h"

#include <QCoreApplication>
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

QString ProgramSettings::unreadable()
{
    const QString path = filePath();
    switch (smallfile::check(path, MaxFileSize)) {
    case smallfile::Kind::Missing:
        return {};
    case smallfile::Kind::Unusable:
        return QCoreApplication::translate("ProgramSettings", "The settings file %1 cannot be read: it is not a regular file of at most %2 bytes.")
            .arg(path)
            .arg(MaxFileSize);
    case smallfile::Kind::Usable:
        break;
    }
    // A regular file: opening it never blocks.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QCoreApplication::translate("ProgramSettings", "The settings file %1 cannot be read: %2.").arg(path, file.errorString());
    if (smallfile::check(path + QStringLiteral(".lock"), MaxFileSize) == smallfile::Kind::Unusable)
        return QCoreApplication::translate("ProgramSettings", "The settings file %1 cannot be read: its lock file %1.lock is not a regular file.")
            .arg(path);
    return {};
}

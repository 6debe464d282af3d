#include "PortNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace portnames {

QString portsFolder()
{
    QString config = QFile::decodeName(qgetenv("XDG_CONFIG_HOME"));
    if (config.isEmpty() || !QDir::isAbsolutePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/sart-tester/ports");
}

QString linkPath(const QString &portName)
{
    return portsFolder() + u'/' + portName;
}

QString devicePath(const QString &portName)
{
    static const QRegularExpression pattern(QStringLiteral("^COM([1-8])$"));
    const QRegularExpressionMatch match = pattern.match(portName);
    if (!match.hasMatch())
        return {};

    const QByteArray link = QFile::encodeName(linkPath(portName));
    char target[4096];
    const ssize_t n = ::readlink(link.constData(), target, sizeof target - 1);
    if (n > 0) {
        const QString path = QFile::decodeName(QByteArray(target, n));
        return QDir::isAbsolutePath(path) ? path : QDir::cleanPath(portsFolder() + u'/' + path);
    }
    return QStringLiteral("/dev/ttyS%1").arg(match.captured(1).toInt() - 1);
}

QString openFailureText(const QString &portName, const QString &device, int errorCode)
{
    QString text = QStringLiteral("Cannot open the port %1 (%2): %3")
                       .arg(portName, device, QString::fromLocal8Bit(std::strerror(errorCode)));
    if (errorCode == EACCES || errorCode == EPERM) {
        struct stat st {};
        QString group;
        if (::stat(QFile::encodeName(device).constData(), &st) == 0) {
            const struct group *g = ::getgrgid(st.st_gid);
            group = g ? QString::fromLocal8Bit(g->gr_name) : QString::number(st.st_gid);
        }
        if (group.isEmpty())
            group = QStringLiteral("dialout");
        text += QStringLiteral(". The device belongs to the group \"%1\": your user must be a member "
                               "of that group (for example: sudo usermod -aG %1 $USER) and log in again")
                    .arg(group);
    } else if (errorCode == EBUSY) {
        text += QStringLiteral(". Another program is using it");
    } else if (errorCode == ENOENT) {
        text += QStringLiteral(". Check that the adapter is plugged in, or point %1 at the right device "
                               "with a link in %2")
                    .arg(portName, portsFolder());
    }
    return text;
}

} // namespace portnames

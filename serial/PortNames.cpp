#include "PortNames.h"

#include "AppError.h"
#include "ProgramSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace portnames {

QString deviceRoot()
{
    QString root = QFile::decodeName(qgetenv("SART_DEVICE_ROOT"));
    while (root.endsWith(u'/'))
        root.chop(1);
    return root;
}

QString configFolder() { return ProgramSettings::configFolder(); }

QString portsFolder()
{
    return configFolder() + QStringLiteral("/ports");
}

QString linkPath(const QString &portName)
{
    return portsFolder() + u'/' + portName;
}

namespace {

QRegularExpressionMatch matchPortName(const QString &portName)
{
    static const QRegularExpression pattern(QStringLiteral("^COM([1-8])$"));
    return pattern.match(portName);
}

} // namespace

QString devicePath(const QString &portName)
{
    const QRegularExpressionMatch match = matchPortName(portName);
    if (!match.hasMatch())
        return {};

    const QByteArray link = QFile::encodeName(linkPath(portName));
    char target[4096];
    const ssize_t n = ::readlink(link.constData(), target, sizeof target - 1);
    if (n > 0) {
        const QString path = QFile::decodeName(QByteArray(target, n));
        return QDir::isAbsolutePath(path) ? path : QDir::cleanPath(portsFolder() + u'/' + path);
    }
    return deviceRoot() + QStringLiteral("/dev/ttyS%1").arg(match.captured(1).toInt() - 1);
}

bool isPresent(const QString &device)
{
    struct stat st {};
    return ::stat(QFile::encodeName(device).constData(), &st) == 0;
}

// The link is made under a temporary name and renamed over the old one, so
// that the port name always stands for one device or the other.
void assign(const QString &portName, const QString &device)
{
    if (!matchPortName(portName).hasMatch())
        errors::throwText(QStringLiteral("%1 is not a port name (COM1 to COM8)").arg(portName));
    const QString folder = portsFolder();
    errno = 0;
    if (!QDir().mkpath(folder)) {
        const int error = errno;
        errors::throwText(QStringLiteral("Cannot create the ports folder %1: %2")
                              .arg(folder, error != 0 ? errors::ioText(error) : errors::FileAccessDenied));
    }

    const QString link = linkPath(portName);
    const QByteArray linkName = QFile::encodeName(link);
    struct stat st {};
    if (::lstat(linkName.constData(), &st) == 0 && !S_ISLNK(st.st_mode))
        errors::throwText(QStringLiteral("%1 is not a link: the program replaces only the links it makes. "
                                         "Move it elsewhere, then give the name %2 again")
                              .arg(link, portName));

    const QByteArray temporary = QFile::encodeName(folder + QStringLiteral("/.") + portName + QStringLiteral(".new"));
    ::unlink(temporary.constData());
    if (::symlink(QFile::encodeName(device).constData(), temporary.constData()) != 0
        || ::rename(temporary.constData(), linkName.constData()) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        errors::throwText(QStringLiteral("Cannot write the link %1: %2").arg(link, errors::ioText(error)));
    }
}

namespace {

// What lies at a path that is no serial device, in words.
QString kindOf(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return QStringLiteral("not a serial device");
    if (S_ISREG(st.st_mode))
        return QStringLiteral("a regular file");
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(st.st_mode))
        return QStringLiteral("a FIFO (named pipe)");
    if (S_ISSOCK(st.st_mode))
        return QStringLiteral("a socket");
    return QStringLiteral("a device that is not a serial port");
}

// The group of the device when it is one that serial devices belong to and
// that users join to use them; empty for any other group (root, tty, ...).
QString serialGroupOf(const QString &device)
{
    static const QStringList serialGroups = {"dialout", "uucp", "serial"};
    struct stat st {};
    if (::stat(QFile::encodeName(device).constData(), &st) != 0)
        return {};
    const struct group *g = ::getgrgid(st.st_gid);
    const QString group = g ? QString::fromLocal8Bit(g->gr_name) : QString();
    return serialGroups.contains(group) ? group : QString();
}

} // namespace

QString openFailureText(const QString &portName, const QString &device, int errorCode)
{
    const QString head = QStringLiteral("Cannot open the port %1 (%2): ").arg(portName, device);
    if (errorCode == ENOTTY)
        return head + QStringLiteral("it is %1, not a serial device. Point %2 at a serial device with a link in %3")
                          .arg(kindOf(device), portName, portsFolder());
    QString text = head + QString::fromLocal8Bit(std::strerror(errorCode));
    if (errorCode == EACCES || errorCode == EPERM) {
        const QString group = serialGroupOf(device);
        if (!group.isEmpty())
            text += QStringLiteral(". The device belongs to the group \"%1\": your user must be a member "
                                   "of that group (for example: sudo usermod -aG %1 $USER) and log in again")
                        .arg(group);
        else
            text += QStringLiteral(". Your user may not use this device, and it belongs to no group of serial "
                                   "devices (such as \"dialout\") that a user could join: check that %1 stands "
                                   "for the right device, with a link in %2")
                        .arg(portName, portsFolder());
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

#include "PortNames.h"

#include "AppError.h"
#include "ProgramSettings.h"

#include <QCoreApplication>
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
        errors::throwText(QCoreApplication::translate("PortNames", "%1 is not a port name (COM1 to COM8)").arg(portName));
    const QString folder = portsFolder();
    errno = 0;
    if (!QDir().mkpath(folder)) {
        const int error = errno;
        errors::throwText(QCoreApplication::translate("PortNames", "Cannot create the ports folder %1: %2")
                              .arg(folder, error != 0 ? errors::ioText(error) : errors::FileAccessDenied));
    }

    const QString link = linkPath(portName);
    const QByteArray linkName = QFile::encodeName(link);
    struct stat st {};
    if (::lstat(linkName.constData(), &st) == 0 && !S_ISLNK(st.st_mode))
        errors::throwText(QCoreApplication::translate("PortNames", "%1 is not a link: the program replaces only the links it "
                                                                   "makes. Move it elsewhere, then give the name %2 again")
                              .arg(link, portName));

    const QByteArray temporary = QFile::encodeName(folder + QStringLiteral("/.") + portName + QStringLiteral(".new"));
    ::unlink(temporary.constData());
    if (::symlink(QFile::encodeName(device).constData(), temporary.constData()) != 0
        || ::rename(temporary.constData(), linkName.constData()) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        errors::throwText(QCoreApplication::translate("PortNames", "Cannot write the link %1: %2").arg(link, errors::ioText(error)));
    }
}

namespace {

// What lies at a path that is no serial device, in words.
QString kindOf(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return QCoreApplication::translate("PortNames", "not a serial device", "what lies at the path");
    if (S_ISREG(st.st_mode))
        return QCoreApplication::translate("PortNames", "a regular file");
    if (S_ISDIR(st.st_mode))
        return QCoreApplication::translate("PortNames", "a folder");
    if (S_ISFIFO(st.st_mode))
        return QCoreApplication::translate("PortNames", "a FIFO (named pipe)");
    if (S_ISSOCK(st.st_mode))
        return QCoreApplication::translate("PortNames", "a socket");
    return QCoreApplication::translate("PortNames", "a device that is not a serial port");
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
    if (errorCode == ENOTTY)
        return QCoreApplication::translate("PortNames", "Cannot open the port %1 (%2): it is %3, not a serial device. "
                                                        "Point %1 at a serial device with a link in %4")
            .arg(portName, device, kindOf(device), portsFolder());
    // One whole sentence for each case, the system's reason as %3.
    const QString reason = QString::fromLocal8Bit(std::strerror(errorCode));
    if (errorCode == EACCES || errorCode == EPERM) {
        const QString group = serialGroupOf(device);
        if (!group.isEmpty())
            return QCoreApplication::translate("PortNames",
                                               "Cannot open the port %1 (%2): %3. The device belongs to the group "
                                               "\"%4\": your user must be a member of that group (for example: "
                                               "sudo usermod -aG %4 $USER) and log in again")
                .arg(portName, device, reason, group);
        return QCoreApplication::translate("PortNames",
                                           "Cannot open the port %1 (%2): %3. Your user may not use this device, "
                                           "and it belongs to no group of serial devices (such as \"dialout\") that "
                                           "a user could join: check that %1 stands for the right device, with a "
                                           "link in %4")
            .arg(portName, device, reason, portsFolder());
    }
    if (errorCode == EBUSY)
        return QCoreApplication::translate("PortNames", "Cannot open the port %1 (%2): %3. Another program is using it")
            .arg(portName, device, reason);
    if (errorCode == ENOENT)
        return QCoreApplication::translate("PortNames",
                                           "Cannot open the port %1 (%2): %3. Check that the adapter is plugged in, "
                                           "or point %1 at the right device with a link in %4")
            .arg(portName, device, reason, portsFolder());
    return QCoreApplication::translate("PortNames", "Cannot open the port %1 (%2): %3")
        .arg(portName, device, reason);
}

} // namespace portnames

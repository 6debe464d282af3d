#include "SharedMount.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sharedtest {
namespace {

// A TCP port on the loopback address that nothing listens on now.
int freePort()
{
    const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(s, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0
        && ::getsockname(s, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(s);
    return port;
}

bool writeFile(const QString &path, const QByteArray &text, QFile::Permissions permissions)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size() && f.setPermissions(permissions);
}

// A mount answers once the folder it shows can be listed.
bool waitForFolder(const QString &path, int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        if (QDir(path).exists())
            return true;
        QThread::msleep(50);
    }
    return false;
}

} // namespace

QString fuseMissing()
{
    if (!QFile::exists(QStringLiteral("/dev/fuse")))
        return QStringLiteral("/dev/fuse is missing: this machine cannot make FUSE mounts");
    return {};
}

SharedMount::SharedMount(Kind kind, const QString &folder, double cacheSeconds)
{
    m_mountPoint = m_work.filePath(QStringLiteral("mnt"));
    QDir().mkpath(m_mountPoint);
    const QString cache = QString::number(cacheSeconds);
    const bool mounted = kind == Kind::Bindfs ? mountBindfs(folder, cache) : mountSamba(folder, cache);
    if (!mounted)
        m_root.clear();
}

SharedMount::~SharedMount()
{
    if (QProcess::execute(QStringLiteral("fusermount"), {QStringLiteral("-u"), m_mountPoint}) != 0)
        QProcess::execute(QStringLiteral("fusermount"), {QStringLiteral("-u"), QStringLiteral("-z"), m_mountPoint});
    if (m_smbd.state() != QProcess::NotRunning) {
        m_smbd.terminate();
        if (!m_smbd.waitForFinished(5000))
            m_smbd.kill();
        m_smbd.waitForFinished(5000);
    }
}

bool SharedMount::run(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment)
{
    if (QStandardPaths::findExecutable(program).isEmpty()
        && QStandardPaths::findExecutable(program, {QStringLiteral("/usr/sbin")}).isEmpty()) {
        m_error = QStringLiteral("%1 is not installed (scripts/install-packages.sh --tests installs it)").arg(program);
        return false;
    }
    QProcess p;
    if (!environment.isEmpty())
        p.setProcessEnvironment(environment);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    // Both daemons go to the background once their mount is in place.
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        m_error = QStringLiteral("%1 failed: %2").arg(program, QString::fromLocal8Bit(p.readAll()).trimmed());
        return false;
    }
    return true;
}

bool SharedMount::mountBindfs(const QString &folder, const QString &cache)
{
    if (!run(QStringLiteral("bindfs"),
             {QStringLiteral("-o"), QStringLiteral("attr_timeout=%1,entry_timeout=%1").arg(cache), folder, m_mountPoint}))
        return false;
    m_root = m_mountPoint;
    return true;
}

bool SharedMount::mountSamba(const QString &folder, const QString &cache)
{
    if (::geteuid() != 0) {
        m_error = QStringLiteral("the Samba server of the test runs as root; this test does not");
        return false;
    }
    const QString smbd = QStandardPaths::findExecutable(QStringLiteral("smbd"), {QStringLiteral("/usr/sbin")});
    if (smbd.isEmpty()) {
        m_error = QStringLiteral("smbd is not installed (scripts/install-packages.sh --tests installs samba)");
        return false;
    }
    const QString work = m_work.path();
    for (const char *dir : {"run", "lock", "state", "cache", "private", "home/.smb"})
        QDir().mkpath(work + u'/' + QLatin1String(dir));
    const int port = freePort();
    const QString config = work + QStringLiteral("/smb.conf");
    const QByteArray server = QStringLiteral(
                                  "[global]\n"
                                  "  workgroup = SARTTEST\n"
                                  "  server role = standalone server\n"
                                  "  smb ports = %2\n"
                                  "  interfaces = 127.0.0.1\n"
                                  "  bind interfaces only = yes\n"
                                  "  map to guest = Bad User\n"
                                  "  guest account = root\n"
                                  "  pid directory = %1/run\n"
                                  "  lock directory = %1/lock\n"
                                  "  state directory = %1/state\n"
                                  "  cache directory = %1/cache\n"
                                  "  private dir = %1/private\n"
                                  "  ncalrpc dir = %1/run/ncalrpc\n"
                                  "  log file = %1/smbd.log\n"
                                  "  load printers = no\n"
                                  "  printcap name = /dev/null\n"
                                  "  disable spoolss = yes\n"
                                  "  server min protocol = SMB2\n"
                                  "[share]\n"
                                  "  path = %3\n"
                                  "  read only = no\n"
                                  "  guest ok = yes\n"
                                  "  force user = root\n")
                                  .arg(work)
                                  .arg(port)
                                  .arg(folder)
                                  .toUtf8();
    // smbnetfs refuses a configuration others could read.
    const QFile::Permissions own = QFile::ReadOwner | QFile::WriteOwner;
    if (!writeFile(config, server, own)
        || !writeFile(work + QStringLiteral("/home/.smb/smb.conf"),
                      "[global]\n  workgroup = SARTTEST\n  client min protocol = SMB2\n", own)
        || !writeFile(work + QStringLiteral("/home/.smb/smbnetfs.conf"),
                      "smb_query_browsers \"false\"\nuse_libsecret \"false\"\nauth \"guest\" \"\"\n", own)) {
        m_error = QStringLiteral("cannot write the Samba configuration");
        return false;
    }
    m_smbd.setProcessChannelMode(QProcess::MergedChannels);
    // In a process group of its own: at its end smbd signals its whole group.
    m_smbd.start(smbd, {QStringLiteral("--foreground"), QStringLiteral("--configfile=") + config});
    if (!m_smbd.waitForStarted(10000)) {
        m_error = QStringLiteral("smbd did not start: %1").arg(m_smbd.errorString());
        return false;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), work + QStringLiteral("/home"));
    if (!run(QStringLiteral("smbnetfs"),
             {m_mountPoint, QStringLiteral("-o"),
              QStringLiteral("attr_timeout=%1,entry_timeout=%1,log_file=%2/smbnetfs.log").arg(cache, work)},
             environment))
        return false;
    // The share of a host reached by its address and port.
    m_root = QStringLiteral("%1/127.0.0.1:%2/share").arg(m_mountPoint).arg(port);
    if (!waitForFolder(m_root, 20000)) {
        m_error = QStringLiteral("the Samba share did not come up at %1: %2")
                      .arg(m_root, QString::fromLocal8Bit(m_smbd.readAll()).trimmed());
        return false;
    }
    return true;
}

} // namespace sharedtest

#include "PgServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const QString User = QStringLiteral("sart");

// A port nobody listens on now, from the kernel.
int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0
        && ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

bool asRoot() { return ::geteuid() == 0; }

} // namespace

PgServer::PgServer()
{
    const QStringList versions = QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &v : versions)
        if (QFileInfo(QStringLiteral("/usr/lib/postgresql/%1/bin/pg_ctl").arg(v)).isExecutable())
            m_bin = QStringLiteral("/usr/lib/postgresql/%1/bin").arg(v);
    if (m_bin.isEmpty())
        m_unavailable = QStringLiteral("PostgreSQL's server programs are not installed "
                                       "(Debian package postgresql; scripts/install-packages.sh --tests)");
    else if (asRoot() && !::getpwnam("postgres"))
        m_unavailable = QStringLiteral("running as root without the system user postgres to run the server as");
}

PgServer::~PgServer() { stop(); }

bool PgServer::run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(m_dir->path());
    QStringList command{m_bin + u'/' + program};
    command += arguments;
    if (asRoot())
        command = QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--")} + command;
    process.start(asRoot() ? QStringLiteral("runuser") : command.takeFirst(), command);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        m_error = program + QStringLiteral(": ") + QString::fromLocal8Bit(process.readAll());
        return false;
    }
    return true;
}

bool PgServer::start()
{
    if (m_running)
        return true;
    if (!m_dir) {
        m_dir = std::make_unique<QTemporaryDir>();
        if (asRoot()) {
            const passwd *pw = ::getpwnam("postgres");
            if (!pw || ::chown(QFile::encodeName(m_dir->path()).constData(), pw->pw_uid, pw->pw_gid) != 0) {
                m_error = QStringLiteral("cannot hand the folder to the user postgres");
                return false;
            }
        }
    }
    const QString data = m_dir->filePath(QStringLiteral("data"));
    if (!m_initialised) {
        if (!run(QStringLiteral("initdb"), {QStringLiteral("-D"), data, QStringLiteral("-U"), User,
                                            QStringLiteral("--auth=trust"), QStringLiteral("-E"), QStringLiteral("UTF8"),
                                            QStringLiteral("--no-sync")}))
            return false;
        m_initialised = true;
    }
    if (m_port == 0)
        m_port = freePort();
    const QString options = QStringLiteral("-c listen_addresses=127.0.0.1 -p %1 -k %2 -c fsync=off")
                                .arg(m_port)
                                .arg(m_dir->path());
    m_running = run(QStringLiteral("pg_ctl"), {QStringLiteral("-D"), data, QStringLiteral("-o"), options,
                                               QStringLiteral("-l"), m_dir->filePath(QStringLiteral("server.log")),
                                               QStringLiteral("-w"), QStringLiteral("-t"), QStringLiteral("60"),
                                               QStringLiteral("start")});
    return m_running;
}

bool PgServer::stop()
{
    if (!m_running)
        return true;
    m_running = !run(QStringLiteral("pg_ctl"), {QStringLiteral("-D"), m_dir->filePath(QStringLiteral("data")),
                                                QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("-w"),
                                                QStringLiteral("stop")});
    return !m_running;
}

certregister::Settings PgServer::settings() const
{
    certregister::Settings s;
    s.engine = certregister::Engine::PostgreSQL;
    s.host = QStringLiteral("127.0.0.1");
    s.port = m_port;
    s.database = QStringLiteral("postgres");
    s.user = User;
    return s;
}

qint64 PgServer::pid() const
{
    if (!m_running || !m_dir)
        return 0;
    QFile file(m_dir->filePath(QStringLiteral("data/postmaster.pid")));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return file.readLine().trimmed().toLongLong();
}

QString PgServer::dataFolder() const
{
    return m_dir ? m_dir->filePath(QStringLiteral("data")) : QString();
}

bool PgServer::signal(int sig)
{
    QFile pidFile(QDir(dataFolder()).filePath(QStringLiteral("postmaster.pid")));
    if (!m_running || !pidFile.open(QIODevice::ReadOnly))
        return false;
    const qint64 server = pidFile.readLine().trimmed().toLongLong();
    if (server <= 0)
        return false;
    // Its processes: those whose parent is the server.
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[1].toLongLong() == server)
            ::kill(pid_t(pid), sig);
    }
    return ::kill(pid_t(server), sig) == 0;
}

#pragma once

#include "RegisterSettings.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

// A PostgreSQL server of the test's own: initdb and pg_ctl from Debian's
// postgresql (found under /usr/lib/postgresql/*/bin, not on PATH), a
// temporary data folder, a free loopback port and a socket folder of its
// own. The server refuses to run as root: as root its commands run as the
// system user postgres, which owns the folder.
class PgServer
{
public:
    PgServer();
    ~PgServer();

    // Why no server can run here (its programs are not installed); empty
    // when one can.
    QString unavailable() const { return m_unavailable; }
    // initdb (once) and start; false with the reason in error().
    bool start();
    bool stop();
    QString error() const { return m_error; }
    // The server's main process (from its postmaster.pid); 0 when not running.
    qint64 pid() const;
    // Sends the signal to the server and every process of it: SIGSTOP makes
    // a server that no longer answers, SIGCONT brings it back.
    bool signal(int sig);
    // The server's data folder.
    QString dataFolder() const;

    // The register on this server, in its database "postgres".
    certregister::Settings settings() const;

private:
    bool run(const QString &program, const QStringList &arguments);

    QString m_bin;
    QString m_unavailable;
    QString m_error;
    std::unique_ptr<QTemporaryDir> m_dir;
    bool m_initialised = false;
    bool m_running = false;
    int m_port = 0;
};

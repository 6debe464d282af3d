#pragma once

// A folder seen a second time through a file system that, like a network
// share seen from another computer, does not pass on changes made beside it:
// bindfs with attribute caching, or a Samba share served on a loopback port
// and mounted through the FUSE SMB client smbnetfs. Both need FUSE; the Samba
// share also needs root (its server runs as root here).

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace sharedtest {

// Why FUSE mounts cannot be made here; empty when they can.
QString fuseMissing();

class SharedMount
{
public:
    enum class Kind { Bindfs, Samba };

    // Shows `folder` again, caching attributes and names for `cacheSeconds`.
    SharedMount(Kind kind, const QString &folder, double cacheSeconds);
    ~SharedMount();
    SharedMount(const SharedMount &) = delete;
    SharedMount &operator=(const SharedMount &) = delete;

    bool isMounted() const { return !m_root.isEmpty(); }
    QString error() const { return m_error; }
    // Where `folder` is seen through the mount.
    QString root() const { return m_root; }

private:
    bool mountBindfs(const QString &folder, const QString &cache);
    bool mountSamba(const QString &folder, const QString &cache);
    bool run(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment = {});

    QTemporaryDir m_work;
    QString m_mountPoint;
    QString m_root;
    QString m_error;
    QProcess m_smbd;
};

} // namespace sharedtest

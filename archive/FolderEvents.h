#pragma once

#include <QByteArray>
#include <QList>

#include <memory>

namespace archive {

// The changes the kernel reports for the entries of one folder (inotify on
// Linux): names of entries created, written, removed or renamed. A network
// share reports only what this computer did; FolderWatch polls for the rest.
class FolderEvents
{
public:
    // Nullptr where the platform reports nothing.
    static std::unique_ptr<FolderEvents> create();
    virtual ~FolderEvents() = default;

    // Readable when events wait; -1 when there is none.
    virtual int descriptor() const = 0;
    // Watches the folder instead of the one watched before; false when it
    // cannot be watched (missing, or no watches left).
    virtual bool watch(const QByteArray &folder) = 0;
    virtual bool isWatching() const = 0;
    // The names the waiting events concern. `lost` is set when events were
    // dropped or the folder itself went away, so that nothing is known.
    virtual QList<QByteArray> take(bool &lost) = 0;
};

// Whether the folder lies on a file system whose changes other computers
// make unseen by this kernel's events: network file systems (NFS, SMB/CIFS,
// AFS, Ceph, 9P...) and FUSE mounts. Also true when it cannot be told.
bool isSharedFileSystem(const QByteArray &folder);

} // namespace archive

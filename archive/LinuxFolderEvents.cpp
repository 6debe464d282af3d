// The folder's events from inotify. A watch on the folder reports its entries
// by name, in-place writes (IN_CLOSE_WRITE, IN_MODIFY) included.
#include "FolderEvents.h"

#include <cerrno>
#include <sys/inotify.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace archive {
namespace {

constexpr uint32_t EntryEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_CLOSE_WRITE | IN_MODIFY
                                 | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
constexpr uint32_t FolderGone = IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT | IN_Q_OVERFLOW;

class Inotify : public FolderEvents
{
public:
    explicit Inotify(int fd) : m_fd(fd) {}
    ~Inotify() override { ::close(m_fd); }

    int descriptor() const override { return m_fd; }
    bool isWatching() const override { return m_watch >= 0; }

    bool watch(const QByteArray &folder) override
    {
        if (m_watch >= 0)
            ::inotify_rm_watch(m_fd, m_watch);
        m_watch = ::inotify_add_watch(m_fd, folder.constData(), EntryEvents);
        return m_watch >= 0;
    }

    QList<QByteArray> take(bool &lost) override
    {
        QList<QByteArray> names;
        alignas(inotify_event) char buffer[16384];
        for (;;) {
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n <= 0) {
                if (n < 0 && errno == EINTR)
                    continue;
                return names;  // EAGAIN: nothing more waits
            }
            for (ssize_t at = 0; at < n;) {
                const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
                if (event->mask & FolderGone) {
                    lost = true;
                    // The folder's name is watched again once it is back.
                    if ((event->mask & (IN_MOVE_SELF | IN_UNMOUNT)) && m_watch >= 0)
                        ::inotify_rm_watch(m_fd, m_watch);
                    if (event->mask & (IN_IGNORED | IN_MOVE_SELF | IN_UNMOUNT))
                        m_watch = -1;
                } else if (event->len > 0) {
                    names.append(QByteArray(event->name));
                }
                at += ssize_t(sizeof(inotify_event) + event->len);
            }
        }
    }

private:
    int m_fd;
    int m_watch = -1;
};

} // namespace

bool isSharedFileSystem(const QByteArray &folder)
{
    struct statfs fs {};
    if (::statfs(folder.constData(), &fs) != 0)
        return true;
    switch (static_cast<unsigned long>(fs.f_type)) {
    case 0x65735546UL:  // FUSE (bindfs, sshfs, smbnetfs, ...)
    case 0x6969UL:      // NFS
    case 0x517BUL:      // SMB
    case 0xFF534D42UL:  // CIFS
    case 0xFE534D42UL:  // SMB2
    case 0x5346414FUL:  // AFS
    case 0x6B414653UL:  // kAFS
    case 0x00C36400UL:  // Ceph
    case 0x01021997UL:  // 9P
    case 0x73757245UL:  // Coda
    case 0x564CUL:      // NCP
    case 0x0BD00BD0UL:  // Lustre
    case 0x47504653UL:  // GPFS
    case 0x01161970UL:  // GFS2
    case 0x7461636FUL:  // OCFS2
        return true;
    default:
        return false;
    }
}

std::unique_ptr<FolderEvents> FolderEvents::create()
{
    const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0)
        return nullptr;
    return std::make_unique<Inotify>(fd);
}

} // namespace archive

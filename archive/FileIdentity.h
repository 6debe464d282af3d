#pragma once

#include <QtGlobal>

#include <sys/stat.h>

namespace archive {

// What tells one version of a file from another without reading it: which
// file the name stands for, its size and its times. Every write of a record
// (a save, a reception, an import, a copy over it) changes at least one.
struct FileIdentity
{
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1;        // -1: not known (nothing could be looked at)
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;

    bool operator==(const FileIdentity &) const = default;
};

inline FileIdentity identityOf(const struct stat &st)
{
    return {quint64(st.st_dev), quint64(st.st_ino), qint64(st.st_size),
            qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
            qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec};
}

} // namespace archive

#include "SmallFile.h"

#include "FileNames.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace smallfile {
namespace {

bool isUsable(const struct stat &st, qint64 maxSize) { return S_ISREG(st.st_mode) && st.st_size <= maxSize; }

} // namespace

Kind check(const QString &path, qint64 maxSize)
{
    struct stat st {};
    if (::stat(filenames::toBytes(path).constData(), &st) != 0)
        return errno == ENOENT ? Kind::Missing : Kind::Unusable;
    return isUsable(st, maxSize) ? Kind::Usable : Kind::Unusable;
}

std::optional<QByteArray> read(const QString &path, qint64 maxSize)
{
    if (check(path, maxSize) != Kind::Usable)
        return std::nullopt;
    // Opened without blocking, and looked at again through the descriptor:
    // the entry may have changed since the look above.
    const int fd = ::open(filenames::toBytes(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::optional<QByteArray> content;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && isUsable(st, maxSize)) {
        QByteArray bytes(qsizetype(maxSize), '\0');
        qsizetype done = 0;
        for (;;) {
            const ssize_t n = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n > 0 && (done += n) < bytes.size())
                continue;
            if (n >= 0) {
                bytes.truncate(done);
                content = bytes;
            }
            break;
        }
    }
    ::close(fd);
    return content;
}

} // namespace smallfile

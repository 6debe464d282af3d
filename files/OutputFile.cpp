#include "OutputFile.h"

#include "AppError.h"
#include "AtomicFile.h"
#include "FileNames.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace outputfile {
namespace {

constexpr mode_t Mode = 0644;
constexpr off_t TailSize = 1024;

QString kindOf(mode_t mode)
{
    if (S_ISLNK(mode))
        return QCoreApplication::translate("OutputFile", "a symbolic link");
    if (S_ISDIR(mode))
        return QCoreApplication::translate("OutputFile", "a folder");
    if (S_ISFIFO(mode))
        return QCoreApplication::translate("OutputFile", "a FIFO (named pipe)");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QCoreApplication::translate("OutputFile", "a device");
    if (S_ISSOCK(mode))
        return QCoreApplication::translate("OutputFile", "a socket");
    return QCoreApplication::translate("OutputFile", "not a regular file");
}

} // namespace

void named(const QString &path, const std::function<void()> &step)
{
    try {
        step();
    } catch (const FileError &) {
        throw;
    } catch (const AppError &e) {
        errors::throwFile(path, e.text());
    }
}

Existing inspect(const QString &path)
{
    struct stat st {};
    if (::lstat(filenames::toBytes(path).constData(), &st) != 0) {
        if (errno == ENOENT)
            return Existing::Nothing;
        errors::throwFileIo(path, errno);
    }
    if (S_ISREG(st.st_mode))
        return Existing::RegularFile;
    errors::throwFile(path, QCoreApplication::translate("OutputFile", "this is %1, not a file; it is left as it is. Choose another name")
                                .arg(kindOf(st.st_mode)));
}

void write(const QString &path, const QByteArray &content)
{
    inspect(path);
    named(path, [&] { atomicfile::replace(path, content, Mode); });
}

void writeThrough(const QString &path, const std::function<void(const QString &temporaryPath)> &produce,
                  const std::function<bool(const QByteArray &tail)> &isComplete)
{
    inspect(path);
    named(path, [&] {
        atomicfile::TempFile temp(path);
        produce(temp.name());
        struct stat st {};
        if (::fstat(temp.fd(), &st) != 0)
            errors::throwIo(errno);
        QByteArray tail(qsizetype(std::min<off_t>(st.st_size, TailSize)), '\0');
        if (::pread(temp.fd(), tail.data(), size_t(tail.size()), st.st_size - tail.size()) < 0)
            errors::throwIo(errno);
        if (!isComplete(tail))
            errors::throwText(QCoreApplication::translate("OutputFile", "the file was not written whole (is the disk full?)"));
        temp.commit(Mode);
    });
}

} // namespace outputfile

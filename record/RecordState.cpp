#include "RecordState.h"

#include "AppError.h"
#include "FileNames.h"
#include "RecordFile.h"
#include "RecordLayout.h"

#include <QCryptographicHash>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace recordstate {
namespace {

QByteArray hashOf(QByteArrayView bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

} // namespace

bool Fingerprint::isRecord() const { return regular && readable && size >= layout::RecordSize; }

Fingerprint ofContent(const QByteArray &content)
{
    Fingerprint f;
    f.exists = f.regular = f.readable = true;
    f.size = content.size();
    const QByteArrayView all(content);
    f.header = hashOf(all.first(std::min<qsizetype>(all.size(), layout::HeaderSize)));
    f.measured = hashOf(all.size() > layout::HeaderSize ? all.sliced(layout::HeaderSize) : QByteArrayView());
    return f;
}

Fingerprint ofFile(const QString &path, QByteArray *content)
{
    Fingerprint f;
    struct stat st {};
    if (::stat(filenames::toBytes(path).constData(), &st) != 0) {
        f.exists = errno != ENOENT && errno != ENOTDIR;
        return f;
    }
    f.exists = true;
    f.size = st.st_size;
    f.regular = S_ISREG(st.st_mode);
    if (!f.regular)
        return f;
    try {
        const recordfile::Source source(path);
        QByteArray bytes = source.readAll();
        Fingerprint read = ofContent(bytes);
        read.size = source.size();
        if (content)
            *content = std::move(bytes);
        return read;
    } catch (const AppError &) {
        // Unreadable, or gone: a share may still answer the look at its type
        // from its cache after the file was removed, but opening it asks the
        // share itself.
        const int fd = ::open(filenames::toBytes(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd >= 0)
            ::close(fd);
        else if (errno == ENOENT)
            f.exists = f.regular = false;
        return f;
    }
}

Change compare(const Fingerprint &shown, const Fingerprint &now)
{
    if (!now.exists)
        return Change::Removed;
    if (now == shown)
        return Change::None;
    if (now.isRecord() && shown.isRecord() && now.size == shown.size && now.measured == shown.measured)
        return Change::HeaderChanged;
    return Change::Replaced;
}

QString describe(Change change, const QString &name, const Fingerprint &now)
{
    const QString shown = filenames::display(name);
    switch (change) {
    case Change::None:
        break;
    case Change::HeaderChanged:
        return QCoreApplication::translate("RecordState", "The record %1 was changed by another program after it was shown: "
                              "its header now holds other values.")
            .arg(shown);
    case Change::Replaced:
        if (!now.isRecord())
            return QCoreApplication::translate("RecordState", "The record %1 was replaced after it was shown by a file that is "
                                  "not a record.")
                .arg(shown);
        return QCoreApplication::translate("RecordState", "The record %1 was replaced by another record after it was shown: "
                              "its measured values are not the ones shown.")
            .arg(shown);
    case Change::Removed:
        return QCoreApplication::translate("RecordState", "The record %1 was removed by another program after it was shown.").arg(shown);
    }
    return {};
}

} // namespace recordstate

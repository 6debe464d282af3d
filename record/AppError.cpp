#include "AppError.h"

#include <cerrno>

AppError::AppError(QString text)
    : m_text(std::move(text)), m_utf8(m_text.toUtf8())
{
}

namespace errors {

QString ioText(int e)
{
    switch (e) {
    case ENOENT:
    case ENOTDIR:
        return FileNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return FileAccessDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return DiskFull;
    default:
        return QStringLiteral("I/O error %1").arg(e);
    }
}

void throwIo(int e) { throw AppError(ioText(e)); }
void throwText(const QString &text) { throw AppError(text); }

void throwInvalidInteger(const QString &input)
{
    throw AppError(QStringLiteral("'%1' is not a valid integer value").arg(input));
}

void throwInvalidDate(const QString &input)
{
    throw AppError(QStringLiteral("'%1' is not a valid date").arg(input));
}

void throwListIndex(int index)
{
    throw AppError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

void throwCannotOpen(const QString &path)
{
    throw AppError(QStringLiteral("Cannot open file %1").arg(path));
}

void throwCannotCreate(const QString &path)
{
    throw AppError(QStringLiteral("Cannot create file %1").arg(path));
}

} // namespace errors

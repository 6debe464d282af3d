#include "AppError.h"

#include "FileNames.h"

#include <cerrno>
#include <cstring>

AppError::AppError(QString text)
    : m_text(errors::shown(text)), m_utf8(m_text.toUtf8())
{
}

FileError::FileError(const QString &path, const QString &reason)
    : AppError(errors::fileText(path, reason)), m_reason(reason)
{
}

namespace errors {

QString ioText(int e)
{
    switch (e) {
    case ENOENT:
    case ENOTDIR:
        return shown(FileNotFound);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return shown(FileAccessDenied);
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return shown(DiskFull);
    default:
        return QCoreApplication::translate("AppError", "I/O error %1 (%2)").arg(e).arg(QString::fromLocal8Bit(std::strerror(e)));
    }
}

QString shown(const QString &text)
{
    for (const QString *fixed : {&FileNotFound, &FileAccessDenied, &ReadBeyondEnd, &DiskFull, &RangeCheck,
                                 &InvalidDateEncode, &CalendarRefused, &GridIndex, &NotRecordFile})
        if (text == *fixed)
            return QCoreApplication::translate("AppError", fixed->toLatin1().constData());
    return text;
}

void throwIo(int e) { throw AppError(ioText(e)); }
void throwText(const QString &text) { throw AppError(text); }

QString fileText(const QString &path, const QString &text)
{
    return filenames::display(path) + QStringLiteral(": ") + shown(text);
}

void throwFile(const QString &path, const QString &text) { throw FileError(path, text); }
void throwFileIo(const QString &path, int e) { throwFile(path, ioText(e)); }

namespace {

QString withReason(const QString &text, const QString &reason)
{
    return reason.isEmpty() ? text : text + QStringLiteral(": ") + reason;
}

} // namespace

void throwInvalidInteger(const QString &input)
{
    throw AppError(QCoreApplication::translate("AppError", "'%1' is not a valid integer value").arg(input));
}

void throwInvalidDate(const QString &input)
{
    throw AppError(QCoreApplication::translate("AppError", "'%1' is not a valid date").arg(input));
}

void throwListIndex(int index)
{
    throw AppError(QCoreApplication::translate("AppError", "List index out of bounds (%1)").arg(index));
}

void throwCannotOpen(const QString &path, const QString &reason)
{
    throw AppError(withReason(QCoreApplication::translate("AppError", "Cannot open file %1").arg(filenames::display(path)), reason));
}

void throwCannotCreate(const QString &path, const QString &reason)
{
    throw AppError(withReason(QCoreApplication::translate("AppError", "Cannot create file %1").arg(filenames::display(path)), reason));
}

} // namespace errors

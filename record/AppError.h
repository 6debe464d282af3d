#pragma once

#include <QString>
#include <exception>

// The one error type of the program. It carries the text the user sees in the
// error box; every handler of the user interface runs inside a guard that
// catches it (see mainwindow/ErrorBox.h).
class AppError : public std::exception
{
public:
    explicit AppError(QString text);

    const QString &text() const { return m_text; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};

namespace errors {

// Fixed texts the program shows.
inline const QString FileNotFound = QStringLiteral("File not found");
inline const QString FileAccessDenied = QStringLiteral("File access denied");
inline const QString ReadBeyondEnd = QStringLiteral("Read beyond end of file");
inline const QString DiskFull = QStringLiteral("Disk full");
inline const QString RangeCheck = QStringLiteral("Range check error");
inline const QString InvalidDateEncode = QStringLiteral("Invalid argument to date encode");
inline const QString CalendarRefused = QStringLiteral("Failed to set calendar date or time");
inline const QString GridIndex = QStringLiteral("Grid index out of range");

// The text for a failed system call: ENOENT, EACCES/EPERM/EROFS/EISDIR,
// ENOSPC/EDQUOT/EFBIG have their own texts, anything else is "I/O error %d".
QString ioText(int errnoValue);
[[noreturn]] void throwIo(int errnoValue);

[[noreturn]] void throwText(const QString &text);
[[noreturn]] void throwInvalidInteger(const QString &input);
[[noreturn]] void throwInvalidDate(const QString &input);
[[noreturn]] void throwListIndex(int index);
[[noreturn]] void throwCannotOpen(const QString &path);
[[noreturn]] void throwCannotCreate(const QString &path);

} // namespace errors

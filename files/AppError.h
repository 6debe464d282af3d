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

// An error of one named file: its text already names the file.
class FileError : public AppError
{
public:
    FileError(const QString &path, const QString &reason);
    const QString &reason() const { return m_reason; }

private:
    QString m_reason;
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

inline const QString NotRecordFile = QStringLiteral("not a record file");

// The text for a failed system call: ENOENT, EACCES/EPERM/EROFS/EISDIR,
// ENOSPC/EDQUOT/EFBIG have their own texts, anything else is "I/O error %d"
// followed by the system's reason in words.
QString ioText(int errnoValue);
[[noreturn]] void throwIo(int errnoValue);

// Errors of one file: "<path>: <text>", the path shown as the user reads it.
QString fileText(const QString &path, const QString &text);
[[noreturn]] void throwFile(const QString &path, const QString &text);
[[noreturn]] void throwFileIo(const QString &path, int errnoValue);

[[noreturn]] void throwText(const QString &text);
[[noreturn]] void throwInvalidInteger(const QString &input);
[[noreturn]] void throwInvalidDate(const QString &input);
[[noreturn]] void throwListIndex(int index);
// "Cannot open file %s" / "Cannot create file %s", with the reason after a
// colon when one is given.
[[noreturn]] void throwCannotOpen(const QString &path, const QString &reason = {});
[[noreturn]] void throwCannotCreate(const QString &path, const QString &reason = {});

} // namespace errors

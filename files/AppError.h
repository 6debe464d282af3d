#pragma once

#include <QCoreApplication>
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

// Fixed texts the program shows. They stay English here (callers and tests
// compare with them); an AppError made from one of them, and fileText(),
// show its translation (context "AppError").
inline const QString FileNotFound = QStringLiteral(QT_TRANSLATE_NOOP("AppError", "File not found"));
inline const QString FileAccessDenied = QStringLiteral(QT_TRANSLATE_NOOP("AppError", "File access denied"));
inline const QString ReadBeyondEnd = QStringLiteral(QT_TRANSLATE_NOOP("AppError", "Read beyond end of file"));
inline const QString DiskFull = QStringLiteral(QT_TRANSLATE_NOOP("AppError", "Disk full"));
inline const QString RangeCheck = QStringLiteral(QT_TRANSLATE_NOOP("AppError", "Range check error"));
inline const QString InvalidDateEncode = QStringLiteral(QT_TRANSLATE_NOOP("AppError", "Invalid argument to date encode"));
inline const QString CalendarRefused = QStringLiteral(QT_TRANSLATE_NOOP("AppError", "Failed to set calendar date or time"));
inline const QString GridIndex = QStringLiteral(QT_TRANSLATE_NOOP("AppError", "Grid index out of range"));

inline const QString NotRecordFile = QStringLiteral(QT_TRANSLATE_NOOP("AppError", "not a record file"));

// The text for a failed system call: ENOENT, EACCES/EPERM/EROFS/EISDIR,
// ENOSPC/EDQUOT/EFBIG have their own texts, anything else is "I/O error %d"
// followed by the system's reason in words.
QString ioText(int errnoValue);
// The translation of one of the fixed texts above; any other text unchanged.
QString shown(const QString &text);
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

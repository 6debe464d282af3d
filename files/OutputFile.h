#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// The files the engineer names in a save dialog: a certificate, a list, a
// received record. Each is written where it was asked for and nowhere else:
// into a temporary file in the chosen folder, then renamed into place, so
// that a link, a FIFO or a device lying at the name is never followed or
// opened, and a failed write leaves an earlier file as it was. Every error
// names the file.
namespace outputfile {

// What lies at a chosen name.
enum class Existing { Nothing, RegularFile };

// Looks at the entry itself, without following a link and without opening
// it. Anything but a regular file (a link, a dangling one included, a FIFO,
// a device, a folder, a socket) is refused: raises a FileError that names it
// and says what it is. A regular file is replaced only after the question.
Existing inspect(const QString &path);

// Writes the content in place of the file at the path (see above); raises a
// FileError naming the path.
void write(const QString &path, const QByteArray &content);

// For a writer that takes a file name and writes the file itself (the
// printer): `produce` gets the name of a new temporary file in the chosen
// folder to write; `isComplete` then judges its last bytes (up to 1 KiB),
// read back, before it is renamed into place.
void writeThrough(const QString &path, const std::function<void(const QString &temporaryPath)> &produce,
                  const std::function<bool(const QByteArray &tail)> &isComplete);

// Runs a step of writing the file at the path; an error it raises is told
// with the file's name.
void named(const QString &path, const std::function<void()> &step);

} // namespace outputfile

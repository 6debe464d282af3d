#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Small files the program reads for its own use: its settings, the kernel's
// description of a serial device. Something else lying where such a file is
// expected (a FIFO that would block the reader for good, a device, a folder,
// a file of absurd size) is never opened or read.
namespace smallfile {

// What lies at a path, links followed.
enum class Kind { Missing, Usable, Unusable };

// Usable: a regular file of at most maxSize bytes. Missing: nothing (or a
// link that leads nowhere). Unusable: anything else.
Kind check(const QString &path, qint64 maxSize);

// The content of a usable file, read without blocking; nothing for any
// other path and when the read fails.
std::optional<QByteArray> read(const QString &path, qint64 maxSize);

} // namespace smallfile

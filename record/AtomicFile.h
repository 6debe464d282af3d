#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// Replaces a file in one step: the new content goes to a temporary file in the
// same folder (a hidden name that never ends in ".bin", so the archive never
// lists it), is flushed to disk and renamed over the target. On any failure the
// target is unchanged, the temporary file is removed and an AppError with the
// I/O text is raised.
namespace atomicfile {

void replace(const QString &path, const QByteArray &content, mode_t mode = 0644);

// Reads a whole file; raises the I/O texts.
QByteArray readAll(const QString &path);

} // namespace atomicfile

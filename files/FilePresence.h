#pragma once

#include <QString>

namespace filepresence {

// Whether anything lies at the path: a file, or a link even when it leads
// nowhere. Names of any bytes (filenames::toBytes) are looked up as they are.
bool isThere(const QString &path);

} // namespace filepresence

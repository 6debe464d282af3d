#include "FilePresence.h"

#include "FileNames.h"

#include <sys/stat.h>

namespace filepresence {

bool isThere(const QString &path)
{
    struct stat st;
    return ::lstat(filenames::toBytes(path).constData(), &st) == 0;
}

} // namespace filepresence

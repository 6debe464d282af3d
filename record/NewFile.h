#pragma once

#include <QString>

#include <functional>
#include <sys/types.h>

// Writes a file under a name the user chose (a received record, an imported
// one), through a temporary file and a rename. A file already there is
// replaced only after the user agreed, and only while it is still the file
// they agreed to replace; a file that appears under the name meanwhile is
// never replaced: the user is asked about it instead. The file is put in
// place under the archive folder's lock (recordlock).
namespace newfile {

struct Questions
{
    // A file is there under the name: replace it? (path of the file)
    std::function<bool(const QString &path)> replace;
    // The folder's file system cannot refuse a file that appears meanwhile
    // (the text says so): save under the name all the same?
    std::function<bool(const QString &text)> goOnUnguarded;
};

// False when the user declined; raises the errors of the write, after which
// nothing was put under the name.
bool write(const QString &path, mode_t mode, const std::function<void(int fd)> &fill, const Questions &ask);

} // namespace newfile

#pragma once

#include "NewFile.h"

#include <QString>

namespace archive {

// Brings a record file chosen with the open dialog into the archive folder and
// returns the path of its archive copy, or an empty text when the user declined
// to replace an archive record of the same name (or to import where the file
// system cannot refuse one that appears meanwhile). A file that already lies
// in the archive folder is not copied. The copy is made through a temporary
// file and a rename (see NewFile.h), so a failed copy leaves the archive as it
// was, and it never replaces a record that appeared after the question. A file that cannot be
// a record (not a regular file, shorter than a record, far longer) is refused
// with a message that names it and says why, before anything is copied; the
// copy is streamed, so memory stays bounded.
QString importRecord(const QString &chosenPath, const QString &archiveFolder, const newfile::Questions &ask);

} // namespace archive

#pragma once

#include "ArchiveScan.h"

#include <QString>
#include <QStringList>

namespace archive {

// Which warnings a scan brings: the archive folder's problem when it differs
// from the last scan's, the unreadable files when their set differs from the
// last scan's. A state that stays as it was is not told again at every rescan.
class ScanWarnings
{
public:
    QStringList after(const QString &folder, const ScanResult &result);

private:
    QString m_folderProblem;
    QStringList m_unreadable;  // carried names, in listing order
};

} // namespace archive

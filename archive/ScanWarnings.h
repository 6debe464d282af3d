#pragma once

#include "ArchiveScan.h"

#include <QSet>
#include <QString>
#include <QStringList>

namespace archive {

// Which warnings a scan brings: the archive folder's problem when it differs
// from the last scan's; the unreadable files when their set differs from the
// last scan's. A state that stays as it was is not told again at every rescan.
class ScanWarnings
{
public:
    QStringList after(const QString &folder, const ScanResult &result);

private:
    QString m_folderProblem;
    QSet<QString> m_unreadable;  // carried names
};

} // namespace archive

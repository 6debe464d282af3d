#pragma once

#include "ArchiveScan.h"

#include <QSet>
#include <QString>
#include <QStringList>

namespace archive {

// Which warnings a scan brings: the archive folder's problem when it differs
// from the last scan's; the unreadable files when one of them was not
// unreadable at the last scan. A state that stays as it was, or only gets
// better, is not told again at every rescan.
class ScanWarnings
{
public:
    QStringList after(const QString &folder, const ScanResult &result);

private:
    QString m_folderProblem;
    QSet<QString> m_unreadable;  // carried names
};

} // namespace archive

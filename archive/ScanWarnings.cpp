#include "ScanWarnings.h"

namespace archive {

QStringList ScanWarnings::after(const QString &folder, const ScanResult &result)
{
    QStringList warnings;
    if (result.folderProblem != m_folderProblem && !result.folderProblem.isEmpty())
        warnings.append(folderMessage(folder, result.folderProblem));
    m_folderProblem = result.folderProblem;

    // The set of unreadable files is told once each time it changes: a file
    // that became unreadable, was mended or was deleted. The same set at the
    // next rescan is not told again.
    QSet<QString> unreadable;
    unreadable.reserve(result.problems.size());
    for (const ScanProblem &p : result.problems)
        unreadable.insert(p.fileName);
    if (!unreadable.isEmpty() && unreadable != m_unreadable)
        warnings.append(problemsMessage(result.problems));
    m_unreadable = std::move(unreadable);
    return warnings;
}

} // namespace archive

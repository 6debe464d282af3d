#include "ScanWarnings.h"

namespace archive {

QStringList ScanWarnings::after(const QString &folder, const ScanResult &result)
{
    QStringList warnings;
    if (result.folderProblem != m_folderProblem && !result.folderProblem.isEmpty())
        warnings.append(folderMessage(folder, result.folderProblem));
    m_folderProblem = result.folderProblem;

    QStringList unreadable;
    unreadable.reserve(result.problems.size());
    for (const ScanProblem &p : result.problems)
        unreadable.append(p.fileName);
    if (unreadable != m_unreadable && !unreadable.isEmpty())
        warnings.append(problemsMessage(result.problems));
    m_unreadable = std::move(unreadable);
    return warnings;
}

} // namespace archive

#include "ScanWarnings.h"

namespace archive {

QStringList ScanWarnings::after(const QString &folder, const ScanResult &result)
{
    QStringList warnings;
    if (result.folderProblem != m_folderProblem && !result.folderProblem.isEmpty())
        warnings.append(folderMessage(folder, result.folderProblem));
    m_folderProblem = result.folderProblem;

    // Files that became readable or were deleted are no news: only a file
    // that was not unreadable at the last scan brings the warning back.
    QSet<QString> unreadable;
    unreadable.reserve(result.problems.size());
    bool news = false;
    for (const ScanProblem &p : result.problems) {
        unreadable.insert(p.fileName);
        news = news || !m_unreadable.contains(p.fileName);
    }
    if (news)
        warnings.append(problemsMessage(result.problems));
    m_unreadable = std::move(unreadable);
    return warnings;
}

} // namespace archive

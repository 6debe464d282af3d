#include "RecordImport.h"

#include "AppError.h"
#include "AtomicFile.h"

#include <QDir>
#include <QFileInfo>

namespace archive {

QString importRecord(const QString &chosenPath, const QString &archiveFolder,
                     const std::function<bool(const QString &)> &confirmReplace)
{
    const QFileInfo chosen(chosenPath);
    const QString target = archiveFolder + u'/' + chosen.fileName();
    const QString chosenFolder = chosen.absoluteDir().canonicalPath();
    if (!chosenFolder.isEmpty() && chosenFolder == QDir(archiveFolder).canonicalPath()) {
        if (!chosen.exists())
            errors::throwCannotOpen(chosenPath);
        return target;
    }

    QByteArray content;
    try {
        content = atomicfile::readAll(chosenPath);
    } catch (const AppError &) {
        errors::throwCannotOpen(chosenPath);
    }
    if (QFileInfo::exists(target) && !confirmReplace(chosen.fileName()))
        return {};
    try {
        atomicfile::replace(target, content);
    } catch (const AppError &e) {
        if (e.text() == errors::DiskFull)
            throw;
        errors::throwCannotCreate(target);
    }
    return target;
}

} // namespace archive

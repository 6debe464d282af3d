#include "RecordImport.h"

#include "AppError.h"
#include "FileNames.h"
#include "RecordFile.h"
#include "RecordLayout.h"

#include <QDir>
#include <QFileInfo>

#include <dirent.h>
#include <optional>
#include <sys/stat.h>

namespace archive {
namespace {

[[noreturn]] void refuse(const QString &path, const QString &reason)
{
    errors::throwText(QCoreApplication::translate("RecordImport", "Cannot import %1: %2").arg(filenames::display(path), reason));
}

// The open dialog shows a name that is not UTF-8 with replacement characters
// and gives it back so: find the one entry of its folder that it stands for.
QString resolveChosen(const QString &chosenPath)
{
    struct stat st {};
    const qsizetype slash = chosenPath.lastIndexOf(u'/');
    if (!chosenPath.contains(QChar::ReplacementCharacter) || slash < 0
        || ::lstat(filenames::toBytes(chosenPath).constData(), &st) == 0)
        return chosenPath;
    const QString folder = chosenPath.left(slash);
    const QString shown = chosenPath.mid(slash + 1);
    QStringList matches;
    if (DIR *dir = ::opendir(filenames::toBytes(folder).constData())) {
        while (const dirent *entry = ::readdir(dir))
            if (QString::fromUtf8(entry->d_name) == shown)
                matches.append(filenames::fromBytes(QByteArray(entry->d_name)));
        ::closedir(dir);
    }
    if (matches.size() > 1) {
        QStringList names;
        for (const QString &m : std::as_const(matches))
            names.append(filenames::display(m));
        refuse(chosenPath, QCoreApplication::translate("RecordImport",
                                                       "%n files in its folder have names that look alike (%1); "
                                                       "rename them first",
                                                       nullptr, int(matches.size()))
                               .arg(names.join(QStringLiteral(", "))));
    }
    return matches.size() == 1 ? folder + u'/' + matches.constFirst() : chosenPath;
}

} // namespace

QString importRecord(const QString &dialogPath, const QString &archiveFolder, const newfile::Questions &ask)
{
    const QString chosenPath = resolveChosen(dialogPath);
    const QFileInfo chosen(chosenPath);
    const QString target = archiveFolder + u'/' + chosen.fileName();

    // The chosen file must be able to hold a record before anything is copied:
    // a regular file (opened without waiting) of at least a record's length.
    std::optional<recordfile::Source> source;
    try {
        source.emplace(chosenPath);
    } catch (const FileError &e) {
        if (e.reason().startsWith(errors::shown(errors::NotRecordFile)))
            refuse(chosenPath, e.reason());
        errors::throwCannotOpen(chosenPath, e.reason());
    }
    if (source->size() < layout::RecordSize)
        refuse(chosenPath, QCoreApplication::translate("RecordImport", "it holds %n bytes, too few for a record of %1",
                                                       nullptr, int(source->size()))
                               .arg(layout::RecordSize));
    try {
        source->refuseOversize();
    } catch (const FileError &e) {
        refuse(chosenPath, e.reason());
    }

    const QString chosenFolder = chosen.absoluteDir().canonicalPath();
    if (!chosenFolder.isEmpty() && chosenFolder == QDir(archiveFolder).canonicalPath())
        return target;  // already in the archive: nothing to copy

    try {
        if (!newfile::write(target, 0644, [&](int fd) { source->copyTail(0, fd); }, ask))
            return {};
    } catch (const FileError &e) {
        errors::throwCannotOpen(chosenPath, e.reason());
    } catch (const AppError &e) {
        errors::throwCannotCreate(target, e.text());
    }
    return target;
}

} // namespace archive

#include "StartFolder.h"

#include "AppError.h"
#include "FileNames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <filesystem>
#include <system_error>

namespace startfolder {

void enter(const QStringList &arguments)
{
    if (!arguments.contains(OwnFolderOption))
        return;
    const QString folder = QDir::home().filePath(QStringLiteral("SART Tester"));
    std::error_code error;
    std::filesystem::create_directories(QFile::encodeName(filenames::archiveFolder(folder)).toStdString(), error);
    if (error)
        throw AppError(QCoreApplication::translate("StartFolder", "Cannot make the folder %1 for the records: %2")
                           .arg(folder, QString::fromStdString(error.message())));
    if (!QDir::setCurrent(folder))
        throw AppError(QCoreApplication::translate("StartFolder", "Cannot work in the folder %1").arg(folder));
}

} // namespace startfolder

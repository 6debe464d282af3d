#pragma once

#include <QString>
#include <QStringList>

// The folder the program starts in, whose "bin" is its archive. Started with
// --own-folder, as the desktop entry does, the program keeps its records in a
// folder of its own, "SART Tester" in the user's home folder, made on the
// first start; otherwise it works in the current folder, as from a terminal.
namespace startfolder {

inline const QString OwnFolderOption = QStringLiteral("--own-folder");

// Makes the own folder, with its archive folder, the current folder when the
// arguments ask for it. Raises AppError when the folder cannot be made.
void enter(const QStringList &arguments);

} // namespace startfolder

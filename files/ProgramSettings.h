#pragma once

#include <QSettings>
#include <QString>

// The user's settings of the program, in $XDG_CONFIG_HOME/sart-tester/
// sart-tester.conf (by default ~/.config/sart-tester/sart-tester.conf): how the
// main window was left, the folders, port and rate last used, the limits of
// the SART standard in force. Records never depend on it.
//
// The file is read only when it is a regular file (a link to one included)
// of at most MaxFileSize bytes, and so is its lock file when there is one.
// Anything else there (a FIFO, which would block the program for good, a
// device, a folder, a huge file) is left alone: the program runs on its
// defaults and keeps nothing.
class ProgramSettings : public QSettings
{
public:
    ProgramSettings() : QSettings(usablePath(), QSettings::IniFormat) {}

    static constexpr qint64 MaxFileSize = 1 << 20;

    // $XDG_CONFIG_HOME/sart-tester (by default ~/.config/sart-tester), as the
    // environment says now, not as it said when the process started.
    static QString configFolder();
    static QString filePath() { return configFolder() + QStringLiteral("/sart-tester.conf"); }

    // Why the settings file is there but cannot be read (not a regular file,
    // too big, no permission to read), naming it; empty when it can be read
    // or when there is none. The window runs on its defaults all the same;
    // the register of certificates refuses to number by them.
    static QString unreadable();

private:
    // filePath() when it may be read, else a path under which nothing can
    // ever be read or written.
    static QString usablePath();
};

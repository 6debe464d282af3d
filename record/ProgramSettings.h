#pragma once

#include <QSettings>
#include <QString>

// The user's settings of the program, in $XDG_CONFIG_HOME/sart-tester/
// sart-tester.conf (by default ~/.config/sart-tester/sart-tester.conf): how the
// main window was left, the folders, port and rate last used, the limits of
// the SART standard in force. Records never depend on it.
class ProgramSettings : public QSettings
{
public:
    ProgramSettings() : QSettings(filePath(), QSettings::IniFormat) {}

    // $XDG_CONFIG_HOME/sart-tester (by default ~/.config/sart-tester), as the
    // environment says now, not as it said when the process started.
    static QString configFolder();
    static QString filePath() { return configFolder() + QStringLiteral("/sart-tester.conf"); }
};

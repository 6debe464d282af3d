#pragma once

#include <QSettings>

// The user's settings of the program, in $XDG_CONFIG_HOME/sart-tester/
// sart-tester.conf (by default ~/.config/sart-tester/sart-tester.conf): how the
// main window was left and the folders last used. Records never depend on it.
class ProgramSettings : public QSettings
{
public:
    ProgramSettings()
        : QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("sart-tester"),
                    QStringLiteral("sart-tester"))
    {
    }
};

#pragma once

#include <QString>

// The port and the port rate of the last reception, kept in the program's
// settings file ($XDG_CONFIG_HOME/sart-tester/sart-tester.conf, group
// "Reception") so that the receive dialog chooses them again next time.
namespace receivesettings {

struct Choice
{
    QString port;  // "COM1".."COM8"; empty when nothing was kept
    QString rate;  // e.g. "19200"; empty when nothing was kept
};

Choice load();
void save(const Choice &choice);

} // namespace receivesettings

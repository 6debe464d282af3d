#include "ReceiveSettings.h"

#include "PortNames.h"

#include <QSettings>

namespace receivesettings {
namespace {

const QString PortKey = QStringLiteral("Reception/Port");
const QString RateKey = QStringLiteral("Reception/Rate");

} // namespace

// Named by path rather than by application: the configuration folder follows
// XDG_CONFIG_HOME as it is now, not as it was when the process started.
QString filePath() { return portnames::configFolder() + QStringLiteral("/sart-tester.conf"); }

Choice load()
{
    const QSettings settings(filePath(), QSettings::IniFormat);
    return {settings.value(PortKey).toString(), settings.value(RateKey).toString()};
}

void save(const Choice &choice)
{
    QSettings settings(filePath(), QSettings::IniFormat);
    settings.setValue(PortKey, choice.port);
    settings.setValue(RateKey, choice.rate);
}

} // namespace receivesettings

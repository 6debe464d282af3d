#include "ReceiveSettings.h"

#include "ProgramSettings.h"

namespace receivesettings {
namespace {

const QString PortKey = QStringLiteral("Reception/Port");
const QString RateKey = QStringLiteral("Reception/Rate");

} // namespace

Choice load()
{
    const ProgramSettings settings;
    return {settings.value(PortKey).toString(), settings.value(RateKey).toString()};
}

void save(const Choice &choice)
{
    ProgramSettings settings;
    settings.setValue(PortKey, choice.port);
    settings.setValue(RateKey, choice.rate);
}

} // namespace receivesettings

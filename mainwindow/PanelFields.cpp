#include "PanelFields.h"

namespace panelfields {
namespace {

using C = DecodeTarget;

constexpr Entry Table[] = {
    {"Label8", C::FrequencyHigh},       {"Label11", C::FrequencyLow},   {"Label12", C::Power},
    {"Label13", C::SignalDuration},     {"Label14", C::Tunings},        {"Label15", C::Repetition},
    {"Label16", C::TesterDuration},     {"Edit1", C::RadioEngineer},    {"Edit2", C::Controller},
    {"Edit3", C::SartModel},            {"Edit4", C::Vessel},           {"Edit5", C::CentreName},
    {"Edit6", C::CentreAddress},        {"Edit7", C::CentreTel},        {"Edit8", C::CentreFax},
    {"Edit9", C::ManufacturerNo},       {"ComboBox1", C::StandBy},      {"ComboBox2", C::Led},
    {"ComboBox3", C::Beeper},           {"DateTimePicker1", C::NextTestDate},
    {"DateTimePicker2", C::TestingDate}, {"DateTimePicker3", C::BatteryDate},
};

} // namespace

std::span<const Entry> table() { return Table; }

QString controlOf(Field field)
{
    for (const Entry &e : Table)
        if (e.field == field)
            return QString::fromLatin1(e.control);
    return {};
}

std::optional<Field> fieldOf(const QString &control)
{
    for (const Entry &e : Table)
        if (control == QLatin1String(e.control))
            return e.field;
    return std::nullopt;
}

} // namespace panelfields

#include "Provenance.h"

#include "CertificateCheck.h"

#include <QCoreApplication>

#include <algorithm>

namespace certificate {
namespace {

using C = DecodeTarget;

constexpr Field HeaderFields[] = {
    C::RadioEngineer, C::SartModel, C::ManufacturerNo, C::Vessel, C::CentreName, C::CentreAddress, C::CentreTel,
    C::CentreFax, C::StandBy, C::Led, C::Beeper, C::NextTestDate, C::BatteryDate,
};

constexpr Field TypedFields[] = {
    C::RadioEngineer, C::SartModel, C::ManufacturerNo, C::Vessel, C::CentreName, C::CentreAddress, C::CentreTel,
    C::CentreFax, C::StandBy, C::Led, C::Beeper, C::NextTestDate, C::BatteryDate, C::TestingDate,
};

// The order the panel shows the header in, the SART's identity first.
constexpr Field ShownOrder[] = {
    C::SartModel, C::ManufacturerNo, C::Vessel, C::NextTestDate, C::BatteryDate, C::CentreName, C::CentreAddress,
    C::CentreTel, C::CentreFax, C::RadioEngineer, C::StandBy, C::Led, C::Beeper,
};

bool isIdentity(Field f) { return Provenance::identifiesSart(f); }

} // namespace

bool Provenance::identifiesSart(Field f) { return f == C::SartModel || f == C::ManufacturerNo || f == C::Vessel; }

std::span<const Field> Provenance::headerFields() { return HeaderFields; }

std::span<const Field> Provenance::typedFields() { return TypedFields; }

void Provenance::shown(const QString &recordName, const DecodedRecord &record, const Values &now)
{
    m_shownRecord = recordName;
    m_recordTestingDate = now.value(C::TestingDate).toDate();
    for (Field f : HeaderFields) {
        if (record.sets(f)) {
            m_source[f] = recordName;
            m_carried.remove(f);
            continue;
        }
        // An empty box cannot be taken for this record's data.
        const QVariant value = now.value(f);
        const bool emptyText = value.typeId() == QMetaType::QString && value.toString().isEmpty();
        if (m_source.value(f) != recordName && !emptyText)
            m_carried.insert(f);
        else
            m_carried.remove(f);
    }
    remember(now);
}

void Provenance::typed(Field field)
{
    m_source[field] = m_shownRecord;
    m_carried.remove(field);
}

void Provenance::filledIn(const QList<Field> &fields)
{
    for (Field f : fields) {
        typed(f);
        m_filledIn.insert(f);
    }
}

void Provenance::saved(const Values &now)
{
    for (Field f : HeaderFields)
        typed(f);
    remember(now);
}

Provenance::Values Provenance::discard()
{
    m_source = m_rememberedSource;
    m_carried = m_rememberedCarried;
    m_filledIn.clear();
    return m_remembered;
}

void Provenance::replaced()
{
    const QString earlier = QCoreApplication::translate(
        "Provenance", "%1 as it was before it was replaced", "a record file's name; goes where a record's name goes")
                                .arg(m_shownRecord);
    for (QHash<Field, QString> *sources : {&m_source, &m_rememberedSource})
        for (QString &source : *sources)
            if (source == m_shownRecord)
                source = earlier;
    if (m_verdictSource == m_shownRecord)
        m_verdictSource = earlier;
}

void Provenance::verdictChosen() { m_verdictSource = m_shownRecord; }

Provenance::TypedValues Provenance::typedValues(const Values &now) const
{
    TypedValues typed;
    if (m_shownRecord.isEmpty())
        return typed;
    for (Field f : TypedFields)
        if (const QVariant value = now.value(f); value != m_remembered.value(f) || m_filledIn.contains(f))
            typed.append({f, value});
    return typed;
}

bool Provenance::hasTypedEdits(const Values &now) const { return !typedValues(now).isEmpty(); }

bool Provenance::wouldChange(const TypedValues &values, const Values &now) const
{
    return std::any_of(values.cbegin(), values.cend(), [&](const auto &v) {
        return m_carried.contains(v.first) || now.value(v.first) != v.second;
    });
}

QList<Provenance::CarriedValue> Provenance::carriedOver() const
{
    QList<CarriedValue> carried;
    for (Field f : ShownOrder)
        if (m_carried.contains(f))
            carried.append({f, captionOf(f), m_source.value(f)});
    return carried;
}

QList<Provenance::CarriedValue> Provenance::carriedIntoSave() const
{
    QList<CarriedValue> carried = carriedOver();
    carried.removeIf([](const CarriedValue &v) { return v.source.isEmpty() && !isIdentity(v.field); });
    return carried;
}

Provenance::Origins Provenance::origins(const Values &now) const
{
    Origins o;
    for (Field f : std::as_const(m_carried))
        o.carried.insert(f, m_source.value(f));
    for (const auto &[field, value] : typedValues(now))
        o.typed.insert(field);
    return o;
}

std::optional<QString> Provenance::carriedOverVerdict() const
{
    if (m_shownRecord.isEmpty() || m_verdictSource == m_shownRecord)
        return std::nullopt;
    return m_verdictSource;
}

bool Provenance::testingDateEdited(const QDate &now) const
{
    return !m_shownRecord.isEmpty() && now != m_recordTestingDate;
}

void Provenance::remember(const Values &now)
{
    m_filledIn.clear();
    m_remembered.clear();
    for (Field f : TypedFields)
        m_remembered.insert(f, now.value(f));
    m_rememberedSource = m_source;
    m_rememberedCarried = m_carried;
}

} // namespace certificate

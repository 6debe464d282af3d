#pragma once

#include "DecodeTarget.h"
#include "DecodedRecord.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QVariant>

#include <optional>
#include <span>

namespace certificate {

using Field = DecodeTarget::Field;

// Where each header value and the verdict of the record shown came from: the
// record's own file, carried over from another record (a record without a
// saved header leaves what the panel held), typed, or filled in from the
// SART's latest record. The record view panel shows it; the check before a
// certificate goes out and Save's question read it. It holds no widgets: the
// panel hands it the values its fields hold (a text, a selector's
// [index, text], a date) whenever they matter.
class Provenance
{
public:
    // What each typed field holds now, as the panel has it.
    using Values = QHash<Field, QVariant>;
    using TypedValues = QList<std::pair<Field, QVariant>>;

    // The fields Save changes writes into the record's header.
    static std::span<const Field> headerFields();
    // The fields whose changes are the user's: the header, and the testing
    // date, which is never saved but may be certified as typed.
    static std::span<const Field> typedFields();
    // SART model, manufacturer's number and vessel: the fields that say which
    // SART a header is of.
    static bool identifiesSart(Field field);

    // A header value that is not the record shown's own.
    struct CarriedValue
    {
        Field field;
        QString caption;
        QString source;  // the record it came from; empty: it was in the panel before any record was shown
    };

    // What the check before a certificate needs: the values carried over
    // with their records, and those typed or filled in.
    struct Origins
    {
        // Empty record: it was in the panel before any record was shown,
        // which is no difference: the panel's start dates are the program's.
        QHash<Field, QString> carried;
        QSet<Field> typed;
    };

    QString shownRecord() const { return m_shownRecord; }

    // The panel's first values, before any record is shown.
    void begin(const Values &now) { remember(now); }
    // The record recordName was decoded whole and is shown: the header fields
    // its decode set are its own, the others keep what they held, carried
    // over unless they came from this record already or are an empty text.
    // `now` holds every typed field as shown.
    void shown(const QString &recordName, const DecodedRecord &record, const Values &now);

    // The user typed into a header field: it is the record shown's now.
    void typed(Field field);
    // Values filled in from the SART's latest record: each is the record
    // shown's and is saved even where it was there already.
    void filledIn(const QList<Field> &fields);
    // The record's header now holds the panel's values (`now`).
    void saved(const Values &now);
    // The typed changes are dropped: the values to put back into the fields.
    Values discard();
    // The file of the record shown was overwritten by another record: values
    // read from it count as carried over from the earlier one.
    void replaced();
    // The engineer chose the verdict for the record shown.
    void verdictChosen();

    bool isCarried(Field field) const { return m_carried.contains(field); }
    QString sourceOf(Field field) const { return m_source.value(field); }

    // The typed fields that differ from the record as shown or saved, or were
    // filled in, with what they hold now.
    TypedValues typedValues(const Values &now) const;
    bool hasTypedEdits(const Values &now) const;
    // Whether filling in `values` would change anything: a value the panel
    // does not hold, or holds carried over from another record.
    bool wouldChange(const TypedValues &values, const Values &now) const;

    // The carried-over header values, in the order the panel shows them, the
    // SART's identity first.
    QList<CarriedValue> carriedOver() const;
    // Those Save changes would write into the record shown as its own: every
    // value another record left, and of the panel's own first values only
    // the SART's identity (its start dates are no SART's).
    QList<CarriedValue> carriedIntoSave() const;
    Origins origins(const Values &now) const;

    // The record the verdict was chosen for when not the record shown (empty:
    // it was in the panel before any record was shown); nothing when it was
    // chosen for the record shown, or none is shown.
    std::optional<QString> carriedOverVerdict() const;

    // The testing date the record shown was shown with, and whether `now`
    // is another.
    QDate recordTestingDate() const { return m_recordTestingDate; }
    bool testingDateEdited(const QDate &now) const;

private:
    void remember(const Values &now);

    QString m_shownRecord;
    QHash<Field, QString> m_source;  // record each header value came from
    QSet<Field> m_carried;
    QSet<Field> m_filledIn;          // to be saved even where unchanged
    QString m_verdictSource;         // record the verdict was chosen for
    QDate m_recordTestingDate;
    // The header as the record was shown or saved, for finding and dropping typed edits.
    Values m_remembered;
    QHash<Field, QString> m_rememberedSource;
    QSet<Field> m_rememberedCarried;
};

} // namespace certificate

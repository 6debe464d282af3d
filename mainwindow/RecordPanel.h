#pragma once

#include "DecodeTarget.h"
#include "Provenance.h"
#include "RecordHeader.h"
#include "SartLimits.h"

#include <QFrame>
#include <QHash>
#include <QVariant>

#include <memory>

class DecodedRecord;
class PanelMarks;
class QComboBox;

// The record view panel (Panel1): shows one decoded record in four columns and
// holds the user's edits. The decoder writes into it through DecodeTarget;
// Save changes, the report and the word export read values().
//
// Where each value came from is certificate::Provenance's to know; the panel
// tells it what the user and the program do and shows it. A record without a
// saved header leaves some header fields as they were: each such control is
// marked (background, tooltip naming the record its value came from, dynamic
// property "carriedOver") until it is typed in or the header is saved. The
// conclusion is marked the same way until it is chosen for the record shown,
// and the testing date while it is not the one the record was shown with.
//
// Each value the limits of the SART standard judge carries a tooltip with its
// limit and the limit's source, and the dynamic property "outsideLimit"; a
// value outside its limit is marked in another colour, and a line below the
// columns says how many are outside (PanelMarks).
class RecordPanel : public QFrame, public DecodeTarget
{
    Q_OBJECT

public:
    explicit RecordPanel(QWidget *parent = nullptr);
    ~RecordPanel() override;

    void setText(Field field, const QString &text) override;
    void setItemIndex(Field field, int index) override;
    void setDate(Field field, const QDate &date) override;
    void setMeasured(const MeasuredValues &measured) override;

    // Shows a record decoded whole, read from the file recordName.
    void showRecord(const DecodedRecord &record, const QString &recordName);
    QString shownRecord() const { return m_provenance.shownRecord(); }

    // Header fields changed since the record was shown or saved.
    bool hasTypedEdits() const;
    void discardTypedEdits();   // back to the record as shown or saved
    void headerSaved();         // the record's header now holds the panel's values
    // The file of the record shown was overwritten by another record: values
    // read from it count as carried over from the earlier one.
    void recordReplaced();

    // The header fields typed in since the record was shown or saved, with
    // what they hold; reapply() puts them back as typed changes of the record
    // shown (after it was shown again as its file is now).
    using TypedValues = certificate::Provenance::TypedValues;
    TypedValues typedValues() const;
    void reapply(const TypedValues &values);
    // Whether filling in `values` would change anything: a value the panel
    // does not hold, or holds carried over from another record.
    bool wouldChange(const TypedValues &values) const;
    // Fills in values the engineer chose (from the SART's latest record):
    // each becomes a typed value of the record shown, also one the panel
    // held already, carried over; none is marked.
    void fillIn(const TypedValues &values);

    // Where each value of the record shown came from.
    const certificate::Provenance &sources() const { return m_provenance; }
    // The header values that are carried over (SART data, dates, service
    // centre): each field's caption and the record it came from (empty: it
    // was in the panel before any record was shown).
    using CarriedValue = certificate::Provenance::CarriedValue;
    QList<CarriedValue> carriedOverValues() const { return m_provenance.carriedOver(); }
    // Where each value that is not the record file's came from, for the
    // check before a certificate goes out.
    certificate::Provenance::Origins provenance() const;
    // The testing date shown is not the one the record was shown with.
    bool testingDateEdited() const;
    // The record the conclusion was chosen for when it was not chosen for the
    // record shown (empty: it was in the panel before any record was shown);
    // nothing when it was chosen for the record shown, or none is shown.
    std::optional<QString> carriedOverConclusion() const;

    // The record shown as the limits judge it: its measured values with the
    // answers and dates the panel holds now. No measured values before the
    // first record is shown.
    limits::RecordValues recordValues() const;
    // The values of the record shown that are outside the limits in force.
    QList<limits::Judgement> outsideLimits() const;

    // The file of the record shown no longer exists (or exists again): the
    // panel says so below its columns.
    void setRecordGone(bool gone);
    // The certificate last issued for the record shown (its verdict above
    // all), so that a verdict chosen once is not lost; empty: none.
    void setLastIssued(const QString &text);

    RecordHeader values() const;
    int testingModeIndex() const;
    void selectTestingMode(int index);  // programmatic: not a user change
    void restoreTestingMode();          // back to the mode the record is shown in
    void acceptTestingMode();           // the record is now shown in the selected mode

    // Item index of a selector whose text can be typed: the selected item when
    // the text is still that item's, else the first item with exactly that
    // text (shown or English), else -1.
    static int itemIndex(const QComboBox *combo);
    // A selector's text as the record's header, the certificate and the
    // register take it: an item's English text whatever language the item
    // is shown in, else the text typed.
    static QString englishText(const QComboBox *combo);
    // A selector's English item text (a verdict the register keeps, an
    // answer) as the panel shows it in the language of the interface; any
    // other text as it is.
    static QString shownItem(const QString &english);

signals:
    // The user chose the other testing mode.
    void testingModeChanged();
    void typedEditsChanged(bool edited);

private:
    QWidget *control(Field field) const { return m_controls.value(field); }
    QDate dateOf(Field field) const;
    certificate::Provenance::Values typedState() const;
    QVariant stateOf(Field field) const;
    void setState(Field field, const QVariant &state);
    void headerEdited(Field field);
    void conclusionChosen();
    void updateCarriedMarks();
    void updateConclusionMark();
    void updateTestingDateMark();
    void updateLimits();
    void updateEdited();

    QHash<Field, QWidget *> m_controls;
    QComboBox *m_mode = nullptr;
    QComboBox *m_conclusions = nullptr;
    int m_shownMode = -1;

    bool m_applying = false;            // the program, not the user, sets controls
    bool m_edited = false;
    certificate::Provenance m_provenance;
    std::optional<MeasuredValues> m_measured;
    std::unique_ptr<PanelMarks> m_marks;
};

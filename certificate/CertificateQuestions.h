#pragma once

#include "CertificateCheck.h"
#include "SartLimits.h"

#include <QList>
#include <QString>

#include <optional>

// The texts of the questions asked before a record's header is saved and
// before a certificate goes out. Each names the record and every reason to
// stop; an empty text means there is nothing to ask.
namespace certificate {

// A header value of the panel that is not the record's own.
struct CarriedValue
{
    QString caption;  // "SART Model"
    // The record it came from; empty: it was in the panel before any record
    // was shown.
    QString source;
    // SART model, manufacturer's number or vessel: the values that say which
    // SART the header is of.
    bool identifiesSart = false;
};

// "The record b.bin has no saved header of its own: SART Model and Vessel
// Name come from the record a.bin." One clause per source record; of the
// panel's own first values only those identifying a SART are named (its
// start dates are no SART's). Empty when nothing is worth naming.
QString carriedValuesText(const QString &record, const QList<CarriedValue> &carried);

// Before Save changes writes values carried over into the record's file.
QString saveQuestion(const QString &record, const QList<CarriedValue> &carried);

// The check found differences between the certificate and the record file:
// what they are and why the action waits. `action`: "Print the certificate".
QString checkQuestion(const Result &result, const QString &action);

// What a certificate would say that the record does not back.
struct Verdict
{
    QString record;      // the record shown
    QString conclusion;  // the conclusion's text
    // The conclusion certifies compliance ("SART PASSED TESTS").
    bool certifiesCompliance = false;
    // The record the conclusion was chosen for when not for this one (empty:
    // it was in the panel before any record was shown); nothing when it was
    // chosen for this record.
    std::optional<QString> conclusionFrom;
    QList<limits::Judgement> outside;  // the record's values outside the limits
};

// Every reason not to issue the certificate, asked once; empty when nothing
// is wrong.
QString certifyQuestion(const Verdict &verdict, const QString &action);

} // namespace certificate

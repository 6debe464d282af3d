#pragma once

#include "ArchiveIndex.h"
#include "DecodeTarget.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

// Filling in a SART tested again from its latest record in the archive: once
// the engineer gives a manufacturer's number the archive knows, its model,
// vessel, service centre and dates are offered in one step.
namespace certificate {

struct FillIn
{
    QString fileName;      // the SART's latest record with a saved header
    QDate testingDate;     // its testing date
    QString manufacturerNo;
    // The values offered, with the fields they go into, in the panel's order.
    QList<std::pair<DecodeTarget::Field, QVariant>> values;
};

// The latest record (by testing date) with a saved header of the SART with
// that manufacturer's number (compared without surrounding blanks and case),
// other than the record shown; none when the archive holds no such record.
std::optional<FillIn> latestRecordOf(const QVector<archive::IndexEntry> &entries, const QString &manufacturerNo,
                                     const QString &shownFile);

// "The latest record of the SART No 12345 in the archive is sart-0412.bin,
// tested 5 Jan 2026: SART Model "SART-20", Vessel Name "MV Dawn", ..."
QString offerText(const FillIn &fillIn);

} // namespace certificate

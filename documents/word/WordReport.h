#pragma once

#include "RecordHeader.h"

#include <QString>
#include <QStringList>

// The test report as the Word export writes it: 53 pieces appended one after
// the other, laid out with tabs and paragraph breaks ("\r").
namespace wordreport {

inline constexpr int PieceCount = 53;
inline const QString WindowCaption = QStringLiteral("SART TESTING");

// Verdict for conclusions item 0 ("SART PASSED TESTS") and for anything else.
inline const QString PassedVerdict = QStringLiteral(
    "It is hereby certified that all electrical parametrs, as well as the documentation "
    "on the SART comply with the requirements of the IMO.");
inline const QString FailedVerdict = QStringLiteral("SART does not comply with its specification");

QString verdict(int conclusionsIndex);

// The pieces for what the panel shows; dates in the system's short format.
// With the certificate's number line, one more piece ends the document: two
// empty paragraphs and that line.
QStringList pieces(const RecordHeader &values, const QString &numberLine = {});

} // namespace wordreport

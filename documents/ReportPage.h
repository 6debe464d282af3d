#pragma once

#include <QRectF>
#include <QStringList>

class QPainter;

// The page of the printed test report, laid out in millimetres from the
// top-left corner of the printable area of an A4 page with 10 mm margins.
namespace reportpage {

constexpr QRectF Band(0.0, 0.0, 190.0, 277.0);
constexpr QRectF Title(44.5, 6.4, 98.2, 14.8);
constexpr QRectF Captions(6.4, 27.5, 91.3, 199.2);
constexpr QRectF Values(101.6, 27.5, 84.9, 199.2);
constexpr QRectF Verdict(6.4, 228.6, 173.8, 26.5);
constexpr QRectF Stamp(25.4, 258.2, 32.0, 20.1);
constexpr QRectF Signature(91.0, 258.2, 76.5, 20.1);
// The certificate's number, when it is printed: right-aligned in the free
// strip above the title.
constexpr QRectF Number(100.0, 0.0, 90.0, 6.0);
// "Signed by <name>, <date>" of a signed PDF, when asked for: left-aligned in
// the same strip.
constexpr QRectF SignedBy(0.0, 0.0, 98.0, 6.0);

// A value wider than its column is set in a smaller font down to this size,
// then shortened with an ellipsis: it never leaves its line.
constexpr qreal MinimumValuePointSize = 8.0;

// Draws the whole page onto the painter's device (printer, preview or PDF).
// `numberLine`, when not empty, is printed in Number.
void paint(QPainter &painter, const QStringList &values, const QString &verdict, const QString &numberLine = {});
// Draws the line in SignedBy.
void paintSignedBy(QPainter &painter, const QString &line);

} // namespace reportpage

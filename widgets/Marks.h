#pragma once

#include <QColor>

// The colours that mark values wherever records are shown.

// A value not read from the record shown (carried over from another record):
// a pale amber, noticeable next to the white boxes without looking like an error.
inline const QColor CarriedBackground(255, 240, 196);

// A value outside the limits of the SART standard: a pale red, plainly
// another mark than the amber of carried-over values.
inline const QColor OutsideLimitBackground(255, 199, 206);

// An entry of the register of certificates whose record changed since the
// certificate was issued: a pale violet, apart from the other marks.
inline const QColor RecordChangedBackground(221, 208, 255);
// An entry whose record is missing: a grey darker than any row's own.
inline const QColor RecordMissingBackground(200, 200, 200);
// A certificate with an output that was not completed (a crash or a failure
// while it went out): its text in dark red.
inline const QColor NotCompletedText(160, 0, 0);

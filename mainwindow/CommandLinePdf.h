#pragma once

#include <QStringList>

#include <optional>

// sart-tester --print-pdf RECORD PDF --verdict passed|failed: the certificate
// of a record file saved as PDF without a window, numbered in the register
// as the window's Data export > PDF numbers it. For scripts, and for checking
// an installed program on a system without a display.
namespace commandlinepdf {

inline const QString Option = QStringLiteral("--print-pdf");

// Nothing when the arguments do not ask for it; else the exit status (0: the
// file was written). Errors are written to standard error.
std::optional<int> run(const QStringList &arguments);

} // namespace commandlinepdf

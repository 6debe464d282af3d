#pragma once

#include <QString>
#include <QStringList>

// The help text, kept as UTF-8 resources: the copy shown in the help window
// and the copy laid out for the printed page.
namespace help {

// The 128 lines of the help window.
QStringList windowLines();

// The printable copy: sentences joined, field lists in four lines each,
// spaces in place of tabs.
QStringList printLines();

} // namespace help

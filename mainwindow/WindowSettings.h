#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <QStringList>

#include <optional>

class TForm1;

// The main window as the user left it: size, position, maximized or not, and
// the file table's column widths, kept in the program's settings.

// Shows the window as it was left last time (maximized the first time, and
// whenever what was remembered does not fit the screens there are now), and
// remembers how it is left each time it is closed.
void showAsLeft(TForm1 &form);

namespace windowsettings {

// The remembered geometry of the window when it is not maximized ("x, y,
// width, height"), when it is sound: four whole numbers, a size of at least
// `minimum`, and the whole window on one of the screens' available areas
// (a few pixels beyond an edge allowed, for the frame). Otherwise nothing.
std::optional<QRect> soundGeometry(const QStringList &remembered, const QList<QRect> &screens, QSize minimum);

// The remembered column widths; an entry that is no whole number becomes -1,
// which leaves the column as it is.
QList<int> columnWidths(const QStringList &remembered);

} // namespace windowsettings

#pragma once

#include <QRectF>
#include <QStringList>

class QPagedPaintDevice;
class QPainter;

// The printed help: the text in Arial 10 pt, wrapped at the memo's width and
// continued in the same frame on further pages until every line is printed.
namespace helppage {

// The memo frame, millimetres from the top-left corner of the printable area.
constexpr QRectF Memo(10.6, 2.1, 173.3, 186.5);

// Draws all pages; blank lines at the end never start a page of their own.
void paint(QPainter &painter, QPagedPaintDevice &device, const QStringList &lines);

} // namespace helppage

#pragma once

#include <QPaintDevice>
#include <QRectF>

// Converts millimetres of the page layout into the units of a paint device.
// The origin is the top-left corner of the printable area.
class PageUnits
{
public:
    explicit PageUnits(const QPaintDevice &device)
        : m_x(device.logicalDpiX() / 25.4), m_y(device.logicalDpiY() / 25.4)
    {
    }

    qreal x(qreal mm) const { return mm * m_x; }
    qreal y(qreal mm) const { return mm * m_y; }
    QRectF rect(const QRectF &mm) const
    {
        return QRectF(x(mm.left()), y(mm.top()), x(mm.width()), y(mm.height()));
    }

private:
    qreal m_x;
    qreal m_y;
};

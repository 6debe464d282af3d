#include "Logo.h"

#include <QPainter>
#include <QPainterPath>

QImage makeLogo()
{
    QImage image(106, 64, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // A navy plate with a radar sweep: rings, a sector and a blip.
    const QColor navy(16, 42, 96);
    p.setPen(Qt::NoPen);
    p.setBrush(navy);
    p.drawRoundedRect(QRectF(1, 1, 104, 62), 8, 8);

    const QPointF centre(32, 32);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(120, 200, 255), 1.5));
    for (qreal r : {8.0, 16.0, 24.0})
        p.drawEllipse(centre, r, r);
    QPainterPath sector(centre);
    sector.arcTo(QRectF(centre.x() - 24, centre.y() - 24, 48, 48), 30, 50);
    sector.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 230, 140, 170));
    p.drawPath(sector);
    p.setBrush(QColor(255, 220, 60));
    p.drawEllipse(QPointF(42, 17), 3, 3);

    // Three bars on the right, rising like a received signal.
    p.setBrush(QColor(255, 255, 255));
    for (int i = 0; i < 3; ++i) {
        const qreal height = 14 + 10 * i;
        p.drawRect(QRectF(66 + 12 * i, 50 - height, 8, height));
    }
    return image;
}

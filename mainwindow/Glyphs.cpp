#include "Glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace glyphs {
namespace {

// Draws a glyph on a 16 x 16 grid at 1x and 2x so it stays sharp on high-density screens.
QIcon drawn(const std::function<void(QPainter &)> &paint)
{
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pixmap(16 * scale, 16 * scale);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        paint(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

const QColor Outline(60, 60, 70);

} // namespace

QIcon open()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(Outline, 0.8));
        p.setBrush(QColor(230, 185, 70));
        p.drawRect(QRectF(1.5, 4.5, 12, 9));
        p.drawRect(QRectF(1.5, 3, 5, 1.5));
        p.setBrush(QColor(250, 215, 110));
        QPainterPath flap;
        flap.moveTo(3.5, 7);
        flap.lineTo(15, 7);
        flap.lineTo(13, 13.5);
        flap.lineTo(1.5, 13.5);
        flap.closeSubpath();
        p.drawPath(flap);
    });
}

QIcon save()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(Outline, 0.8));
        p.setBrush(QColor(40, 90, 170));
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1, 1);
        p.setBrush(QColor(235, 238, 245));
        p.drawRect(QRectF(4, 1.5, 8, 5));
        p.setBrush(QColor(200, 205, 215));
        p.drawRect(QRectF(4, 9, 8, 5.5));
        p.setBrush(QColor(40, 90, 170));
        p.drawRect(QRectF(9.5, 2.5, 1.5, 3));
    });
}

QIcon print()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(Outline, 0.8));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4, 1.5, 8, 5));
        p.setBrush(QColor(150, 155, 165));
        p.drawRoundedRect(QRectF(1.5, 6, 13, 6), 1, 1);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4, 10, 8, 4.5));
        p.setPen(QPen(QColor(120, 120, 130), 0.6));
        p.drawLine(QPointF(5.5, 12), QPointF(10.5, 12));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(80, 200, 90));
        p.drawEllipse(QPointF(12.5, 8), 0.8, 0.8);
    });
}

QIcon help()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(QColor(20, 70, 150), 0.8));
        p.setBrush(QColor(60, 130, 220));
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        QFont f;
        f.setPixelSize(11);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(1.5, 1.5, 13, 13), Qt::AlignCenter, QStringLiteral("?"));
    });
}

QIcon exit()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(Outline, 0.8));
        p.setBrush(QColor(160, 110, 70));
        p.drawRect(QRectF(2.5, 1.5, 7, 13));
        p.setBrush(QColor(240, 220, 120));
        p.drawEllipse(QPointF(8, 8), 0.7, 0.7);
        p.setPen(QPen(QColor(200, 40, 40), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(10, 8), QPointF(15, 8));
        p.drawLine(QPointF(13, 6), QPointF(15, 8));
        p.drawLine(QPointF(13, 10), QPointF(15, 8));
    });
}

QIcon application()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(QColor(200, 60, 20), 1.2));
        p.setBrush(QColor(250, 120, 30));
        p.drawEllipse(QRectF(1, 1, 14, 14));
        p.setPen(QPen(Qt::white, 1.2));
        p.setBrush(Qt::NoBrush);
        for (double r : {2.0, 4.0, 6.0})
            p.drawEllipse(QPointF(8, 8), r, r);
    });
}

} // namespace glyphs

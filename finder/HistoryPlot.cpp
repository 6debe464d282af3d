#include "HistoryPlot.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

// A value range with a little room above and below, never empty.
struct Range
{
    double low, high;
    Range(double lo, double hi, double minimumSpan)
    {
        const double span = std::max(hi - lo, minimumSpan);
        const double middle = (lo + hi) / 2;
        low = middle - span * 0.6;
        high = middle + span * 0.6;
    }
    double at(double value, const QRectF &area) const
    {
        return area.bottom() - (value - low) / (high - low) * area.height();
    }
};

} // namespace

HistoryPlot::HistoryPlot(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("HistoryPlot"));
    setMinimumHeight(200);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

void HistoryPlot::setPoints(QVector<Point> points)
{
    m_points = std::move(points);
    m_points.erase(std::remove_if(m_points.begin(), m_points.end(), [](const Point &p) { return !p.date.isValid(); }),
                   m_points.end());
    update();
}

void HistoryPlot::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics fm = p.fontMetrics();
    const double left = fm.horizontalAdvance(QStringLiteral("00.000")) + 16, right = 12;
    const double top = fm.height() + 6, bottom = fm.height() + 10, gap = fm.height() + 14;
    const QRectF all(left, top, width() - left - right, height() - top - bottom);
    if (m_points.isEmpty() || all.width() < 40 || all.height() < 60) {
        p.drawText(rect(), Qt::AlignCenter, QStringLiteral("No dated records to plot"));
        return;
    }
    const double half = (all.height() - gap) / 2;
    const QRectF powerArea(all.left(), all.top(), all.width(), half);
    const QRectF freqArea(all.left(), all.top() + half + gap, all.width(), half);

    // Time axis: from the first to the last testing date, padded by a month.
    const qint64 first = m_points.front().date.toJulianDay() - 30;
    const qint64 last = m_points.back().date.toJulianDay() + 30;
    auto xAt = [&](const QDate &d) {
        return all.left() + double(d.toJulianDay() - first) / double(last - first) * all.width();
    };

    double pLo = m_points.front().powerMw, pHi = pLo, fLo = m_points.front().lowGHz, fHi = m_points.front().highGHz;
    for (const Point &pt : m_points) {
        pLo = std::min(pLo, pt.powerMw);
        pHi = std::max(pHi, pt.powerMw);
        fLo = std::min({fLo, pt.lowGHz, pt.highGHz});
        fHi = std::max({fHi, pt.lowGHz, pt.highGHz});
    }
    const Range power(pLo, pHi, 50), freq(fLo, fHi, 0.1);

    // Frames, year lines and labels.
    p.setPen(QColor(200, 200, 200));
    for (int year = m_points.front().date.year(); year <= m_points.back().date.year() + 1; ++year) {
        const double x = xAt(QDate(year, 1, 1));
        if (x < all.left() || x > all.right())
            continue;
        p.setPen(QColor(215, 215, 215));
        p.drawLine(QPointF(x, powerArea.top()), QPointF(x, powerArea.bottom()));
        p.drawLine(QPointF(x, freqArea.top()), QPointF(x, freqArea.bottom()));
        p.setPen(Qt::black);
        p.drawText(QRectF(x - 30, freqArea.bottom() + 2, 60, fm.height()), Qt::AlignCenter, QString::number(year));
    }
    p.setPen(Qt::gray);
    p.drawRect(powerArea);
    p.drawRect(freqArea);
    p.setPen(Qt::black);
    p.drawText(QRectF(powerArea.left(), 0, powerArea.width(), top), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Emitted power, mW"));
    p.drawText(QRectF(freqArea.left(), freqArea.top() - gap + 2, freqArea.width(), gap - 4),
               Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Frequency range, GHz"));
    auto axisLabels = [&](const Range &r, const QRectF &area, int decimals) {
        for (double v : {r.low + (r.high - r.low) * 0.1, (r.low + r.high) / 2, r.high - (r.high - r.low) * 0.1}) {
            const double y = r.at(v, area);
            p.drawText(QRectF(0, y - fm.height() / 2.0, left - 6, fm.height()), Qt::AlignRight | Qt::AlignVCenter,
                       QString::number(v, 'f', decimals));
        }
    };
    axisLabels(power, powerArea, 0);
    axisLabels(freq, freqArea, 3);

    // Power: a line through the points.
    const QColor powerColour(0, 90, 170), freqColour(200, 90, 0);
    QPainterPath path;
    for (int i = 0; i < m_points.size(); ++i) {
        const QPointF pt(xAt(m_points[i].date), power.at(m_points[i].powerMw, powerArea));
        i == 0 ? path.moveTo(pt) : path.lineTo(pt);
    }
    p.setPen(QPen(powerColour, 1.5));
    p.drawPath(path);
    p.setBrush(powerColour);
    for (const Point &pt : m_points)
        p.drawEllipse(QPointF(xAt(pt.date), power.at(pt.powerMw, powerArea)), 3, 3);

    // Frequencies: a bar from the lower to the upper frequency of each test.
    p.setPen(QPen(freqColour, 1));
    p.setBrush(QColor(freqColour.red(), freqColour.green(), freqColour.blue(), 90));
    for (const Point &pt : m_points) {
        const double x = xAt(pt.date);
        const double y1 = freq.at(pt.highGHz, freqArea), y2 = freq.at(pt.lowGHz, freqArea);
        p.drawRect(QRectF(x - 4, std::min(y1, y2), 8, std::max(1.0, std::abs(y2 - y1))));
    }
}

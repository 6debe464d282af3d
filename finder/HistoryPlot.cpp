#include "HistoryPlot.h"

#include "Marks.h"
#include "SartLimits.h"

#include <QHelpEvent>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {

// A value axis with round steps (1, 2, 2.5 or 5 times a power of ten) that
// holds every value given and a little room.
struct Axis
{
    double low = 0, high = 1, step = 1;

    Axis() = default;
    Axis(double lo, double hi, double minimumSpan, int ticks)
    {
        if (hi - lo < minimumSpan) {
            const double middle = (lo + hi) / 2;
            lo = middle - minimumSpan / 2;
            hi = middle + minimumSpan / 2;
        }
        const double raw = (hi - lo) / ticks;
        const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
        step = magnitude * 10;
        for (double factor : {1.0, 2.0, 2.5, 5.0})
            if (magnitude * factor >= raw) {
                step = magnitude * factor;
                break;
            }
        low = std::floor(lo / step) * step;
        high = std::ceil(hi / step) * step;
        if (high - hi < step * 0.15)
            high += step;
        if (lo - low < step * 0.15)
            low -= step;
    }
    double at(double value, const QRectF &area) const
    {
        return area.bottom() - (value - low) / (high - low) * area.height();
    }
    // A tick at every step, with just the digits a step needs: 0.25 two
    // decimals, 100 none.
    QVector<HistoryPlot::Tick> ticks(const QRectF &area) const
    {
        int decimals = 0;
        while (decimals < 6 && std::abs(step * std::pow(10.0, decimals) - std::round(step * std::pow(10.0, decimals))) > 1e-6)
            ++decimals;
        QLocale locale;
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
        QVector<HistoryPlot::Tick> ticks;
        for (int i = 0; low + i * step <= high + step / 2; ++i)
            ticks.append({at(low + i * step, area), locale.toString(low + i * step, 'f', decimals)});
        return ticks;
    }
};

// Month steps for date ticks; from a year on, a tick shows its year only.
constexpr int MonthSteps[] = {1, 2, 3, 6, 12, 24, 60, 120};
const QString MonthFormat = QStringLiteral("MMM yyyy");

} // namespace

struct HistoryPlot::Geometry
{
    QRectF powerArea, freqArea;
    qint64 first = 0, last = 1;  // Julian days at the left and right edges
    Axis power, freq;
    double x(const QDate &d) const
    {
        return powerArea.left() + double(d.toJulianDay() - first) / double(last - first) * powerArea.width();
    }
};

HistoryPlot::HistoryPlot(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("HistoryPlot"));
    setMinimumHeight(200);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    connect(&limits::InForce::instance(), &limits::InForce::changed, this, qOverload<>(&QWidget::update));
}

void HistoryPlot::setPoints(QVector<Point> points)
{
    m_points = std::move(points);
    m_points.erase(std::remove_if(m_points.begin(), m_points.end(), [](const Point &p) { return !p.date.isValid(); }),
                   m_points.end());
    update();
}

HistoryPlot::Geometry HistoryPlot::geometry() const
{
    const QFontMetrics fm = fontMetrics();
    const double left = fm.horizontalAdvance(QStringLiteral("0000.00")) + 16, right = 12;
    const double top = fm.height() + 6, bottom = fm.height() + 10, gap = fm.height() + 14;
    const QRectF all(left, top, width() - left - right, height() - top - bottom);
    const double half = (all.height() - gap) / 2;
    Geometry g;
    g.powerArea = QRectF(all.left(), all.top(), all.width(), half);
    g.freqArea = QRectF(all.left(), all.top() + half + gap, all.width(), half);
    if (m_points.isEmpty())
        return g;

    // Time: from the first to the last testing date, padded by a month.
    g.first = m_points.front().date.toJulianDay() - 30;
    g.last = m_points.back().date.toJulianDay() + 30;

    // Values: the points and the limits, so that both are always in sight.
    const limits::Limits &l = limits::inForce();
    double pLo = l.powerMinMw, pHi = l.powerMinMw;
    double fLo = l.lowMaxKHz / 1e6, fHi = l.highMinKHz / 1e6;
    for (const Point &pt : m_points) {
        pLo = std::min(pLo, pt.powerMw);
        pHi = std::max(pHi, pt.powerMw);
        fLo = std::min({fLo, pt.lowGHz, pt.highGHz});
        fHi = std::max({fHi, pt.lowGHz, pt.highGHz});
    }
    const int ticks = std::max(2, int(half / (fm.height() * 2)));
    g.power = Axis(pLo, pHi, 50, ticks);
    g.freq = Axis(fLo, fHi, 0.1, ticks);
    return g;
}

QPointF HistoryPlot::powerPosition(int i) const
{
    const Geometry g = geometry();
    return {g.x(m_points[i].date), g.power.at(m_points[i].powerMw, g.powerArea)};
}

QPointF HistoryPlot::frequencyPosition(int i) const
{
    const Geometry g = geometry();
    const Point &p = m_points[i];
    return {g.x(p.date), g.freq.at((p.lowGHz + p.highGHz) / 2, g.freqArea)};
}

double HistoryPlot::powerY(double mW) const
{
    const Geometry g = geometry();
    return g.power.at(mW, g.powerArea);
}

double HistoryPlot::frequencyY(double GHz) const
{
    const Geometry g = geometry();
    return g.freq.at(GHz, g.freqArea);
}

QVector<HistoryPlot::Tick> HistoryPlot::powerTicks() const
{
    const Geometry g = geometry();
    return g.power.ticks(g.powerArea);
}

QVector<HistoryPlot::Tick> HistoryPlot::frequencyTicks() const
{
    const Geometry g = geometry();
    return g.freq.ticks(g.freqArea);
}

QVector<HistoryPlot::Tick> HistoryPlot::dateTicks() const
{
    QVector<Tick> ticks;
    if (m_points.isEmpty())
        return ticks;
    // The shortest month step that leaves room for each label.
    const Geometry g = geometry();
    const double width = g.powerArea.width();
    const double months = (g.last - g.first) / 30.44;
    int step = MonthSteps[std::size(MonthSteps) - 1];
    for (int s : MonthSteps)
        if (width / (months / s) >= dateLabelWidth()) {
            step = s;
            break;
        }
    const QDate start = QDate::fromJulianDay(g.first);
    int month = start.year() * 12 + start.month() - 1;
    month += (step - month % step) % step;
    for (;; month += step) {
        const QDate tick(month / 12, month % 12 + 1, 1);
        const double x = g.x(tick);
        if (x > g.powerArea.right())
            break;
        ticks.append({x, step >= 12 ? QString::number(tick.year()) : QLocale().toString(tick, MonthFormat)});
    }
    return ticks;
}

double HistoryPlot::dateLabelWidth() const
{
    return fontMetrics().horizontalAdvance(QLocale().toString(QDate(2000, 9, 1), MonthFormat)) + 16;
}

int HistoryPlot::pointAt(const QPointF &pos) const
{
    if (m_points.isEmpty())
        return -1;
    const Geometry g = geometry();
    int best = -1;
    double bestDistance = 8;  // pixels: near enough to mean this point
    for (int i = 0; i < m_points.size(); ++i) {
        const Point &p = m_points[i];
        const double x = g.x(p.date);
        // The power dot, or anywhere on the frequency bar.
        const QPointF dot(x, g.power.at(p.powerMw, g.powerArea));
        double distance = QLineF(pos, dot).length();
        const double y1 = g.freq.at(p.highGHz, g.freqArea), y2 = g.freq.at(p.lowGHz, g.freqArea);
        const double dy = pos.y() < std::min(y1, y2) ? std::min(y1, y2) - pos.y()
                          : pos.y() > std::max(y1, y2) ? pos.y() - std::max(y1, y2)
                                                       : 0;
        distance = std::min(distance, std::hypot(pos.x() - x, dy));
        if (distance <= bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

bool HistoryPlot::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const int i = pointAt(help->pos());
        if (i >= 0)
            QToolTip::showText(help->globalPos(), m_points[i].details, this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void HistoryPlot::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics fm = p.fontMetrics();
    const Geometry g = geometry();
    if (m_points.isEmpty() || g.powerArea.width() < 40 || g.powerArea.height() < 25) {
        p.drawText(rect(), Qt::AlignCenter, tr("No dated records to plot"));
        return;
    }
    const QRectF &powerArea = g.powerArea, &freqArea = g.freqArea;
    const limits::Limits &l = limits::inForce();
    const QColor grid(225, 225, 225), limitColour(0, 130, 60);

    // The band the sweep must cover, behind everything else.
    const double bandTop = g.freq.at(l.highMinKHz / 1e6, freqArea), bandBottom = g.freq.at(l.lowMaxKHz / 1e6, freqArea);
    p.fillRect(QRectF(freqArea.left(), bandTop, freqArea.width(), bandBottom - bandTop), QColor(205, 238, 214));

    // Dated ticks on the time axis, round steps on the value axes.
    const double labelWidth = dateLabelWidth();
    for (const Tick &tick : dateTicks()) {
        if (tick.at < powerArea.left())
            continue;
        p.setPen(grid);
        p.drawLine(QPointF(tick.at, powerArea.top()), QPointF(tick.at, powerArea.bottom()));
        p.drawLine(QPointF(tick.at, freqArea.top()), QPointF(tick.at, freqArea.bottom()));
        p.setPen(Qt::black);
        p.drawText(QRectF(tick.at - labelWidth / 2, freqArea.bottom() + 2, labelWidth, fm.height()), Qt::AlignCenter,
                   tick.text);
    }
    auto valueAxis = [&](const QVector<Tick> &ticks, const QRectF &area) {
        for (const Tick &tick : ticks) {
            p.setPen(grid);
            p.drawLine(QPointF(area.left(), tick.at), QPointF(area.right(), tick.at));
            p.setPen(Qt::black);
            p.drawText(QRectF(0, tick.at - fm.height() / 2.0, area.left() - 6, fm.height()),
                       Qt::AlignRight | Qt::AlignVCenter, tick.text);
        }
    };
    valueAxis(g.power.ticks(powerArea), powerArea);
    valueAxis(g.freq.ticks(freqArea), freqArea);
    p.setPen(Qt::gray);
    p.setBrush(Qt::NoBrush);
    p.drawRect(powerArea);
    p.drawRect(freqArea);
    p.setPen(Qt::black);
    p.drawText(QRectF(powerArea.left(), 0, powerArea.width(), powerArea.top()), Qt::AlignLeft | Qt::AlignVCenter,
               tr("Emitted power, mW"));
    p.drawText(QRectF(freqArea.left(), powerArea.bottom(), freqArea.width(), freqArea.top() - powerArea.bottom() - 2),
               Qt::AlignLeft | Qt::AlignBottom, tr("Frequency range, GHz"));

    // The limits, named where they are drawn.
    p.setPen(limitColour);
    p.drawText(QRectF(powerArea.left(), 0, powerArea.width(), powerArea.top()), Qt::AlignRight | Qt::AlignVCenter,
               tr("limit: at least %1 mW").arg(l.powerMinMw));
    p.drawText(QRectF(freqArea.left(), powerArea.bottom(), freqArea.width(), freqArea.top() - powerArea.bottom() - 2),
               Qt::AlignRight | Qt::AlignBottom,
               tr("band to cover: %1 to %2")
                   .arg(limits::frequencyText(l.lowMaxKHz), limits::frequencyText(l.highMinKHz)));
    const double powerLimit = g.power.at(l.powerMinMw, powerArea);
    p.setPen(QPen(limitColour, 1.5, Qt::DashLine));
    p.drawLine(QPointF(powerArea.left(), powerLimit), QPointF(powerArea.right(), powerLimit));
    p.setPen(QPen(limitColour, 1, Qt::DashLine));
    p.drawLine(QPointF(freqArea.left(), bandTop), QPointF(freqArea.right(), bandTop));
    p.drawLine(QPointF(freqArea.left(), bandBottom), QPointF(freqArea.right(), bandBottom));

    // Power: a line through the points; a point of a record outside the
    // limits gets a red ring.
    const QColor powerColour(0, 90, 170), freqColour(200, 90, 0), outsideColour(200, 0, 0);
    QPainterPath path;
    for (int i = 0; i < m_points.size(); ++i) {
        const QPointF pt(g.x(m_points[i].date), g.power.at(m_points[i].powerMw, powerArea));
        i == 0 ? path.moveTo(pt) : path.lineTo(pt);
    }
    p.setPen(QPen(powerColour, 1.5));
    p.drawPath(path);
    for (const Point &pt : m_points) {
        const QPointF at(g.x(pt.date), g.power.at(pt.powerMw, powerArea));
        p.setPen(pt.outside ? QPen(outsideColour, 2) : QPen(powerColour, 1));
        p.setBrush(pt.outside ? OutsideLimitBackground : powerColour);
        p.drawEllipse(at, pt.outside ? 5 : 3, pt.outside ? 5 : 3);
    }

    // Frequencies: a bar from the lower to the upper frequency of each test.
    for (const Point &pt : m_points) {
        const double x = g.x(pt.date);
        const double y1 = g.freq.at(pt.highGHz, freqArea), y2 = g.freq.at(pt.lowGHz, freqArea);
        p.setPen(pt.outside ? QPen(outsideColour, 2) : QPen(freqColour, 1));
        p.setBrush(QColor(freqColour.red(), freqColour.green(), freqColour.blue(), 90));
        p.drawRect(QRectF(x - 4, std::min(y1, y2), 8, std::max(1.0, std::abs(y2 - y1))));
    }
}

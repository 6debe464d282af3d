#pragma once

#include <QDate>
#include <QVector>
#include <QWidget>

// A small chart of one SART over the years: emitted power above, the swept
// frequency range (lower to upper frequency) below, both against the testing
// date, so that drift shows at a glance. The limits of the SART standard in
// force are drawn with them: the minimum power as a line, the band the sweep
// must cover as a shaded band. Points of records with values outside the
// limits are marked; hovering a point shows its values.
class HistoryPlot : public QWidget
{
    Q_OBJECT

public:
    struct Point
    {
        QDate date;
        double powerMw = 0;
        double lowGHz = 0, highGHz = 0;
        bool outside = false;  // the record has values outside the limits
        QString details;       // the record's values, shown on hover
    };

    explicit HistoryPlot(QWidget *parent = nullptr);
    void setPoints(QVector<Point> points);
    const QVector<Point> &points() const { return m_points; }

    // Where point i is drawn on the power plot and on the frequency plot,
    // and the heights of a power and a frequency.
    QPointF powerPosition(int i) const;
    QPointF frequencyPosition(int i) const;
    double powerY(double mW) const;
    double frequencyY(double GHz) const;
    // The point drawn at or near pos; -1 when none.
    int pointAt(const QPointF &pos) const;

    // The labels of the axes as drawn: power, frequency, dates.
    struct Tick
    {
        double at;  // y for values, x for dates
        QString text;
    };
    QVector<Tick> powerTicks() const;
    QVector<Tick> frequencyTicks() const;
    QVector<Tick> dateTicks() const;

    QSize sizeHint() const override { return {640, 260}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    struct Geometry;
    Geometry geometry() const;
    double dateLabelWidth() const;

    QVector<Point> m_points;
};

#pragma once

#include <QDate>
#include <QVector>
#include <QWidget>

// A small chart of one SART over the years: emitted power above, the swept
// frequency range (lower to upper frequency) below, both against the testing
// date, so that drift shows at a glance.
class HistoryPlot : public QWidget
{
    Q_OBJECT

public:
    struct Point
    {
        QDate date;
        double powerMw = 0;
        double lowGHz = 0, highGHz = 0;
    };

    explicit HistoryPlot(QWidget *parent = nullptr);
    void setPoints(QVector<Point> points);
    const QVector<Point> &points() const { return m_points; }

    QSize sizeHint() const override { return {640, 260}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QVector<Point> m_points;
};

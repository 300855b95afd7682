#pragma once

#include <QColor>
#include <QVector>
#include <qcustomplot.h>

// The band between each interval's minimum and maximum, behind a chart's
// mean line. Each interval is one filled rectangle over the pixel columns
// that are nearer to it than to its neighbours: axis-aligned rectangles
// are filled as plain spans, where the same band as one polygon (a graph's
// channel fill) cost the raster engine several milliseconds a redraw.
class ChartBand : public QCPLayerable
{
public:
    struct Interval
    {
        double key;
        double min;
        double max;
        // Not joined to the interval before: the board was away.
        bool gapBefore;
    };

    ChartBand(QCPAxis *keyAxis, QCPAxis *valueAxis);

    void setColor(const QColor &color) { m_color = color; }

    void setIntervals(QVector<Interval> intervals) { m_intervals = std::move(intervals); }

protected:
    void applyDefaultAntialiasingHint(QCPPainter *painter) const override;
    QRect clipRect() const override;
    void draw(QCPPainter *painter) override;

private:
    QCPAxis *const m_keyAxis;
    QCPAxis *const m_valueAxis;
    QColor m_color;
    QVector<Interval> m_intervals;
};

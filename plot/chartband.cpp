#include "chartband.h"

#include <algorithm>
#include <cmath>

ChartBand::ChartBand(QCPAxis *keyAxis, QCPAxis *valueAxis)
    : QCPLayerable(keyAxis->parentPlot(), QString(), keyAxis->axisRect()), m_keyAxis(keyAxis),
      m_valueAxis(valueAxis)
{
}

void ChartBand::applyDefaultAntialiasingHint(QCPPainter *painter) const
{
    painter->setAntialiasing(false);
}

QRect ChartBand::clipRect() const
{
    return m_keyAxis->axisRect()->rect();
}

void ChartBand::draw(QCPPainter *painter)
{
    const QRect clip = clipRect();
    // A huge value lies far off the plot, beyond what a pixel's int holds:
    // a pixel past the edge is as good.
    const auto within = [](double pixel, int first, int last) {
        return std::clamp(pixel, double(first - 1), double(last + 2));
    };
    const int count = m_intervals.size();
    QVector<double> x(count);
    for (int i = 0; i < count; ++i)
        x[i] = m_keyAxis->coordToPixel(m_intervals[i].key);
    for (int i = 0; i < count; ++i) {
        const Interval &interval = m_intervals[i];
        if (std::isnan(interval.min) || std::isnan(interval.max))
            continue;
        // Halfway to each neighbour it is joined to; alone, one column.
        const bool joinedBefore = i > 0 && !interval.gapBefore;
        const bool joinedAfter = i + 1 < count && !m_intervals[i + 1].gapBefore;
        const double before = joinedBefore ? (x[i] - x[i - 1]) / 2 : 0.5;
        const double after = joinedAfter ? (x[i + 1] - x[i]) / 2 : 0.5;
        const double top = m_valueAxis->coordToPixel(interval.max);
        const double bottom = m_valueAxis->coordToPixel(interval.min);
        const QRectF rect(QPointF(within(x[i] - before, clip.left(), clip.right()),
                                  within(std::min(top, bottom), clip.top(), clip.bottom())),
                          QPointF(within(x[i] + after, clip.left(), clip.right()),
                                  within(std::max(top, bottom) + 1, clip.top(), clip.bottom())));
        painter->fillRect(rect.toAlignedRect().intersected(clip), m_color);
    }
}

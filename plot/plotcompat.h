#pragma once

#include <qcustomplot.h>

// The few plot calls whose shape changed between plot library generations,
// kept in one place.
namespace PlotCompat {

// Ticks exactly every `step`, whatever the range, instead of automatic ticks.
inline void setFixedTickStep(QCPAxis *axis, double step)
{
    QSharedPointer<QCPAxisTickerFixed> ticker(new QCPAxisTickerFixed);
    ticker->setTickStep(step);
    ticker->setScaleStrategy(QCPAxisTickerFixed::ssNone);
    axis->setTicker(ticker);
}

// The fixed tick step of `axis`, or 0 when it ticks automatically.
inline double fixedTickStep(const QCPAxis *axis)
{
    const auto fixed = axis->ticker().dynamicCast<QCPAxisTickerFixed>();
    return fixed ? fixed->tickStep() : 0.0;
}

// Drops the points with keys below `key`.
inline void removeDataBefore(QCPGraph *graph, double key)
{
    graph->data()->removeBefore(key);
}

} // namespace PlotCompat

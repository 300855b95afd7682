#include "plotstyle.h"

#include "plotcompat.h"
#include "plotlayers.h"
#include "plotnote.h"

#include <qcustomplot.h>

#include <algorithm>

namespace {

const QColor darkTextColor(10, 10, 10);

// Sample numbers: whole and in full however large (the default format
// turns 1858100 into "1.8581·10⁶"), never a step below one sample.
class SampleTicker : public QCPAxisTicker
{
protected:
    double getTickStep(const QCPRange &range) override
    {
        return std::max(1.0, QCPAxisTicker::getTickStep(range));
    }
    QString getTickLabel(double tick, const QLocale &, QChar, int) override
    {
        return QString::number(qRound64(tick));
    }
};

QPen gridPen(const QColor &color)
{
    return QPen(QBrush(color), 1, Qt::DotLine, Qt::SquareCap, Qt::BevelJoin);
}

} // namespace

namespace PlotStyle {

std::array<QCPGraph *, Sample::channelCount> setUp(QCustomPlot *plot,
                                                    const PlotterProfile &profile)
{
    plot->setBackground(QBrush(plotBackgroundColor));
    plot->clearItems();
    // The left axis gets its fixed ticks with the styling; the right axis of
    // the accelerometer keeps automatic ticks.
    plot->yAxis->setRange(profile.yRange.lower, profile.yRange.upper);
    if (profile.showRightAxis) {
        plot->yAxis2->setRange(profile.rightAxisRange.lower, profile.rightAxisRange.upper);
        plot->yAxis2->setVisible(true);
    }
    plot->yAxis->setLabelColor(profile.yLabelColor);
    plot->xAxis->setRange(profile.initialXRange.lower, profile.initialXRange.upper);

    const std::array<QColor, Sample::channelCount> graphColors{QColor(Qt::red), QColor(Qt::blue),
                                                               QColor(Qt::black)};
    // The plot shows no legend; items in the hidden one would still be
    // measured on every redraw.
    plot->setAutoAddPlottableToLegend(false);
    std::array<QCPGraph *, Sample::channelCount> graphs{};
    for (size_t i = 0; i < graphs.size(); ++i) {
        graphs[i] = plot->addGraph();
        graphs[i]->setPen(QPen(graphColors[i]));
    }
    return graphs;
}

void style(QCustomPlot *plot, const PlotterProfile &profile)
{
    plot->setNotAntialiasedElements(QCP::aeAll);
    plot->xAxis->setTicker(QSharedPointer<QCPAxisTicker>(new SampleTicker));
    PlotCompat::setFixedTickStep(plot->yAxis, 500);

    plot->xAxis->setTickLabelColor(darkTextColor);
    plot->yAxis->setTickLabelColor(profile.yTickLabelColor);

    plot->xAxis->grid()->setPen(gridPen(QColor(100, 100, 100)));
    plot->yAxis->grid()->setPen(gridPen(QColor(100, 100, 100)));
    plot->xAxis->grid()->setSubGridPen(gridPen(QColor(50, 50, 50)));
    plot->yAxis->grid()->setSubGridPen(gridPen(QColor(50, 50, 50)));
    plot->xAxis->grid()->setSubGridVisible(true);
    plot->yAxis->grid()->setSubGridVisible(true);

    plot->xAxis->setBasePen(QPen(QColor(100, 100, 100)));
    plot->yAxis->setBasePen(QPen(QColor(170, 170, 170)));
    const QPen tickPen(QColor(170, 170, 170));
    plot->xAxis->setTickPen(tickPen);
    plot->yAxis->setTickPen(tickPen);
    plot->xAxis->setSubTickPen(tickPen);
    plot->yAxis->setSubTickPen(tickPen);

    plot->setInteraction(QCP::iRangeDrag, false);
    plot->setInteraction(QCP::iRangeZoom, false);

    // The "overlay" layer has a paint buffer of its own only so that a
    // selection rectangle can be redrawn alone; there is none here, and an
    // empty buffer still costs a full-size clear and blend per redraw.
    plot->layer(QStringLiteral("overlay"))->setMode(QCPLayer::lmLogical);
    PlotLayers::drawGridsAtDevicePixels(plot);
}

} // namespace PlotStyle

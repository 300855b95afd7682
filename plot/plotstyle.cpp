#include "plotstyle.h"

#include "plotcompat.h"
#include "plotlayers.h"

#include <qcustomplot.h>

#include <algorithm>

namespace {

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

QPen recoloured(QPen pen, const QColor &color)
{
    pen.setColor(color);
    return pen;
}

QColor leftScaleColor(const PlotterProfile &profile, const PlotColours::Palette &palette)
{
    return profile.showsLeftScale ? palette.text : palette.background;
}

void colourFrame(QCustomPlot *plot, const PlotterProfile &profile,
                 const PlotColours::Palette &palette)
{
    plot->setBackground(QBrush(palette.background));
    plot->yAxis->setLabelColor(leftScaleColor(profile, palette));
}

void colourAxes(QCustomPlot *plot, const PlotterProfile &profile,
                const PlotColours::Palette &palette)
{
    plot->xAxis->setTickLabelColor(palette.text);
    plot->yAxis->setTickLabelColor(leftScaleColor(profile, palette));

    plot->xAxis->grid()->setPen(gridPen(palette.grid));
    plot->yAxis->grid()->setPen(gridPen(palette.grid));
    plot->xAxis->grid()->setSubGridPen(gridPen(palette.subGrid));
    plot->yAxis->grid()->setSubGridPen(gridPen(palette.subGrid));
    for (QCPAxis *axis : {plot->xAxis, plot->yAxis})
        axis->grid()->setZeroLinePen(recoloured(axis->grid()->zeroLinePen(), palette.plainGrid));

    plot->xAxis->setBasePen(QPen(palette.xAxisLine));
    plot->yAxis->setBasePen(QPen(palette.faintLine));
    const QPen tickPen(palette.faintLine);
    plot->xAxis->setTickPen(tickPen);
    plot->yAxis->setTickPen(tickPen);
    plot->xAxis->setSubTickPen(tickPen);
    plot->yAxis->setSubTickPen(tickPen);

    // The right axis keeps QCustomPlot's look.
    PlotStyle::colourPlainAxis(plot->yAxis2, palette);
}

} // namespace

namespace PlotStyle {

std::array<QCPGraph *, Sample::channelCount> setUp(QCustomPlot *plot, const PlotterProfile &profile,
                                                    const PlotColours::Palette &palette)
{
    colourFrame(plot, profile, palette);
    plot->clearItems();
    // The left axis gets its fixed ticks with the styling; the right axis of
    // the accelerometer keeps automatic ticks.
    plot->yAxis->setRange(profile.yRange.lower, profile.yRange.upper);
    if (profile.showRightAxis) {
        plot->yAxis2->setRange(profile.rightAxisRange.lower, profile.rightAxisRange.upper);
        plot->yAxis2->setVisible(true);
    }
    plot->xAxis->setRange(profile.initialXRange.lower, profile.initialXRange.upper);
    // The plot shows no legend; items in the hidden one would still be
    // measured on every redraw.
    plot->setAutoAddPlottableToLegend(false);
    std::array<QCPGraph *, Sample::channelCount> graphs{};
    for (size_t i = 0; i < graphs.size(); ++i) {
        graphs[i] = plot->addGraph();
        graphs[i]->setPen(QPen(palette.inputs[i]));
    }
    return graphs;
}

void style(QCustomPlot *plot, const PlotterProfile &profile, const PlotColours::Palette &palette)
{
    plot->setNotAntialiasedElements(QCP::aeAll);
    plot->xAxis->setTicker(QSharedPointer<QCPAxisTicker>(new SampleTicker));
    PlotCompat::setFixedTickStep(plot->yAxis, 500);

    colourAxes(plot, profile, palette);
    plot->xAxis->grid()->setSubGridVisible(true);
    plot->yAxis->grid()->setSubGridVisible(true);

    plot->setInteraction(QCP::iRangeDrag, false);
    plot->setInteraction(QCP::iRangeZoom, false);

    // The "overlay" layer has a paint buffer of its own only so that a
    // selection rectangle can be redrawn alone; there is none here, and an
    // empty buffer still costs a full-size clear and blend per redraw.
    plot->layer(QStringLiteral("overlay"))->setMode(QCPLayer::lmLogical);
    PlotLayers::drawGridsAtDevicePixels(plot);
}

void colourPlainAxis(QCPAxis *axis, const PlotColours::Palette &palette)
{
    axis->setBasePen(recoloured(axis->basePen(), palette.plainText));
    axis->setTickPen(recoloured(axis->tickPen(), palette.plainText));
    axis->setSubTickPen(recoloured(axis->subTickPen(), palette.plainText));
    axis->setTickLabelColor(palette.plainText);
    axis->setLabelColor(palette.plainText);
    axis->grid()->setPen(recoloured(axis->grid()->pen(), palette.plainGrid));
    axis->grid()->setZeroLinePen(recoloured(axis->grid()->zeroLinePen(), palette.plainGrid));
}

void colour(QCustomPlot *plot, const PlotterProfile &profile, const PlotColours::Palette &palette)
{
    colourFrame(plot, profile, palette);
    for (int i = 0; i < Sample::channelCount && i < plot->graphCount(); ++i)
        plot->graph(i)->setPen(QPen(palette.inputs[size_t(i)]));
    colourAxes(plot, profile, palette);
    // Every note stands on the plot's background.
    for (int i = 0; i < plot->itemCount(); ++i) {
        auto *text = qobject_cast<QCPItemText *>(plot->item(i));
        if (text && text->brush().style() != Qt::NoBrush)
            text->setBrush(QBrush(palette.background));
    }
}

} // namespace PlotStyle

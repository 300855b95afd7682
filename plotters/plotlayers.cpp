#include "plotlayers.h"

#include <qcustomplot.h>

#include <QPaintDevice>

namespace {

// A pen scaled to `ratio` device pixels per unit, as a hairline: the raster
// engine draws a scaled dash pattern point by point through its general
// stroker, and a hairline with its fast line drawer. The caller draws it
// once per device pixel of width.
QPen hairline(QPen pen, qreal ratio)
{
    if (pen.style() == Qt::NoPen || pen.isCosmetic())
        return pen;
    if (pen.style() != Qt::SolidLine) {
        QVector<qreal> pattern = pen.dashPattern();
        for (qreal &length : pattern)
            length *= ratio * pen.widthF();
        pen.setDashPattern(pattern);
    }
    pen.setWidth(0);
    return pen;
}

// Draws the grid lines of `source`'s axis with its settings; see
// drawGridsAtDevicePixels.
class DeviceGrid : public QCPGrid
{
public:
    DeviceGrid(QCPAxis *axis, QCPGrid *source) : QCPGrid(axis), source(source)
    {
        setLayer(source->layer());
    }

protected:
    void draw(QCPPainter *painter) override
    {
        if (!source->visible())
            return;
        const qreal ratio = painter->device()->devicePixelRatioF();
        // Unscaled screens and exports (vector pages, images, which are
        // drawn without the screen's caches): the pens as they are.
        const bool asGiven = ratio <= 1 || painter->modes().testFlag(QCPPainter::pmVectorized)
                             || painter->modes().testFlag(QCPPainter::pmNoCaching);
        setSubGridVisible(source->subGridVisible());
        setAntialiasedSubGrid(source->antialiasedSubGrid());
        setAntialiasedZeroLine(source->antialiasedZeroLine());
        setAntialiased(source->antialiased());
        setPen(asGiven ? source->pen() : hairline(source->pen(), ratio));
        setSubGridPen(asGiven ? source->subGridPen() : hairline(source->subGridPen(), ratio));
        setZeroLinePen(asGiven ? source->zeroLinePen() : hairline(source->zeroLinePen(), ratio));
        if (asGiven) {
            QCPGrid::draw(painter);
            return;
        }
        // A pen one unit wide covers the device pixels just above and left
        // of its line's position.
        const bool horizontalLines = mParentAxis->orientation() == Qt::Vertical;
        const int passes = qMax(1, qRound(ratio));
        for (int pass = 0; pass < passes; ++pass) {
            const qreal shift = -pass / ratio;
            painter->save();
            painter->translate(horizontalLines ? 0 : shift, horizontalLines ? shift : 0);
            QCPGrid::draw(painter);
            painter->restore();
        }
    }

private:
    QCPGrid *const source;
};

} // namespace

namespace PlotLayers {

void drawGridsAtDevicePixels(QCustomPlot *plot)
{
    for (QCPAxis *axis : plot->axisRect()->axes()) {
        QCPGrid *grid = axis->grid();
        if (!grid->visible())
            continue;
        // Takes the axis' grid's place on its layer; the axis owns it. The
        // axis' grid stays as it was set, on no layer.
        new DeviceGrid(axis, grid);
        grid->setLayer(static_cast<QCPLayer *>(nullptr));
    }
}

} // namespace PlotLayers

#include "plotlayers.h"

#include <qcustomplot.h>

#include <QPaintDevice>

namespace {

// A pen scaled to `ratio` device pixels per unit, as a hairline: the raster
// engine draws a scaled dash pattern point by point through its general
// stroker, and a hairline with its fast line drawer. Dots and gaps are whole
// device pixels, so that every dot looks the same. The caller draws it once
// per device pixel of width.
QPen hairline(QPen pen, qreal ratio)
{
    if (pen.style() == Qt::NoPen || pen.isCosmetic())
        return pen;
    if (pen.style() != Qt::SolidLine) {
        QVector<qreal> pattern = pen.dashPattern();
        for (qreal &length : pattern)
            length = qMax(1, qRound(length * ratio * pen.widthF()));
        pen.setDashPattern(pattern);
    }
    pen.setWidth(0);
    return pen;
}

// Draws the grid lines of `source`'s axis with its settings; see
// drawGridsAtDevicePixels. Horizontal lines that stay where they were are
// copied from a picture of them, row band by row band, instead of being
// drawn dot by dot again.
class DeviceGrid : public QCPGrid
{
public:
    DeviceGrid(QCPAxis *axis, QCPGrid *source) : QCPGrid(axis), source(source)
    {
        setLayer(source->layer());
    }

    bool drewFromCache = false;

protected:
    void draw(QCPPainter *painter) override;

private:
    // Everything the lines' pixels depend on.
    struct Key
    {
        qreal ratio = 0;
        QRect rect;
        QCPRange range;
        QVector<double> ticks;
        const QCPAxisTicker *ticker = nullptr;
        QPen pen;
        QPen subPen;
        QPen zeroPen;
        bool subVisible = false;
        bool operator==(const Key &other) const
        {
            return ratio == other.ratio && rect == other.rect && range == other.range
                   && ticks == other.ticks && ticker == other.ticker && pen == other.pen
                   && subPen == other.subPen && zeroPen == other.zeroPen
                   && subVisible == other.subVisible;
        }
    };

    void takeSettings(qreal ratio, bool asGiven);
    void drawLines(QCPPainter *painter, qreal ratio, bool asGiven);
    void buildCache(const QCPPainter *painter, qreal ratio);

    QCPGrid *const source;
    Key drawnKey;
    // The lines as last drawn, and the device pixel rows and columns they
    // cover.
    QImage cache;
    QVector<QPair<int, int>> cachedRows;
    int cachedLeft = 0;
    int cachedRight = 0;
};

void DeviceGrid::takeSettings(qreal ratio, bool asGiven)
{
    setSubGridVisible(source->subGridVisible());
    setAntialiasedSubGrid(source->antialiasedSubGrid());
    setAntialiasedZeroLine(source->antialiasedZeroLine());
    setAntialiased(source->antialiased());
    setPen(asGiven ? source->pen() : hairline(source->pen(), ratio));
    setSubGridPen(asGiven ? source->subGridPen() : hairline(source->subGridPen(), ratio));
    setZeroLinePen(asGiven ? source->zeroLinePen() : hairline(source->zeroLinePen(), ratio));
}

void DeviceGrid::drawLines(QCPPainter *painter, qreal ratio, bool asGiven)
{
    if (asGiven) {
        QCPGrid::draw(painter);
        return;
    }
    // A pen one unit wide covers the device pixels just above and left of
    // its line's position.
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

void DeviceGrid::draw(QCPPainter *painter)
{
    drewFromCache = false;
    if (!source->visible())
        return;
    const qreal ratio = painter->device()->devicePixelRatioF();
    // Exports (vector pages, and images, which are drawn without the
    // screen's caches) draw with the pens as they are, and so does an
    // unscaled screen.
    const bool onScreen = !painter->modes().testFlag(QCPPainter::pmVectorized)
                          && !painter->modes().testFlag(QCPPainter::pmNoCaching);
    const bool asGiven = ratio <= 1 || !onScreen;
    takeSettings(ratio, asGiven);

    // Only horizontal lines copy in long runs.
    const bool cacheable = onScreen && mParentAxis->orientation() == Qt::Vertical;
    Key key;
    if (cacheable)
        key = {ratio, mParentAxis->axisRect()->rect(), mParentAxis->range(),
               mParentAxis->tickVector(), mParentAxis->ticker().data(), mPen, mSubGridPen,
               mZeroLinePen, mSubGridVisible};
    if (!cacheable || !(key == drawnKey)) {
        // Lines that moved are drawn; a picture is taken once they stay.
        drawnKey = key;
        cache = QImage();
        drawLines(painter, ratio, asGiven);
        return;
    }
    if (cache.isNull())
        buildCache(painter, ratio);
    // In device pixels, copied one to one also at a fractional ratio.
    painter->save();
    painter->setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
    for (const QPair<int, int> &rows : qAsConst(cachedRows)) {
        const QRect band(cachedLeft, rows.first, cachedRight - cachedLeft + 1,
                         rows.second - rows.first + 1);
        painter->drawImage(band.topLeft(), cache, band);
    }
    painter->restore();
    drewFromCache = true;
}

void DeviceGrid::buildCache(const QCPPainter *painter, qreal ratio)
{
    // The same device, clip and hints as the plot's paint buffer.
    const QPaintDevice *device = painter->device();
    cache = QImage(device->width(), device->height(), QImage::Format_ARGB32_Premultiplied);
    cache.setDevicePixelRatio(ratio);
    cache.fill(Qt::transparent);
    QCPPainter picture(&cache);
    picture.setRenderHints(painter->renderHints());
    if (painter->hasClipping())
        picture.setClipRegion(painter->clipRegion());
    applyDefaultAntialiasingHint(&picture);
    drawLines(&picture, ratio, ratio <= 1);
    picture.end();
    cache.setDevicePixelRatio(1);

    cachedRows.clear();
    cachedLeft = cache.width();
    cachedRight = -1;
    for (int y = 0; y < cache.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(cache.constScanLine(y));
        bool used = false;
        for (int x = 0; x < cache.width(); ++x)
            if (qAlpha(row[x]) != 0) {
                used = true;
                cachedLeft = qMin(cachedLeft, x);
                cachedRight = qMax(cachedRight, x);
            }
        if (!used)
            continue;
        if (!cachedRows.isEmpty() && cachedRows.last().second == y - 1)
            cachedRows.last().second = y;
        else
            cachedRows.append({y, y});
    }
}

} // namespace

namespace PlotLayers {

void drawGridsAtDevicePixels(QCustomPlot *plot)
{
    // In the layers' drawing order, so that crossing lines cover each other
    // as before.
    for (int index = 0; index < plot->layerCount(); ++index) {
        const QList<QCPLayerable *> layerables = plot->layer(index)->children();
        for (QCPLayerable *layerable : layerables) {
            auto *grid = qobject_cast<QCPGrid *>(layerable);
            auto *axis = grid ? qobject_cast<QCPAxis *>(grid->parent()) : nullptr;
            if (!axis || !grid->visible() || dynamic_cast<DeviceGrid *>(grid))
                continue;
            // Takes the axis' grid's place at the end of its layer; the
            // axis owns it. The axis' grid stays as it was set, on no layer.
            new DeviceGrid(axis, grid);
            grid->setLayer(static_cast<QCPLayer *>(nullptr));
        }
    }
}

bool drewGridFromCache(const QCustomPlot *plot)
{
    for (QCPAxis *axis : plot->axisRect()->axes())
        for (const QCPGrid *grid : axis->findChildren<QCPGrid *>(QString(), Qt::FindDirectChildrenOnly)) {
            const auto *deviceGrid = dynamic_cast<const DeviceGrid *>(grid);
            if (deviceGrid && deviceGrid->drewFromCache)
                return true;
        }
    return false;
}

} // namespace PlotLayers

#include "lanesview.h"

#include "lanelayout.h"
#include "plotlayers.h"
#include "rangedialog.h"

#include <qcustomplot.h>

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QWheelEvent>

#include <cmath>

// A lane's axis rect, which tells how wide its y axis is, so the plot's
// left margin makes room for the widest.
class LanesView::LaneRect : public QCPAxisRect
{
public:
    explicit LaneRect(QCustomPlot *plot) : QCPAxisRect(plot)
    {
        setAutoMargins(QCP::msNone);
    }
    // The lane itself keeps no margin: asked as if it did.
    int leftMarginNeeded()
    {
        mAutoMargins = QCP::msLeft;
        const int needed = calculateAutoMargin(QCP::msLeft);
        mAutoMargins = QCP::msNone;
        return needed;
    }
};

// The left margin of the plot's axis rect: the widest lane's axis.
class LanesView::LaneMargin : public QCPMarginGroup
{
public:
    using QCPMarginGroup::QCPMarginGroup;
    std::vector<LaneRect *> rects;

protected:
    int commonMargin(QCP::MarginSide side) const override
    {
        int widest = 0;
        for (LaneRect *rect : rects)
            widest = std::max(widest, rect->leftMarginNeeded());
        return side == QCP::msLeft ? widest : QCPMarginGroup::commonMargin(side);
    }
};

LanesView::LanesView()
    : m_rangeAction(new QAction(tr("Lane Range…"), this)),
      m_automaticAction(new QAction(tr("Automatic Lane Ranges"), this))
{
    connect(m_automaticAction, &QAction::triggered, this, [this] {
        m_setRanges.clear();
        emit changed();
    });
}

LanesView::~LanesView() = default;

void LanesView::addTo(QCustomPlot *plot)
{
    m_plot = plot;
    m_margin = new LaneMargin(plot);
    // After the navigator's, so it sees the lanes' own wheel and drags first.
    plot->installEventFilter(this);
}

void LanesView::setLevelLine(QCPItemStraightLine *line)
{
    m_levelLine = line;
}

void LanesView::setChannels(const QStringList &names, const std::vector<QCPGraph *> &graphs,
                            quint32 shown)
{
    if (m_shown)
        tearDown();
    m_names = names;
    m_graphs.assign(graphs.begin(), graphs.end());
    m_shownChannels = shown;
    if (m_shown)
        build();
}

void LanesView::show()
{
    if (m_shown || !m_plot)
        return;
    m_shown = true;
    m_yAxisVisible = m_plot->yAxis->visible();
    m_yAxis2Visible = m_plot->yAxis2->visible();
    // Each lane has its own; the time view's keep their ranges for the return.
    m_plot->yAxis->setVisible(false);
    m_plot->yAxis2->setVisible(false);
    // The lanes fill the whole axis rect, to the time axis' ends.
    m_insetMargins = m_plot->axisRect()->insetLayout()->margins();
    m_plot->axisRect()->insetLayout()->setMargins(QMargins());
    build();
}

void LanesView::hide()
{
    if (!m_shown)
        return;
    tearDown();
    m_shown = false;
    m_drag.reset();
    m_plot->yAxis->setVisible(m_yAxisVisible);
    m_plot->yAxis2->setVisible(m_yAxis2Visible);
    m_plot->axisRect()->insetLayout()->setMargins(m_insetMargins);
}

void LanesView::build()
{
    QCPAxisRect *whole = m_plot->axisRect();
    const int channelCount = int(std::min(size_t(m_names.size()), m_graphs.size()));
    for (const int channel : LaneLayout::laneChannels(m_shownChannels, channelCount)) {
        QCPGraph *graph = m_graphs[size_t(channel)];
        if (!graph)
            continue;
        auto *rect = new LaneRect(m_plot);
        // Exactly its band of the axis rect: the time axis' pixels are its.
        rect->setMargins(QMargins());
        rect->setMinimumSize(0, 0);
        whole->insetLayout()->addElement(rect, QRectF(0, 0, 1, 1));

        QCPAxis *time = rect->axis(QCPAxis::atBottom);
        // A line under each lane; the whole rect's x axis has the ticks.
        time->setTicks(false);
        time->setTickLabels(false);
        time->grid()->setVisible(false);
        time->setBasePen(m_plot->xAxis->basePen());
        time->setRange(m_plot->xAxis->range());
        connect(m_plot->xAxis, qOverload<const QCPRange &>(&QCPAxis::rangeChanged), time,
                qOverload<const QCPRange &>(&QCPAxis::setRange));

        // The time view's y axis' look, its tick labels readable in every
        // window (the accelerometer's left ones are hidden in the time view).
        QCPAxis *values = rect->axis(QCPAxis::atLeft);
        const QCPAxis *look = m_plot->yAxis;
        values->setBasePen(look->basePen());
        values->setTickPen(look->tickPen());
        values->setSubTickPen(look->subTickPen());
        values->setTickLabelColor(m_plot->xAxis->tickLabelColor());
        values->setTickLabelFont(m_plot->xAxis->tickLabelFont());
        values->grid()->setPen(look->grid()->pen());
        values->grid()->setSubGridPen(look->grid()->subGridPen());
        values->grid()->setZeroLinePen(look->grid()->zeroLinePen());
        values->grid()->setSubGridVisible(look->grid()->subGridVisible());
        // The computed channels' names carry their units.
        values->setLabel(graph->name().isEmpty() ? m_names.at(channel) : graph->name());
        values->setLabelColor(graph->pen().color());
        values->setRange(graph->valueAxis()->range());

        m_lanes.push_back({channel, rect, graph, graph->valueAxis()});
        m_margin->rects.push_back(rect);
        graph->setKeyAxis(time);
        graph->setValueAxis(values);
    }
    if (!m_lanes.empty())
        whole->setMarginGroup(QCP::msLeft, m_margin);
    PlotLayers::drawGridsAtDevicePixels(m_plot);
    placeBands();
}

void LanesView::tearDown()
{
    for (const Lane &lane : m_lanes) {
        if (lane.graph) {
            lane.graph->setKeyAxis(m_plot->xAxis);
            lane.graph->setValueAxis(lane.timeValueAxis ? lane.timeValueAxis.data() : m_plot->yAxis);
        }
    }
    if (m_levelLine) {
        for (QCPItemPosition *point : {m_levelLine->point1, m_levelLine->point2})
            point->setAxes(m_plot->xAxis, m_plot->yAxis);
        m_levelLine->setClipAxisRect(m_plot->axisRect());
    }
    m_plot->axisRect()->setMarginGroup(QCP::msLeft, nullptr);
    m_margin->rects.clear();
    for (const Lane &lane : m_lanes)
        m_plot->axisRect()->insetLayout()->remove(lane.rect);
    m_lanes.clear();
}

void LanesView::placeBands()
{
    QCPLayoutInset *insets = m_plot->axisRect()->insetLayout();
    const int gap = QFontMetrics(m_plot->xAxis->tickLabelFont()).height();
    for (size_t lane = 0; lane < m_lanes.size(); ++lane) {
        const LaneLayout::Band band = LaneLayout::band(int(lane), int(m_lanes.size()),
                                                       m_plot->axisRect()->height(), gap);
        for (int i = 0; i < insets->elementCount(); ++i) {
            if (insets->elementAt(i) == m_lanes[lane].rect)
                insets->setInsetRect(i, QRectF(0, band.top, 1, band.height));
        }
    }
}

QCPAxis *LanesView::valueAxis(const Lane &lane) const
{
    return lane.rect->axis(QCPAxis::atLeft);
}

void LanesView::finishRedraw(int triggerSource)
{
    if (!m_shown)
        return;
    placeBands();
    // Each lane's axis names its channel in its colour: the key would only
    // cover the top lane. The time view shows it again.
    m_plot->legend->setVisible(false);
    const QCPRange shown = m_plot->xAxis->range();
    for (const Lane &lane : m_lanes) {
        std::optional<AxisSpan> range = m_setRanges.contains(lane.channel)
                                            ? std::optional<AxisSpan>(m_setRanges.value(lane.channel))
                                            : std::nullopt;
        if (!range && lane.graph) {
            // What the graph holds is what the time view drew: decimated
            // columns or the samples themselves, never more than a few
            // thousand points.
            double lowest = qQNaN();
            double highest = qQNaN();
            const QSharedPointer<QCPGraphDataContainer> data = lane.graph->data();
            for (auto point = data->findBegin(shown.lower, false);
                 point != data->findEnd(shown.upper, false); ++point) {
                lowest = std::fmin(lowest, point->value);
                highest = std::fmax(highest, point->value);
            }
            range = LaneLayout::automaticRange(lowest, highest);
        }
        if (range)
            valueAxis(lane)->setRange(range->lower, range->upper);
    }
    if (m_levelLine && m_levelLine->visible()) {
        const Lane *source = nullptr;
        for (const Lane &lane : m_lanes)
            source = lane.channel == triggerSource ? &lane : source;
        // A hidden source has no lane to draw its level in.
        if (!source) {
            m_levelLine->setVisible(false);
            return;
        }
        for (QCPItemPosition *point : {m_levelLine->point1, m_levelLine->point2})
            point->setAxes(source->rect->axis(QCPAxis::atBottom), valueAxis(*source));
        m_levelLine->setClipAxisRect(source->rect);
    }
}

const LanesView::Lane *LanesView::laneAt(const QPointF &point, bool *onAxis) const
{
    const QRect whole = m_plot->axisRect()->rect();
    for (const Lane &lane : m_lanes) {
        const QRect band = lane.rect->rect();
        if (point.y() < band.top() || point.y() > band.bottom() || point.x() > whole.right())
            continue;
        if (onAxis)
            *onAxis = point.x() < whole.left();
        return &lane;
    }
    return nullptr;
}

void LanesView::setLaneRange(int channel, AxisSpan range)
{
    if (!LaneLayout::isUsable(range))
        return;
    m_setRanges.insert(channel, range);
    emit changed();
}

void LanesView::setMenuPosition(const QPoint &plotPosition)
{
    const Lane *lane = m_shown ? laneAt(plotPosition) : nullptr;
    m_menuChannel = lane ? std::optional<int>(lane->channel) : std::nullopt;
    m_rangeAction->setEnabled(lane != nullptr);
}

void LanesView::addToMenu(QMenu &menu) const
{
    if (!m_shown)
        return;
    menu.addAction(m_rangeAction);
    menu.addAction(m_automaticAction);
}

void LanesView::askLaneRange(QWidget *window)
{
    const int channel = m_menuChannel.value_or(-1);
    const Lane *lane = nullptr;
    for (const Lane &each : m_lanes)
        lane = each.channel == channel ? &each : lane;
    if (!lane)
        return;
    const QCPRange shown = valueAxis(*lane)->range();
    // Counts are whole; a computed channel's small values are not.
    const std::optional<AxisSpan> chosen =
        RangeDialog::ask(window, {shown.lower, shown.upper}, shown.size() >= 50 ? 0 : 3);
    // The lanes may have changed meanwhile: the range belongs to the channel.
    if (chosen)
        setLaneRange(channel, *chosen);
}

QCPAxisRect *LanesView::laneRect(int lane) const
{
    return m_lanes.at(size_t(lane)).rect;
}

int LanesView::laneChannel(int lane) const
{
    return m_lanes.at(size_t(lane)).channel;
}

void LanesView::saveTo(PlotterSettings &settings) const
{
    settings.laneRanges = m_setRanges;
}

void LanesView::restoreFrom(const PlotterSettings &settings)
{
    m_setRanges.clear();
    for (auto range = settings.laneRanges.cbegin(); range != settings.laneRanges.cend(); ++range) {
        if (LaneLayout::isUsable(*range))
            m_setRanges.insert(range.key(), *range);
    }
    emit changed();
}

bool LanesView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_plot || !m_shown)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Wheel: {
        // On a lane's axis, or with Shift over it: that lane's range, around
        // the value under the pointer. Elsewhere the time axis' zoom.
        const auto *wheel = static_cast<QWheelEvent *>(event);
        bool onAxis = false;
        const Lane *lane = laneAt(wheel->position(), &onAxis);
        if (!lane || (!onAxis && !(wheel->modifiers() & Qt::ShiftModifier)))
            return false;
        const int delta = wheel->angleDelta().y() != 0 ? wheel->angleDelta().y()
                                                       : wheel->angleDelta().x();
        const QCPRange range = valueAxis(*lane)->range();
        if (delta != 0)
            setLaneRange(lane->channel,
                         ViewZoom::zoomedAround({range.lower, range.upper},
                                                valueAxis(*lane)->pixelToCoord(wheel->position().y()),
                                                ViewZoom::wheelFactor(delta)));
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        bool onAxis = false;
        const Lane *lane = laneAt(mouse->localPos(), &onAxis);
        if (!lane || !onAxis || mouse->button() != Qt::LeftButton)
            return false;
        // A double click gives the lane back to its signal.
        if (event->type() == QEvent::MouseButtonDblClick) {
            m_drag.reset();
            m_setRanges.remove(lane->channel);
            emit changed();
            return true;
        }
        const QCPRange range = valueAxis(*lane)->range();
        m_drag = AxisDrag{lane->channel, mouse->localPos().y(), {range.lower, range.upper}};
        return true;
    }
    case QEvent::MouseMove: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const Lane *lane = nullptr;
        for (const Lane &each : m_lanes)
            lane = m_drag && each.channel == m_drag->channel ? &each : lane;
        if (!lane)
            return false;
        // The values follow the pointer.
        const double shift = (mouse->localPos().y() - m_drag->startY) * m_drag->startRange.size()
                             / std::max(lane->rect->height(), 1);
        setLaneRange(lane->channel,
                     {m_drag->startRange.lower + shift, m_drag->startRange.upper + shift});
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (!m_drag || static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
            return false;
        m_drag.reset();
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

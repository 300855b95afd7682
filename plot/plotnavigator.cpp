#include "plotnavigator.h"

#include "plotcompat.h"
#include "rangedialog.h"

#include <qcustomplot.h>

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

// The left axis' fixed tick step in the specified view.
constexpr double specifiedTickStep = 500;
// An automatic y range leaves this share of its height free above and below.
constexpr double automaticMargin = 0.05;

// Maps `value` from one span onto another, linearly.
double mapped(double value, AxisSpan from, AxisSpan to)
{
    return to.lower + (value - from.lower) * to.size() / from.size();
}

} // namespace

PlotNavigator::PlotNavigator(const SampleStore &store,
                           const QStringList &channelNames,
                           QObject *parent)
    : QObject(parent), m_store(store), m_cursors(store, channelNames)
{
    m_resetAction = new QAction(tr("Reset View"), this);
    m_resetAction->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_0));
    connect(m_resetAction, &QAction::triggered, this, &PlotNavigator::resetView);

    m_specifiedAction = new QAction(tr("Specified"), this);
    m_specifiedAction->setCheckable(true);
    m_specifiedAction->setChecked(true);
    connect(m_specifiedAction, &QAction::triggered, this,
            [this] { chooseYRange(YRange::Specified); });
    m_automaticAction = new QAction(tr("Automatic"), this);
    m_automaticAction->setCheckable(true);
    connect(m_automaticAction, &QAction::triggered, this,
            [this] { chooseYRange(YRange::Automatic); });
    m_setRangeAction = new QAction(tr("Set Range…"), this);

    connect(&m_cursors, &PlotCursors::changed, this, &PlotNavigator::changed);
}

PlotNavigator::~PlotNavigator() = default;

void PlotNavigator::attach(QCustomPlot *plot, AxisSpan specifiedY,
                          std::optional<AxisSpan> specifiedRightY)
{
    m_plot = plot;
    m_specifiedY = specifiedY;
    m_specifiedRightY = specifiedRightY;
    m_chosenY = specifiedY;
    plot->installEventFilter(this);
}

void PlotNavigator::addActionsTo(QWidget *window) const
{
    window->addAction(m_resetAction);
    window->addAction(m_cursors.showAction());
}

void PlotNavigator::addToMenu(QMenu &menu) const
{
    menu.addAction(m_resetAction);
    QMenu *yMenu = menu.addMenu(tr("Y Range"));
    yMenu->addAction(m_specifiedAction);
    yMenu->addAction(m_automaticAction);
    yMenu->addAction(m_setRangeAction);
    menu.addAction(m_cursors.showAction());
}

void PlotNavigator::showWholeHistory()
{
    m_stoppedView = history();
    m_keyOrigin = 0;
    emit changed();
}

void PlotNavigator::saveTo(PlotterSettings &settings) const
{
    settings.yRange = PlotterSettings::YRange(int(m_yRange));
    if (m_yRange == YRange::Chosen)
        settings.chosenY = toShownUnits(m_chosenY);
    settings.showCursors = m_cursors.isShown();
    settings.rollingLength = m_rollingLength;
}

void PlotNavigator::restoreFrom(const PlotterSettings &settings)
{
    m_stoppedView.reset();
    m_rollingLength = settings.rollingLength;
    m_cursors.showAction()->setChecked(settings.showCursors);
    if (settings.yRange == PlotterSettings::YRange::Chosen)
        m_chosenY = fromShownUnits(settings.chosenY);
    chooseYRange(YRange(int(settings.yRange)));
}

void PlotNavigator::resetView()
{
    m_stoppedView.reset();
    m_rollingLength = specifiedLength;
    chooseYRange(YRange::Specified);
}

void PlotNavigator::chooseYRange(YRange range)
{
    m_yRange = range;
    m_specifiedAction->setChecked(range == YRange::Specified);
    m_automaticAction->setChecked(range == YRange::Automatic);
    emit changed();
}

void PlotNavigator::askYRange(QWidget *window)
{
    const AxisSpan shown = toShownUnits({m_plot->yAxis->range().lower, m_plot->yAxis->range().upper});
    // Raw counts are whole; the accelerometer's g are not.
    const std::optional<AxisSpan> chosen = RangeDialog::ask(window, shown, m_specifiedRightY ? 3 : 0);
    if (!chosen)
        return;
    m_chosenY = fromShownUnits(*chosen);
    chooseYRange(YRange::Chosen);
}

void PlotNavigator::setRunning(bool running)
{
    m_running = running;
    // Running again rolls again.
    if (running)
        m_stoppedView.reset();
    m_dragStartX.reset();
}

void PlotNavigator::setActive(bool active)
{
    m_active = active;
    m_resetAction->setEnabled(active);
    m_cursors.showAction()->setEnabled(active);
    m_dragStartX.reset();
}

std::optional<AxisSpan> PlotNavigator::ownView(qint64 newestIndex, bool triggered) const
{
    if (m_stoppedView)
        return *m_stoppedView;
    if (!triggered && m_rollingLength != specifiedLength)
        return AxisSpan{double(newestIndex - m_rollingLength), double(newestIndex)};
    return std::nullopt;
}

void PlotNavigator::finishRedraw(SampleSpan shown, qint64 keyOrigin)
{
    m_keyOrigin = keyOrigin;
    switch (m_yRange) {
    case YRange::Specified:
        if (m_yChanged) {
            m_plot->yAxis->setRange(m_specifiedY.lower, m_specifiedY.upper);
            PlotCompat::setFixedTickStep(m_plot->yAxis, specifiedTickStep);
            if (m_specifiedRightY)
                m_plot->yAxis2->setRange(m_specifiedRightY->lower, m_specifiedRightY->upper);
            m_yChanged = false;
        }
        break;
    case YRange::Automatic: {
        // The inputs in counts; the computed channels in the right axis' unit.
        constexpr quint32 inputs = (1u << Sample::channelCount) - 1;
        ValueExtent extent = decimateColumns(m_store, shown, 0, ColumnGrid{}, m_scratch, true,
                                             m_shownChannels & inputs);
        for (size_t channel = Sample::channelCount; channel < m_scratch.size(); ++channel) {
            for (const PlotPoint &point : m_scratch[channel]) {
                if (!((m_shownChannels >> channel) & 1u) || std::isnan(point.value))
                    continue;
                const double value = fromShownUnits({point.value, point.value}).lower;
                extent.minimum = extent.any ? std::min(extent.minimum, value) : value;
                extent.maximum = extent.any ? std::max(extent.maximum, value) : value;
                extent.any = true;
            }
        }
        if (extent.any) {
            const double margin =
                std::max((double(extent.maximum) - double(extent.minimum)) * automaticMargin, 1.0);
            setY({extent.minimum - margin, extent.maximum + margin});
        }
        break;
    }
    case YRange::Chosen:
        setY(m_chosenY);
        break;
    }
    m_cursors.update(keyOrigin);
}

void PlotNavigator::setY(AxisSpan span)
{
    if (!m_yChanged) {
        // The fixed step of 500 would leave a zoomed axis without ticks.
        m_plot->yAxis->setTicker(QSharedPointer<QCPAxisTicker>(new QCPAxisTicker));
        m_yChanged = true;
    }
    m_plot->yAxis->setRange(span.lower, span.upper);
    if (m_specifiedRightY) {
        const AxisSpan right = toShownUnits(span);
        m_plot->yAxis2->setRange(right.lower, right.upper);
    }
}

AxisSpan PlotNavigator::toShownUnits(AxisSpan span) const
{
    if (!m_specifiedRightY)
        return span;
    return {mapped(span.lower, m_specifiedY, *m_specifiedRightY),
            mapped(span.upper, m_specifiedY, *m_specifiedRightY)};
}

AxisSpan PlotNavigator::fromShownUnits(AxisSpan span) const
{
    if (!m_specifiedRightY)
        return span;
    return {mapped(span.lower, *m_specifiedRightY, m_specifiedY),
            mapped(span.upper, *m_specifiedRightY, m_specifiedY)};
}

AxisSpan PlotNavigator::shownX() const
{
    const QCPRange range = m_plot->xAxis->range();
    return {range.lower + double(m_keyOrigin), range.upper + double(m_keyOrigin)};
}

std::optional<AxisSpan> PlotNavigator::history() const
{
    if (m_store.isEmpty())
        return std::nullopt;
    return AxisSpan{double(m_store.at(0).index), double(m_store.newest().index)};
}

void PlotNavigator::wheelTurned(const QWheelEvent *event)
{
    // Some systems turn a Shift+wheel into a sideways one.
    const int delta = event->angleDelta().y() != 0 ? event->angleDelta().y()
                                                   : event->angleDelta().x();
    if (delta == 0)
        return;
    const QPointF at = event->position();
    if (event->modifiers() & Qt::ShiftModifier) {
        const QCPRange range = m_plot->yAxis->range();
        m_chosenY = ViewZoom::zoomedY({range.lower, range.upper},
                                      m_plot->yAxis->pixelToCoord(at.y()),
                                      ViewZoom::wheelFactor(delta));
        chooseYRange(YRange::Chosen);
        return;
    }
    if (m_running) {
        m_rollingLength = ViewZoom::rollingLengthAfter(m_rollingLength, delta);
    } else {
        const std::optional<AxisSpan> held = history();
        if (!held)
            return;
        // The stopped view starts from what is shown, in sample indexes.
        const AxisSpan from = m_stoppedView.value_or(shownX());
        const double anchor = m_plot->xAxis->pixelToCoord(at.x()) + double(m_keyOrigin);
        m_stoppedView =
            ViewZoom::zoomedInHistory(from, anchor, ViewZoom::wheelFactor(delta), *held);
        m_keyOrigin = 0;
    }
    emit changed();
}

bool PlotNavigator::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_plot)
        return QObject::eventFilter(watched, event);
    // Another view is shown: its axes are not the time view's.
    if (!m_active)
        return event->type() == QEvent::Wheel;
    switch (event->type()) {
    case QEvent::Wheel:
        wheelTurned(static_cast<QWheelEvent *>(event));
        return true;
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (m_cursors.mousePressed(mouse))
            return true;
        if (mouse->button() != Qt::LeftButton || m_running || !history())
            return false;
        m_dragStartX = mouse->localPos().x();
        m_dragStartView = m_stoppedView.value_or(shownX());
        m_plot->setCursor(Qt::ClosedHandCursor);
        return true;
    }
    case QEvent::MouseMove: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (m_cursors.mouseMoved(mouse))
            return true;
        const std::optional<AxisSpan> held = history();
        if (!m_dragStartX || !held)
            return false;
        // The samples follow the pointer: dragging right shows older ones.
        const double width = std::max(m_plot->axisRect()->width(), 1);
        const double delta = (*m_dragStartX - mouse->localPos().x()) * m_dragStartView.size() / width;
        const AxisSpan panned = ViewZoom::pannedInHistory(m_dragStartView, delta, *held);
        if (!m_stoppedView || !(*m_stoppedView == panned)) {
            m_stoppedView = panned;
            m_keyOrigin = 0;
            emit changed();
        }
        return true;
    }
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (m_cursors.mouseReleased(mouse))
            return true;
        if (!m_dragStartX || mouse->button() != Qt::LeftButton)
            return false;
        m_dragStartX.reset();
        m_plot->unsetCursor();
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

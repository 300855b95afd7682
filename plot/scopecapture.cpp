// The scope's capture modes: their commands, the marker dragged for the
// pre-trigger, and the status line as drawn.
#include "scopeoverlay.h"

#include <qcustomplot.h>

#include <QAction>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>

void ScopeOverlay::addTriggerMenus(QMenu *triggerMenu) const
{
    QMenu *modeMenu = triggerMenu->addMenu(tr("Mode"));
    for (QAction *action : m_captureModeActions)
        modeMenu->addAction(action);
    triggerMenu->addAction(m_armSingleAction);
    QMenu *positionMenu = triggerMenu->addMenu(tr("Pre-trigger"));
    for (QAction *action : m_preTriggerActions)
        positionMenu->addAction(action);
    QMenu *holdoffMenu = triggerMenu->addMenu(tr("Holdoff"));
    for (const auto &[action, ms] : m_holdoffActions)
        holdoffMenu->addAction(action);
    triggerMenu->addActions(m_captureActions);
}

void ScopeOverlay::setCaptureMode(CaptureMode mode)
{
    m_trigger.setCaptureMode(mode);
    checkActions();
    emit changed();
}

void ScopeOverlay::armSingle()
{
    if (!m_withTrigger)
        return;
    // Off would never capture: the plain rising edge.
    if (m_trigger.mode() == TriggerMode::Off)
        m_trigger.setMode(TriggerMode::RisingEdge);
    m_trigger.armSingle();
    checkActions();
    emit changed();
    emit singleArmed();
}

void ScopeOverlay::checkActions()
{
    m_modeActions[size_t(m_trigger.mode())]->setChecked(true);
    m_captureModeActions[size_t(m_trigger.captureMode())]->setChecked(true);
    for (size_t i = 0; i < m_preTriggerActions.size(); ++i)
        m_preTriggerActions[i]->setChecked(ScopeTrigger::minPreTriggerPercent + 10 * int(i)
                                           == m_trigger.preTriggerPercent());
    for (const auto &[action, ms] : m_holdoffActions)
        action->setChecked(ms * qint64(1000000) == m_trigger.holdoffNs());
}

bool ScopeOverlay::holdsPicture() const
{
    return m_withTrigger && m_trigger.mode() != TriggerMode::Off
           && m_trigger.captureMode() != CaptureMode::Auto && !m_view;
}

void ScopeOverlay::setCapturesText(const QString &text)
{
    if (text == m_capturesText)
        return;
    m_capturesText = text;
    emit changed();
}

void ScopeOverlay::watchMarkerDrags(QCustomPlot *plot)
{
    if (m_withTrigger)
        plot->installEventFilter(this);
}

bool ScopeOverlay::eventFilter(QObject *watched, QEvent *event)
{
    const auto type = event->type();
    if (!m_marker || watched != m_marker->parentPlot()
        || (type != QEvent::MouseButtonPress && type != QEvent::MouseMove
            && type != QEvent::MouseButtonRelease))
        return QObject::eventFilter(watched, event);
    QCustomPlot *plot = m_marker->parentPlot();
    const auto *mouse = static_cast<QMouseEvent *>(event);
    const double x = mouse->localPos().x();
    if (type == QEvent::MouseButtonPress) {
        // Within a few pixels of the marker, as a pointer is held.
        constexpr double grabPixels = 4;
        if (mouse->button() != Qt::LeftButton || !m_marker->visible()
            || std::abs(x - plot->xAxis->coordToPixel(0)) > grabPixels)
            return false;
        m_draggingMarker = true;
        plot->setCursor(Qt::SizeHorCursor);
        return true;
    }
    if (!m_draggingMarker)
        return false;
    const QRect area = plot->axisRect()->rect();
    const double share = (x - area.left()) / std::max(area.width(), 1);
    const int percent = std::clamp(int(std::lround(share * 100)), ScopeTrigger::minPreTriggerPercent,
                                   ScopeTrigger::maxPreTriggerPercent);
    if (type == QEvent::MouseMove) {
        // Only the marker follows; the view moves once it is let go.
        const double key = plot->xAxis->range().lower + plot->xAxis->range().size() * percent / 100;
        m_marker->point1->setCoords(key, 0);
        m_marker->point2->setCoords(key, 1);
        plot->replot(QCustomPlot::rpQueuedReplot);
        return true;
    }
    m_draggingMarker = false;
    plot->unsetCursor();
    m_trigger.setPreTriggerPercent(percent);
    checkActions();
    emit changed();
    return true;
}

QString ScopeOverlay::statusLine() const
{
    switch (m_trigger.captureMode()) {
    case CaptureMode::Auto:
        break;
    case CaptureMode::Normal:
    case CaptureMode::Single: {
        const QString mode =
            m_trigger.captureMode() == CaptureMode::Normal ? tr("Normal") : tr("Single");
        switch (m_drawnStatus) {
        case TriggerStatus::Waiting:
            return tr("%1: Waiting").arg(mode);
        case TriggerStatus::Stopped:
            return tr("%1: Stopped").arg(mode);
        case TriggerStatus::Triggered:
            return tr("%1: Triggered").arg(mode);
        default:
            return tr("%1: Armed").arg(mode);
        }
    }
    }
    return m_drawnStatus == TriggerStatus::Triggered ? tr("Triggered") : tr("Auto (no trigger)");
}

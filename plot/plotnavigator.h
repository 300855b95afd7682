#pragma once

#include "plottersettings.h"

#include "decimation.h"
#include "plotcursors.h"
#include "viewzoom.h"

#include <QObject>

#include <array>
#include <optional>

class QAction;
class QCPGraph;
class QCustomPlot;
class QMenu;
class QWidget;

// The mouse's and the keys' part of a plot window's view: the wheel zooms,
// a drag pans, "Reset View", the "Y Range" submenu and the cursors. Until
// the user turns the wheel or drags, the window's own views (the rolling 500
// samples, the trigger's) are drawn unchanged; a view of the panel's own (a
// stopped view moved by the mouse, a rolling view of another length) is
// what ownView() gives, which the time graphs draw. QCustomPlot's own range
// dragging and zooming stay off: its rules would fight the rolling view.
class PlotNavigator : public QObject
{
    Q_OBJECT

public:
    enum class YRange { Specified, Automatic, Chosen };
    // The rolling view's specified length.
    static constexpr int specifiedLength = 500;

    PlotNavigator(const SampleStore &store,
                 const QStringList &channelNames,
                 QObject *parent = nullptr);
    ~PlotNavigator() override;

    // `specifiedY` is the y range the plot starts with; a right axis, when
    // `specifiedRightY` is given, follows the left one in its own units.
    void attach(QCustomPlot *plot, AxisSpan specifiedY, std::optional<AxisSpan> specifiedRightY);
    PlotCursors &cursors() { return m_cursors; }
    const PlotCursors &cursors() const { return m_cursors; }

    // The commands with shortcuts, so they work anywhere in `window`.
    void addActionsTo(QWidget *window) const;
    void addToMenu(QMenu &menu) const;
    // "Set Range…": the window runs askYRange() for it, as one of its loops.
    QAction *setRangeAction() const { return m_setRangeAction; }
    // "Reset View", for the views that reset their own along with it.
    QAction *resetAction() const { return m_resetAction; }
    void askYRange(QWidget *window);

    // The plot runs (the wheel sets the rolling length) or is stopped (the
    // wheel and a drag move through the history).
    void setRunning(bool running);
    // The time view is the one shown. While another is, the mouse and the
    // keys leave the time view as it is: its axes mean something else there.
    void setActive(bool active);
    // A stopped plot shows every sample held, as far as the mouse would take it.
    void showWholeHistory();
    // Bit i set: channel i is drawn and counts to the automatic Y range.
    void setShownChannels(quint32 channels) { m_shownChannels = channels; }

    // The x range, in sample indexes, of a view of the panel's own: a
    // stopped view the mouse moved, or a rolling view of another length
    // (unless `triggered`: the trigger has a view). None while the window's
    // own views draw.
    std::optional<AxisSpan> ownView(qint64 newestIndex, bool triggered) const;

    // Per redraw, last: the y range and the cursors for the samples `shown`,
    // the x axis' keys counting from `keyOrigin`.
    void finishRedraw(SampleSpan shown, qint64 keyOrigin);

    int rollingLength() const { return m_rollingLength; }
    YRange yRange() const { return m_yRange; }

    // The Y Range, the cursors and the rolling length, kept for the next
    // opening.
    void saveTo(PlotterSettings &settings) const;
    void restoreFrom(const PlotterSettings &settings);

signals:
    // The view changed: redraw, now if the plot is stopped.
    void changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void resetView();
    void chooseYRange(YRange range);
    void wheelTurned(const class QWheelEvent *event);
    // The held samples' first and last index; none while the store is empty.
    std::optional<AxisSpan> history() const;
    AxisSpan shownX() const;
    void setY(AxisSpan span);
    // A y span in the right axis' units, and back.
    AxisSpan toShownUnits(AxisSpan span) const;
    AxisSpan fromShownUnits(AxisSpan span) const;

    const SampleStore &m_store;
    PlotCursors m_cursors;
    QCustomPlot *m_plot = nullptr;
    AxisSpan m_specifiedY;
    std::optional<AxisSpan> m_specifiedRightY;

    bool m_running = true;
    bool m_active = true;
    // A stopped view the mouse moved, in sample indexes.
    std::optional<AxisSpan> m_stoppedView;
    int m_rollingLength = specifiedLength;
    YRange m_yRange = YRange::Specified;
    AxisSpan m_chosenY;
    // The y axis shows something other than the specified range and ticks.
    bool m_yChanged = false;
    // Where the keys on the x axis count from, as last drawn.
    qint64 m_keyOrigin = 0;
    // A left drag panning a stopped view: where it began.
    std::optional<double> m_dragStartX;
    AxisSpan m_dragStartView;

    ChannelLines m_scratch;
    quint32 m_shownChannels = ~0u;

    QAction *m_resetAction = nullptr;
    QAction *m_specifiedAction = nullptr;
    QAction *m_automaticAction = nullptr;
    QAction *m_setRangeAction = nullptr;
};

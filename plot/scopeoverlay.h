#pragma once

#include "plottersettings.h"
#include "mathchannels.h"

#include "ratemeter.h"
#include "samplespan.h"
#include "scopetrigger.h"

#include <QColor>
#include <QObject>
#include <QStringList>

#include <array>
#include <optional>

class QAction;
class QActionGroup;
class QCPGraph;
class QCPItemStraightLine;
class QCPItemText;
class QCustomPlot;
class QMenu;
class QWidget;

// The scope's part of a plot window: the trigger with its level line and
// status, the measurements readout and the sample rate behind it, and the
// commands for them. The window asks it once per redraw tick what to show and
// lets it draw its items; everything else stays with the window.
class ScopeOverlay : public QObject
{
    Q_OBJECT

public:
    // `withTrigger` adds the trigger and its commands.
    ScopeOverlay(bool withTrigger, const QStringList &channelNames);
    ~ScopeOverlay() override;

    // Adds the commands that have shortcuts to `window`, so they work
    // anywhere in it.
    void addActionsTo(QWidget *window) const;

    // Adds the level line, the status and the readout to `plot`, on `layer`,
    // in the colours of `graphs`; the status goes under `aboveStatus` while
    // that is shown.
    void addItems(QCustomPlot *plot, const QString &layer, const std::vector<QCPGraph *> &graphs,
                  QCPItemText *aboveStatus);
    // The channels changed: their names and graphs, inputs then computed;
    // each is a source and has a readout line.
    void setChannels(const QStringList &names, const std::vector<QCPGraph *> &graphs);

    // The menu is about to open with the pointer at this height.
    void setMenuLevel(double level);
    // Appends the commands to the plot's context menu.
    void addToMenu(QMenu &menu) const;

    // Once per redraw tick: takes in the samples new since the last one.
    // Says whether the picture changed: another window, status or level.
    bool update(const SampleStore &store, qint64 nowNs);
    // The plot's one sample rate, as of the last update(); none until known.
    std::optional<double> sampleRate() const { return m_rateMeter.framesPerSecond(); }
    // The triggered window to draw; none for the rolling view.
    std::optional<TriggeredView> triggeredView() const { return m_view; }
    // Brings the items up to date for a redraw showing `shown`.
    void updateItems(const SampleStore &store, SampleSpan shown);

    const ScopeTrigger &trigger() const { return m_trigger; }
    // The readout lines as drawn, top to bottom; empty while hidden.
    QStringList measurementTexts() const;
    // The trigger's status as drawn; empty while hidden.
    QString statusText() const;
    // Its item, for notes that go under it.
    QCPItemText *statusNote() const { return m_status; }
    // The trigger level's line, for a view that draws it elsewhere.
    QCPItemStraightLine *levelLine() const { return m_levelLine; }

    // The trigger and the measurements' choices, kept for the next opening.
    void saveTo(PlotterSettings &settings) const;
    void restoreFrom(const PlotterSettings &settings);

signals:
    // A command changed what is shown: the window must redraw.
    void changed();

private:
    void setMode(TriggerMode mode);
    void setSource(int channel);
    // Actions for the channels that have none yet.
    void addSourceActions();
    // Stacks the readout lines in use up from the bottom left corner.
    void restack();

    const bool m_withTrigger;
    QStringList m_channelNames;

    ScopeTrigger m_trigger;
    RateMeter m_rateMeter;
    std::optional<TriggeredView> m_view;
    TriggerStatus m_drawnStatus = TriggerStatus::Off;
    std::optional<int> m_drawnLevel;

    std::array<QAction *, 3> m_modeActions{};
    // The trigger's sources; none without a trigger.
    QActionGroup *m_sources = nullptr;
    std::vector<QAction *> m_sourceActions;
    QAction *m_nextModeAction = nullptr;
    QAction *m_setLevelAction = nullptr;
    QAction *m_autoLevelAction = nullptr;
    QAction *m_measurementsAction = nullptr;
    int m_menuLevel = 0;

    std::vector<QColor> m_colors;
    QCPItemStraightLine *m_levelLine = nullptr;
    QCPItemText *m_status = nullptr;
    QCPItemText *m_aboveStatus = nullptr;
    // The channels' lines, then the sample rate at the bottom; those past
    // the channels' count stay hidden.
    std::array<QCPItemText *, Sample::channelCount + MathChannels::maxCount + 1> m_readout{};
};

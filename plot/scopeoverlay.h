#pragma once

#include "plottersettings.h"
#include "mathchannels.h"
#include "plotcolours.h"

#include "ratemeter.h"
#include "samplespan.h"
#include "scopetrigger.h"

#include <QColor>
#include <QList>
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
                  QCPItemText *aboveStatus, const PlotColours::Palette &palette);
    // The status' and the sample rate's colours, the channels' lines and
    // the level line in their graphs' colours.
    void setPalette(const PlotColours::Palette &palette, const std::vector<QCPGraph *> &graphs);
    // The channels changed: their names and graphs, inputs then computed;
    // each is a source and has a readout line.
    void setChannels(const QStringList &names, const std::vector<QCPGraph *> &graphs);

    // Dragging the trigger's marker sideways in `plot` sets the pre-trigger;
    // call it after the other mouse handlers are in place: it goes first.
    void watchMarkerDrags(QCustomPlot *plot);

    // The menu is about to open with the pointer at this height.
    void setMenuLevel(double level);
    // Appends the commands to the plot's context menu.
    void addToMenu(QMenu &menu) const;
    // The window's commands for the captures, shown in the trigger's menu.
    void setCaptureActions(const QList<QAction *> &actions) { m_captureActions = actions; }
    // Arms a Single capture as "Arm Single" does: from any mode, with a
    // rising edge when the trigger was off.
    void armSingle();
    // What the window says of the captures it keeps, under the status.
    void setCapturesText(const QString &text);

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

    // Normal or Single without a capture to show: the picture holds still
    // rather than rolling.
    bool holdsPicture() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    // A command changed what is shown: the window must redraw.
    void changed();
    // "Arm Single" was chosen: a stopped plot must start.
    void singleArmed();

private:
    void setMode(TriggerMode mode);
    void setCaptureMode(CaptureMode mode);
    // Checks the actions that show the trigger's settings.
    void checkActions();
    void addTriggerMenus(QMenu *triggerMenu) const;
    // The status as drawn: today's two words in Auto, else the mode's state.
    QString statusLine() const;
    void setSource(int channel);
    // Actions for the channels that have none yet.
    void addSourceActions();
    void colourChannels(const std::vector<QCPGraph *> &graphs);
    // The level line and the crossing's marker in the trigger source's colour.
    void penLevelLine();
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
    std::array<QAction *, 3> m_captureModeActions{};
    std::vector<QAction *> m_preTriggerActions;
    std::vector<std::pair<QAction *, int>> m_holdoffActions;
    QAction *m_armSingleAction = nullptr;
    QList<QAction *> m_captureActions;
    QString m_capturesText;
    // The trigger's sources; none without a trigger.
    QActionGroup *m_sources = nullptr;
    std::vector<QAction *> m_sourceActions;
    QAction *m_nextModeAction = nullptr;
    QAction *m_setLevelAction = nullptr;
    QAction *m_autoLevelAction = nullptr;
    QAction *m_measurementsAction = nullptr;
    int m_menuLevel = 0;

    std::vector<QColor> m_colors;
    QColor m_textColor;
    QCPItemStraightLine *m_levelLine = nullptr;
    // At the crossing of a triggered view; dragged while m_draggingMarker.
    QCPItemStraightLine *m_marker = nullptr;
    bool m_draggingMarker = false;
    QCPItemText *m_status = nullptr;
    QCPItemText *m_aboveStatus = nullptr;
    // The channels' lines, then the sample rate at the bottom; those past
    // the channels' count stay hidden.
    std::array<QCPItemText *, Sample::channelCount + MathChannels::maxCount + 1> m_readout{};
};

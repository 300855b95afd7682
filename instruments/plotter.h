#pragma once

#include "decimation.h"
#include "instrumentdialog.h"
#include "mathchannelmenu.h"
#include "plotnotes.h"
#include "plotstyle.h"
#include "plotterprofile.h"
#include "plotnavigator.h"
#include "samplesession.h"
#include "scopeoverlay.h"
#include "timegraphs.h"
#include "viewswitch.h"

#include <QAction>
#include <QStringList>
#include <QTimer>

class QCustomPlot;
class QMenu;
class QPushButton;

// A live plot of the board's sample stream, redrawn from a timer rather
// than per frame, so a fast board costs parsing and not painting, and only
// when something changed, so an idle window costs nothing. Stop/Start
// pauses the intake and the redraws; Quit stops the board. The samples come
// in through a SampleSession, which holds the computed channels too (the
// menu only edits them there); the time graphs (TimeGraphs), the trigger and
// measurements (ScopeOverlay), the mouse's view (PlotNavigator) and the other
// views (ViewSwitch) all read its store. This class holds the window's life,
// its commands and the redraw.
class Plotter : public InstrumentDialog
{
    Q_OBJECT

public:
    // Where the samples come from: the board, found and started, or
    // elsewhere (a file), in a window that opens no port and sends nothing.
    enum class Source { Board, Elsewhere };

    ~Plotter() override;

    // The samples: the port feeds it; benchmarks and tests may too.
    SampleIntake &intake() { return session.intake(); }
    const SampleIntake &intake() const { return session.intake(); }
    // Not paused with Stop Plot.
    bool isPlotting() const { return plotting; }
    const ScopeOverlay &scope() const { return scopeView; }
    // The trigger index the graphs are keyed from; none while they hold
    // another view, keyed by sample index.
    std::optional<qint64> triggeredAt() const { return timeGraphs.triggerIndex(); }
    // Brings the plot up to date, as every refresh does; true when it drew.
    bool replot();
    // Time, spectrum or XY, with their settings.
    ViewSwitch &viewSwitch() { return views; }
    PlotNavigator &navigator() { return viewport; }
    // Starts or stops the plot, as Start/Stop Plot does.
    void setPlotting(bool on);
    // Commands of the samples' source, in the plot's menu after Open Recording….
    void addSourceActions(const QList<QAction *> &actions) { sourceActions += actions; }
    // The computed channels, as a window keeps them; false, changing
    // nothing, for channels that are not valid.
    QVector<MathChannel> mathChannels() const { return session.channels(); }
    bool setMathChannels(const QVector<MathChannel> &channels) { return session.setChannels(channels); }

signals:
    // The fields of one complete sample frame. Split only while something
    // is connected: the samples themselves never pass through text. Nothing
    // in the panel listens; kept on purpose, as the window's interface.
    void newData(QStringList data);
    // Start/Stop Plot (or setPlotting()) started or stopped the plot.
    void plottingChanged(bool plotting);

protected:
    Plotter(const PlotterProfile &profile, Source source, QWidget *parent);

    // Call once the form is built: sets up and styles the plot, then finds
    // and starts the board.
    void setUpPlot(QCustomPlot *formPlot, QPushButton *formStopButton);

    // The board has been opened: the first time, or back after a loss.
    void startInstrument() override;
    void onConnectionLost() override;
    // The plot's choices kept for its next opening (plotterkeeping.cpp).
    QVariantMap keptValues() const override;
    void applyKept(const QVariantMap &values) override;
    void connectNotify(const QMetaMethod &signal) override;
    void disconnectNotify(const QMetaMethod &signal) override;

private slots:
    void setupPlot();
    void readData(const QByteArray &bytes, qint64 bytesReadNs);
    void on_quitButton_clicked();
    void on_stopButton_clicked();

private:
    // The window's commands: in the plot's context menu, and with their
    // shortcuts anywhere in the window.
    void createActions();
    void showPlotMenu(const QPoint &plotPosition);
    // The refresh timer runs while there is a board and the plot is not paused.
    void updateRefreshTimer();
    // The computed channels or the shown ones changed: every view takes the
    // new list (a recording and the publishing find the names in the store).
    void takeMathChannels();
    // The computed channels of the board in use, kept under its USB serial
    // number, for no board without one (plotterkeeping.cpp): a calibration
    // belongs to its board, whichever window shows it.
    std::optional<QVector<MathChannel>> boardsChannels() const;
    void keepBoardsChannels() const;
    // Something shown changed other than the data: a running plot draws it
    // at its next tick, a stopped one at once.
    void redrawSoon();
    // The time view as it stands: the mouse's own view, the trigger's or
    // the rolling one.
    std::optional<AxisSpan> ownView() const;
    // The samples the time view shows, or would show.
    SampleSpan timeSpan() const;

    // The samples held for zooming back, about 24 minutes at 720 frames/s.
    static constexpr int historyLength = 1000000;
    static constexpr int refreshIntervalMs = 20;
    // A silent board: the refresh looks in this seldom until samples come,
    // rather than waking the process 50 times a second for nothing.
    static constexpr int idleRefreshIntervalMs = 250;
    static constexpr int idleTicksBeforeSlowing = 5;
    static constexpr int windowLength = PlotNavigator::specifiedLength;

    const PlotterProfile profile;
    const Source source;
    QList<QAction *> sourceActions;
    QCustomPlot *plot = nullptr;
    QPushButton *stopButton = nullptr;
    QAction *const saveImageAction = new QAction(this);
    QAction *const exportDataAction = new QAction(this);

    bool connected = false;
    bool plotting = false;
    // The samples and their computed channels, filled as samples come.
    SampleSession session{profile.protocol, historyLength};
    // The computed channels' commands and graphs.
    MathChannelMenu mathMenu{session, this, busyGuard()};
    // A child, named "refreshTimer".
    QTimer *const refreshTimer = new QTimer(this);
    // Something shown changed since the last redraw.
    bool redrawNeeded = true;
    // Refresh ticks in a row that found nothing to draw.
    int idleTicks = 0;
    // When Stop Plot was pressed: the stopped picture's time.
    qint64 stoppedAtNs = 0;
    QSize drawnSize;
    PlotNotes notes;
    // Trigger, measurements and their commands.
    ScopeOverlay scopeView{profile.hasTrigger, profile.protocol.columns};
    // Time, spectrum or XY.
    ViewSwitch views{profile.protocol.columns, profile.yRange.lower, profile.yRange.upper,
                     profile.protocol.frameUnit};
    // Zoom, pan, y range and cursors.
    PlotNavigator viewport{session.store(), profile.protocol.columns};
    TimeGraphs timeGraphs{session.store()};
};

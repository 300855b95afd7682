#pragma once

#include "instrumentdialog.h"
#include "instrumentprotocol.h"
#include "plotviewport.h"
#include "sampleintake.h"
#include "scopeview.h"
#include "viewswitch.h"

#include <QAction>
#include <QColor>
#include <QStringList>
#include <QTimer>

#include <array>
#include <functional>

class QCPGraph;
class QCPItemText;
class QCustomPlot;
class QMenu;
class QPushButton;

// Everything in which the two plotters differ, apart from their forms.
struct PlotterProfile
{
    struct Range
    {
        double lower;
        double upper;
    };

    // Start, stop and the recording's columns.
    const InstrumentProtocol &protocol;
    Range yRange;
    QColor yLabelColor;
    // The accelerometer paints the raw left scale in the background colour;
    // its right axis carries the readable scale.
    QColor yTickLabelColor;
    // In force only until the first refresh.
    Range initialXRange;
    bool showRightAxis;
    Range rightAxisRange;
    // The channels as files name them (exported data's header).
    std::array<const char *, Sample::channelCount> channelNames;
    // Start of the file names suggested for this window's images and data.
    const char *fileStem;
    // A trigger to make a periodic signal stand still.
    bool hasTrigger;
};

// A live plot of the board's sample stream: three graphs over the last
// `windowLength` samples, redrawn from a timer rather than per frame, so a
// fast board costs parsing and not painting, and only when something
// changed, so an idle window costs nothing. Stop/Start pauses the intake
// and the redraws; Quit stops the board. A field that is not a number gives
// its graph no point for that sample; the plot says how many frames were
// damaged. The samples come in through a SampleIntake; the graphs are a
// view of its store, brought up to date at each redraw.
class Plotter : public InstrumentDialog
{
    Q_OBJECT

public:
    ~Plotter() override;

    // The samples: the port feeds it; benchmarks and tests may too.
    SampleIntake &intake() { return sampleIntake; }
    const SampleIntake &intake() const { return sampleIntake; }
    // Not paused with Stop Plot.
    bool isPlotting() const { return plotting; }
    const ScopeView &scope() const { return scopeView; }
    // The trigger index the graphs are keyed from; none while they hold the
    // rolling view, keyed by sample index.
    std::optional<qint64> triggeredAt() const { return graphsTriggerIndex; }
    // Brings the plot up to date, as every refresh does; true when it drew.
    bool replot();
    // Time, spectrum or XY, with their settings.
    ViewSwitch &viewSwitch() { return views; }

signals:
    // The fields of one complete sample frame. Split only while something
    // is connected: the samples themselves never pass through text.
    void newData(QStringList data);

protected:
    Plotter(const PlotterProfile &profile, QWidget *parent);

    // Call once the form is built: sets up and styles the plot, then finds
    // and starts the board.
    void setUpPlot(QCustomPlot *formPlot, QPushButton *formStopButton);

    // The board has been opened: the first time, or back after a loss.
    void startInstrument() override;
    void onConnectionLost() override;
    // Hovering over the plot shows the sample under the pointer.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void connectNotify(const QMetaMethod &signal) override;
    void disconnectNotify(const QMetaMethod &signal) override;

private slots:
    void setupPlot();
    void readData(const QByteArray &bytes, qint64 bytesReadNs);
    void on_quitButton_clicked();
    void on_stopButton_clicked();

private:
    void stylePlot();
    // The window's commands: in the plot's context menu, and with their
    // shortcuts anywhere in the window.
    void createActions();
    // Fills the plot's context menu, in its order.
    void buildPlotMenu(QMenu &menu) const;
    void showPlotMenu(const QPoint &plotPosition);
    void saveImage();
    void exportShownData();
    // The index and the values, as received, of the sample drawn at this
    // point of the plot; "" where there is none.
    QString readoutAt(const QPoint &plotPosition) const;
    // Small texts drawn over the plot, on a layer of their own.
    void addNotes();
    // Brings the notes up to date; says whether any changed.
    bool updateNotes();
    // The refresh timer runs while there is a board and the plot is not paused.
    void updateRefreshTimer();
    // Something shown changed other than the data.
    void redrawSoon();
    // Brings the rolling view's graphs up to the newest sample: appends
    // what is new, or refills when most of the window is new.
    void updateRollingGraphs();
    // Refills the graphs from the store: the samples from firstIndex to
    // lastIndex, keyed by their index less `keyOrigin`.
    void refillGraphs(qint64 firstIndex, qint64 lastIndex, qint64 keyOrigin);
    // The samples the time view shows, or would show.
    SampleSpan timeSpan() const;

    static constexpr int graphCount = 3;
    // The samples held for zooming back, about 23 minutes at 720 frames/s.
    static constexpr int historyLength = 1000000;
    static constexpr int refreshIntervalMs = 20;
    // A silent board: the refresh looks in this seldom until samples come,
    // rather than waking the process 50 times a second for nothing.
    static constexpr int idleRefreshIntervalMs = 250;
    static constexpr int idleTicksBeforeSlowing = 5;

    const PlotterProfile profile;
    QCustomPlot *plot = nullptr;
    QPushButton *stopButton = nullptr;
    QAction *const saveImageAction = new QAction(this);
    QAction *const exportDataAction = new QAction(this);
    std::array<QCPGraph *, graphCount> graphs{};
    QCPItemText *damageNote = nullptr;
    // "● REC <file> <n> samples" while recording.
    QCPItemText *recordingNote = nullptr;

    bool connected = false;
    bool plotting = false;
    SampleIntake sampleIntake{historyLength};
    // A child, named "refreshTimer".
    QTimer *const refreshTimer = new QTimer(this);
    // Something shown changed since the last redraw.
    bool redrawNeeded = true;
    // Refresh ticks in a row that found nothing to draw.
    int idleTicks = 0;
    // A stopped plot's redraw for a change is on its way.
    bool redrawQueued = false;
    // When Stop Plot was pressed: the stopped picture's time.
    qint64 stoppedAtNs = 0;
    QSize drawnSize;
    int windowLength = 500;
    // The count the damage note shows.
    quint64 notedDamage = 0;
    // Trigger, measurements and their commands.
    ScopeView scopeView{profile.hasTrigger, profile.channelNames};
    // Time, spectrum or XY.
    ViewSwitch views{profile.channelNames, profile.yRange.lower, profile.yRange.upper};
    // The trigger index the graphs are keyed from; none while they hold the
    // rolling view, keyed by sample index.
    std::optional<qint64> graphsTriggerIndex;
    // The newest sample index the rolling view's graphs hold.
    qint64 graphedIndex = 0;
    // Zoom, pan, y range and cursors; while it draws, the graphs are its.
    PlotViewport viewport{sampleIntake.store(), profile.channelNames};
    bool graphsDrawnByViewport = false;
};

#pragma once

#include "framescanner.h"
#include "instrumentdialog.h"
#include "monotonicclock.h"
#include "samplestore.h"
#include "scopeview.h"

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

    const char *startCommand;
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
// damaged. The samples live in a SampleStore; the graphs are the rolling
// view of its newest `windowLength` steps, appended to per sample.
class Plotter : public InstrumentDialog
{
    Q_OBJECT

public:
    ~Plotter() override;

    // The board was away: the next sample is not joined to the one before
    // it. The sample index keeps counting.
    void markGap();


signals:
    // The fields of one complete sample frame.
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

private slots:
    void setupPlot();
    void replot();
    void onNewDataArrived(QStringList data);
    void readData(const QByteArray &bytes, qint64 bytesReadNs);
    void on_quitButton_clicked();
    void on_stopButton_clicked();

private:
    friend class TestPlotters;
    // The benchmarks drive the intake with bytes that did not come from a port.
    friend class PlotterBench;

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
    // Scans one read of the stream, read at `bytesReadNs`; each complete
    // frame goes out as newData.
    void takeBytes(const char *data, qsizetype size, qint64 bytesReadNs = monotonicNowNs());
    // The refresh timer runs while there is a board and the plot is not paused.
    void updateRefreshTimer();
    // Gives the next sample index to `sample` and puts it into the store
    // and the graphs.
    void appendSample(Sample sample);
    // Refills the graphs from the store: the samples from firstIndex to
    // lastIndex, keyed by their index less `keyOrigin`.
    void refillGraphs(qint64 firstIndex, qint64 lastIndex, qint64 keyOrigin);

    static constexpr int graphCount = 3;
    static constexpr int refreshIntervalMs = 20;

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
    // 64 bits: a fast board would run a 32-bit count over within hours.
    qint64 sampleIndex = 0;
    SampleStore store;
    // monotonicNowNs() when the bytes being scanned were read.
    qint64 readTimeNs = 0;
    bool gapPending = false;
    QTimer refreshTimer;
    // Something shown changed since the last redraw.
    bool redrawNeeded = true;
    QSize drawnSize;
    FrameScanner scanner;
    int windowLength = 500;
    // Frames with a field that is not a number, paused or not.
    quint64 damagedFrames = 0;
    // The count the damage note shows.
    quint64 notedDamage = 0;
    // Trigger, measurements and their commands.
    ScopeView scope{profile.hasTrigger, profile.channelNames};
    // The trigger index the graphs are keyed from; none while they hold the
    // rolling view, keyed by sample index and appended to per sample.
    std::optional<qint64> graphsTriggerIndex;
};

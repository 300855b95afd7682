#pragma once

#include "framescanner.h"
#include "instrumentdialog.h"

#include <QColor>
#include <QStringList>
#include <QTimer>

#include <array>

class QCPGraph;
class QCPItemText;
class QCustomPlot;
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
};

// A live plot of the board's sample stream: three graphs over the last
// `windowLength` samples, redrawn from a timer rather than per frame, so a
// fast board costs parsing and not painting. Stop/Start pauses the intake
// and the redraws; Quit stops the board. A field that is not a number gives
// its graph no point for that sample; the plot says how many frames were
// damaged.
class Plotter : public InstrumentDialog
{
    Q_OBJECT

public:
    ~Plotter() override;

signals:
    // The fields of one complete sample frame.
    void newData(QStringList data);

protected:
    Plotter(const PlotterProfile &profile, QWidget *parent);

    // Call once the form is built: sets up and styles the plot, then finds
    // and starts the board.
    void startInstrument(QCustomPlot *formPlot, QPushButton *formStopButton);

    void onConnectionLost() override;
    void closeEvent(QCloseEvent *event) override;

private slots:
    void setupPlot();
    void replot();
    void onNewDataArrived(QStringList data);
    void readData();
    void on_quitButton_clicked();
    void on_stopButton_clicked();

private:
    friend class TestPlotters;
    // The benchmarks drive the intake with bytes that did not come from a port.
    friend class PlotterBench;

    void stylePlot();
    // Small texts drawn over the plot, on a layer of their own.
    void addNotes();
    // Brings the notes up to date; says whether any changed.
    bool updateNotes();
    // Scans one read of the stream; each complete frame goes out as newData.
    void takeBytes(const char *data, qsizetype size);

    static constexpr int graphCount = 3;
    static constexpr int refreshIntervalMs = 20;

    const PlotterProfile profile;
    QCustomPlot *plot = nullptr;
    QPushButton *stopButton = nullptr;
    std::array<QCPGraph *, graphCount> graphs{};
    QCPItemText *damageNote = nullptr;

    bool connected = false;
    bool plotting = false;
    // 64 bits: a fast board would run a 32-bit count over within hours.
    qint64 sampleIndex = 0;
    QTimer refreshTimer;
    FrameScanner scanner;
    int windowLength = 500;
    // Frames with a field that is not a number, paused or not.
    quint64 damagedFrames = 0;
    // The count the damage note shows.
    quint64 notedDamage = 0;
};

#include "plotter.h"

#include "monotonicclock.h"
#include "plotcompat.h"

#include <QCloseEvent>
#include <QPushButton>

#include <utility>

namespace {

const QColor backgroundColor(240, 240, 240);
const QColor darkTextColor(10, 10, 10);
const QColor noteColor(110, 110, 110);
const QString notesLayer = QStringLiteral("notes");

QPen gridPen(const QColor &color)
{
    return QPen(QBrush(color), 1, Qt::DotLine, Qt::SquareCap, Qt::BevelJoin);
}

// The first channels' values of a frame's fields. A field that is not a
// whole number in int range (empty, a lone "-", "1-2", too many digits) is
// no reading: drawing it as 0 would show a spike nobody could tell from a
// real one. It leaves its channel without a value and marks the frame
// damaged.
Sample sampleFromFields(const QStringList &fields, qint64 timeNs, bool *damaged)
{
    Sample sample;
    sample.timeNs = timeNs;
    const int used = qMin(int(fields.size()), Sample::channelCount);
    for (int channel = 0; channel < used; ++channel) {
        bool isNumber = false;
        sample.values[size_t(channel)] = fields.at(channel).toInt(&isNumber);
        if (isNumber)
            sample.validMask |= quint8(1u << channel);
    }
    *damaged = sample.validMask != (1u << used) - 1;
    return sample;
}

} // namespace

Plotter::Plotter(const PlotterProfile &profile, QWidget *parent)
    : InstrumentDialog(1, parent), profile(profile)
{
    // Always a real interval: Start in a window without a board must not
    // start a timer that fires continuously.
    refreshTimer.setInterval(refreshIntervalMs);
}

Plotter::~Plotter() = default;

void Plotter::startInstrument(QCustomPlot *formPlot, QPushButton *formStopButton)
{
    plot = formPlot;
    stopButton = formStopButton;
    setupPlot();
    stylePlot();
    addNotes();
    connect(&refreshTimer, &QTimer::timeout, this, &Plotter::replot);

    connected = connectBoard(QIODevice::ReadWrite);
    if (!connected)
        return;
    board.send(profile.startCommand);
    refreshTimer.start();
    plotting = true;
    connect(this, &Plotter::newData, this, &Plotter::onNewDataArrived);
    connect(serial, &QSerialPort::readyRead, this, &Plotter::readData);
}

void Plotter::setupPlot()
{
    plot->setBackground(QBrush(backgroundColor));
    plot->clearItems();
    // The left axis gets its fixed ticks with the styling; the right axis of
    // the accelerometer keeps automatic ticks.
    plot->yAxis->setRange(profile.yRange.lower, profile.yRange.upper);
    if (profile.showRightAxis) {
        plot->yAxis2->setRange(profile.rightAxisRange.lower, profile.rightAxisRange.upper);
        plot->yAxis2->setVisible(true);
    }
    plot->yAxis->setLabelColor(profile.yLabelColor);
    plot->xAxis->setRange(profile.initialXRange.lower, profile.initialXRange.upper);

    const std::array<QColor, graphCount> graphColors{QColor(Qt::red), QColor(Qt::blue),
                                                     QColor(Qt::black)};
    for (int i = 0; i < graphCount; ++i) {
        graphs[size_t(i)] = plot->addGraph();
        graphs[size_t(i)]->setPen(QPen(graphColors[size_t(i)]));
    }
}

void Plotter::stylePlot()
{
    plot->setNotAntialiasedElements(QCP::aeAll);
    PlotCompat::setFixedTickStep(plot->yAxis, 500);

    plot->xAxis->setTickLabelColor(darkTextColor);
    plot->yAxis->setTickLabelColor(profile.yTickLabelColor);

    plot->xAxis->grid()->setPen(gridPen(QColor(100, 100, 100)));
    plot->yAxis->grid()->setPen(gridPen(QColor(100, 100, 100)));
    plot->xAxis->grid()->setSubGridPen(gridPen(QColor(50, 50, 50)));
    plot->yAxis->grid()->setSubGridPen(gridPen(QColor(50, 50, 50)));
    plot->xAxis->grid()->setSubGridVisible(true);
    plot->yAxis->grid()->setSubGridVisible(true);

    plot->xAxis->setBasePen(QPen(QColor(100, 100, 100)));
    plot->yAxis->setBasePen(QPen(QColor(170, 170, 170)));
    const QPen tickPen(QColor(170, 170, 170));
    plot->xAxis->setTickPen(tickPen);
    plot->yAxis->setTickPen(tickPen);
    plot->xAxis->setSubTickPen(tickPen);
    plot->yAxis->setSubTickPen(tickPen);

    plot->setInteraction(QCP::iRangeDrag, false);
    plot->setInteraction(QCP::iRangeZoom, false);
}

void Plotter::addNotes()
{
    // Below the buffered "overlay" layer, so the notes share the plot's
    // paint buffer instead of adding one.
    plot->addLayer(notesLayer, plot->layer(QStringLiteral("legend")), QCustomPlot::limAbove);

    damageNote = new QCPItemText(plot);
    damageNote->setLayer(notesLayer);
    damageNote->position->setType(QCPItemPosition::ptAxisRectRatio);
    damageNote->position->setCoords(1, 0);
    damageNote->setPositionAlignment(Qt::AlignRight | Qt::AlignTop);
    damageNote->setPadding(QMargins(4, 2, 4, 2));
    QFont font = damageNote->font();
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * 0.8);
    damageNote->setFont(font);
    damageNote->setColor(noteColor);
    damageNote->setVisible(false);
}

bool Plotter::updateNotes()
{
    const quint64 damaged = damagedFrames + scanner.droppedFrames();
    if (damaged == notedDamage)
        return false;
    notedDamage = damaged;
    damageNote->setText(damaged == 1 ? tr("1 damaged frame skipped")
                                     : tr("%1 damaged frames skipped").arg(damaged));
    damageNote->setVisible(damaged > 0);
    return true;
}

void Plotter::replot()
{
    if (!connected)
        return;
    const bool notesChanged = updateNotes();
    if (!redrawNeeded && !notesChanged && plot->size() == drawnSize)
        return;
    redrawNeeded = false;
    drawnSize = plot->size();
    plot->xAxis->setRange(double(sampleIndex - windowLength), double(sampleIndex));
    plot->replot();
}

void Plotter::onNewDataArrived(QStringList data)
{
    // Every frame passes here, converted and stamped with the moment its
    // bytes were read, paused or not: what must see every frame the board
    // sends (a recording) takes it from here.
    bool damaged = false;
    const Sample frame = sampleFromFields(data, readTimeNs, &damaged);
    if (damaged)
        ++damagedFrames;

    if (!plotting)
        return;
    appendSample(frame);
}

void Plotter::appendSample(Sample sample)
{
    sample.index = ++sampleIndex;
    sample.gapBefore = std::exchange(gapPending, false);
    store.append(sample);

    const double key = double(sample.index);
    const double oldestKept = key - windowLength;
    for (int i = 0; i < graphCount; ++i) {
        QCPGraph *graph = graphs[size_t(i)];
        // A NaN point is where a graph's line breaks.
        if (sample.gapBefore)
            graph->addData(key - 0.5, qQNaN());
        if (sample.hasValue(i))
            graph->addData(key, sample.values[size_t(i)]);
        PlotCompat::removeDataBefore(graph, oldestKept);
    }
    redrawNeeded = true;
}

void Plotter::markGap()
{
    gapPending = true;
}

void Plotter::readData()
{
    if (serial->bytesAvailable() <= 0)
        return;
    const QByteArray bytes = serial->readAll();
    takeBytes(bytes.constData(), bytes.size());
}

void Plotter::takeBytes(const char *data, qsizetype size)
{
    // One stamp per read: the frames of a read arrived together.
    readTimeNs = monotonicNowNs();
    scanner.feed(data, size,
                 [this](QLatin1String frameText) { emit newData(FrameScanner::fields(frameText)); });
}

void Plotter::on_quitButton_clicked()
{
    requestQuit();
}

void Plotter::on_stopButton_clicked()
{
    redrawNeeded = true;
    if (plotting) {
        refreshTimer.stop();
        plotting = false;
        stopButton->setText(tr("Start Plot"));
    } else {
        refreshTimer.start();
        plotting = true;
        stopButton->setText(tr("Stop Plot"));
    }
}

void Plotter::onConnectionLost()
{
    refreshTimer.stop();
    connected = false;
}

void Plotter::closeEvent(QCloseEvent *event)
{
    InstrumentDialog::closeEvent(event);
    // The stop sequence has run and the window is going away: nothing to
    // redraw any more.
    if (event->isAccepted())
        refreshTimer.stop();
}

#include "plotter.h"

#include "csvrecorder.h"
#include "filesaving.h"
#include "monotonicclock.h"
#include "plotcompat.h"
#include "plotlayers.h"
#include "plotnote.h"
#include "recordingcontrol.h"
#include "samplespan.h"
#include "savedfile.h"
#include "scopetrigger.h"

#include <QAction>
#include <QBuffer>
#include <QFileInfo>
#include <QMenu>
#include <QMetaMethod>
#include <QPdfWriter>
#include <QPushButton>
#include <QToolTip>

#include <algorithm>
#include <utility>

namespace {

const QColor darkTextColor(10, 10, 10);
const QColor noteColor(110, 110, 110);
const QString notesLayer = QStringLiteral("notes");

// Sample numbers: whole and in full however large (the default format
// turns 1858100 into "1.8581·10⁶"), never a step below one sample.
class SampleTicker : public QCPAxisTicker
{
protected:
    double getTickStep(const QCPRange &range) override
    {
        return std::max(1.0, QCPAxisTicker::getTickStep(range));
    }
    QString getTickLabel(double tick, const QLocale &, QChar, int) override
    {
        return QString::number(qRound64(tick));
    }
};

QPen gridPen(const QColor &color)
{
    return QPen(QBrush(color), 1, Qt::DotLine, Qt::SquareCap, Qt::BevelJoin);
}

// The plot as a vector page of its own size, as it is drawn on screen.
bool writePdf(QCustomPlot *plot, QIODevice *device)
{
    const QSize size = plot->size();
    QPdfWriter pdf(device);
    pdf.setPageLayout(QPageLayout(QPageSize(size, QString(), QPageSize::ExactMatch),
                                  QPageLayout::Portrait, QMarginsF()));
    QCPPainter painter;
    if (!painter.begin(&pdf))
        return false;
    painter.setMode(QCPPainter::pmVectorized);
    painter.setWindow(QRect(QPoint(), size));
    plot->toPainter(&painter, size.width(), size.height());
    return painter.end();
}

} // namespace

Plotter::Plotter(const PlotterProfile &profile, QWidget *parent)
    : InstrumentDialog(1, parent), profile(profile)
{
    // Always a real interval: Start in a window without a board must not
    // start a timer that fires continuously.
    refreshTimer->setObjectName(QStringLiteral("refreshTimer"));
    refreshTimer->setInterval(refreshIntervalMs);
    createActions();
    RecordingControl *recorded = addRecording(QLatin1String(profile.fileStem),
                 {QStringLiteral("sample"), QStringLiteral("time_s"),
                  QLatin1String(profile.channelNames[0]), QLatin1String(profile.channelNames[1]),
                  QLatin1String(profile.channelNames[2])});
    sampleIntake.setRecorder(&recorded->recorder());
    connect(recorded, &RecordingControl::recordingChanged, this, &Plotter::redrawSoon);
}

Plotter::~Plotter() = default;

void Plotter::setUpPlot(QCustomPlot *formPlot, QPushButton *formStopButton)
{
    plot = formPlot;
    stopButton = formStopButton;
    setupPlot();
    stylePlot();
    addNotes();
    scopeView.addItems(plot, notesLayer, graphs, damageNote);
    connect(&scopeView, &ScopeView::changed, this, &Plotter::redrawSoon);
    viewport.attach(plot, graphs, {profile.yRange.lower, profile.yRange.upper},
                    profile.showRightAxis ? std::optional<AxisSpan>({profile.rightAxisRange.lower,
                                                                     profile.rightAxisRange.upper})
                                          : std::nullopt);
    viewport.cursors().addItems(plot, notesLayer, graphs, {damageNote, scopeView.statusNote()});
    connect(&viewport, &PlotViewport::changed, this, [this] {
        redrawNeeded = true;
        // A stopped plot has no refresh timer running.
        if (!plotting)
            replot();
    });
    // The redraw timer coalesces: many reads, one redraw.
    connect(&sampleIntake, &SampleIntake::samplesAdded, this, [this] {
        // A triggered view changes only when the trigger moves it.
        if (!graphsTriggerIndex)
            redrawNeeded = true;
        idleTicks = 0;
        if (refreshTimer->isActive() && refreshTimer->interval() != refreshIntervalMs)
            refreshTimer->start(refreshIntervalMs);
    });
    views.addTo(plot,
                {graphs[0]->pen().color(), graphs[1]->pen().color(), graphs[2]->pen().color()},
                {damageNote, recordingNote});
    connect(&views, &ViewSwitch::changed, this, [this] {
        redrawNeeded = true;
        // Paused or without a board no refresh comes: draw now.
        if (!refreshTimer->isActive()) {
            views.update(sampleIntake.store(), timeSpan(), monotonicNowNs());
            plot->replot();
        }
    });
    connect(refreshTimer, &QTimer::timeout, this, [this] {
        if (replot())
            idleTicks = 0;
        else if (++idleTicks == idleTicksBeforeSlowing)
            refreshTimer->setInterval(idleRefreshIntervalMs);
    });
    plot->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(plot, &QWidget::customContextMenuRequested, this, &Plotter::showPlotMenu);
    // Tool-tip events come only while the pointer rests: no cost per move.
    plot->installEventFilter(this);

    connect(&board, &BoardLink::received, this, &Plotter::readData);
    connect(&board, &BoardLink::stateChanged, this, [this](BoardLink::State state) {
        // The stop sequence has begun: nothing to redraw any more, whatever
        // is pressed meanwhile.
        if (state == BoardLink::State::Stopping) {
            connected = false;
            updateRefreshTimer();
        }
    });
    // Plotting from the start; the start sequence runs inside connectBoard().
    plotting = true;
    if (!connectBoard(QIODevice::ReadWrite))
        plotting = false;
    sampleIntake.setPaused(!plotting);
}

void Plotter::startInstrument()
{
    // A fresh connection: a frame cut off by the loss is not finished by
    // the next connection's bytes. A paused plot stays paused.
    sampleIntake.dropPartialFrame();
    connected = true;
    board.send(profile.startCommand);
    updateRefreshTimer();
    board.startListening();
}

void Plotter::updateRefreshTimer()
{
    idleTicks = 0;
    if (connected && plotting)
        refreshTimer->start(refreshIntervalMs);
    else
        refreshTimer->stop();
}

void Plotter::setupPlot()
{
    plot->setBackground(QBrush(plotBackgroundColor));
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
    // The plot shows no legend; items in the hidden one would still be
    // measured on every redraw.
    plot->setAutoAddPlottableToLegend(false);
    for (int i = 0; i < graphCount; ++i) {
        graphs[size_t(i)] = plot->addGraph();
        graphs[size_t(i)]->setPen(QPen(graphColors[size_t(i)]));
    }
}

void Plotter::stylePlot()
{
    plot->setNotAntialiasedElements(QCP::aeAll);
    plot->xAxis->setTicker(QSharedPointer<QCPAxisTicker>(new SampleTicker));
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

    // The "overlay" layer has a paint buffer of its own only so that a
    // selection rectangle can be redrawn alone; there is none here, and an
    // empty buffer still costs a full-size clear and blend per redraw.
    plot->layer(QStringLiteral("overlay"))->setMode(QCPLayer::lmLogical);
    PlotLayers::drawGridsAtDevicePixels(plot);
}

void Plotter::addNotes()
{
    // A logical layer: it shares the plot's one paint buffer.
    plot->addLayer(notesLayer, plot->layer(QStringLiteral("legend")), QCustomPlot::limAbove);

    damageNote = addPlotNote(plot, notesLayer, noteColor);
    damageNote->setObjectName(QStringLiteral("damageNote"));
    damageNote->position->setCoords(1, 0);
    damageNote->setPositionAlignment(Qt::AlignRight | Qt::AlignTop);

    recordingNote = addPlotNote(plot, notesLayer, Qt::red);
    recordingNote->setObjectName(QStringLiteral("recordingNote"));
    recordingNote->position->setCoords(0, 0);
    recordingNote->setPositionAlignment(Qt::AlignLeft | Qt::AlignTop);
}

bool Plotter::updateNotes()
{
    const QString recordingText = recording->isRecording() ? recording->overlayText() : QString();
    const bool recordingChanged = recordingText != recordingNote->text()
                                  || recordingNote->visible() != !recordingText.isEmpty();
    recordingNote->setText(recordingText);
    recordingNote->setVisible(!recordingText.isEmpty());

    const quint64 damaged = sampleIntake.damagedFrames();
    if (damaged == notedDamage)
        return recordingChanged;
    notedDamage = damaged;
    damageNote->setText(damaged == 1 ? tr("1 damaged frame skipped")
                                     : tr("%1 damaged frames skipped").arg(damaged));
    damageNote->setVisible(damaged > 0);
    return true;
}

bool Plotter::replot()
{
    if (!connected)
        return false;
    const SampleStore &store = sampleIntake.store();
    const bool notesChanged = updateNotes();
    // A stopped plot's clock stands still too: its picture must not fall
    // back to rolling for want of new crossings.
    const qint64 nowNs = plotting ? monotonicNowNs() : stoppedAtNs;
    const bool scopeChanged = scopeView.update(store, nowNs);
    if (!views.showsTime()) {
        const bool viewChanged = views.update(store, timeSpan(), nowNs);
        if (viewChanged || redrawNeeded || notesChanged || plot->size() != drawnSize) {
            redrawNeeded = false;
            drawnSize = plot->size();
            plot->replot();
            return true;
        }
        return false;
    }
    if (!redrawNeeded && !notesChanged && !scopeChanged && plot->size() == drawnSize)
        return false;
    redrawNeeded = false;
    drawnSize = plot->size();
    SampleSpan shown;
    if (const std::optional<SampleSpan> drawn = viewport.drawGraphs(
            sampleIntake.lastIndex(), scopeView.triggeredView().has_value())) {
        shown = *drawn;
        graphsTriggerIndex.reset();
        graphsDrawnByViewport = true;
    } else if (const std::optional<TriggeredView> view = scopeView.triggeredView()) {
        if (graphsTriggerIndex != view->triggerIndex) {
            refillGraphs(view->firstIndex, view->lastIndex, view->triggerIndex);
            graphsTriggerIndex = view->triggerIndex;
            graphsDrawnByViewport = false;
        }
        plot->xAxis->setRange(double(view->firstIndex - view->triggerIndex),
                              double(view->lastIndex - view->triggerIndex));
        shown = spanOfIndexes(store, view->firstIndex, view->lastIndex);
    } else {
        updateRollingGraphs();
        const qint64 newest = sampleIntake.lastIndex();
        plot->xAxis->setRange(double(newest - windowLength), double(newest));
        shown = newestSamples(store, windowLength);
    }
    scopeView.updateItems(store, shown);
    viewport.finishRedraw(shown, graphsTriggerIndex.value_or(0));
    plot->replot();
    return true;
}

void Plotter::redrawSoon()
{
    redrawNeeded = true;
    // A running plot redraws at its next tick; a stopped one never on data,
    // so once for this change.
    if (connected && !plotting && !redrawQueued) {
        redrawQueued = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                redrawQueued = false;
                replot();
            },
            Qt::QueuedConnection);
    }
}

void Plotter::updateRollingGraphs()
{
    const SampleStore &store = sampleIntake.store();
    const qint64 newest = sampleIntake.lastIndex();
    const qint64 oldestShown = newest - windowLength;
    // Nothing the graphs hold is shown any more: refilling the window
    // costs less than appending all that came.
    if (graphsTriggerIndex || std::exchange(graphsDrawnByViewport, false)
        || graphedIndex < oldestShown || graphedIndex > newest) {
        refillGraphs(oldestShown, newest, 0);
        graphsTriggerIndex.reset();
        graphedIndex = newest;
        return;
    }
    if (graphedIndex == newest)
        return;
    for (int position = firstPositionFrom(store, graphedIndex + 1); position < store.size();
         ++position) {
        const Sample &sample = store.at(position);
        const double key = double(sample.index);
        for (int i = 0; i < graphCount; ++i) {
            QCPGraph *graph = graphs[size_t(i)];
            // A NaN point is where a graph's line breaks.
            if (sample.gapBefore)
                graph->addData(key - 0.5, qQNaN());
            if (sample.hasValue(i))
                graph->addData(key, sample.values[size_t(i)]);
        }
    }
    for (QCPGraph *graph : graphs)
        PlotCompat::removeDataBefore(graph, double(oldestShown));
    graphedIndex = newest;
}

void Plotter::refillGraphs(qint64 firstIndex, qint64 lastIndex, qint64 keyOrigin)
{
    const SampleStore &store = sampleIntake.store();
    const SampleSpan span = spanOfIndexes(store, firstIndex, lastIndex);
    for (int i = 0; i < graphCount; ++i) {
        QVector<double> keys;
        QVector<double> values;
        keys.reserve(span.size() + 1);
        values.reserve(span.size() + 1);
        for (int position = span.begin; position < span.end; ++position) {
            const Sample &sample = store.at(position);
            const double key = double(sample.index - keyOrigin);
            if (sample.gapBefore && position > span.begin) {
                keys.append(key - 0.5);
                values.append(qQNaN());
            }
            if (sample.hasValue(i)) {
                keys.append(key);
                values.append(sample.values[size_t(i)]);
            }
        }
        graphs[size_t(i)]->setData(keys, values, true);
    }
}

SampleSpan Plotter::timeSpan() const
{
    const SampleStore &store = sampleIntake.store();
    if (const std::optional<TriggeredView> view = scopeView.triggeredView())
        return spanOfIndexes(store, view->firstIndex, view->lastIndex);
    return newestSamples(store, windowLength);
}

void Plotter::readData(const QByteArray &bytes, qint64 bytesReadNs)
{
    sampleIntake.takeBytes(bytes.constData(), bytes.size(), bytesReadNs);
}

void Plotter::connectNotify(const QMetaMethod &signal)
{
    if (signal == QMetaMethod::fromSignal(&Plotter::newData))
        sampleIntake.setFrameWatcher(
            [this](QLatin1String frameText) { emit newData(FrameScanner::fields(frameText)); });
    InstrumentDialog::connectNotify(signal);
}

void Plotter::disconnectNotify(const QMetaMethod &signal)
{
    // Qt may call this holding its connection lock, which asking whether
    // anything is still connected takes again: ask from the event loop.
    if (!signal.isValid() || signal == QMetaMethod::fromSignal(&Plotter::newData)) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!isSignalConnected(QMetaMethod::fromSignal(&Plotter::newData)))
                    sampleIntake.setFrameWatcher({});
            },
            Qt::QueuedConnection);
    }
    InstrumentDialog::disconnectNotify(signal);
}

void Plotter::createActions()
{
    saveImageAction->setText(tr("Save Image…"));
    saveImageAction->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_S));
    connect(saveImageAction, &QAction::triggered, this, &Plotter::saveImage);
    exportDataAction->setText(tr("Export Shown Data…"));
    exportDataAction->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_E));
    connect(exportDataAction, &QAction::triggered, this, &Plotter::exportShownData);
    addAction(saveImageAction);
    addAction(exportDataAction);
    scopeView.addActionsTo(this);
    viewport.addActionsTo(this);
    connect(viewport.setRangeAction(), &QAction::triggered, this, [this] {
        // The dialog runs a loop of its own: the window must outlive it.
        BusyScope busy(this);
        viewport.askYRange(this);
    });
    views.addActionsTo(this);
}

void Plotter::buildPlotMenu(QMenu &menu) const
{
    // Keeping what is shown comes first; recording, the views, then the
    // view's own choices (trigger, measurements) follow in this order.
    menu.addAction(saveImageAction);
    menu.addAction(exportDataAction);
    menu.addAction(recording->action());
    menu.addAction(rawDataAction());
    views.addToMenu(menu);
    if (views.showsTime()) {
        scopeView.addToMenu(menu);
        menu.addSeparator();
        viewport.addToMenu(menu);
    }
}

void Plotter::showPlotMenu(const QPoint &plotPosition)
{
    // The menu runs a loop of its own: the window must outlive it.
    BusyScope busy(this);
    QMenu menu(this);
    scopeView.setMenuLevel(plot->yAxis->pixelToCoord(plotPosition.y()));
    buildPlotMenu(menu);
    menu.exec(plot->mapToGlobal(plotPosition));
}

void Plotter::saveImage()
{
    // The dialog runs a loop of its own: the window must outlive it.
    BusyScope busy(this);
    QString filter;
    const QString fileName = FileSaving::askSaveFileName(
        this, tr("Save Image"), FileSaving::Folder::Images,
        FileSaving::suggestedName(QLatin1String(profile.fileStem), QStringLiteral("png")),
        tr("PNG image (*.png);;PDF document (*.pdf)"), &filter);
    if (fileName.isEmpty())
        return;
    // Written as the name says, or as the filter chosen says when the name
    // names no format, and never under another name than the one asked about.
    const QString format = FileSaving::imageFormat(fileName, filter);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const bool made = format == QLatin1String("pdf")
                          ? writePdf(plot, &buffer)
                          : plot->toPixmap(plot->width(), plot->height())
                                .save(&buffer, format.toLatin1().constData());
    if (made)
        FileSaving::save(this, fileName, SavedFile::bytes(bytes));
    else
        FileSaving::showCouldNotSave(this, fileName, tr("the image could not be made"));
}

void Plotter::exportShownData()
{
    BusyScope busy(this);
    const QString fileName = FileSaving::askSaveFileName(
        this, tr("Export Data"), FileSaving::Folder::Data,
        FileSaving::suggestedName(QLatin1String(profile.fileStem), QStringLiteral("csv")),
        tr("CSV file (*.csv)"));
    if (fileName.isEmpty())
        return;

    // What the view shows: the x range the mouse chose, the triggered view,
    // or the last `windowLength` steps; another view's own table. The rows
    // go to the file a block at a time, never all at once.
    if (!views.showsTime()) {
        FileSaving::save(this, fileName, Csv::table(views.tableHeader(), views.tableRows()));
        return;
    }
    const qint64 newest = sampleIntake.lastIndex();
    const std::pair<qint64, qint64> shown =
        graphsDrawnByViewport ? viewport.shownIndexes()
        : graphsTriggerIndex  ? std::pair(*graphsTriggerIndex - ScopeTrigger::preTriggerSamples,
                                          *graphsTriggerIndex + ScopeTrigger::postTriggerSamples)
                              : std::pair(newest - windowLength, newest);
    QStringList header{QStringLiteral("sample")};
    for (const char *name : profile.channelNames)
        header.append(QLatin1String(name));
    FileSaving::save(this, fileName,
                     Csv::sampleTable(sampleIntake.store(), header, shown.first, shown.second));
}

bool Plotter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != plot || event->type() != QEvent::ToolTip)
        return InstrumentDialog::eventFilter(watched, event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const QString readout = readoutAt(help->pos());
    if (readout.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), readout, plot);
    return true;
}

QString Plotter::readoutAt(const QPoint &plotPosition) const
{
    if (!views.showsTime())
        return QString();
    const QRect area = plot->axisRect()->rect();
    const double key = plot->xAxis->pixelToCoord(plotPosition.x());
    // The newest sample is drawn on the axis rect's right border.
    const QCPRange shown = plot->xAxis->range();
    if (plotPosition.y() < area.top() || plotPosition.y() > area.bottom()
        || key < shown.lower - 0.5 || key > shown.upper + 0.5)
        return QString();
    // A triggered view counts from the trigger.
    const qint64 index = qRound64(key) + graphsTriggerIndex.value_or(0);
    const SampleStore &store = sampleIntake.store();
    const int position = store.positionOf(index);
    if (position < 0)
        return QString();
    const Sample &sample = store.at(position);
    QString readout = tr("Sample %1").arg(index);
    for (int channel = 0; channel < Sample::channelCount; ++channel) {
        const QString value = sample.hasValue(channel)
                                  ? QString::number(sample.values[size_t(channel)])
                                  : QStringLiteral("–");
        readout += QStringLiteral("\n%1: %2")
                       .arg(QLatin1String(profile.channelNames[size_t(channel)]), value);
    }
    return readout;
}

void Plotter::on_quitButton_clicked()
{
    requestQuit();
}

void Plotter::on_stopButton_clicked()
{
    redrawNeeded = true;
    plotting = !plotting;
    sampleIntake.setPaused(!plotting);
    viewport.setRunning(plotting);
    if (!plotting)
        stoppedAtNs = monotonicNowNs();
    stopButton->setText(plotting ? tr("Stop Plot") : tr("Start Plot"));
    // Without a board it only toggles the pause.
    updateRefreshTimer();
}

void Plotter::onConnectionLost()
{
    connected = false;
    updateRefreshTimer();
    // No line across the time the board was away.
    sampleIntake.markGap();
}

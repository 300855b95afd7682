#include "plotter.h"

#include "filesaving.h"
#include "hoverreadout.h"
#include "lanesview.h"
#include "monotonicclock.h"
#include "opensession.h"
#include "plotexport.h"
#include "plotlook.h"
#include "publishcontrol.h"
#include "recordingcontrol.h"
#include "recordingopening.h"
#include "spectrumview.h"

#include <QMenu>
#include <QPushButton>

#include <qcustomplot.h>

Plotter::Plotter(const PlotterProfile &profile, Source source, QWidget *parent)
    : InstrumentDialog(profile.protocol.stopCopies, parent), profile(profile), source(source)
{
    // Always a real interval: Start in a window without a board must not
    // start a timer that fires continuously.
    refreshTimer->setObjectName(QStringLiteral("refreshTimer"));
    refreshTimer->setInterval(refreshIntervalMs);
    createActions();
    RecordingControl *recorded = addRecording(profile.protocol, &session.store());
    connect(recorded, &RecordingControl::recordingChanged, this, &Plotter::redrawSoon);
    addPublishing(profile.protocol);
    feedControls(session.intake().sinks());
    connect(publishing, &PublishControl::publishingChanged, this, &Plotter::redrawSoon);
    connect(&publishing->publisher(), &WindowPublisher::statusChanged, this, &Plotter::redrawSoon);
    for (QAction *action : {recorded->action(), publishing->action(), rawDataAction(), boardAction()})
        action->setVisible(source == Source::Board);
    setKeepsSettings(source == Source::Board);
    if (source == Source::Board) {
        // Queued: a client's INITiate must not start the plot inside the server's own handling.
        auto *open = new OpenSession(profile.protocol, this);
        open->setSamples(&session);
        connect(open, &OpenSession::plottingRequested, this, &Plotter::setPlotting, Qt::QueuedConnection);
    }
}

Plotter::~Plotter() = default;

void Plotter::setUpPlot(QCustomPlot *formPlot, QPushButton *formStopButton)
{
    plot = formPlot;
    stopButton = formStopButton;
    const PlotColours::Palette &palette = PlotLook::instance().palette();
    setupPlot();
    PlotStyle::style(plot, profile, palette);
    notes.addTo(plot, palette);
    mathMenu.setPalette(palette);
    // The right axis, where there is one, reads the counts in the inputs' unit.
    mathMenu.attach(plot, {plot->graph(0), plot->graph(1), plot->graph(2)},
                    profile.showRightAxis ? plot->yAxis2 : plot->yAxis);
    const std::vector<QColor> colors = mathMenu.colors();
    timeGraphs.attach(plot, mathMenu.graphs());
    scopeView.addItems(plot, PlotNotes::layerName, mathMenu.graphs(), notes.damageNote(), palette);
    viewport.attach(plot, {profile.yRange.lower, profile.yRange.upper},
                    profile.showRightAxis ? std::optional<AxisSpan>({profile.rightAxisRange.lower,
                                                                     profile.rightAxisRange.upper})
                                          : std::nullopt);
    viewport.cursors().addItems(plot, PlotNotes::layerName, mathMenu.graphs(),
                                {notes.damageNote(), scopeView.statusNote()}, palette);
    views.addTo(plot, {colors[0], colors[1], colors[2]}, {notes.damageNote(), notes.recordingNote()},
                palette);
    views.lanes().setLevelLine(scopeView.levelLine());
    scopeView.watchMarkerDrags(plot);

    // Whatever changes what is shown, one way to the screen.
    connect(&scopeView, &ScopeOverlay::changed, this, &Plotter::redrawSoon);
    connect(&scopeView, &ScopeOverlay::singleArmed, this, [this] {
        if (!plotting)
            setPlotting(true);
    });
    connect(&viewport, &PlotNavigator::changed, this, &Plotter::redrawSoon);
    connect(&mathMenu, &MathChannelMenu::channelsChanged, this, &Plotter::takeMathChannels);
    // Channels set before the plot was.
    takeMathChannels();
    connect(&views, &ViewSwitch::changed, this, [this] {
        viewport.setActive(views.showsTime());
        mathMenu.setEnabled(views.showsTime());
        showLookChange();
    });
    connect(&PlotLook::instance(), &PlotLook::schemeChanged, this, [this] {
        paintIn(PlotLook::instance().palette());
        showLookChange();
    });
    // The redraw timer coalesces: many reads, one redraw.
    connect(&session.intake(), &SampleIntake::samplesAdded, this, [this] {
        // A triggered view changes only when the trigger moves it, and a
        // picture held for a capture not at all.
        if (!timeGraphs.triggerIndex() && !scopeView.holdsPicture())
            redrawNeeded = true;
        idleTicks = 0;
        if (refreshTimer->isActive() && refreshTimer->interval() != refreshIntervalMs)
            refreshTimer->start(refreshIntervalMs);
    });
    connect(refreshTimer, &QTimer::timeout, this, [this] {
        if (replot())
            idleTicks = 0;
        else if (++idleTicks == idleTicksBeforeSlowing)
            refreshTimer->setInterval(idleRefreshIntervalMs);
    });
    plot->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(plot, &QWidget::customContextMenuRequested, this, &Plotter::showPlotMenu);
    // Hovering over the time view shows the samples under the pointer.
    new HoverReadout(plot, [this](const QPoint &at) {
        return views.showsTime() ? timeGraphs.readoutAt(at, session.names()) : QString();
    });

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
    // Samples from elsewhere are there at once, and come in stopped.
    plotting = true;
    connected = source == Source::Elsewhere;
    if (connected)
        setPlotting(false);
    else if (!connectBoard(QIODevice::ReadWrite))
        plotting = false;
    session.intake().setPaused(!plotting);
}

void Plotter::setupPlot()
{
    PlotStyle::setUp(plot, profile, PlotLook::instance().palette());
}

void Plotter::paintIn(const PlotColours::Palette &palette)
{
    views.restyle(palette, [&] {
        PlotStyle::colour(plot, profile, palette);
        mathMenu.setPalette(palette);
    });
    const std::vector<QCPGraph *> graphs = mathMenu.graphs();
    notes.setPalette(palette);
    viewport.cursors().setPalette(palette, graphs);
    scopeView.setPalette(palette, graphs);
    views.spectrum().setChannelColours(mathMenu.colors());
}

void Plotter::showLookChange()
{
    redrawSoon();
    // Without a board the time view is not redrawn: show its look again.
    if (!connected && views.showsTime())
        plot->replot();
}

void Plotter::takeMathChannels()
{
    timeGraphs.setGraphs(mathMenu.graphs());
    viewport.cursors().setChannels(session.names(), mathMenu.graphs());
    scopeView.setChannels(session.names(), mathMenu.graphs());
    views.setChannels(session.names(), mathMenu.colors());
    views.lanes().setChannels(session.names(), mathMenu.graphs(), mathMenu.shownChannels());
    viewport.setShownChannels(mathMenu.shownChannels());
    keepBoardsChannels();
    redrawSoon();
}

void Plotter::startInstrument()
{
    // A fresh connection: a frame cut off by the loss is not finished by
    // the next connection's bytes. A paused plot stays paused.
    session.intake().dropPartialFrame();
    connected = true;
    // Another board (a move, or another board at a replug) brings its own.
    if (const std::optional<QVector<MathChannel>> own = boardsChannels(); own && *own != mathChannels())
        setMathChannels(*own);
    board.startInstrument(profile.protocol, {});
    updateRefreshTimer();
}

void Plotter::updateRefreshTimer()
{
    idleTicks = 0;
    if (connected && plotting)
        refreshTimer->start(refreshIntervalMs);
    else
        refreshTimer->stop();
}

void Plotter::redrawSoon()
{
    redrawNeeded = true;
    // A running plot redraws at its next tick; a stopped one never on
    // data, so once for this change.
    if (!refreshTimer->isActive())
        replot();
}

std::optional<AxisSpan> Plotter::ownView() const
{
    return viewport.ownView(session.intake().lastIndex(), scopeView.triggeredView().has_value());
}

SampleSpan Plotter::timeSpan() const
{
    return timeGraphs.shownBy(ownView(), scopeView.triggeredView(), windowLength);
}

bool Plotter::replot()
{
    // Without a board only another view has anything to show.
    if (!connected && views.showsTime())
        return false;
    const SampleStore &store = session.store();
    bool notesChanged = notes.update(
        recording->isRecording() ? recording->overlayText() : QString(),
        session.intake().damagedFrames());
    notesChanged = notes.setPublishingText(publishing->publisher().statusText()) || notesChanged;
    // A stopped plot's clock stands still too: its picture must not fall
    // back to rolling for want of new crossings.
    const qint64 nowNs = plotting ? monotonicNowNs() : stoppedAtNs;
    const bool scopeChanged = scopeView.update(store, nowNs);
    bool changed = redrawNeeded || notesChanged || plot->size() != drawnSize;
    if (!views.showsTime()) {
        changed = views.update(store, timeSpan(), scopeView.sampleRate(), nowNs) || changed;
    } else if (changed || scopeChanged) {
        changed = true;
        // Waiting for a capture, nothing rolls: the graphs keep what they hold.
        const std::optional<AxisSpan> own = ownView();
        const SampleSpan shown =
            scopeView.holdsPicture() && !own
                ? spanOfIndexes(store, timeGraphs.drawn().firstIndex, timeGraphs.drawn().lastIndex)
                : timeGraphs.draw(own, scopeView.triggeredView(), session.intake().lastIndex(),
                                  windowLength);
        scopeView.updateItems(store, shown);
        viewport.finishRedraw(shown, timeGraphs.drawn().keyOrigin);
        views.lanes().finishRedraw(scopeView.trigger().sourceChannel());
    }
    if (!changed)
        return false;
    redrawNeeded = false;
    drawnSize = plot->size();
    plot->replot();
    takeCapture();
    return true;
}

void Plotter::readData(const QByteArray &bytes, qint64 bytesReadNs)
{
    session.intake().takeBytes(bytes.constData(), bytes.size(), bytesReadNs);
}

void Plotter::createActions()
{
    saveImageAction->setText(tr("Save Image…"));
    saveImageAction->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_S));
    connect(saveImageAction, &QAction::triggered, this, [this] {
        // The dialog runs a loop of its own: the window must outlive it.
        BusyScope busy(this);
        PlotExport::saveImage(this, plot, profile.protocol.name);
    });
    // A print wants white: the light colours whatever the plot shows.
    saveLightImageAction->setText(tr("Save Image in Light Colours…"));
    connect(saveLightImageAction, &QAction::triggered, this, [this] {
        BusyScope busy(this);
        PlotExport::saveImage(this, plot, profile.protocol.name,
                              [this](const PlotColours::Palette &palette) { paintIn(palette); });
    });
    exportDataAction->setText(tr("Export Shown Data…"));
    exportDataAction->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_E));
    connect(exportDataAction, &QAction::triggered, this, [this] {
        BusyScope busy(this);
        // What was drawn: the span the time graphs hold, or another view's table.
        PlotExport::exportShown(this, profile.protocol, views, session.store(), timeGraphs.drawn());
    });
    addAction(saveImageAction);
    addAction(saveLightImageAction);
    addAction(exportDataAction);
    connect(captureSaving.saveAction(), &QAction::triggered, this, &Plotter::chooseCaptureFolder);
    connect(&captureSaving, &CaptureSaving::changed, this,
            [this] { scopeView.setCapturesText(captureSaving.statusText()); });
    connect(&captureSaving, &CaptureSaving::failed, this, [this](const QString &path, const QString &reason) {
        FileSaving::showCouldNotSave(this, path, reason);
    });
    scopeView.setCaptureActions({captureSaving.saveAction(), captureSaving.picturesAction()});
    addAction(RecordingOpening::action(this));
    scopeView.addActionsTo(this);
    viewport.addActionsTo(this);
    mathMenu.addActionsTo(this);
    connect(viewport.setRangeAction(), &QAction::triggered, this, [this] {
        BusyScope busy(this);
        viewport.askYRange(this);
    });
    // The usual y ranges of the lanes are their signals'.
    connect(viewport.resetAction(), &QAction::triggered, &views.lanes(), &LanesView::followSignals);
    connect(views.lanes().laneRangeAction(), &QAction::triggered, this, [this] {
        BusyScope busy(this);
        views.lanes().askLaneRange(this);
    });
    views.addActionsTo(this);
}

void Plotter::showPlotMenu(const QPoint &plotPosition)
{
    // The menu runs a loop of its own: the window must outlive it.
    BusyScope busy(this);
    QMenu menu(this);
    scopeView.setMenuLevel(plot->yAxis->pixelToCoord(plotPosition.y()));
    views.lanes().setMenuPosition(plotPosition);
    // Keeping what is shown comes first; recording, the views, then the
    // view's own choices (trigger, measurements) follow in this order.
    menu.addAction(saveImageAction);
    menu.addAction(saveLightImageAction);
    menu.addAction(exportDataAction);
    menu.addAction(recording->action());
    menu.addAction(publishing->action());
    addWindowEntries(menu);
    menu.addAction(RecordingOpening::action(this));
    menu.addActions(sourceActions);
    views.addToMenu(menu);
    PlotLook::instance().addToMenu(menu);
    if (views.showsTime()) {
        scopeView.addToMenu(menu);
        menu.addSeparator();
        viewport.addToMenu(menu);
        menu.addSeparator();
        mathMenu.addToMenu(menu);
    }
    menu.exec(plot->mapToGlobal(plotPosition));
}

void Plotter::on_quitButton_clicked()
{
    requestQuit();
}

void Plotter::on_stopButton_clicked()
{
    setPlotting(!plotting);
}

void Plotter::setPlotting(bool on)
{
    redrawNeeded = true;
    plotting = on;
    // Run after a Single capture: the next one.
    if (plotting && scopeView.trigger().status() == TriggerStatus::Stopped)
        scopeView.armSingle();
    session.intake().setPaused(!plotting);
    viewport.setRunning(plotting);
    if (!plotting)
        stoppedAtNs = monotonicNowNs();
    stopButton->setText(plotting ? tr("Stop Plot") : tr("Start Plot"));
    // Without a board it only toggles the pause.
    updateRefreshTimer();
    emit plottingChanged(plotting);
}

void Plotter::onConnectionLost()
{
    connected = false;
    updateRefreshTimer();
    // No line across the time the board was away.
    session.intake().markGap();
}

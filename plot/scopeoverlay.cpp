#include "scopeoverlay.h"

#include "measurements.h"
#include "plotnote.h"

#include <qcustomplot.h>

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QWidget>

#include <algorithm>

ScopeOverlay::ScopeOverlay(bool withTrigger, const QStringList &channelNames)
    : m_withTrigger(withTrigger), m_channelNames(channelNames)
{
    if (m_withTrigger) {
        auto *modes = new QActionGroup(this);
        const std::array<QString, 3> modeTexts{tr("Off"), tr("Rising Edge"), tr("Falling Edge")};
        const std::array<TriggerMode, 3> modeValues{TriggerMode::Off, TriggerMode::RisingEdge,
                                                    TriggerMode::FallingEdge};
        for (size_t i = 0; i < m_modeActions.size(); ++i) {
            QAction *action = modes->addAction(modeTexts[i]);
            action->setCheckable(true);
            const TriggerMode mode = modeValues[i];
            connect(action, &QAction::triggered, this, [this, mode] { setMode(mode); });
            m_modeActions[i] = action;
        }
        m_modeActions[0]->setChecked(true);

        auto *captureModes = new QActionGroup(this);
        const std::array<QString, 3> captureTexts{tr("Auto"), tr("Normal"), tr("Single")};
        for (size_t i = 0; i < m_captureModeActions.size(); ++i) {
            QAction *action = captureModes->addAction(captureTexts[i]);
            action->setCheckable(true);
            const auto mode = CaptureMode(i);
            connect(action, &QAction::triggered, this, [this, mode] { setCaptureMode(mode); });
            m_captureModeActions[i] = action;
        }
        m_armSingleAction = new QAction(tr("Arm Single"), this);
        m_armSingleAction->setShortcut(QKeySequence(Qt::CTRL + Qt::SHIFT + Qt::Key_T));
        connect(m_armSingleAction, &QAction::triggered, this, &ScopeOverlay::armSingle);

        // Optional: a share set otherwise (SCPI, a kept setting) checks none.
        auto *positions = new QActionGroup(this);
        positions->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
        for (int percent = ScopeTrigger::minPreTriggerPercent;
             percent <= ScopeTrigger::maxPreTriggerPercent; percent += 10) {
            QAction *action = positions->addAction(tr("%1 %").arg(percent));
            action->setCheckable(true);
            connect(action, &QAction::triggered, this, [this, percent] {
                m_trigger.setPreTriggerPercent(percent);
                checkActions();
                emit changed();
            });
            m_preTriggerActions.push_back(action);
        }
        auto *holdoffs = new QActionGroup(this);
        holdoffs->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
        for (const int ms : {0, 1, 10, 100, 500, 1000, 2000, 5000, 10000}) {
            QAction *action = holdoffs->addAction(ms == 0     ? tr("None")
                                                  : ms < 1000 ? tr("%1 ms").arg(ms)
                                                              : tr("%1 s").arg(ms / 1000));
            action->setCheckable(true);
            connect(action, &QAction::triggered, this, [this, ms] {
                m_trigger.setHoldoffNs(ms * qint64(1000000));
                checkActions();
                emit changed();
            });
            m_holdoffActions.emplace_back(action, ms);
        }
        checkActions();

        m_sources = new QActionGroup(this);
        addSourceActions();
        m_sourceActions[0]->setChecked(true);

        m_setLevelAction = new QAction(this);
        connect(m_setLevelAction, &QAction::triggered, this, [this] {
            m_trigger.setUserLevel(m_menuLevel);
            m_autoLevelAction->setChecked(false);
            emit changed();
        });
        setMenuLevel(0);

        // Checked while the level follows the signal; choosing it again
        // leaves it checked.
        m_autoLevelAction = new QAction(tr("Automatic Level"), this);
        m_autoLevelAction->setCheckable(true);
        m_autoLevelAction->setChecked(true);
        connect(m_autoLevelAction, &QAction::triggered, this, [this] {
            m_autoLevelAction->setChecked(true);
            m_trigger.clearUserLevel();
            emit changed();
        });

        // Like the trigger-mode key of a bench scope: one key steps through.
        m_nextModeAction = new QAction(this);
        m_nextModeAction->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_T));
        connect(m_nextModeAction, &QAction::triggered, this,
                [this] { setMode(nextTriggerMode(m_trigger.mode())); });
    }

    m_measurementsAction = new QAction(tr("Show Measurements"), this);
    m_measurementsAction->setCheckable(true);
    m_measurementsAction->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_M));
    connect(m_measurementsAction, &QAction::toggled, this, &ScopeOverlay::changed);
}

ScopeOverlay::~ScopeOverlay() = default;

void ScopeOverlay::addActionsTo(QWidget *window) const
{
    if (m_nextModeAction) {
        window->addAction(m_nextModeAction);
        window->addAction(m_armSingleAction);
    }
    window->addAction(m_measurementsAction);
}

void ScopeOverlay::addItems(QCustomPlot *plot, const QString &layer,
                            const std::vector<QCPGraph *> &graphs, QCPItemText *aboveStatus,
                            const PlotColours::Palette &palette)
{
    m_aboveStatus = aboveStatus;
    m_levelLine = new QCPItemStraightLine(plot);
    m_levelLine->setLayer(layer);
    m_levelLine->setVisible(false);
    m_marker = new QCPItemStraightLine(plot);
    m_marker->setLayer(layer);
    m_marker->setVisible(false);
    m_marker->point1->setCoords(0, 0);
    m_marker->point2->setCoords(0, 1);

    m_status = addPlotNote(plot, layer, QColor(), palette.background);
    m_status->setPositionAlignment(Qt::AlignRight | Qt::AlignTop);

    // Stacked upwards from the bottom left corner: the rate, then the
    // channels from the last to the first.
    for (QCPItemText *&text : m_readout) {
        text = addPlotNote(plot, layer, QColor(), palette.background);
        text->setPositionAlignment(Qt::AlignLeft | Qt::AlignBottom);
        text->setTextAlignment(Qt::AlignLeft);
    }
    setPalette(palette, graphs);
}

void ScopeOverlay::setPalette(const PlotColours::Palette &palette,
                              const std::vector<QCPGraph *> &graphs)
{
    m_textColor = palette.text;
    m_status->setColor(palette.quietText);
    m_readout.back()->setColor(m_textColor);
    colourChannels(graphs);
}

void ScopeOverlay::colourChannels(const std::vector<QCPGraph *> &graphs)
{
    m_colors.clear();
    for (const QCPGraph *graph : graphs)
        m_colors.push_back(graph->pen().color());
    if (m_readout[0])
        restack();
    if (m_levelLine)
        penLevelLine();
}

void ScopeOverlay::penLevelLine()
{
    const size_t source = size_t(m_trigger.sourceChannel());
    const QColor color = source < m_colors.size() ? m_colors[source] : m_textColor;
    m_levelLine->setPen(QPen(color, 1, Qt::DashLine));
    m_marker->setPen(QPen(color, 1, Qt::DotLine));
}

void ScopeOverlay::setChannels(const QStringList &names, const std::vector<QCPGraph *> &graphs)
{
    m_channelNames = names;
    if (m_sources) {
        // The inputs' actions stay; the computed channels' are made anew.
        while (m_sourceActions.size() > size_t(Sample::channelCount)) {
            m_sources->removeAction(m_sourceActions.back());
            m_sourceActions.back()->deleteLater();
            m_sourceActions.pop_back();
        }
        addSourceActions();
        if (m_trigger.sourceChannel() >= int(m_sourceActions.size()))
            setSource(0);
        m_sourceActions[size_t(m_trigger.sourceChannel())]->setChecked(true);
    }
    colourChannels(graphs);
}

void ScopeOverlay::addSourceActions()
{
    for (int channel = int(m_sourceActions.size()); channel < m_channelNames.size(); ++channel) {
        QAction *action = m_sources->addAction(m_channelNames.at(channel));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, channel] { setSource(channel); });
        m_sourceActions.push_back(action);
    }
}

void ScopeOverlay::restack()
{
    const size_t lines = std::min(size_t(m_channelNames.size()), m_readout.size() - 1);
    QCPItemText *below = m_readout.back();
    below->position->setType(QCPItemPosition::ptAxisRectRatio);
    below->position->setCoords(0, 1);
    for (size_t i = lines; i-- > 0;) {
        QCPItemText *text = m_readout[i];
        text->setColor(i < m_colors.size() ? m_colors[i] : m_textColor);
        text->position->setParentAnchor(below->topLeft);
        text->position->setType(QCPItemPosition::ptAbsolute);
        text->position->setCoords(0, 0);
        below = text;
    }
}

void ScopeOverlay::setMenuLevel(double level)
{
    if (!m_setLevelAction)
        return;
    m_menuLevel = qRound(level);
    m_setLevelAction->setText(tr("Set Level Here (%1)").arg(m_menuLevel));
}

void ScopeOverlay::addToMenu(QMenu &menu) const
{
    if (m_withTrigger) {
        QMenu *triggerMenu = menu.addMenu(tr("Trigger"));
        for (QAction *action : m_modeActions)
            triggerMenu->addAction(action);
        triggerMenu->addSeparator();
        QMenu *sourceMenu = triggerMenu->addMenu(tr("Source"));
        for (QAction *action : m_sourceActions)
            sourceMenu->addAction(action);
        triggerMenu->addAction(m_setLevelAction);
        triggerMenu->addAction(m_autoLevelAction);
        triggerMenu->addSeparator();
        addTriggerMenus(triggerMenu);
    }
    menu.addAction(m_measurementsAction);
}

void ScopeOverlay::setMode(TriggerMode mode)
{
    m_trigger.setMode(mode);
    checkActions();
    emit changed();
}

void ScopeOverlay::setSource(int channel)
{
    // One the window does not have (a damaged setting): the first input.
    if (channel < 0 || size_t(channel) >= m_sourceActions.size())
        channel = 0;
    m_sourceActions[size_t(channel)]->setChecked(true);
    m_trigger.setSourceChannel(channel);
    emit changed();
}

void ScopeOverlay::saveTo(PlotterSettings &settings) const
{
    settings.showMeasurements = m_measurementsAction->isChecked();
    settings.triggerMode = m_trigger.mode();
    settings.triggerSource = m_trigger.sourceChannel();
    settings.triggerLevel = m_trigger.userLevel();
    settings.captureMode = m_trigger.captureMode();
    settings.preTriggerPercent = m_trigger.preTriggerPercent();
    settings.holdoffMs = int(m_trigger.holdoffNs() / 1000000);
}

void ScopeOverlay::restoreFrom(const PlotterSettings &settings)
{
    m_measurementsAction->setChecked(settings.showMeasurements);
    if (!m_withTrigger)
        return;
    setSource(settings.triggerSource);
    m_autoLevelAction->setChecked(!settings.triggerLevel);
    if (settings.triggerLevel)
        m_trigger.setUserLevel(*settings.triggerLevel);
    else
        m_trigger.clearUserLevel();
    m_trigger.setPreTriggerPercent(settings.preTriggerPercent);
    m_trigger.setHoldoffNs(settings.holdoffMs * qint64(1000000));
    m_trigger.setCaptureMode(settings.captureMode);
    setMode(settings.triggerMode);
}

bool ScopeOverlay::update(const SampleStore &store, qint64 nowNs)
{
    m_rateMeter.update(store);
    if (!m_withTrigger)
        return false;
    m_trigger.update(store, nowNs);
    const std::optional<TriggeredView> view = m_trigger.view(store);
    const TriggerStatus status = m_trigger.status();
    const std::optional<int> level =
        m_trigger.mode() != TriggerMode::Off && m_trigger.hasLevel()
            ? std::optional<int>(qRound(m_trigger.level()))
            : std::nullopt;
    const bool viewChanged = view.has_value() != m_view.has_value()
                             || (view && view->triggerIndex != m_view->triggerIndex);
    const bool changed = viewChanged || status != m_drawnStatus || level != m_drawnLevel;
    m_view = view;
    m_drawnStatus = status;
    m_drawnLevel = level;
    return changed;
}

void ScopeOverlay::updateItems(const SampleStore &store, SampleSpan shown)
{
    if (m_levelLine) {
        m_levelLine->setVisible(m_drawnLevel.has_value());
        if (m_drawnLevel) {
            m_levelLine->point1->setCoords(0, *m_drawnLevel);
            m_levelLine->point2->setCoords(1, *m_drawnLevel);
        }
        penLevelLine();
        // Keyed from the crossing: it sits at 0.
        m_marker->setVisible(m_view.has_value());
        m_marker->point1->setCoords(0, 0);
        m_marker->point2->setCoords(0, 1);
        m_status->setVisible(m_drawnStatus != TriggerStatus::Off);
        m_status->setText(m_capturesText.isEmpty()
                              ? statusLine()
                              : statusLine() + QLatin1Char('\n') + m_capturesText);
        placeTopRight(m_status, m_aboveStatus);
    }

    const bool showReadout = m_measurementsAction->isChecked();
    const size_t lines = std::min(size_t(m_channelNames.size()), m_readout.size() - 1);
    for (size_t i = 0; i < m_readout.size(); ++i) {
        if (m_readout[i])
            m_readout[i]->setVisible(showReadout && (i < lines || i + 1 == m_readout.size()));
    }
    if (!showReadout || !m_readout[0])
        return;
    const std::optional<double> rate = m_rateMeter.framesPerSecond();
    const ChannelMeasurements measured = measureChannels(store, shown, rate);
    for (size_t i = 0; i < std::min(measured.size(), lines); ++i)
        m_readout[i]->setText(measurementLine(m_channelNames.at(int(i)), measured[i]));
    m_readout.back()->setText(sampleRateLine(rate));
}

QStringList ScopeOverlay::measurementTexts() const
{
    return shownTexts(m_readout);
}

QString ScopeOverlay::statusText() const
{
    return m_status && m_status->visible() ? m_status->text() : QString();
}

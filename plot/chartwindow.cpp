#include "chartwindow.h"

#include "chartband.h"
#include "closeguard.h"
#include "plotlook.h"
#include "plotstyle.h"

#include "chartscale.h"
#include "csvrecorder.h"
#include "filesaving.h"
#include "instrumentprotocol.h"
#include "recordingopening.h"
#include "shownnumber.h"

#include <QAction>
#include <QActionGroup>
#include <QDateTime>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>
#include <qcustomplot.h>

#include <algorithm>
#include <climits>
#include <cmath>

using ChartScale::number;

ChartWindow::ChartWindow(const ChartProfile &profile, const ReadingHistory &history,
                         std::function<qint64()> nowMs, Guard guard, QWidget *instrument)
    : ReadingChart(instrument, Qt::Window), m_profile(profile), m_history(history),
      m_nowMs(std::move(nowMs)), m_closeGuard(new CloseGuard(this)),
      m_guard([this, instrumentGuard = std::move(guard)](const std::function<void()> &work) {
          m_closeGuard->run([&] { instrumentGuard(work); });
      }), m_statistics(new QLabel(this)),
      m_plot(new QCustomPlot(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(profile.instrument->chartTitle());
    resize(640, 400);

    m_statistics->setTextFormat(Qt::PlainText);
    m_statistics->setWordWrap(true);
    QFont small = m_statistics->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    m_statistics->setFont(small);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_statistics);
    layout->addWidget(m_plot, 1);

    QSharedPointer<QCPAxisTickerDateTime> ticker(new QCPAxisTickerDateTime);
    m_plot->xAxis->setTicker(ticker);
    m_plot->yAxis->setLabel(profile.instrument->unit);
    // The bands first, so that every mean line is drawn over all of them.
    // They are opaque: blending a translucent band costs more than the
    // whole rest of a redraw.
    for (int c = 0; c < history.channelCount(); ++c)
        m_bands.append(new ChartBand(m_plot->xAxis, m_plot->yAxis));
    for (int c = 0; c < history.channelCount(); ++c)
        m_means.append(m_plot->addGraph());
    colour(PlotLook::instance().palette());
    connect(&PlotLook::instance(), &PlotLook::schemeChanged, this, [this] {
        colour(PlotLook::instance().palette());
        m_plot->replot(QCustomPlot::rpQueuedReplot);
    });

    m_plot->setNotAntialiasedElements(QCP::aeAll);
    m_plot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    m_plot->axisRect()->setRangeDrag(Qt::Horizontal);
    m_plot->axisRect()->setRangeZoom(Qt::Horizontal);
    m_plot->setContextMenuPolicy(Qt::CustomContextMenu);
    createActions();

    connect(m_plot, &QCustomPlot::mousePress, this, [this](QMouseEvent *event) {
        if (event->button() == Qt::LeftButton)
            stopFollowing();
    });
    connect(m_plot, &QCustomPlot::mouseWheel, this, &ChartWindow::stopFollowing);
    connect(m_plot->xAxis, qOverload<const QCPRange &>(&QCPAxis::rangeChanged), this,
            [this](const QCPRange &range) {
                if (m_settingRange)
                    return;
                // The user zoomed or panned: within the limits, drawn at once.
                setShownRange(range.lower, range.upper);
                redraw();
            });
    connect(m_plot, &QWidget::customContextMenuRequested, this, &ChartWindow::showMenu);
    m_refreshTimer.setInterval(refreshIntervalMs);
    connect(&m_refreshTimer, &QTimer::timeout, this, [this] {
        if (m_following || m_history.addedCount() != m_drawnCount)
            redraw();
    });
    m_refreshTimer.start();
    redraw();
}

ChartWindow::~ChartWindow() = default;

void ChartWindow::closeEvent(QCloseEvent *event)
{
    if (!m_closeGuard->holdClose(event))
        QWidget::closeEvent(event);
}

void ChartWindow::createActions()
{
    const QStringList texts{tr("1 min"), tr("10 min"), tr("1 h"), tr("8 h"), tr("All")};
    m_spanGroup = new QActionGroup(this);
    for (int i = 0; i < spans().size(); ++i) {
        QAction *action = m_spanGroup->addAction(texts[i]);
        action->setCheckable(true);
        action->setChecked(spans()[i] == m_spanMs);
        const qint64 span = spans()[i];
        connect(action, &QAction::triggered, this, [this, span] { setSpan(span); });
    }
    m_followAction = new QAction(tr("Follow"), this);
    m_followAction->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_0));
    connect(m_followAction, &QAction::triggered, this, &ChartWindow::follow);
    m_exportAction = new QAction(tr("Export Shown Data…"), this);
    m_exportAction->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_E));
    connect(m_exportAction, &QAction::triggered, this, &ChartWindow::exportShown);
    addAction(m_followAction);
    addAction(m_exportAction);
    addAction(RecordingOpening::action(this));
}

void ChartWindow::showMenu(const QPoint &position)
{
    QMenu menu(this);
    QMenu *span = menu.addMenu(tr("Span"));
    span->addActions(m_spanGroup->actions());
    menu.addAction(m_followAction);
    menu.addAction(RecordingOpening::action(this));
    menu.addAction(m_exportAction);
    PlotLook::instance().addToMenu(menu);
    m_guard([&] { menu.exec(m_plot->mapToGlobal(position)); });
}

void ChartWindow::colour(const PlotColours::Palette &palette)
{
    m_plot->setBackground(QBrush(palette.plainBackground));
    for (QCPAxis *axis : {m_plot->xAxis, m_plot->yAxis})
        PlotStyle::colourPlainAxis(axis, palette);
    for (int c = 0; c < m_means.size(); ++c) {
        const QColor color = palette.inputs[size_t(c) % palette.inputs.size()];
        m_means[c]->setPen(QPen(color, 1));
        m_bands[c]->setColor(PlotColours::bandColour(color, palette.plainBackground));
    }
}

void ChartWindow::follow()
{
    m_following = true;
    redraw();
}

void ChartWindow::stopFollowing()
{
    m_following = false;
}

void ChartWindow::setSpan(qint64 spanMs)
{
    m_spanMs = spanMs;
    for (QAction *action : m_spanGroup->actions())
        action->setChecked(spans().value(m_spanGroup->actions().indexOf(action)) == spanMs);
    if (!m_following) {
        // The right edge stays where the user put it.
        const qint64 toMs = ChartScale::toMs(m_plot->xAxis->range().upper * 1000);
        const qint64 fromMs = spanMs > 0 ? toMs - spanMs : std::min(m_history.firstMs(), toMs - 1000);
        setShownRange(double(fromMs) / 1000, double(toMs) / 1000);
    }
    redraw();
}

void ChartWindow::setShownRange(double lower, double upper)
{
    // From a second to all that is held, the newest reading or now,
    // whichever is later, and at least the longest span offered.
    const qint64 newestMs = m_history.isEmpty() ? m_nowMs() : std::max(m_nowMs(), m_history.lastMs());
    const qint64 heldMs = m_history.isEmpty() ? 0 : newestMs - m_history.firstMs();
    const qint64 longestMs = std::max(heldMs, *std::max_element(spans().begin(), spans().end()));
    const auto [from, to] = ChartScale::limitedTimeRange(lower, upper, longestMs);
    m_settingRange = true;
    m_plot->xAxis->setRange(from, to);
    m_settingRange = false;
}

std::pair<qint64, qint64> ChartWindow::shownSpan() const
{
    if (!m_following) {
        const QCPRange range = m_plot->xAxis->range();
        return {ChartScale::toMs(std::floor(range.lower * 1000)),
                ChartScale::toMs(std::ceil(range.upper * 1000))};
    }
    const qint64 toMs = m_history.isEmpty() ? m_nowMs() : std::max(m_nowMs(), m_history.lastMs());
    if (m_spanMs > 0)
        return {toMs - m_spanMs, toMs};
    const qint64 fromMs = m_history.isEmpty() ? toMs - defaultSpanMs : m_history.firstMs();
    return {fromMs, std::max(toMs, fromMs + 1000)};
}

void ChartWindow::redraw()
{
    const auto [fromMs, toMs] = shownSpan();
    if (m_following)
        setShownRange(double(fromMs) / 1000, double(toMs) / 1000);
    const auto ticker = m_plot->xAxis->ticker().dynamicCast<QCPAxisTickerDateTime>();
    ticker->setDateTimeFormat(chartTimeFormat(QDateTime::fromMSecsSinceEpoch(fromMs),
                                              QDateTime::fromMSecsSinceEpoch(toMs)));

    // One interval per two pixel columns at most: the drawing costs the
    // same for a minute and for a week, and a band finer than that would
    // not be seen.
    const std::vector<ReadingHistory::Interval> intervals =
        m_history.intervals(fromMs, toMs, std::max(m_plot->width() / 2, 1));
    const double none = std::nan("");
    double lowest = INFINITY;
    double highest = -INFINITY;
    for (int c = 0; c < m_means.size(); ++c) {
        QVector<QCPGraphData> means;
        QVector<ChartBand::Interval> band;
        means.reserve(int(intervals.size()) + 8);
        band.reserve(int(intervals.size()));
        double previousKey = none;
        for (const ReadingHistory::Interval &interval : intervals) {
            const double key = double(interval.middleMs()) / 1000;
            const bool gap = interval.gapBefore && !std::isnan(previousKey);
            if (gap) {
                // A point without a value breaks the line: the board was away.
                means.append({(previousKey + key) / 2, none});
            }
            previousKey = key;
            const ReadingHistory::Channel &channel = interval.channels[size_t(c)];
            if (channel.count == 0) {
                means.append({key, none});
                band.append({key, none, none, gap});
                continue;
            }
            means.append({key, channel.mean()});
            band.append({key, channel.min, channel.max, gap});
            lowest = std::min(lowest, channel.min);
            highest = std::max(highest, channel.max);
        }
        m_means[c]->data()->set(means, true);
        m_bands[c]->setIntervals(std::move(band));
    }
    if (std::isfinite(lowest) && std::isfinite(highest)) {
        const auto [from, to] = ChartScale::fittedValueRange(lowest, highest);
        m_plot->yAxis->setRange(from, to);
    }
    updateStatistics(intervals);
    m_drawnCount = m_history.addedCount();
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}

void ChartWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The plot has its new width already: as many intervals as it now fits.
    redraw();
}

void ChartWindow::updateStatistics(const std::vector<ReadingHistory::Interval> &shown)
{
    // The drawn intervals together hold every reading of the span.
    ReadingHistory::Interval all;
    for (const ReadingHistory::Interval &interval : shown)
        all.merge(interval);
    QStringList parts;
    for (int c = 0; c < m_means.size(); ++c) {
        const ReadingHistory::Channel &channel = all.channels[size_t(c)];
        const QString name = m_profile.instrument->shownNames.value(c);
        if (channel.count == 0) {
            parts.append(tr("%1 none").arg(name));
            continue;
        }
        parts.append(tr("%1 %2 / %3 / %4 %5, %6")
                         .arg(name, ShownNumber::localized(number(channel.min)),
                              ShownNumber::localized(number(channel.mean(), 1)),
                              ShownNumber::localized(number(channel.max)), m_profile.instrument->unit)
                         .arg(channel.count));
    }
    m_statistics->setText(tr("min / mean / max, readings:  ") + parts.join(QStringLiteral("   ")));
}

void ChartWindow::exportShown()
{
    const auto [fromMs, toMs] = shownSpan();
    m_guard([this, fromMs = fromMs, toMs = toMs] {
        const QString fileName = FileSaving::askSaveFileName(
            this, tr("Export Data"), FileSaving::Folder::Data,
            FileSaving::suggestedName(m_profile.instrument->chartFileStem(), QStringLiteral("csv")),
            tr("CSV file (*.csv)"));
        if (fileName.isEmpty())
            return;
        // Each reading as it is, or each reduced interval's means with the
        // number of readings it stands for.
        const std::vector<ReadingHistory::Interval> intervals =
            m_history.intervals(fromMs, toMs, INT_MAX);
        QList<QStringList> rows;
        rows.reserve(int(intervals.size()));
        const qint64 originMs = intervals.empty() ? 0 : intervals.front().middleMs();
        for (const ReadingHistory::Interval &interval : intervals) {
            const qint64 atMs = interval.middleMs();
            QStringList row{QDateTime::fromMSecsSinceEpoch(atMs, Qt::UTC).toString(Qt::ISODateWithMs),
                            QString::fromLatin1(Csv::seconds((atMs - originMs) * 1000000))};
            for (int c = 0; c < m_means.size(); ++c) {
                const ReadingHistory::Channel &channel = interval.channels[size_t(c)];
                row.append(channel.count > 0 ? number(channel.mean()) : QString());
            }
            row.append(QString::number(interval.readings));
            rows.append(row);
        }
        FileSaving::save(this, fileName, Csv::table(m_profile.instrument->chartExportHeader(), rows));
    });
}

#include "timegraphs.h"

#include "cursorreadout.h"
#include "plotcompat.h"

#include <qcustomplot.h>

#include <algorithm>
#include <cmath>

TimeGraphs::TimeGraphs(const SampleStore &store) : m_store(store)
{
}

void TimeGraphs::attach(QCustomPlot *plot, const std::vector<QCPGraph *> &graphs)
{
    m_plot = plot;
    m_graphs = graphs;
}

void TimeGraphs::setGraphs(const std::vector<QCPGraph *> &graphs)
{
    m_graphs = graphs;
    m_content = Content::None;
}

std::optional<qint64> TimeGraphs::triggerIndex() const
{
    return m_content == Content::Triggered ? std::optional<qint64>(m_drawn.keyOrigin)
                                           : std::nullopt;
}

QString TimeGraphs::readoutAt(const QPoint &plotPosition, const QStringList &channelNames) const
{
    const QRect area = m_plot->axisRect()->rect();
    const double key = m_plot->xAxis->pixelToCoord(plotPosition.x());
    // The newest sample is drawn on the axis rect's right border.
    const QCPRange shown = m_plot->xAxis->range();
    if (plotPosition.y() < area.top() || plotPosition.y() > area.bottom()
        || key < shown.lower - 0.5 || key > shown.upper + 0.5)
        return QString();
    // A triggered view counts from the trigger.
    return sampleReadout(m_store, qRound64(key) + m_drawn.keyOrigin, channelNames);
}

SampleSpan TimeGraphs::shownBy(std::optional<AxisSpan> own,
                               const std::optional<TriggeredView> &triggered,
                               int rollingLength) const
{
    if (own)
        return spanOfIndexes(m_store, qint64(std::ceil(own->lower)), qint64(std::floor(own->upper)));
    if (triggered)
        return spanOfIndexes(m_store, triggered->firstIndex, triggered->lastIndex);
    return newestSamples(m_store, rollingLength);
}

SampleSpan TimeGraphs::draw(std::optional<AxisSpan> own,
                            const std::optional<TriggeredView> &triggered, qint64 newest,
                            int rollingLength)
{
    if (own) {
        drawOwn(*own);
    } else if (triggered) {
        // The same crossing with another pre-trigger shows other samples.
        if (m_content != Content::Triggered || m_drawn.keyOrigin != triggered->triggerIndex
            || m_drawn.firstIndex != triggered->firstIndex || m_drawn.lastIndex != triggered->lastIndex) {
            refill(triggered->firstIndex, triggered->lastIndex, triggered->triggerIndex);
            m_content = Content::Triggered;
        }
        setXRange(triggered->firstIndex, triggered->lastIndex, triggered->triggerIndex);
    } else {
        appendRolling(newest - rollingLength, newest);
        setXRange(newest - rollingLength, newest, 0);
    }
    return shownBy(own, triggered, rollingLength);
}

void TimeGraphs::setXRange(qint64 firstIndex, qint64 lastIndex, qint64 keyOrigin)
{
    m_drawn = {firstIndex, lastIndex, keyOrigin};
    m_plot->xAxis->setRange(double(firstIndex - keyOrigin), double(lastIndex - keyOrigin));
}

void TimeGraphs::drawOwn(AxisSpan view)
{
    m_content = Content::Own;
    m_plot->xAxis->setRange(view.lower, view.upper);
    m_drawn = {qint64(std::ceil(view.lower)), qint64(std::floor(view.upper)), 0};
    // One sample beyond each edge, so the lines run to the edges.
    const SampleSpan drawn = spanOfIndexes(m_store, qint64(std::floor(view.lower)) - 1,
                                           qint64(std::ceil(view.upper)) + 1);
    const ColumnGrid grid{view.lower, view.upper, std::max(m_plot->axisRect()->width(), 1)};
    decimateColumns(m_store, drawn, 0, grid, m_lines, true);
    QVector<QCPGraphData> points;
    for (size_t channel = 0; channel < std::min(m_graphs.size(), m_lines.size()); ++channel) {
        const std::vector<PlotPoint> &line = m_lines[channel];
        points.resize(int(line.size()));
        for (size_t i = 0; i < line.size(); ++i)
            points[int(i)] = QCPGraphData(line[i].key, line[i].value);
        m_graphs[channel]->data()->set(points, true);
    }
}

void TimeGraphs::appendRolling(qint64 oldestShown, qint64 newest)
{
    // Nothing the graphs hold is shown any more: refilling the window
    // costs less than appending all that came.
    if (m_content != Content::Rolling || m_graphedIndex < oldestShown || m_graphedIndex > newest) {
        refill(oldestShown, newest, 0);
        m_content = Content::Rolling;
        m_graphedIndex = newest;
        return;
    }
    if (m_graphedIndex == newest)
        return;
    const int channels = std::min(int(m_graphs.size()), m_store.channelCount());
    for (int position = firstPositionFrom(m_store, m_graphedIndex + 1); position < m_store.size();
         ++position) {
        const Sample &sample = m_store.at(position);
        const double key = double(sample.index);
        for (int i = 0; i < channels; ++i) {
            QCPGraph *graph = m_graphs[size_t(i)];
            // A NaN point is where a graph's line breaks.
            if (sample.gapBefore)
                graph->addData(key - 0.5, qQNaN());
            double value = 0;
            if (m_store.value(position, i, &value))
                graph->addData(key, value);
        }
    }
    for (QCPGraph *graph : m_graphs)
        PlotCompat::removeDataBefore(graph, double(oldestShown));
    m_graphedIndex = newest;
}

void TimeGraphs::refill(qint64 firstIndex, qint64 lastIndex, qint64 keyOrigin)
{
    const SampleSpan span = spanOfIndexes(m_store, firstIndex, lastIndex);
    const int channels = std::min(int(m_graphs.size()), m_store.channelCount());
    for (int i = 0; i < channels; ++i) {
        QVector<double> keys;
        QVector<double> values;
        keys.reserve(span.size() + 1);
        values.reserve(span.size() + 1);
        for (int position = span.begin; position < span.end; ++position) {
            const Sample &sample = m_store.at(position);
            const double key = double(sample.index - keyOrigin);
            if (sample.gapBefore && position > span.begin) {
                keys.append(key - 0.5);
                values.append(qQNaN());
            }
            double value = 0;
            if (m_store.value(position, i, &value)) {
                keys.append(key);
                values.append(value);
            }
        }
        m_graphs[size_t(i)]->setData(keys, values, true);
    }
}

#pragma once

#include "decimation.h"
#include "scopetrigger.h"
#include "viewzoom.h"

#include <QPoint>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QCPGraph;
class QCustomPlot;

// The one writer of a plot's time graphs (one per channel) and its x axis. It draws one
// of three views of the store: the rolling view (the newest samples,
// appending what is new), the trigger's view (keyed from the trigger), or a
// view of the navigator's own (zoomed, panned, another rolling length), as
// each pixel column's minimum and maximum. It remembers what it drew, so
// the export and the readout use that, not a guess.
class TimeGraphs
{
public:
    // What the x axis shows: sample indexes firstIndex to lastIndex, keyed
    // by their index less keyOrigin (the trigger's index, or 0).
    struct Drawn
    {
        qint64 firstIndex = 0;
        qint64 lastIndex = -1;
        qint64 keyOrigin = 0;
    };

    explicit TimeGraphs(const SampleStore &store);

    // One graph per channel of the store, inputs then computed ones.
    void attach(QCustomPlot *plot, const std::vector<QCPGraph *> &graphs);
    // The channels changed: the next draw fills every graph anew.
    void setGraphs(const std::vector<QCPGraph *> &graphs);

    // Draws the navigator's own view when there is one (`own`, in sample
    // indexes), else the trigger's, else the newest `rollingLength`, and
    // says which samples it shows. `newestIndex` is the intake's count.
    SampleSpan draw(std::optional<AxisSpan> own, const std::optional<TriggeredView> &triggered,
                    qint64 newestIndex, int rollingLength);
    // The samples a time view with those settings shows, drawn or not.
    SampleSpan shownBy(std::optional<AxisSpan> own, const std::optional<TriggeredView> &triggered,
                       int rollingLength) const;

    const Drawn &drawn() const { return m_drawn; }
    // The index and the channels' values of the sample drawn at this point
    // of the plot; "" where there is none.
    QString readoutAt(const QPoint &plotPosition, const QStringList &channelNames) const;
    // The trigger index the graphs are keyed from; none unless they hold
    // the trigger's view.
    std::optional<qint64> triggerIndex() const;

private:
    enum class Content { None, Rolling, Triggered, Own };

    void drawOwn(AxisSpan view);
    void appendRolling(qint64 oldestShown, qint64 newest);
    void refill(qint64 firstIndex, qint64 lastIndex, qint64 keyOrigin);
    void setXRange(qint64 firstIndex, qint64 lastIndex, qint64 keyOrigin);

    const SampleStore &m_store;
    QCustomPlot *m_plot = nullptr;
    std::vector<QCPGraph *> m_graphs;
    Content m_content = Content::None;
    Drawn m_drawn;
    // The newest sample index the rolling graphs hold.
    qint64 m_graphedIndex = 0;
    ChannelLines m_lines;
};

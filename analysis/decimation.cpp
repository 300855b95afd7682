#include "decimation.h"

#include <QtNumeric>

#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 blockLength = SampleEnvelope::blockLength;

// A channel's samples since the last column edge or gap, kept as store
// positions: huge indexes can share a key. Whole numbers for the inputs,
// which the envelope summarises; doubles for computed channels.
template<typename Value>
using ColumnRun = PlacedRange<Value, int>;

// Ends `run`: its points go on `line`, its values into `extent`.
template<typename Value>
void flushInto(ColumnRun<Value> &run, std::vector<PlotPoint> &line, ValueExtent &extent,
               const SampleStore &store, qint64 keyOrigin)
{
    if (!run.any)
        return;
    run.any = false;
    if (!extent.any) {
        extent = {true, double(run.low), double(run.high)};
    } else {
        extent.minimum = std::min(extent.minimum, double(run.low));
        extent.maximum = std::max(extent.maximum, double(run.high));
    }
    const auto point = [&](int position, Value value) {
        return PlotPoint{double(store.at(position).index - keyOrigin), double(value)};
    };
    if (run.lowAt == run.highAt) {
        line.push_back(point(run.lowAt, run.low));
    } else if (run.count > 2) {
        // One vertical stroke on the column, entered from the end nearer
        // where the line comes from: the stroke over to the next column
        // then stays short, and a dense view draws half the pixels.
        const double key = double(store.at(std::min(run.lowAt, run.highAt)).index - keyOrigin);
        const bool cameFrom = !line.empty() && !std::isnan(line.back().value);
        const bool highFirst = cameFrom ? std::abs(line.back().value - run.high)
                                              < std::abs(line.back().value - run.low)
                                        : run.highAt < run.lowAt;
        line.push_back({key, double(highFirst ? run.high : run.low)});
        line.push_back({key, double(highFirst ? run.low : run.high)});
    } else if (run.lowAt < run.highAt) {
        line.push_back(point(run.lowAt, run.low));
        line.push_back(point(run.highAt, run.high));
    } else {
        line.push_back(point(run.highAt, run.high));
        line.push_back(point(run.lowAt, run.low));
    }
}

} // namespace

ValueExtent decimateColumns(const SampleStore &store, SampleSpan span, qint64 keyOrigin,
                            const ColumnGrid &grid, ChannelLines &lines,
                            bool useEnvelope, quint32 extentChannels)
{
    const int channelCount = store.channelCount();
    lines.resize(size_t(channelCount));
    for (std::vector<PlotPoint> &line : lines)
        line.clear();
    // A copy the compiler can keep in registers while the lines grow.
    const ColumnGrid columns = grid;
    std::array<ColumnRun<int>, Sample::channelCount> runs{};
    std::vector<ColumnRun<double>> computedRuns(
        static_cast<size_t>(channelCount - Sample::channelCount));
    ValueExtent extent;
    ValueExtent uncounted;
    const auto flush = [&] {
        for (size_t channel = 0; channel < runs.size(); ++channel)
            flushInto(runs[channel], lines[channel],
                      (extentChannels >> channel) & 1u ? extent : uncounted, store, keyOrigin);
        for (size_t i = 0; i < computedRuns.size(); ++i) {
            const size_t channel = Sample::channelCount + i;
            flushInto(computedRuns[i], lines[channel],
                      (extentChannels >> channel) & 1u ? extent : uncounted, store, keyOrigin);
        }
    };
    // The computed channels of the sample at `position`.
    const auto takeComputed = [&](int position) {
        for (size_t i = 0; i < computedRuns.size(); ++i) {
            double value = 0;
            if (store.value(position, Sample::channelCount + int(i), &value))
                computedRuns[i].take(value, position);
        }
    };
    const int begin = std::max(span.begin, 0);
    const int end = std::min(span.end, store.size());
    int column = -1;
    for (int position = begin; position < end;) {
        const Sample &sample = store.at(position);
        const int sampleColumn = columns.columnOf(double(sample.index - keyOrigin));
        const bool gap = sample.gapBefore && position > begin;
        if (sampleColumn != column || gap) {
            flush();
            column = sampleColumn;
        }
        if (gap)
            for (std::vector<PlotPoint> &line : lines)
                line.push_back({double(sample.index - keyOrigin) - 0.5, qQNaN()});

        // A whole block inside this column, without a gap after its first
        // sample, is taken from its summary.
        if (useEnvelope && (sample.index & (blockLength - 1)) == 0
            && end - position >= blockLength) {
            const qint64 lastIndex = store.at(position + int(blockLength) - 1).index;
            if (lastIndex - sample.index == blockLength - 1
                && columns.columnOf(double(lastIndex - keyOrigin)) == column) {
                const SampleEnvelope::Block *block = store.envelope().wholeBlockAt(sample.index);
                if (block && !block->gapInside) {
                    // The computed channels have no summaries.
                    if (!computedRuns.empty())
                        for (int at = position; at < position + int(blockLength); ++at)
                            takeComputed(at);
                    for (size_t channel = 0; channel < runs.size(); ++channel) {
                        const SampleEnvelope::Channel &summary = block->channels[channel];
                        if (!summary.any)
                            continue;
                        runs[channel].take(summary.low, position + summary.lowAt, summary.high,
                                           position + summary.highAt, summary.count);
                    }
                    position += int(blockLength);
                    continue;
                }
            }
        }

        for (size_t channel = 0; channel < runs.size(); ++channel) {
            if (!sample.hasValue(int(channel)))
                continue;
            runs[channel].take(sample.values[channel], position);
        }
        if (!computedRuns.empty())
            takeComputed(position);
        ++position;
    }
    flush();
    return extent;
}

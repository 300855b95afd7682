#include "decimation.h"

#include <QtNumeric>

#include <algorithm>
#include <cmath>

namespace {

// A channel's samples since the last column edge or gap: the first lowest
// and the last highest, so a flat run keeps both of its ends.
struct ColumnRun
{
    bool any = false;
    PlotPoint low{};
    PlotPoint high{};
    // Store positions: huge indexes can share a key.
    int lowAt = 0;
    int highAt = 0;

    void take(int position, double key, int value)
    {
        const double v = value;
        if (!any) {
            low = high = {key, v};
            lowAt = highAt = position;
            any = true;
            return;
        }
        if (v < low.value) {
            low = {key, v};
            lowAt = position;
        }
        if (v >= high.value) {
            high = {key, v};
            highAt = position;
        }
    }

    void flushInto(std::vector<PlotPoint> &line)
    {
        if (!any)
            return;
        any = false;
        if (lowAt == highAt) {
            line.push_back(low);
        } else if (lowAt < highAt) {
            line.push_back(low);
            line.push_back(high);
        } else {
            line.push_back(high);
            line.push_back(low);
        }
    }
};

} // namespace

int ColumnGrid::columnOf(double key) const
{
    const int count = std::max(columns, 1);
    const double size = upper - lower;
    if (!(size > 0))
        return 0;
    const double column = std::floor((key - lower) / size * count);
    // NaN compares false both ways and lands in column 0.
    if (!(column >= 0))
        return 0;
    return column >= count ? count - 1 : int(column);
}

ValueExtent decimateColumns(const SampleStore &store, SampleSpan span, qint64 keyOrigin,
                            const ColumnGrid &grid, ChannelLines &lines)
{
    for (std::vector<PlotPoint> &line : lines)
        line.clear();
    std::array<ColumnRun, Sample::channelCount> runs{};
    ValueExtent extent;
    const int begin = std::max(span.begin, 0);
    const int end = std::min(span.end, store.size());
    int column = -1;
    for (int position = begin; position < end; ++position) {
        const Sample &sample = store.at(position);
        const double key = double(sample.index - keyOrigin);
        const int sampleColumn = grid.columnOf(key);
        const bool gap = sample.gapBefore && position > begin;
        if (sampleColumn != column || gap) {
            for (size_t channel = 0; channel < runs.size(); ++channel)
                runs[channel].flushInto(lines[channel]);
            column = sampleColumn;
        }
        if (gap)
            for (std::vector<PlotPoint> &line : lines)
                line.push_back({key - 0.5, qQNaN()});
        for (size_t channel = 0; channel < runs.size(); ++channel) {
            if (!sample.hasValue(int(channel)))
                continue;
            const int value = sample.values[channel];
            runs[channel].take(position, key, value);
            if (!extent.any) {
                extent = {true, value, value};
            } else {
                extent.minimum = std::min(extent.minimum, value);
                extent.maximum = std::max(extent.maximum, value);
            }
        }
    }
    for (size_t channel = 0; channel < runs.size(); ++channel)
        runs[channel].flushInto(lines[channel]);
    return extent;
}

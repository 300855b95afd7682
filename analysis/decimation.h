#pragma once

#include "samplespan.h"
#include "samplestore.h"

#include <array>
#include <cmath>
#include <vector>

// One point of a graph's line; a NaN value breaks the line there.
struct PlotPoint
{
    double key;
    double value;
};

// The stretch of keys a plot draws across its pixel columns, each column
// the same share of it.
struct ColumnGrid
{
    double lower = 0;
    double upper = 1;
    int columns = 1;

    // The column a key falls in; keys outside the stretch count to the
    // nearest edge column. Inline: it runs once per sample decimated.
    int columnOf(double key) const
    {
        const int count = columns > 1 ? columns : 1;
        const double size = upper - lower;
        if (!(size > 0))
            return 0;
        const double column = std::floor((key - lower) / size * count);
        // NaN compares false both ways and lands in column 0.
        if (!(column >= 0))
            return 0;
        return column >= count ? count - 1 : int(column);
    }
};

// One line per channel of the store, inputs then computed ones.
using ChannelLines = std::vector<std::vector<PlotPoint>>;

// The lowest and highest value drawn, over all channels.
struct ValueExtent
{
    bool any = false;
    double minimum = 0;
    double maximum = 0;
};

// Makes each channel's line from the held samples in `span`, keyed by
// sample index less `keyOrigin` (indexes are never negative, as the store
// gives them). Per pixel column of `grid` a line keeps two points: the
// column's minimum and maximum. A column with one or two samples keeps them
// as they are; one with more becomes a vertical stroke from its minimum to
// its maximum, at the key of the earlier of the two. So a spike one sample
// wide is never lost, and the work per redraw is one pass over the samples
// however many there are, less with `useEnvelope`: whole blocks are then
// read from the store's envelope (the same lines either way).
// A gap breaks every line (a NaN point half a step before the first sample
// after it) and splits the column it falls in. `lines` is refilled; its
// capacity is reused from one redraw to the next.
// Only the channels whose bit is set in `extentChannels` count to the
// extent (hidden ones do not).
ValueExtent decimateColumns(const SampleStore &store, SampleSpan span, qint64 keyOrigin,
                            const ColumnGrid &grid, ChannelLines &lines,
                            bool useEnvelope = false, quint32 extentChannels = ~0u);

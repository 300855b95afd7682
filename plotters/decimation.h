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

using ChannelLines = std::array<std::vector<PlotPoint>, Sample::channelCount>;

// The lowest and highest value drawn, over all channels.
struct ValueExtent
{
    bool any = false;
    int minimum = 0;
    int maximum = 0;
};

// The lowest and highest value of each channel per block of 64 consecutive
// sample indexes, kept from one redraw to the next: a long view then reads
// one summary where it would read 64 samples, and the intake never sees it.
// A sample index stands for the same sample as long as it is held, so a
// summary stays true; one store's samples only.
class BlockSummaries
{
public:
    static constexpr qint64 blockLength = 64;

    struct Channel
    {
        bool any = false;
        int low = 0;
        int high = 0;
        // Offsets in the block of the first lowest and the last highest.
        quint8 lowAt = 0;
        quint8 highAt = 0;
        // Those with a value.
        quint8 samples = 0;
    };
    struct Block
    {
        // -1: nothing summarised here yet.
        qint64 firstIndex = -1;
        // A gap before one of its samples after the first.
        bool gapInside = false;
        std::array<Channel, Sample::channelCount> channels{};
    };

    // The summary of the block of samples from `position` on, which hold
    // the indexes of one whole block; made now unless kept from before.
    const Block &blockAt(const SampleStore &store, int position);

private:
    std::vector<Block> m_blocks;
};

// Makes each channel's line from the held samples in `span`, keyed by
// sample index less `keyOrigin` (indexes are never negative, as the store
// gives them). Per pixel column of `grid` a line keeps two points: the
// column's minimum and maximum. A column with one or two samples keeps them
// as they are; one with more becomes a vertical stroke from its minimum to
// its maximum, at the key of the earlier of the two. So a spike one sample
// wide is never lost, and the work per redraw is one pass over the samples
// however many there are, less with `summaries` (the same lines either way).
// A gap breaks every line (a NaN point half a step before the first sample
// after it) and splits the column it falls in. `lines` is refilled; its
// capacity is reused from one redraw to the next.
ValueExtent decimateColumns(const SampleStore &store, SampleSpan span, qint64 keyOrigin,
                            const ColumnGrid &grid, ChannelLines &lines,
                            BlockSummaries *summaries = nullptr);

// The plot's min/max decimation and cursor readout over arbitrary samples:
// any values (the extremes of int included), validity masks, gaps, skipped
// and huge indexes, any store capacity, span, key origin and column grid.
// Each column's lowest and highest drawn point must be those of its samples.
#include "cursorreadout.h"
#include "decimation.h"
#include "fuzzcheck.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// Reads the input front to back; past its end every read gives zeros.
struct Reader
{
    const unsigned char *data;
    size_t size;
    size_t at = 0;

    bool atEnd() const { return at >= size; }
    unsigned char byte() { return at < size ? data[at++] : 0; }
    quint32 word()
    {
        quint32 value = 0;
        for (int i = 0; i < 4; ++i)
            value = (value << 8) | byte();
        return value;
    }
    double anyDouble()
    {
        const quint64 bits = (quint64(word()) << 32) | word();
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
};

int valueFrom(Reader &in)
{
    const unsigned char kind = in.byte();
    switch (kind % 4) {
    case 0: return INT_MIN;
    case 1: return INT_MAX;
    case 2: return int(kind) - 128;
    default: return int(in.word());
    }
}

struct Extremes
{
    bool any = false;
    double low = 0;
    double high = 0;

    void take(double value)
    {
        low = any ? std::min(low, value) : value;
        high = any ? std::max(high, value) : value;
        any = true;
    }
    bool operator==(const Extremes &other) const
    {
        return any == other.any && (!any || (low == other.low && high == other.high));
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    Reader in{data, size};
    SampleStore store(1 << (in.byte() % 13));
    const int columns = int(in.word() % 4096) - 8;
    const unsigned char gridKind = in.byte();
    const unsigned char spanBegin = in.byte();
    const unsigned char spanEnd = in.byte();
    const bool keyFromOldest = in.byte() & 1;
    const double anyLower = in.anyDouble();
    const double anyUpper = in.anyDouble();
    // Indexes start anywhere below 2^62 and never pass 2^62 + 2^49: their
    // differences never overflow, as with the store's own from 1 on.
    qint64 index = qint64(in.word() & 0x3fffffff) << (in.byte() % 33);
    while (!in.atEnd()) {
        const unsigned char step = in.byte();
        Sample sample;
        index += step & 0x10 ? qint64(1) << 40 : (step & 0x0f) + 1;
        sample.index = index;
        sample.gapBefore = step & 0x20;
        sample.timeNs = qint64(in.word()) * (step & 0x40 ? 1 : -1);
        sample.validMask = in.byte() & 0b111;
        for (int &value : sample.values)
            value = valueFrom(in);
        store.append(sample);
    }

    const SampleSpan span{spanBegin * (store.size() + 1) / 256 - 1,
                          spanEnd * (store.size() + 2) / 256};
    const qint64 keyOrigin = keyFromOldest && !store.isEmpty() ? store.at(0).index : 0;
    ColumnGrid grid{0, 1, columns};
    if (gridKind & 1) {
        grid.lower = anyLower;
        grid.upper = anyUpper;
    } else if (!store.isEmpty()) {
        grid.lower = double(store.at(0).index - keyOrigin) - gridKind;
        grid.upper = double(store.newest().index - keyOrigin) + (gridKind >> 4);
    }

    // Lines left from an earlier redraw must not leak into this one.
    ChannelLines lines(Sample::channelCount);
    lines[1].push_back({1, 2});
    const ValueExtent extent = decimateColumns(store, span, keyOrigin, grid, lines);

    const int count = std::max(columns, 1);
    const int begin = std::clamp(span.begin, 0, store.size());
    const int end = std::clamp(span.end, begin, store.size());
    int gaps = 0;
    Extremes all;
    for (int channel = 0; channel < Sample::channelCount; ++channel) {
        std::vector<Extremes> expected(static_cast<size_t>(count));
        gaps = 0;
        for (int position = begin; position < end; ++position) {
            const Sample &sample = store.at(position);
            gaps += sample.gapBefore && position > begin;
            if (!sample.hasValue(channel))
                continue;
            const double key = double(sample.index - keyOrigin);
            expected[size_t(grid.columnOf(key))].take(sample.values[size_t(channel)]);
            all.take(sample.values[size_t(channel)]);
        }
        std::vector<Extremes> drawn(static_cast<size_t>(count));
        int breaks = 0;
        int points = 0;
        const std::vector<PlotPoint> &line = lines[size_t(channel)];
        for (size_t i = 0; i < line.size(); ++i) {
            FUZZ_CHECK(i == 0 || line[i].key >= line[i - 1].key);
            if (std::isnan(line[i].value)) {
                ++breaks;
                continue;
            }
            ++points;
            drawn[size_t(grid.columnOf(line[i].key))].take(line[i].value);
        }
        FUZZ_CHECK(breaks == gaps);
        // At most two points per column, and per extra run a gap makes.
        FUZZ_CHECK(points <= 2 * (count + gaps));
        for (size_t column = 0; column < expected.size(); ++column)
            FUZZ_CHECK(drawn[column] == expected[column]);
    }
    FUZZ_CHECK(extent.any == all.any);
    if (extent.any)
        FUZZ_CHECK(extent.minimum == all.low && extent.maximum == all.high);

    // The store's envelope gives the same lines, also after more samples
    // pushed older ones out of the ring.
    const auto sameWithSummaries = [&](const ChannelLines &plain) {
        ChannelLines summarised;
        const ValueExtent fromSummaries =
            decimateColumns(store, span, keyOrigin, grid, summarised, true);
        const ValueExtent fromSamples = decimateColumns(store, span, keyOrigin, grid, lines);
        FUZZ_CHECK(fromSummaries.any == fromSamples.any);
        FUZZ_CHECK(fromSummaries.minimum == fromSamples.minimum);
        FUZZ_CHECK(fromSummaries.maximum == fromSamples.maximum);
        for (size_t channel = 0; channel < plain.size(); ++channel) {
            FUZZ_CHECK(summarised[channel].size() == plain[channel].size());
            for (size_t i = 0; i < plain[channel].size(); ++i) {
                const PlotPoint &a = summarised[channel][i];
                const PlotPoint &b = plain[channel][i];
                FUZZ_CHECK(a.key == b.key || (std::isnan(a.key) && std::isnan(b.key)));
                FUZZ_CHECK(a.value == b.value || (std::isnan(a.value) && std::isnan(b.value)));
            }
        }
    };
    const ChannelLines plain = lines;
    sameWithSummaries(plain);
    sameWithSummaries(plain);
    if (!store.isEmpty()) {
        // The same samples again under new indexes, aligned differently.
        const int count = store.size();
        for (int i = 0; i < count && i < 200; ++i) {
            Sample again = store.at(i);
            again.index = ++index;
            store.append(again);
        }
        ChannelLines fresh;
        decimateColumns(store, span, keyOrigin, grid, fresh);
        sameWithSummaries(fresh);
    }

    // The cursors on held samples, on samples never held, and far off.
    if (!store.isEmpty()) {
        const qint64 first = store.at(0).index;
        const qint64 a = first + qint64(spanBegin) - 8;
        const qint64 b = store.newest().index - qint64(spanEnd) + 8;
        const CursorReadout readout = readCursors(store, a, b);
        FUZZ_CHECK(readout.deltaSamples == b - a);
        const bool bothHeld = store.positionOf(a) >= 0 && store.positionOf(b) >= 0;
        FUZZ_CHECK(readout.deltaMs.has_value()
                   == (bothHeld && (a == b || store.at(store.positionOf(a)).timeNs
                                                  != store.at(store.positionOf(b)).timeNs)));
        for (const CursorReadout::Channel &channel : readout.channels)
            FUZZ_CHECK(channel.difference.has_value() == (channel.atA && channel.atB));
        FUZZ_CHECK(cursorReadoutLines(readout, {"0", "1", "2"}).size()
                   == 2 + Sample::channelCount);
    }
    return 0;
}

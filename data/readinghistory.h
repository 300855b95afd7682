#pragma once

#include <QString>
#include <QtGlobal>

#include <array>
#include <cstddef>
#include <deque>
#include <limits>
#include <vector>

class QDateTime;

// Every reading of a slow instrument (the voltmeter's three inputs, the
// counter's frequency) for up to a week, in bounded memory. The newest
// readings are kept as they are; all readings are also reduced, as they
// arrive, into 1 s and 1 min intervals holding each channel's minimum,
// mean and maximum, so any span can be drawn from whichever
// level covers it. Times are wall-clock milliseconds since the epoch and
// never go back: a reading older than the newest one is taken as
// simultaneous with it.
class ReadingHistory
{
public:
    static constexpr int maxChannels = 3;
    // The latest time held, the end of the year 9999: arithmetic on times
    // never overflows.
    static constexpr qint64 maxTimeMs = 253402300799999;

    // One channel over one interval; no value when `count` is 0.
    struct Channel
    {
        double min = 0;
        double max = 0;
        // Kept as a mean, not a sum: a sum of huge values overflows.
        double average = 0;
        qint64 count = 0;

        double mean() const;
        void add(double value);
        void merge(const Channel &other);
    };

    // One reading, or readings reduced to one interval.
    struct Interval
    {
        qint64 firstMs = 0;
        qint64 lastMs = 0;
        qint64 readings = 0;
        // The line is not joined to the interval before (the board was away).
        bool gapBefore = false;
        std::array<Channel, maxChannels> channels{};

        // Where it is drawn: the middle of its readings.
        qint64 middleMs() const { return firstMs + (lastMs - firstMs) / 2; }
        void merge(const Interval &other);
    };

    // How long each level keeps what it holds. Levels after the first
    // reduce to intervals of `widthMs`, aligned to the epoch.
    struct Level
    {
        qint64 widthMs;
        qint64 keepMs;
    };
    struct Layout
    {
        qint64 rawKeepMs;
        std::size_t rawMaxReadings;
        std::vector<Level> reduced;
    };
    // Readings of the last 10 min (at most 262,144 of them), 1 s intervals
    // for 8 h, 1 min intervals for 7 days.
    static Layout standardLayout();

    explicit ReadingHistory(int channelCount, Layout layout = standardLayout());

    int channelCount() const { return m_channelCount; }

    // `values` holds channelCount() values; NaN or infinity is no value.
    void add(qint64 timeMs, const double *values);
    // The next reading is not joined to the one before it.
    void markGap() { m_gapPending = true; }

    bool isEmpty() const { return m_levels.front().intervals.empty(); }
    qint64 firstMs() const;
    qint64 lastMs() const;
    // Readings added since construction; changes with every add().
    qint64 addedCount() const { return m_added; }

    // Levels: 0 holds single readings, the last one the longest span.
    int levelCount() const { return int(m_levels.size()); }
    const std::deque<Interval> &level(int index) const { return m_levels[size_t(index)].intervals; }
    // The readings a level stands for.
    qint64 readingsIn(int index) const;

    // What lies between fromMs and toMs (both included), from the finest
    // level that reaches back to fromMs (or to the oldest reading held), or
    // a coarser one that does too and whose intervals are no wider than a
    // slice (the span divided by `maxIntervals`). At most `maxIntervals`
    // are returned: where there are more, consecutive ones falling into the
    // same of `maxIntervals` equal time slices are merged. An empty span or
    // `maxIntervals` < 1 gives nothing.
    std::vector<Interval> intervals(qint64 fromMs, qint64 toMs, int maxIntervals) const;
    // All of that span merged into one; `readings` 0 when it holds none.
    Interval summary(qint64 fromMs, qint64 toMs) const;

    // Bytes held, containers included.
    std::size_t memoryBytes() const;

private:
    struct Store
    {
        qint64 widthMs = 0; // 0: single readings
        qint64 keepMs = 0;
        std::size_t maxCount = 0; // 0: no limit besides keepMs
        std::deque<Interval> intervals;
        qint64 readings = 0;
        // The newest time of what was dropped.
        qint64 droppedThroughMs = std::numeric_limits<qint64>::min();
    };

    int chooseLevel(qint64 fromMs, qint64 sliceMs) const;
    static void prune(Store &store, qint64 newestMs);

    const int m_channelCount;
    std::vector<Store> m_levels;
    qint64 m_added = 0;
    bool m_gapPending = false;
};

// The time axis' label format for a chart from `from` to `to`: the time of
// day, with the date where the span crosses midnight.
QString chartTimeFormat(const QDateTime &from, const QDateTime &to);

#pragma once

#include <QtGlobal>

#include <deque>
#include <optional>

// Frames received per second over the last two seconds, from the store's
// append count at each redraw. The store holds only a fraction of a second at
// full speed, so the rate cannot come from the samples held.
class RateMeter
{
public:
    static constexpr qint64 spanNs = 2000000000;

    // Once per redraw: monotonicNowNs() and SampleStore::appendCount().
    void update(qint64 nowNs, quint64 appendCount);
    void reset() { m_readings.clear(); }

    // Over the last two seconds, or over what there is since the start or
    // since a pause longer than that; none before two redraws.
    std::optional<double> framesPerSecond() const;

private:
    struct Reading
    {
        qint64 timeNs;
        quint64 appendCount;
    };
    // Oldest first; the oldest is the newest reading at least two seconds old.
    std::deque<Reading> m_readings;
};

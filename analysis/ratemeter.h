#pragma once

#include <QtGlobal>

#include <deque>
#include <optional>

class SampleStore;

// Samples per second from the samples' own read times, over the reads of
// the last two seconds: the one rate of a plot, for its readout, its
// cursors and its spectrum's axis. A gap (a pause, a loss) or a stall (a
// silence of more than a second, and of more than four reads' usual
// spacing) starts it over: the time before it says nothing about the rate
// now. Redraws only ask; how often they come does not matter.
class RateMeter
{
public:
    static constexpr qint64 spanNs = 2000000000;
    static constexpr qint64 stallNs = 1000000000;

    // Takes in the samples new since the last call.
    void update(const SampleStore &store);
    // Takes in one sample: its read time, its number in the stream (one
    // more than the one before), and whether a gap came before it. True
    // when it starts the count over: what came before says nothing about
    // the time of what comes after.
    bool take(qint64 timeNs, qint64 number, bool gapBefore);
    void reset()
    {
        m_readings.clear();
        m_lastIndex.reset();
    }

    // None before two reads since the start or the last gap.
    std::optional<double> framesPerSecond() const;

private:
    // A read this long after the newest one follows a stall.
    bool isStall(qint64 readNs) const;

    // One read: its time and the index of its last sample.
    struct Reading
    {
        qint64 timeNs;
        qint64 index;
    };
    // Oldest first, none older than two seconds before the newest.
    std::deque<Reading> m_readings;
    std::optional<qint64> m_lastIndex;
};

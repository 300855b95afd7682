#pragma once

#include <QtGlobal>

#include <functional>

// The wall-clock times a chart's readings are stamped with. Each reading
// gets the wall clock's time when it was read, so the chart agrees with the
// clock also after the computer slept or the clock was corrected. The times
// never go back: after the clock is set back they hold until it catches up.
// Where the wall clock ran ahead of the monotonic clock between two
// readings by more than `gapMs` (the computer slept, which the monotonic
// clock does not count, or the clock was set forward), the second reading
// starts a new line.
class ReadingClock
{
public:
    using Clock = std::function<qint64()>;

    static constexpr qint64 gapMs = 5000;

    // `wallMs`: milliseconds since the epoch; `monotonicNs`: the clock of
    // the readings' read times. The system's clocks unless a test steps them.
    explicit ReadingClock(Clock wallMs = {}, Clock monotonicNs = {});

    struct Stamp
    {
        qint64 timeMs = 0;
        // The line is not joined to the reading before.
        bool gapBefore = false;
    };
    // The time of a reading read at `readTimeNs` on the monotonic clock,
    // stamped now.
    Stamp stamp(qint64 readTimeNs);
    // Now, on the readings' time line.
    qint64 nowMs() const;

private:
    const Clock m_wallMs;
    const Clock m_monotonicNs;
    bool m_stamped = false;
    qint64 m_lastStampMs = 0;
    // Both clocks when the last reading was stamped.
    qint64 m_lastWallMs = 0;
    qint64 m_lastMonotonicNs = 0;
};

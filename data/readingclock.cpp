#include "readingclock.h"

#include "monotonicclock.h"

#include <QDateTime>

#include <algorithm>

ReadingClock::ReadingClock(Clock wallMs, Clock monotonicNs)
    : m_wallMs(wallMs ? std::move(wallMs) : [] { return QDateTime::currentMSecsSinceEpoch(); }),
      m_monotonicNs(monotonicNs ? std::move(monotonicNs) : monotonicNowNs)
{
}

ReadingClock::Stamp ReadingClock::stamp(qint64 readTimeNs)
{
    const qint64 wallMs = m_wallMs();
    const qint64 monotonicNs = m_monotonicNs();
    // The reading waited a moment (in the port's buffer, in the event
    // queue) before it was stamped; a day covers any wait that is real.
    constexpr qint64 dayNs = qint64(24) * 3600 * 1000000000;
    const qint64 waitedMs = std::clamp<qint64>(monotonicNs - readTimeNs, 0, dayNs) / 1000000;

    Stamp stamp;
    stamp.timeMs = wallMs - waitedMs;
    if (m_stamped) {
        const qint64 monotonicAdvanceMs = (monotonicNs - m_lastMonotonicNs) / 1000000;
        stamp.gapBefore = wallMs - m_lastWallMs - monotonicAdvanceMs > gapMs;
        stamp.timeMs = std::max(stamp.timeMs, m_lastStampMs);
    }
    m_stamped = true;
    m_lastStampMs = stamp.timeMs;
    m_lastWallMs = wallMs;
    m_lastMonotonicNs = monotonicNs;
    return stamp;
}

qint64 ReadingClock::nowMs() const
{
    const qint64 wallMs = m_wallMs();
    return m_stamped ? std::max(wallMs, m_lastStampMs) : wallMs;
}

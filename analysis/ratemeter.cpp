#include "ratemeter.h"

#include "samplespan.h"

void RateMeter::update(const SampleStore &store)
{
    if (store.isEmpty())
        return;
    int from = 0;
    if (m_lastIndex) {
        if (store.newest().index < *m_lastIndex)
            reset(); // indexes started over: another stream
        else
            from = firstPositionFrom(store, *m_lastIndex + 1);
    }
    for (int position = from; position < store.size(); ++position) {
        const Sample &sample = store.at(position);
        take(sample.timeNs, sample.index, sample.gapBefore);
    }
    m_lastIndex = store.newest().index;
}

bool RateMeter::take(qint64 timeNs, qint64 number, bool gapBefore)
{
    const bool startsOver = gapBefore || (!m_readings.empty() && timeNs < m_readings.back().timeNs)
                            || isStall(timeNs);
    if (startsOver)
        m_readings.clear();
    // The samples of one read share its time. The first read after a
    // gap only starts the count: what it holds came in over a time
    // nobody knows.
    if (!m_readings.empty() && m_readings.back().timeNs == timeNs) {
        m_readings.back().index = number;
        return startsOver;
    }
    m_readings.push_back({timeNs, number});
    // In doubles: stamps far apart must not overflow.
    while (m_readings.size() > 2 && double(timeNs) - double(m_readings.front().timeNs) > double(spanNs))
        m_readings.pop_front();
    return startsOver;
}

bool RateMeter::isStall(qint64 readNs) const
{
    if (m_readings.empty())
        return false;
    // In doubles: stamps far apart must not overflow.
    const double silenceNs = double(readNs) - double(m_readings.back().timeNs);
    if (silenceNs <= double(stallNs))
        return false;
    if (m_readings.size() < 2)
        return true;
    // A slow board's reads may lie far apart; four of its usual spacings
    // are still no stall.
    const double usualNs = double(m_readings.back().timeNs - m_readings.front().timeNs)
                           / double(m_readings.size() - 1);
    return silenceNs > 4 * usualNs;
}

std::optional<double> RateMeter::framesPerSecond() const
{
    if (m_readings.size() < 2)
        return std::nullopt;
    const Reading &first = m_readings.front();
    const Reading &last = m_readings.back();
    return double(last.index - first.index) * 1e9 / double(last.timeNs - first.timeNs);
}

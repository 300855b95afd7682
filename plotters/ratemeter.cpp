#include "ratemeter.h"

void RateMeter::update(qint64 nowNs, quint64 appendCount)
{
    if (!m_readings.empty()) {
        const Reading &last = m_readings.back();
        // Redraws paused for longer than the span (or a new store) say
        // nothing about the rate now.
        if (nowNs - last.timeNs > spanNs || appendCount < last.appendCount
            || nowNs < last.timeNs)
            m_readings.clear();
        else if (nowNs == last.timeNs)
            m_readings.pop_back();
    }
    m_readings.push_back({nowNs, appendCount});
    while (m_readings.size() > 2 && m_readings[1].timeNs <= nowNs - spanNs)
        m_readings.pop_front();
}

std::optional<double> RateMeter::framesPerSecond() const
{
    if (m_readings.size() < 2)
        return std::nullopt;
    const Reading &first = m_readings.front();
    const Reading &last = m_readings.back();
    return double(last.appendCount - first.appendCount) * 1e9 / double(last.timeNs - first.timeNs);
}

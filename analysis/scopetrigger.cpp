#include "scopetrigger.h"

#include "samplespan.h"
#include "samplestore.h"

#include <algorithm>

TriggerMode nextTriggerMode(TriggerMode mode)
{
    switch (mode) {
    case TriggerMode::Off:
        return TriggerMode::RisingEdge;
    case TriggerMode::RisingEdge:
        return TriggerMode::FallingEdge;
    case TriggerMode::FallingEdge:
        break;
    }
    return TriggerMode::Off;
}

void ScopeTrigger::setMode(TriggerMode mode)
{
    if (mode == m_mode)
        return;
    m_mode = mode;
    restart();
}

void ScopeTrigger::setSourceChannel(int channel)
{
    const int clamped = std::clamp(channel, 0, maxSourceChannel);
    if (clamped == m_source)
        return;
    m_source = clamped;
    restart();
}

void ScopeTrigger::setUserLevel(int level)
{
    if (m_userLevel == level)
        return;
    m_userLevel = level;
    restart();
}

void ScopeTrigger::clearUserLevel()
{
    if (!m_userLevel)
        return;
    m_userLevel.reset();
    restart();
}

void ScopeTrigger::restart()
{
    // Reading the held samples again finds a crossing at once after a
    // change of settings instead of waiting for new ones.
    m_armed = false;
    m_lastTakenIndex.reset();
    m_shownIndex.reset();
    m_waitingIndex.reset();
}

void ScopeTrigger::update(const SampleStore &store, qint64 nowNs)
{
    followLevel(store);
    if (m_mode == TriggerMode::Off) {
        restart();
        return;
    }

    int from = 0;
    if (m_lastTakenIndex && !store.isEmpty()) {
        if (store.newest().index < *m_lastTakenIndex) {
            // Indexes started over: not the stream read so far.
            restart();
        } else {
            from = firstPositionFrom(store, *m_lastTakenIndex + 1);
            // The ring dropped samples before they were read: an edge
            // across the loss is no edge.
            if (from == 0 && store.at(0).index > *m_lastTakenIndex + 1)
                m_armed = false;
        }
    }
    for (int position = from; position < store.size(); ++position)
        takeSample(position, store, nowNs);
    if (from < store.size())
        m_lastTakenIndex = store.newest().index;

    if (m_shownIndex && !holdsWindowOf(store, *m_shownIndex))
        m_shownIndex.reset();
    if (m_waitingIndex && !holdsWindowOf(store, *m_waitingIndex))
        m_waitingIndex.reset();
    if (nowNs - m_lastCrossingNs > autoAfterNs)
        m_shownIndex.reset();
}

void ScopeTrigger::followLevel(const SampleStore &store)
{
    const SampleSpan window = newestSamples(store, levelWindowLength);
    bool found = false;
    double lowest = 0;
    double highest = 0;
    for (int position = window.begin; position < window.end; ++position) {
        double value = 0;
        if (m_source >= store.channelCount() || !store.value(position, m_source, &value))
            continue;
        lowest = found ? std::min(lowest, value) : value;
        highest = found ? std::max(highest, value) : value;
        found = true;
    }
    m_hysteresis = found ? hysteresisShare * (double(highest) - double(lowest)) : 0;
    m_hasLevel = found || m_userLevel;
    if (m_userLevel)
        m_level = *m_userLevel;
    else if (found)
        m_level = (double(lowest) + double(highest)) / 2;
}

void ScopeTrigger::takeSample(int position, const SampleStore &store, qint64 nowNs)
{
    const Sample &sample = store.at(position);
    if (sample.gapBefore)
        m_armed = false;
    // The waiting crossing is shown once its window is complete; any
    // sample at or past its end completes it, with a value or without.
    if (m_waitingIndex && sample.index >= *m_waitingIndex + postTriggerSamples) {
        m_shownIndex = m_waitingIndex;
        m_waitingIndex.reset();
        m_lastCrossingNs = nowNs;
    }
    double value = 0;
    if (m_source >= store.channelCount() || !store.value(position, m_source, &value)
        || !crossesLevel(value))
        return;

    m_lastCrossingNs = nowNs;
    // Re-armed only once the shown crossing's window has passed; the first
    // crossing after that is the next one shown.
    const bool rearmed = !m_shownIndex || sample.index > *m_shownIndex + postTriggerSamples;
    if (rearmed && !m_waitingIndex && holdsWindowOf(store, sample.index))
        m_waitingIndex = sample.index;
}

bool ScopeTrigger::crossesLevel(double value)
{
    if (!m_hasLevel)
        return false;
    if (m_mode == TriggerMode::RisingEdge) {
        if (value < m_level - m_hysteresis)
            m_armed = true;
        else if (m_armed && value >= m_level) {
            m_armed = false;
            return true;
        }
    } else {
        if (value > m_level + m_hysteresis)
            m_armed = true;
        else if (m_armed && value <= m_level) {
            m_armed = false;
            return true;
        }
    }
    return false;
}

bool ScopeTrigger::holdsWindowOf(const SampleStore &store, qint64 triggerIndex) const
{
    // Samples are only ever dropped from the old end, and the window's end
    // has arrived by the time it is shown; so the old end decides.
    return !store.isEmpty() && store.at(0).index <= triggerIndex - preTriggerSamples;
}

TriggerStatus ScopeTrigger::status() const
{
    if (m_mode == TriggerMode::Off)
        return TriggerStatus::Off;
    return m_shownIndex ? TriggerStatus::Triggered : TriggerStatus::Auto;
}

std::optional<TriggeredView> ScopeTrigger::view(const SampleStore &store) const
{
    if (status() != TriggerStatus::Triggered || !holdsWindowOf(store, *m_shownIndex)
        || store.newest().index < *m_shownIndex + postTriggerSamples)
        return std::nullopt;
    return TriggeredView{*m_shownIndex, *m_shownIndex - preTriggerSamples,
                         *m_shownIndex + postTriggerSamples};
}

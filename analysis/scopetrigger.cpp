#include "scopetrigger.h"

#include "samplespan.h"
#include "samplestore.h"

#include <algorithm>
#include <cmath>
#include <utility>

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

void ScopeTrigger::setCaptureMode(CaptureMode mode)
{
    if (mode == CaptureMode::Single) {
        armSingle();
        return;
    }
    m_captureMode = mode;
    m_singleTaken = false;
}

void ScopeTrigger::armSingle()
{
    m_captureMode = CaptureMode::Single;
    m_singleTaken = false;
    // What is shown stays until the capture replaces it; only a crossing
    // that arrives from now on counts.
    if (m_newestSeen)
        m_capturedUpTo = std::max(m_capturedUpTo.value_or(*m_newestSeen), *m_newestSeen);
}

void ScopeTrigger::setPreTriggerPercent(int percent)
{
    const int clamped = std::clamp(percent, minPreTriggerPercent, maxPreTriggerPercent);
    if (clamped == m_preTriggerPercent)
        return;
    m_preTriggerPercent = clamped;
    // A taken capture is looked at again from another place, not lost.
    if (!m_singleTaken)
        restart();
}

void ScopeTrigger::setHoldoffNs(qint64 holdoffNs)
{
    m_holdoffNs = std::clamp<qint64>(holdoffNs, 0, maxHoldoffNs);
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
    m_lastValue.reset();
    m_alignOffset.reset();
    m_newestSeen.reset();
    m_lastJudgedIndex.reset();
    m_lastWindowedIndex.reset();
    m_lows.clear();
    m_highs.clear();
    m_arrivals.clear();
    m_shownIndex.reset();
}

void ScopeTrigger::update(const SampleStore &store, qint64 nowNs)
{
    m_nowNs = nowNs;
    followLevel(store);
    if (m_mode == TriggerMode::Off) {
        restart();
        return;
    }

    if (!store.isEmpty()) {
        const qint64 newest = store.newest().index;
        // Indexes started over: not the stream read so far.
        if (m_newestSeen && newest < *m_newestSeen) {
            restart();
            m_capturedUpTo.reset();
        }
        if (!m_newestSeen || newest > *m_newestSeen)
            m_arrivals.emplace_back(newest, nowNs);
        m_newestSeen = newest;

        int position = 0;
        if (m_lastJudgedIndex) {
            position = firstPositionFrom(store, *m_lastJudgedIndex + 1);
            // The ring dropped samples before they were judged: an edge
            // across the loss is no edge.
            if (position == 0 && store.at(0).index > *m_lastJudgedIndex + 1) {
                m_armed = false;
                m_lastValue.reset();
            }
        }
        for (; position < store.size() && store.at(position).index + postTriggerSamples() <= newest;
             ++position)
            judge(position, store, nowNs);
    }

    // A taken Single capture goes only with its crossing.
    if (m_shownIndex && !holdsWindowOf(store, *m_shownIndex)
        && !(m_singleTaken && !store.isEmpty() && store.at(0).index <= *m_shownIndex))
        m_shownIndex.reset();
    if (m_captureMode == CaptureMode::Auto && nowNs - m_lastCrossingNs > autoAfterNs)
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

void ScopeTrigger::extendWindowTo(const SampleStore &store, qint64 lastIndex)
{
    int position = m_lastWindowedIndex ? firstPositionFrom(store, *m_lastWindowedIndex + 1) : 0;
    for (; position < store.size() && store.at(position).index <= lastIndex; ++position) {
        const qint64 index = store.at(position).index;
        m_lastWindowedIndex = index;
        double value = 0;
        if (m_source >= store.channelCount() || !store.value(position, m_source, &value))
            continue;
        // Each queue keeps only the values that may still be its extreme.
        while (!m_lows.empty() && m_lows.back().second >= value)
            m_lows.pop_back();
        m_lows.emplace_back(index, value);
        while (!m_highs.empty() && m_highs.back().second <= value)
            m_highs.pop_back();
        m_highs.emplace_back(index, value);
    }
}

void ScopeTrigger::judge(int position, const SampleStore &store, qint64 nowNs)
{
    const Sample &sample = store.at(position);
    const qint64 index = sample.index;
    m_lastJudgedIndex = index;
    if (sample.gapBefore) {
        m_armed = false;
        m_lastValue.reset();
    }
    extendWindowTo(store, index + postTriggerSamples());
    for (auto *queue : {&m_lows, &m_highs}) {
        while (!queue->empty() && queue->front().first < index - preTriggerSamples())
            queue->pop_front();
    }
    // The time the calls brought it, for the fall-back.
    while (m_arrivals.size() > 1 && m_arrivals.front().first < index)
        m_arrivals.pop_front();
    double value = 0;
    if (m_source >= store.channelCount() || !store.value(position, m_source, &value))
        return;
    const std::optional<std::pair<qint64, double>> before =
        std::exchange(m_lastValue, std::pair(index, value));
    // Measured against the samples a crossing here would show, not the
    // newest: a view wholly after a change of amplitude or offset is
    // aligned as the steady signal after it will be.
    const double lowest = m_lows.front().second;
    const double highest = m_highs.front().second;
    const double level = m_userLevel ? *m_userLevel : (lowest + highest) / 2;
    if (!crossesLevel(value, level, hysteresisShare * (highest - lowest)))
        return;
    // The level moved past the source as a change left the window: the
    // source itself did not cross it here.
    const bool rising = m_mode == TriggerMode::RisingEdge;
    if (!before || (rising ? before->second >= level : before->second <= level))
        return;
    // A crossing counts for the fall-back from when it arrived.
    m_lastCrossingNs = std::max(m_lastCrossingNs, m_arrivals.front().second);
    // Re-armed only once the shown crossing's window has passed; the first
    // crossing after that is the next one shown, its window complete now.
    const bool rearmed = !m_shownIndex || index > *m_shownIndex + postTriggerSamples();
    if (!rearmed || !holdsWindowOf(store, index) || !mayCapture(index, sample.timeNs))
        return;

    // A sample a hair from the level reaches it in one period and misses it
    // in the next, and the picture would jump a sample to and fro: of the
    // crossing sample and the one right before, the one placed against the
    // crossing (met between them, `after` samples before the crossing
    // sample) as in the last view is aligned on.
    const double after =
        (value - level) / (value - before->second) * double(index - before->first);
    const bool alignBefore =
        m_alignOffset && before->first == index - 1 && holdsWindowOf(store, index - 1)
        && !store.at(position - 1).gapBefore
        && std::abs(after - 1 - *m_alignOffset) < std::abs(after - *m_alignOffset);
    m_shownIndex = alignBefore ? index - 1 : index;
    m_alignOffset = alignBefore ? after - 1 : after;
    m_lastCrossingNs = nowNs;
    m_lastCaptureNs = sample.timeNs;
    m_capturedUpTo = std::max(m_capturedUpTo.value_or(index), index);
    m_singleTaken = m_captureMode == CaptureMode::Single;
    ++m_captureCount;
}

bool ScopeTrigger::mayCapture(qint64 index, qint64 timeNs) const
{
    if (m_lastCaptureNs && timeNs - *m_lastCaptureNs < m_holdoffNs)
        return false;
    if (m_captureMode == CaptureMode::Auto)
        return true;
    return !m_singleTaken && (!m_capturedUpTo || index > *m_capturedUpTo);
}

bool ScopeTrigger::crossesLevel(double value, double level, double hysteresis)
{
    if (m_mode == TriggerMode::RisingEdge) {
        if (value < level - hysteresis)
            m_armed = true;
        else if (m_armed && value >= level) {
            m_armed = false;
            return true;
        }
    } else {
        if (value > level + hysteresis)
            m_armed = true;
        else if (m_armed && value <= level) {
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
    return !store.isEmpty() && store.at(0).index <= triggerIndex - preTriggerSamples();
}

TriggerStatus ScopeTrigger::status() const
{
    if (m_mode == TriggerMode::Off)
        return TriggerStatus::Off;
    switch (m_captureMode) {
    case CaptureMode::Auto:
        break;
    case CaptureMode::Normal:
        if (!m_shownIndex)
            return TriggerStatus::Armed;
        return m_lastCaptureNs && m_nowNs - *m_lastCaptureNs < m_holdoffNs ? TriggerStatus::Waiting
                                                                          : TriggerStatus::Triggered;
    case CaptureMode::Single:
        return m_singleTaken ? TriggerStatus::Stopped : TriggerStatus::Armed;
    }
    return m_shownIndex ? TriggerStatus::Triggered : TriggerStatus::Auto;
}

std::optional<TriggeredView> ScopeTrigger::view(const SampleStore &store) const
{
    if (m_mode == TriggerMode::Off || !m_shownIndex || store.isEmpty())
        return std::nullopt;
    TriggeredView shown{*m_shownIndex, *m_shownIndex - preTriggerSamples(),
                        *m_shownIndex + postTriggerSamples()};
    if (holdsWindowOf(store, shown.triggerIndex) && store.newest().index >= shown.lastIndex)
        return shown;
    // A taken Single capture seen from another pre-trigger shows what is
    // held of it.
    if (!m_singleTaken || store.at(0).index > shown.triggerIndex)
        return std::nullopt;
    shown.firstIndex = std::max(shown.firstIndex, store.at(0).index);
    shown.lastIndex = std::min(shown.lastIndex, store.newest().index);
    return shown;
}

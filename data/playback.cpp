#include "playback.h"

#include "sampleintake.h"

#include <algorithm>
#include <limits>

Playback::Playback(std::shared_ptr<const Recording> recording, SampleIntake &intake,
                   QObject *parent)
    : QObject(parent), m_recording(std::move(recording)), m_intake(intake)
{
    m_timer.setInterval(tickMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { advance(m_clock.nsecsElapsed()); });
}

qint64 Playback::fileTimeNs(size_t position) const
{
    const std::vector<Sample> &samples = m_recording->samples;
    if (!m_recording->hasTimes)
        return qint64(position) * untimedSpacingNs;
    return samples[std::min(position, samples.size() - 1)].timeNs;
}

void Playback::setSpeed(double speed)
{
    m_speed = std::max(speed, 0.0);
    if (isPlaying())
        rebase();
}

void Playback::rebase()
{
    m_baseFileNs = m_position < m_recording->samples.size() ? fileTimeNs(m_position) : 0;
    m_elapsedAtBase = m_lastElapsedNs;
}

void Playback::play()
{
    const std::vector<Sample> &samples = m_recording->samples;
    if (samples.empty() || isPlaying())
        return;
    if (m_position >= samples.size() || m_position == 0) {
        // A run of its own after what the store holds, not joined to it.
        m_position = 0;
        const SampleStore &store = m_intake.store();
        m_indexShift = m_intake.lastIndex() + 1 - samples.front().index;
        const qint64 after = store.isEmpty() ? 0 : store.newest().timeNs + longestGapNs;
        m_timeShift = m_recording->hasTimes ? after - samples.front().timeNs : 0;
    }
    m_clock.start();
    m_lastElapsedNs = 0;
    rebase();
    m_timer.start();
}

void Playback::pause()
{
    m_timer.stop();
}

size_t Playback::advance(qint64 elapsedNs)
{
    const std::vector<Sample> &samples = m_recording->samples;
    m_lastElapsedNs = elapsedNs;
    const double sinceBase = double(elapsedNs - m_elapsedAtBase) * m_speed;
    const bool paced = m_speed != asFastAsPossible;
    qint64 dueNs = paced ? m_baseFileNs + qint64(std::min(sinceBase, 1e18))
                         : std::numeric_limits<qint64>::max();
    std::vector<Sample> batch;
    batch.reserve(std::min(mostPerTick, samples.size() - m_position));
    while (m_position < samples.size() && batch.size() < mostPerTick) {
        Sample sample = samples[m_position];
        const qint64 atNs = fileTimeNs(m_position);
        if (paced && sample.gapBefore && m_position > 0) {
            // A long silence is cut short to a second of playing, at any
            // speed: later samples come that much sooner.
            const double longest = std::min(double(longestGapNs) * m_speed, 1e18);
            const qint64 excess = atNs - fileTimeNs(m_position - 1) - qint64(longest);
            if (excess > 0 && atNs - excess <= dueNs) {
                m_baseFileNs += excess;
                dueNs += excess;
            }
        }
        if (paced && atNs > dueNs)
            break;
        sample.index += m_indexShift;
        sample.timeNs += m_timeShift;
        if (m_position == 0 && m_intake.lastIndex() > 0)
            sample.gapBefore = true;
        batch.push_back(sample);
        ++m_position;
    }
    m_intake.takeSamples(batch.data(), batch.size());
    if (m_position >= samples.size() && isPlaying()) {
        m_timer.stop();
        emit ended();
    }
    return batch.size();
}

#include "sampleintake.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

// The white space the frame scanner keeps; a space splits fields.
bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

bool frameFieldValue(const char *begin, const char *end, int *value)
{
    while (begin < end && isBlank(*begin))
        ++begin;
    while (end > begin && isBlank(end[-1]))
        --end;
    const bool negative = begin < end && *begin == '-';
    if (negative)
        ++begin;
    if (begin == end)
        return false;
    constexpr qint64 limit = qint64(std::numeric_limits<int>::max()) + 1;
    qint64 magnitude = 0;
    for (const char *p = begin; p < end; ++p) {
        const unsigned digit = unsigned(*p) - unsigned('0');
        if (digit > 9)
            return false;
        magnitude = magnitude * 10 + digit;
        if (magnitude > limit)
            return false;
    }
    if (!negative && magnitude == limit)
        return false;
    *value = int(negative ? -magnitude : magnitude);
    return true;
}

Sample sampleFromFrame(QLatin1String frameText, qint64 timeNs, bool *damaged)
{
    Sample sample;
    sample.timeNs = timeNs;
    const char *p = frameText.data();
    const char *const end = p + frameText.size();
    // There is always a first field, if only an empty one.
    int used = 0;
    for (; used < Sample::channelCount; ++used) {
        const char *fieldEnd = p;
        while (fieldEnd < end && *fieldEnd != ' ')
            ++fieldEnd;
        if (frameFieldValue(p, fieldEnd, &sample.values[size_t(used)]))
            sample.validMask |= quint8(1u << used);
        if (fieldEnd == end) {
            ++used;
            break;
        }
        p = fieldEnd + 1;
    }
    *damaged = sample.validMask != (1u << used) - 1;
    return sample;
}

SampleIntake::SampleIntake(int capacity, QObject *parent) : QObject(parent), m_store(capacity) {}

void SampleIntake::setPaused(bool paused)
{
    if (m_paused && !paused)
        m_gapPending = true;
    m_paused = paused;
}

void SampleIntake::takeBytes(const char *data, qsizetype size, qint64 readNs)
{
    const qint64 before = m_lastIndex;
    // The columns change between reads only.
    m_computed.resize(size_t(m_store.computedCount()));
    m_scanner.feed(data, size, [this, readNs](QLatin1String text) { takeFrame(text, readNs); });
    if (m_lastIndex != before)
        emit samplesAdded();
}

void SampleIntake::takeSamples(const Sample *samples, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        if (samples[i].index > m_lastIndex) {
            m_store.append(samples[i]);
            m_lastIndex = samples[i].index;
        }
    }
    m_gapPending = false;
    // A file's samples get their computed columns as the board's do.
    if (count > 0 && m_columns)
        m_columns->fill(m_store);
    if (count > 0)
        emit samplesAdded();
}

void SampleIntake::takeFrame(QLatin1String frameText, qint64 readNs)
{
    bool damaged = false;
    Sample sample = sampleFromFrame(frameText, readNs, &damaged);
    if (damaged)
        ++m_damagedFrames;
    std::fill(m_computed.begin(), m_computed.end(), qQNaN());
    if (!m_paused) {
        sample.index = ++m_lastIndex;
        sample.gapBefore = std::exchange(m_gapPending, false);
        m_store.append(sample);
        if (m_columns) {
            m_columns->fill(m_store);
            for (size_t column = 0; column < m_computed.size(); ++column)
                m_store.value(m_store.size() - 1, Sample::channelCount + int(column), &m_computed[column]);
        }
    } else if (m_columns && !m_computed.empty()) {
        m_columns->compute(sample, m_computed.data());
    }
    m_sinks.takeSample(sample, m_computed.data(), m_store.computedNames());
    if (m_frameWatcher)
        m_frameWatcher(frameText);
}

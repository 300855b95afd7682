#pragma once

#include "sampleenvelope.h"

#include <QStringList>
#include <QtGlobal>

#include <array>
#include <cmath>
#include <vector>

// One sample frame as the plotters keep it: up to three integer values, the
// moment its bytes were read, and the index the plot gives it.
struct Sample
{
    static constexpr int channelCount = 3;

    // The plot's sample index; it keeps counting across reconnections.
    qint64 index = 0;
    // monotonicNowNs() at the moment the frame's bytes were read.
    qint64 timeNs = 0;
    std::array<int, channelCount> values{};
    // Bit i set: channel i has a value (a damaged field has none).
    quint8 validMask = 0;
    // The board was away between the previous sample and this one: lines
    // must not join them.
    bool gapBefore = false;

    bool hasValue(int channel) const { return (validMask >> channel) & 1u; }
};

// How a frame's counts read in the unit its window shows, and its formulas
// see: (count - zero) / countsPerUnit; the counts themselves by default.
struct CountUnit
{
    double zero = 0;
    double countsPerUnit = 1;

    double valueOf(double count) const { return (count - zero) / countsPerUnit; }
};

// The last samples of a sample stream, without widgets: the plot, the
// export, the recorder, the trigger and the measurements all read it. A ring
// of fixed capacity, reserved whole at the start so that appending never
// allocates; a long history's memory is only touched as it fills.
class SampleStore
{
public:
    // `capacity` is rounded up to a power of two.
    explicit SampleStore(int capacity = 8192);

    void append(const Sample &sample);
    void clear();

    // Columns computed from the samples (formulas of the inputs), held
    // beside them rather than in Sample: a history of a million samples
    // pays for them only while there are any. Each new sample starts with
    // none; naming them anew empties them all. 8 bytes per column and
    // sample, grown as the ring fills.
    int computedCount() const { return m_computedCount; }
    // Sets their count, naming the columns: a recording and a publisher
    // find their columns by name when others are added or removed.
    void setComputedNames(const QStringList &names);
    const QStringList &computedNames() const { return m_computedNames; }
    // NaN: no value.
    void setComputed(int position, int column, double value)
    {
        m_computed[slotOf(position) * size_t(m_computedCount) + size_t(column)] = value;
    }
    // The inputs, then the computed columns.
    int channelCount() const { return Sample::channelCount + m_computedCount; }
    // A channel's value at a position, when it has one: every reader of
    // the channels asks here, inputs and computed alike.
    bool value(int position, int channel, double *out) const
    {
        if (channel < Sample::channelCount) {
            const Sample &sample = at(position);
            *out = sample.values[size_t(channel)];
            return sample.hasValue(channel);
        }
        *out = m_computed[slotOf(position) * size_t(m_computedCount)
                          + size_t(channel - Sample::channelCount)];
        return !std::isnan(*out);
    }

    int size() const { return int(m_size); }
    int capacity() const { return int(m_mask + 1); }
    bool isEmpty() const { return m_size == 0; }

    // 0 is the oldest sample held, size() - 1 the newest.
    const Sample &at(int position) const
    {
        return m_ring[slotOf(position)];
    }
    const Sample &newest() const { return at(size() - 1); }

    // Where the sample with this index is held, or -1 when it is not (never
    // arrived, already dropped, or a sample with no index in between).
    int positionOf(qint64 sampleIndex) const;

    // Counts every append since construction: a cheap "has anything changed".
    quint64 appendCount() const { return m_appendCount; }
    // Each block's minimum and maximum, kept up to date by append().
    const SampleEnvelope &envelope() const { return m_envelope; }

private:
    size_t slotOf(int position) const { return (m_head + size_t(position)) & m_mask; }

    std::vector<Sample> m_ring;
    std::vector<double> m_computed;
    int m_computedCount = 0;
    QStringList m_computedNames;
    size_t m_mask = 0;
    size_t m_head = 0;
    size_t m_size = 0;
    quint64 m_appendCount = 0;
    SampleEnvelope m_envelope;
};

#include "samplestore.h"

#include <QtNumeric>

#include <algorithm>

SampleStore::SampleStore(int capacity) : m_envelope(capacity)
{
    size_t rounded = 1;
    while (rounded < size_t(std::max(capacity, 1)))
        rounded <<= 1;
    m_ring.reserve(rounded);
    m_mask = rounded - 1;
}

void SampleStore::append(const Sample &sample)
{
    if (m_ring.size() <= m_mask) {
        // Still filling for the first time: the ring holds every sample
        // from slot 0 on, in order. Within the reserved capacity.
        m_ring.push_back(sample);
        ++m_size;
    } else {
        m_ring[(m_head + m_size) & m_mask] = sample;
        if (m_size == m_ring.size())
            m_head = (m_head + 1) & m_mask;
        else
            ++m_size;
    }
    ++m_appendCount;
    m_envelope.add(sample);
    if (m_computedCount > 0) {
        const size_t slot = slotOf(int(m_size) - 1);
        const size_t width = size_t(m_computedCount);
        if (m_computed.size() < (slot + 1) * width)
            m_computed.resize((slot + 1) * width);
        std::fill_n(m_computed.begin() + std::ptrdiff_t(slot * width), width, qQNaN());
    }
}

void SampleStore::clear()
{
    // Keeps the reserved capacity.
    m_ring.clear();
    m_head = 0;
    m_size = 0;
    m_envelope.clear();
    m_computed.clear();
}

void SampleStore::setComputedNames(const QStringList &names)
{
    m_computedNames = names;
    m_computedCount = int(names.size());
    m_computed.assign(m_ring.size() * size_t(m_computedCount), qQNaN());
    if (m_computedCount == 0)
        m_computed.shrink_to_fit();
}

int SampleStore::positionOf(qint64 sampleIndex) const
{
    if (m_size == 0)
        return -1;
    // Indexes only grow, so a binary search finds it even across gaps.
    int low = 0;
    int high = int(m_size) - 1;
    while (low <= high) {
        const int middle = low + (high - low) / 2;
        const qint64 found = at(middle).index;
        if (found == sampleIndex)
            return middle;
        if (found < sampleIndex)
            low = middle + 1;
        else
            high = middle - 1;
    }
    return -1;
}

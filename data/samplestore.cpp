#include "samplestore.h"

#include <algorithm>

SampleStore::SampleStore(int capacity)
{
    size_t rounded = 1;
    while (rounded < size_t(std::max(capacity, 1)))
        rounded <<= 1;
    m_ring.resize(rounded);
    m_mask = rounded - 1;
}

void SampleStore::append(const Sample &sample)
{
    const size_t slot = (m_head + m_size) & m_mask;
    m_ring[slot] = sample;
    if (m_size == m_ring.size())
        m_head = (m_head + 1) & m_mask;
    else
        ++m_size;
    ++m_appendCount;
}

void SampleStore::clear()
{
    m_head = 0;
    m_size = 0;
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

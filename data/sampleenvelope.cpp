#include "sampleenvelope.h"

#include "samplestore.h"

#include <algorithm>

SampleEnvelope::SampleEnvelope(int capacity)
{
    size_t count = 1;
    while (count * size_t(blockLength) < size_t(std::max(capacity, 1)))
        count <<= 1;
    m_blocks.resize(count);
    m_mask = count - 1;
}

void SampleEnvelope::add(const Sample &sample)
{
    // Unsigned: any index, negative ones too, has a block.
    const int offset = int(quint64(sample.index) & quint64(blockLength - 1));
    const qint64 firstIndex = sample.index - offset;
    Block &block = m_blocks[size_t(quint64(firstIndex) / blockLength) & m_mask];
    if (offset == 0) {
        block = Block{};
        block.firstIndex = firstIndex;
    } else if (block.firstIndex != firstIndex || block.filled != offset) {
        // Not the next sample of this block: it cannot be read whole.
        block.firstIndex = firstIndex;
        block.filled = -1;
        return;
    }
    ++block.filled;
    block.gapInside = block.gapInside || (offset > 0 && sample.gapBefore);
    for (size_t channel = 0; channel < block.channels.size(); ++channel) {
        if (sample.hasValue(int(channel)))
            block.channels[channel].take(sample.values[channel], quint8(offset));
    }
}

void SampleEnvelope::clear()
{
    for (Block &block : m_blocks)
        block = Block{};
}

#pragma once

#include "valuerange.h"

#include <QtGlobal>

#include <array>
#include <vector>

struct Sample;

// The lowest and highest value of each channel per block of 64 consecutive
// sample indexes, built as the samples are appended: a long view reads one
// block where it would read 64 samples, and no redraw builds anything. A
// block counts only when its 64 samples came one after the other, in order;
// older blocks are overwritten as the store's ring moves on.
class SampleEnvelope
{
public:
    static constexpr qint64 blockLength = 64;

    // Offsets in the block of the first lowest and the last highest, and
    // how many of its samples have a value.
    using Channel = PlacedRange<int, quint8>;
    struct Block
    {
        qint64 firstIndex = -1;
        // How many of its samples came in order from its first; 64 when whole.
        int filled = 0;
        // A gap before one of its samples after the first.
        bool gapInside = false;
        std::array<Channel, 3> channels{};
    };

    // Room for the blocks of `capacity` consecutive samples.
    explicit SampleEnvelope(int capacity);

    void add(const Sample &sample);
    void clear();
    // The whole block whose first sample has index `firstIndex`; nullptr
    // when it is not held whole.
    const Block *wholeBlockAt(qint64 firstIndex) const
    {
        const Block &block = m_blocks[size_t(quint64(firstIndex) / blockLength) & m_mask];
        return block.firstIndex == firstIndex && block.filled == blockLength ? &block : nullptr;
    }

private:
    std::vector<Block> m_blocks;
    size_t m_mask = 0;
};

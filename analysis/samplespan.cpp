#include "samplespan.h"

#include <algorithm>
#include <limits>

int firstPositionFrom(const SampleStore &store, qint64 sampleIndex)
{
    // Indexes only grow along the ring, so a binary search finds the edge.
    int low = 0;
    int high = store.size();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (store.at(middle).index < sampleIndex)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

SampleSpan spanOfIndexes(const SampleStore &store, qint64 firstIndex, qint64 lastIndex)
{
    if (lastIndex < firstIndex)
        return {};
    const int begin = firstPositionFrom(store, firstIndex);
    const int end = lastIndex == std::numeric_limits<qint64>::max()
                        ? store.size()
                        : firstPositionFrom(store, lastIndex + 1);
    return {begin, std::max(begin, end)};
}

SampleSpan newestSamples(const SampleStore &store, int count)
{
    return {std::max(0, store.size() - std::max(count, 0)), store.size()};
}

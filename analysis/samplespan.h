#pragma once

#include "samplestore.h"

// The held samples whose indexes lie in a window of sample indexes, as store
// positions [begin, end). Indexes may skip, so a window of 501 indexes can
// hold fewer samples.
struct SampleSpan
{
    int begin = 0;
    int end = 0;

    int size() const { return end - begin; }
    bool isEmpty() const { return end <= begin; }
};

// The first position whose sample index is at least `sampleIndex`;
// store.size() when every held sample is older.
int firstPositionFrom(const SampleStore &store, qint64 sampleIndex);

// The held samples with firstIndex <= index <= lastIndex.
SampleSpan spanOfIndexes(const SampleStore &store, qint64 firstIndex, qint64 lastIndex);

// The newest `count` samples held (fewer when the store holds fewer): the
// rolling view.
SampleSpan newestSamples(const SampleStore &store, int count);

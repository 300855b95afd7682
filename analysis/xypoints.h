#pragma once

#include "samplespan.h"
#include "samplestore.h"

#include <vector>

// One point of an XY figure: a sample's value on one channel against its
// value on another.
struct XYPoint
{
    qint64 index = 0;
    double x = 0;
    double y = 0;
    // 0 for the newest sample of the figure, 1 for the oldest: what fades.
    double age = 0;
    // The line does not join this point to the one before it: the board
    // was away, or samples in between lack a value on either channel.
    bool startsLine = false;
};

// The samples of `span` that have a value on both channels, oldest first.
std::vector<XYPoint> xyPoints(const SampleStore &store, SampleSpan span, int xChannel,
                              int yChannel);

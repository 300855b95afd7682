#pragma once

#include <algorithm>

// The lowest and highest of the values taken so far. Inline: the per-sample
// loops take every value through it.
template<typename Value>
struct ValueRange
{
    bool any = false;
    Value low = Value();
    Value high = Value();

    void take(Value value)
    {
        low = any ? std::min(low, value) : value;
        high = any ? std::max(high, value) : value;
        any = true;
    }
};

// The same, with where the first lowest and the last highest stood, so a
// flat run keeps both of its ends, and how many values were taken. `Place`
// holds the positions and the count: a small one keeps a summary small.
template<typename Value, typename Place>
struct PlacedRange
{
    bool any = false;
    Value low = Value();
    Value high = Value();
    Place lowAt = 0;
    Place highAt = 0;
    Place count = 0;

    void take(Value value, Place at) { take(value, at, value, at, 1); }

    // The lowest and highest of `samples` values that came after all those
    // taken so far.
    void take(Value lowValue, Place lowPosition, Value highValue, Place highPosition,
              Place samples)
    {
        count = any ? Place(count + samples) : samples;
        if (!any || lowValue < low) {
            low = lowValue;
            lowAt = lowPosition;
        }
        if (!any || highValue >= high) {
            high = highValue;
            highAt = highPosition;
        }
        any = true;
    }
};

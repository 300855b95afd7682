#pragma once

#include <QtGlobal>

#include <chrono>

// One monotonic clock for every time stamp of the panel (when bytes were
// read, when a recording started), so stamps from different places compare.
inline qint64 monotonicNowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

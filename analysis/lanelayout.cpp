#include "lanelayout.h"

#include <algorithm>
#include <cmath>

namespace LaneLayout {

namespace {

// The share of a lane's stretch of values left free above and below it.
constexpr double margin = 0.05;

double limited(double value)
{
    return std::clamp(value, -valueLimit, valueLimit);
}

} // namespace

std::vector<int> laneChannels(quint32 shown, int channelCount)
{
    std::vector<int> channels;
    for (int channel = 0; channel < std::min(channelCount, 32); ++channel) {
        if ((shown >> channel) & 1u)
            channels.push_back(channel);
    }
    return channels;
}

Band band(int lane, int lanes, int heightPx, int gapPx)
{
    if (lanes <= 1 || heightPx <= 0)
        return {};
    // Each lane keeps at least as many pixels as the gaps take from it.
    const int gap = heightPx > (2 * lanes - 1) * gapPx ? gapPx : 0;
    const double laneHeight = double(heightPx - (lanes - 1) * gap) / lanes;
    const double top = lane * (laneHeight + gap);
    return {top / heightPx, laneHeight / heightPx};
}

std::optional<AxisSpan> automaticRange(double lowest, double highest)
{
    if (std::isnan(lowest) || std::isnan(highest))
        return std::nullopt;
    const double low = limited(std::min(lowest, highest));
    const double high = limited(std::max(lowest, highest));
    const double middle = low / 2 + high / 2;
    // So close that the axis could not tell them apart: flat.
    if (high - low <= std::abs(middle) * 1e-9) {
        const double half = middle != 0 ? std::abs(middle) * margin : 1;
        return AxisSpan{limited(middle - half), limited(middle + half)};
    }
    const double free = (high - low) * margin;
    return AxisSpan{limited(low - free), limited(high + free)};
}

bool isUsable(AxisSpan span)
{
    const double middle = span.lower / 2 + span.upper / 2;
    return span.lower >= -valueLimit && span.upper <= valueLimit
           && span.upper - span.lower > std::abs(middle) * 1e-9;
}

} // namespace LaneLayout

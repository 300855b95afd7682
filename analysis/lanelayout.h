#pragma once

#include "viewzoom.h"

#include <QtGlobal>

#include <optional>
#include <vector>

// A plot stacked into lanes, one per shown channel, each with a y axis of
// its own over the one shared time axis: which channel goes where, and the
// range a lane shows by itself. Plain arithmetic, without widgets.
namespace LaneLayout {

// Values beyond this are drawn at it: a formula's 1e300 or infinity must
// not make a range the axis cannot hold.
constexpr double valueLimit = 1e100;

// The channels that get a lane, top to bottom: those among the first
// `channelCount` whose bit is set in `shown`, in their order.
std::vector<int> laneChannels(quint32 shown, int channelCount);

// A lane's stretch of the plot's height, as shares of it from the top.
struct Band
{
    double top = 0;
    double height = 1;
};

// Lane `lane` of `lanes` in a plot `heightPx` high, `gapPx` left free
// between two lanes so that one's tick labels stay clear of the next's.
// Too low a plot for the gaps gets none.
Band band(int lane, int lanes, int heightPx, int gapPx);

// A lane's automatic range for values from `lowest` to `highest` (NaN
// where it drew no number): their stretch with a twentieth of it free above
// and below. A flat signal sits in the middle of a band a tenth of its value
// high (from -1 to 1 around zero). None for a lane with no number at all:
// it keeps what it showed.
std::optional<AxisSpan> automaticRange(double lowest, double highest);

// Whether a lane can show `span` as a range the user set: ends in order,
// within valueLimit, and far enough apart for the axis to tell them apart.
bool isUsable(AxisSpan span);

} // namespace LaneLayout

#pragma once

#include <optional>

class QString;

// A stretch of one plot axis, in that axis' units: sample indexes on x,
// values as received on y.
struct AxisSpan
{
    double lower = 0;
    double upper = 0;

    double size() const { return upper - lower; }
    bool operator==(const AxisSpan &other) const
    {
        return lower == other.lower && upper == other.upper;
    }
};

// How the wheel and a drag move a plot's view, without widgets. A stopped
// view moves through the history; a running one only changes its length,
// the newest sample staying at the right edge.
namespace ViewZoom {

// A stopped view shows at least this many sample steps across the plot.
constexpr double minimumSteps = 20;
// The rolling view's length: the wheel's limits.
constexpr int minimumRollingLength = 20;
constexpr int maximumRollingLength = 100000;
// A y zoom stops here, so the axis never folds up or runs off.
constexpr double minimumYSize = 2;
constexpr double maximumYSize = 1e10;

// What one wheel turn of `angleDelta` (eighths of a degree, 120 a notch)
// scales a span by: away from the user zooms in, 0.8 a notch.
double wheelFactor(int angleDelta);

// `span` scaled by `factor` around `anchor`, which keeps its place on the axis.
AxisSpan zoomedAround(AxisSpan span, double anchor, double factor);

// The x span after a zoom by `factor` around `anchor` in a stopped view:
// between minimumSteps and the whole `history` wide, and inside it. A
// history shorter than minimumSteps is shown at the right.
AxisSpan zoomedInHistory(AxisSpan span, double anchor, double factor, AxisSpan history);

// `span` moved by `delta` and kept inside `history`, its size unchanged
// (within the limits above).
AxisSpan pannedInHistory(AxisSpan span, double delta, AxisSpan history);

// The y span after a zoom by `factor` around `anchor`, within minimumYSize
// and maximumYSize.
AxisSpan zoomedY(AxisSpan span, double anchor, double factor);

// The rolling length after a wheel turn of `angleDelta`, within its limits;
// each notch changes it by at least one sample.
int rollingLengthAfter(int length, int angleDelta);

// A number typed for an axis end, in any language: "." and "," are both
// the decimal point, since a group separator in a range is far more often
// a decimal point typed the other way (German "1.5" would be 15). None for
// anything else, a second decimal point or a group separator included.
std::optional<double> typedNumber(const QString &text);

} // namespace ViewZoom

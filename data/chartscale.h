#pragma once

#include <QString>
#include <QtGlobal>

#include <utility>

// What a chart's axes and statistics can show, widget-free: axis ranges the
// plot accepts and numbers that stay short, whatever the readings are.
namespace ChartScale {

// The shortest time span shown, in seconds.
constexpr double shortestSpanS = 1;

// Milliseconds from an axis position (`ms`, a double), within the times a
// ReadingHistory holds.
qint64 toMs(double ms);

// The time axis' range in seconds since the epoch for a zoom or pan to
// `lower`..`upper`: its span kept between shortestSpanS and `longestMs`
// plus a tenth, about its middle, and within the times a history holds.
std::pair<double, double> limitedTimeRange(double lower, double upper, qint64 longestMs);

// The value axis' range for readings from `lowest` to `highest` (neither
// NaN), with a margin: readings beyond ±4e249 are cut there, as the plot
// takes no range wider than 1e250.
std::pair<double, double> fittedValueRange(double lowest, double highest);

// A statistic as shown: at most 10 significant digits and, unless
// `decimals` is negative, at most that many after the point, so that a
// huge or tiny value stays one short word ("7e+304"); "–" for no number.
QString number(double value, int decimals = -1);

} // namespace ChartScale

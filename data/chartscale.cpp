#include "chartscale.h"

#include "readinghistory.h"

#include <algorithm>
#include <cmath>

namespace ChartScale {

qint64 toMs(double ms)
{
    // Also false for NaN.
    if (!(ms > 0))
        return 0;
    return qint64(std::min(ms, double(ReadingHistory::maxTimeMs)));
}

std::pair<double, double> limitedTimeRange(double lower, double upper, qint64 longestMs)
{
    const double latestS = double(ReadingHistory::maxTimeMs) / 1000;
    const double longestS =
        std::clamp(double(longestMs) * 1.1 / 1000, shortestSpanS, latestS / 2);
    // A reversed or NaN range is as narrow as can be.
    const double span = upper - lower > shortestSpanS ? std::min(upper - lower, longestS) : shortestSpanS;
    double middle = lower / 2 + upper / 2;
    middle = std::isnan(middle) ? span / 2 : std::clamp(middle, span / 2, latestS - span / 2);
    return {middle - span / 2, middle + span / 2};
}

std::pair<double, double> fittedValueRange(double lowest, double highest)
{
    // Half the plot's limit each side, so that the margin fits too.
    constexpr double limit = 4e249;
    lowest = std::clamp(lowest, -limit, limit);
    highest = std::clamp(highest, lowest, limit);
    const double spread = highest - lowest;
    // A spread the plot cannot resolve (it takes none below 1e-280) counts
    // as a single value.
    const double margin =
        spread > 1e-200 ? spread * 0.05 : std::max(1.0, std::abs(highest) * 0.05);
    return {lowest - margin, highest + margin};
}

QString number(double value, int decimals)
{
    if (std::isnan(value))
        return QStringLiteral("–");
    if (decimals >= 0) {
        const double scale = std::pow(10.0, decimals);
        // Beyond where the scaled value overflows no decimals are shown anyway.
        if (std::isfinite(value * scale))
            value = std::round(value * scale) / scale;
    }
    // + 0 turns a rounded -0 into 0.
    return QString::number(value + 0.0, 'g', 10);
}

} // namespace ChartScale

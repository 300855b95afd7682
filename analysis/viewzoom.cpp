#include "viewzoom.h"

#include <QLocale>
#include <QRegularExpression>
#include <QString>

#include <algorithm>
#include <cmath>

namespace ViewZoom {

namespace {

// A factor that is not a positive number leaves the span as it is.
double usableFactor(double factor)
{
    return std::isfinite(factor) && factor > 0 ? factor : 1.0;
}

// The history, never narrower than minimumSteps: a short one is padded on
// the left, so the newest sample stays at the right edge.
AxisSpan viewable(AxisSpan history)
{
    if (history.size() < minimumSteps)
        history.lower = history.upper - minimumSteps;
    return history;
}

// `span`, of a size that fits, moved inside `room`.
AxisSpan movedInside(AxisSpan span, AxisSpan room)
{
    if (span.upper > room.upper)
        span = {room.upper - span.size(), room.upper};
    if (span.lower < room.lower)
        span = {room.lower, room.lower + span.size()};
    return span;
}

} // namespace

double wheelFactor(int angleDelta)
{
    return std::pow(0.8, angleDelta / 120.0);
}

AxisSpan zoomedAround(AxisSpan span, double anchor, double factor)
{
    factor = usableFactor(factor);
    return {anchor - (anchor - span.lower) * factor, anchor + (span.upper - anchor) * factor};
}

AxisSpan zoomedInHistory(AxisSpan span, double anchor, double factor, AxisSpan history)
{
    const AxisSpan room = viewable(history);
    const double size = std::clamp(span.size() * usableFactor(factor), minimumSteps, room.size());
    const double scale = span.size() > 0 ? size / span.size() : 1.0;
    AxisSpan zoomed = span.size() > 0 ? zoomedAround(span, anchor, scale)
                                      : AxisSpan{anchor - size / 2, anchor + size / 2};
    // Rounding must not leave the size a hair off the limit it was clamped to.
    zoomed.upper = zoomed.lower + size;
    return movedInside(zoomed, room);
}

AxisSpan pannedInHistory(AxisSpan span, double delta, AxisSpan history)
{
    const AxisSpan room = viewable(history);
    const double size = std::clamp(span.size(), minimumSteps, room.size());
    if (!std::isfinite(delta))
        delta = 0;
    return movedInside({span.lower + delta, span.lower + delta + size}, room);
}

AxisSpan zoomedY(AxisSpan span, double anchor, double factor)
{
    const double size = std::max(span.size(), minimumYSize);
    const double wanted = std::clamp(size * usableFactor(factor), minimumYSize, maximumYSize);
    return zoomedAround(span.size() > 0 ? span : AxisSpan{anchor - size / 2, anchor + size / 2},
                        anchor, wanted / size);
}

int rollingLengthAfter(int length, int angleDelta)
{
    const double scaled = std::round(length * wheelFactor(angleDelta));
    int next = int(std::clamp(scaled, double(minimumRollingLength), double(maximumRollingLength)));
    // Near the lower limit a notch would round back to where it was.
    if (next == length && angleDelta != 0)
        next = std::clamp(length + (angleDelta > 0 ? -1 : 1), minimumRollingLength,
                          maximumRollingLength);
    return next;
}

} // namespace ViewZoom

std::optional<double> ViewZoom::typedNumber(const QString &text)
{
    QString plain = text.trimmed();
    plain.replace(QLatin1Char(','), QLatin1Char('.'));
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
    if (!number.match(plain).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(plain, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

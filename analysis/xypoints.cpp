#include "xypoints.h"

#include <algorithm>

std::vector<XYPoint> xyPoints(const SampleStore &store, SampleSpan span, int xChannel,
                              int yChannel)
{
    span.begin = std::max(span.begin, 0);
    span.end = std::min(span.end, store.size());
    std::vector<XYPoint> points;
    if (span.isEmpty())
        return points;
    points.reserve(size_t(span.size()));
    const qint64 newestIndex = store.at(span.end - 1).index;
    const qint64 oldestIndex = store.at(span.begin).index;
    const double ageScale = newestIndex > oldestIndex ? 1.0 / double(newestIndex - oldestIndex) : 0;
    bool lineBroken = true;
    for (int position = span.begin; position < span.end; ++position) {
        const Sample &sample = store.at(position);
        lineBroken = lineBroken || sample.gapBefore;
        double x = 0;
        double y = 0;
        if (xChannel >= store.channelCount() || yChannel >= store.channelCount()
            || !store.value(position, xChannel, &x) || !store.value(position, yChannel, &y)) {
            lineBroken = true;
            continue;
        }
        points.push_back({sample.index, x, y, double(newestIndex - sample.index) * ageScale,
                          lineBroken});
        lineBroken = false;
    }
    return points;
}

#include "readinghistory.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>

double ReadingHistory::Channel::mean() const
{
    if (count == 0)
        return std::nan("");
    // Rounding can put the mean of equal values a hair outside them; the
    // mean always lies between the extremes.
    return std::clamp(average, min, max);
}

namespace {

// The mean of `countA` values of mean `a` and `countB` of mean `b`, finite
// for any finite means.
double combinedMean(double a, qint64 countA, double b, qint64 countB)
{
    const double share = double(countB) / (double(countA) + double(countB));
    const double difference = b - a;
    if (std::isfinite(difference))
        return a + difference * share;
    // Opposite signs near the largest double: only the difference overflows.
    return a * (1 - share) + b * share;
}

} // namespace

void ReadingHistory::Channel::add(double value)
{
    if (count == 0) {
        min = max = average = value;
    } else {
        min = std::min(min, value);
        max = std::max(max, value);
        average = combinedMean(average, count, value, 1);
    }
    ++count;
}

void ReadingHistory::Channel::merge(const Channel &other)
{
    if (other.count == 0)
        return;
    if (count == 0) {
        *this = other;
        return;
    }
    min = std::min(min, other.min);
    max = std::max(max, other.max);
    average = combinedMean(average, count, other.average, other.count);
    count += other.count;
}

void ReadingHistory::Interval::merge(const Interval &other)
{
    if (other.readings == 0)
        return;
    if (readings == 0) {
        *this = other;
        return;
    }
    firstMs = std::min(firstMs, other.firstMs);
    lastMs = std::max(lastMs, other.lastMs);
    readings += other.readings;
    gapBefore = gapBefore || other.gapBefore;
    for (size_t i = 0; i < channels.size(); ++i)
        channels[i].merge(other.channels[i]);
}

ReadingHistory::Layout ReadingHistory::standardLayout()
{
    constexpr qint64 minute = qint64(60) * 1000;
    constexpr qint64 hour = 60 * minute;
    constexpr qint64 day = 24 * hour;
    return {10 * minute, 262144, {{1000, 8 * hour}, {minute, 7 * day}}};
}

ReadingHistory::ReadingHistory(int channelCount, Layout layout)
    : m_channelCount(std::clamp(channelCount, 1, maxChannels))
{
    Store raw;
    raw.keepMs = std::clamp<qint64>(layout.rawKeepMs, 0, maxTimeMs);
    raw.maxCount = std::max<std::size_t>(layout.rawMaxReadings, 1);
    m_levels.push_back(raw);
    for (const Level &level : layout.reduced) {
        Store reduced;
        reduced.widthMs = std::clamp<qint64>(level.widthMs, 1, maxTimeMs);
        reduced.keepMs = std::clamp<qint64>(level.keepMs, 0, maxTimeMs);
        m_levels.push_back(reduced);
    }
}

qint64 ReadingHistory::firstMs() const
{
    // The coarsest level reaches back furthest.
    for (auto level = m_levels.rbegin(); level != m_levels.rend(); ++level) {
        if (!level->intervals.empty())
            return level->intervals.front().firstMs;
    }
    return 0;
}

qint64 ReadingHistory::lastMs() const
{
    return isEmpty() ? 0 : m_levels.front().intervals.back().lastMs;
}

qint64 ReadingHistory::readingsIn(int index) const
{
    return m_levels[size_t(index)].readings;
}

void ReadingHistory::add(qint64 timeMs, const double *values)
{
    timeMs = std::clamp<qint64>(timeMs, 0, maxTimeMs);
    if (!isEmpty())
        timeMs = std::max(timeMs, lastMs());

    Interval reading;
    reading.firstMs = reading.lastMs = timeMs;
    reading.readings = 1;
    reading.gapBefore = m_gapPending;
    for (int i = 0; i < m_channelCount; ++i) {
        if (std::isfinite(values[i]))
            reading.channels[size_t(i)].add(values[i]);
    }
    m_gapPending = false;
    ++m_added;

    for (Store &store : m_levels) {
        std::deque<Interval> &held = store.intervals;
        const bool joins = store.widthMs > 0 && !held.empty() && !reading.gapBefore
                           && held.back().lastMs / store.widthMs == timeMs / store.widthMs;
        if (joins)
            held.back().merge(reading);
        else
            held.push_back(reading);
        ++store.readings;
        prune(store, timeMs);
    }
}

void ReadingHistory::prune(Store &store, qint64 newestMs)
{
    std::deque<Interval> &held = store.intervals;
    // The newest interval always stays.
    while (held.size() > 1
           && (held.front().lastMs < newestMs - store.keepMs
               || (store.maxCount > 0 && held.size() > store.maxCount))) {
        store.readings -= held.front().readings;
        store.droppedThroughMs = held.front().lastMs;
        held.pop_front();
    }
}

int ReadingHistory::chooseLevel(qint64 fromMs, qint64 sliceMs) const
{
    const qint64 reach = std::max(fromMs, firstMs());
    int chosen = -1;
    for (size_t i = 0; i < m_levels.size(); ++i) {
        // Nothing from `reach` on has been dropped from this level.
        const Store &level = m_levels[i];
        if (level.intervals.empty() || level.droppedThroughMs >= reach)
            continue;
        // The first that covers the span, or a coarser one whose intervals
        // still fit into a slice: it gives the same picture from far fewer.
        if (chosen < 0 || level.widthMs <= sliceMs)
            chosen = int(i);
    }
    return chosen < 0 ? int(m_levels.size()) - 1 : chosen;
}

std::vector<ReadingHistory::Interval> ReadingHistory::intervals(qint64 fromMs, qint64 toMs,
                                                                int maxIntervals) const
{
    std::vector<Interval> result;
    if (isEmpty() || toMs < fromMs || maxIntervals < 1)
        return result;
    const double span = double(toMs) - double(fromMs) + 1;
    const double slice = span / maxIntervals;
    const qint64 sliceMs = slice >= 1e15 ? qint64(1e15) : qint64(slice);
    const std::deque<Interval> &held = m_levels[size_t(chooseLevel(fromMs, sliceMs))].intervals;
    const auto first = std::partition_point(held.begin(), held.end(), [fromMs](const Interval &i) {
        return i.lastMs < fromMs;
    });
    const auto last = std::partition_point(first, held.end(), [toMs](const Interval &i) {
        return i.firstMs <= toMs;
    });
    if (last - first <= maxIntervals) {
        result.assign(first, last);
        return result;
    }
    // Slices of equal time; the division is done in floating point, as a
    // week of milliseconds times the slice count overflows 64 bits.
    int at = -1;
    for (auto it = first; it != last; ++it) {
        const double offset = std::max(0.0, double(it->middleMs()) - double(fromMs));
        const int sliceIndex = std::min(maxIntervals - 1, int(offset / span * maxIntervals));
        if (sliceIndex != at) {
            result.push_back(*it);
            at = sliceIndex;
        } else {
            result.back().merge(*it);
        }
    }
    return result;
}

ReadingHistory::Interval ReadingHistory::summary(qint64 fromMs, qint64 toMs) const
{
    const std::vector<Interval> all = intervals(fromMs, toMs, 1);
    return all.empty() ? Interval{} : all.front();
}

std::size_t ReadingHistory::memoryBytes() const
{
    std::size_t bytes = sizeof(*this) + m_levels.capacity() * sizeof(Store);
    for (const Store &store : m_levels)
        bytes += store.intervals.size() * sizeof(Interval);
    return bytes;
}

QString chartTimeFormat(const QDateTime &from, const QDateTime &to)
{
    if (from.toLocalTime().date() == to.toLocalTime().date())
        return QStringLiteral("hh:mm:ss");
    return QStringLiteral("yyyy-MM-dd\nhh:mm:ss");
}

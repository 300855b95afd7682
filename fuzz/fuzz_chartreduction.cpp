// The chart's reduction of old readings and the raw data window's text.
// The input's first bytes choose the levels' widths and spans; the rest is
// a run of readings (time steps and any doubles, NaN, infinities and huge
// values included) with gaps, then arbitrary queries. Whatever the input:
// no undefined behaviour, every level stands for exactly the readings its
// intervals hold, the coarsest one (which keeps everything here) for all
// of them, and every interval has minimum <= mean <= maximum. The same
// bytes then go to the raw log, whole and in pieces, with the same lines.
#include "fuzzcheck.h"
#include "rawlog.h"
#include "readinghistory.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

class Input
{
public:
    Input(const unsigned char *data, size_t size) : m_data(data), m_size(size) {}

    bool atEnd() const { return m_offset >= m_size; }
    template<typename T>
    T take()
    {
        T value{};
        const size_t n = std::min(sizeof(T), m_size - std::min(m_offset, m_size));
        std::memcpy(&value, m_data + m_offset, n);
        m_offset += n;
        return value;
    }

private:
    const unsigned char *m_data;
    size_t m_size;
    size_t m_offset = 0;
};

void checkInterval(const ReadingHistory::Interval &interval, int channels)
{
    FUZZ_CHECK(interval.readings > 0);
    FUZZ_CHECK(interval.firstMs <= interval.lastMs);
    for (int c = 0; c < channels; ++c) {
        const ReadingHistory::Channel &channel = interval.channels[size_t(c)];
        FUZZ_CHECK(channel.count >= 0 && channel.count <= interval.readings);
        if (channel.count == 0)
            continue;
        const double mean = channel.mean();
        FUZZ_CHECK(channel.min <= mean && mean <= channel.max);
    }
}

void fuzzHistory(Input &in)
{
    const int channels = 1 + in.take<unsigned char>() % ReadingHistory::maxChannels;
    ReadingHistory::Layout layout;
    layout.rawKeepMs = in.take<unsigned short>();
    layout.rawMaxReadings = in.take<unsigned char>();
    const int levels = in.take<unsigned char>() % 3;
    for (int i = 0; i < levels; ++i)
        layout.reduced.push_back({qint64(in.take<unsigned short>()), qint64(in.take<unsigned short>())});
    // The coarsest level keeps everything, so the count can be checked whole.
    layout.reduced.push_back({qint64(1) + in.take<unsigned short>(), std::numeric_limits<qint64>::max()});
    ReadingHistory history(channels, layout);

    const int readings = in.take<unsigned short>() % 2000;
    qint64 time = in.take<qint64>();
    for (int i = 0; i < readings && !in.atEnd(); ++i) {
        const auto step = in.take<unsigned char>();
        if (step == 0xFF) {
            history.markGap();
            continue;
        }
        // Mostly small steps; sometimes a jump anywhere, back in time too.
        time = step == 0xFE ? in.take<qint64>() : qint64(quint64(time) + step);
        double values[ReadingHistory::maxChannels];
        for (int c = 0; c < channels; ++c)
            values[c] = in.take<double>();
        history.add(time, values);
    }

    const int coarsest = history.levelCount() - 1;
    FUZZ_CHECK(history.readingsIn(coarsest) == history.addedCount());
    for (int level = 0; level < history.levelCount(); ++level) {
        qint64 sum = 0;
        qint64 previousLast = std::numeric_limits<qint64>::min();
        for (const ReadingHistory::Interval &interval : history.level(level)) {
            checkInterval(interval, channels);
            FUZZ_CHECK(interval.firstMs >= previousLast);
            previousLast = interval.lastMs;
            sum += interval.readings;
        }
        FUZZ_CHECK(sum == history.readingsIn(level));
        FUZZ_CHECK(sum <= history.addedCount());
    }
    if (!history.isEmpty()) {
        const ReadingHistory::Interval all = history.summary(history.firstMs(), history.lastMs());
        FUZZ_CHECK(all.readings == history.addedCount());
        checkInterval(all, channels);
    }

    for (int query = 0; query < 4 && !in.atEnd(); ++query) {
        const auto from = in.take<qint64>();
        const auto to = in.take<qint64>();
        const int maxIntervals = in.take<short>();
        const std::vector<ReadingHistory::Interval> shown = history.intervals(from, to, maxIntervals);
        FUZZ_CHECK(qint64(shown.size()) <= std::max(maxIntervals, 0));
        qint64 sum = 0;
        for (const ReadingHistory::Interval &interval : shown) {
            checkInterval(interval, channels);
            sum += interval.readings;
        }
        FUZZ_CHECK(sum <= history.addedCount());
    }
}

void fuzzRawLog(const unsigned char *data, size_t size)
{
    const Chunking chunking{data + 1, size - 1, data[0]};
    const char *bytes = reinterpret_cast<const char *>(chunking.data);
    RawLog whole(50);
    whole.addReceived(bytes, qsizetype(chunking.size));
    RawLog pieces(50);
    for (size_t from = 0; from < chunking.size;) {
        const size_t to = chunking.next(from);
        pieces.addReceived(bytes + from, qsizetype(to - from));
        from = to;
    }
    FUZZ_CHECK(whole.receivedLineCount() == pieces.receivedLineCount());
    FUZZ_CHECK(whole.lines().size() == pieces.lines().size());
    FUZZ_CHECK(whole.lines().size() <= 50);
    for (size_t i = 0; i < whole.lines().size(); ++i) {
        const RawLog::Line &line = whole.lines()[i];
        FUZZ_CHECK(line.bytes == pieces.lines()[i].bytes && line.cut == pieces.lines()[i].cut);
        FUZZ_CHECK(line.bytes.size() <= RawLog::maxLineBytes);
        const QString shown = RawText::shown(line.bytes, line.cut);
        FUZZ_CHECK(shown.size() <= RawText::maxShownChars + 1);
        for (int c = 0; c < shown.size(); ++c) {
            const ushort code = shown.at(c).unicode();
            FUZZ_CHECK((code >= 0x20 && code <= 0x7E) || (code == 0x2026 && c == shown.size() - 1));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    if (size == 0)
        return 0;
    Input in(data, size);
    fuzzHistory(in);
    fuzzRawLog(data, size);
    return 0;
}

// Spectra, their peaks, the sample rate and XY points over arbitrary arrays:
// any int values with any validity masks, gaps and time stamps, raw doubles
// (NaN, infinities, huge values) and any length. No undefined behaviour, and
// every result is finite and where it belongs.
#include "fuzzcheck.h"
#include "ratemeter.h"
#include "spectrum.h"
#include "xypoints.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

struct Reader
{
    const uint8_t *data;
    size_t size;

    template<typename T>
    T take()
    {
        T value{};
        const size_t n = size < sizeof(T) ? size : sizeof(T);
        std::memcpy(&value, data, n);
        data += n;
        size -= n;
        return value;
    }
};

void checkLevels(const std::vector<double> &levels, int length)
{
    FUZZ_CHECK(int(levels.size()) == (length < 2 ? 2 : length) / 2 + 1);
    for (double level : levels)
        FUZZ_CHECK(std::isfinite(level) && level >= SpectrumAnalyzer::floorDb);
    if (const std::optional<SpectrumPeak> peak = largestPeak(levels)) {
        FUZZ_CHECK(peak->bin >= 0.5 && peak->bin <= double(levels.size()) - 1);
        FUZZ_CHECK(std::isfinite(peak->levelDb) && peak->levelDb >= SpectrumAnalyzer::floorDb);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Reader in{data, size};
    const uint8_t mode = in.take<uint8_t>();
    // Any length up to twice the largest offered, odd and prime ones too.
    const int length = int(in.take<uint16_t>() % 32769u);
    const double fullScale = in.take<double>();
    SpectrumAnalyzer analyzer;

    if (mode & 1) {
        // Raw doubles, whatever their bits say.
        std::vector<double> values;
        while (in.size >= sizeof(double))
            values.push_back(in.take<double>());
        std::vector<double> levels;
        analyzer.levelsDb(values.data(), int(values.size()), length, fullScale, levels);
        checkLevels(levels, length);
        // The same analyzer again, planned already, with fewer values.
        analyzer.levelsDb(values.data(), int(values.size()) / 2, length, fullScale, levels);
        checkLevels(levels, length);
        return 0;
    }

    // Samples as the store holds them: values, validity, gaps, time steps.
    SampleStore store(1 << (mode >> 4));
    qint64 index = in.take<int32_t>();
    qint64 timeNs = in.take<int64_t>();
    while (in.size > 0) {
        const uint8_t flags = in.take<uint8_t>();
        Sample sample;
        // Wrapping on purpose: any stamps and indexes, not only growing ones.
        index = qint64(quint64(index) + ((flags & 0x10) ? in.take<uint8_t>() : 1u));
        timeNs = qint64(quint64(timeNs) + quint64(qint64(in.take<int32_t>())));
        sample.index = index;
        sample.timeNs = timeNs;
        sample.validMask = flags & 0x7;
        sample.gapBefore = (flags & 0x8) != 0;
        for (int &value : sample.values)
            value = in.take<int32_t>();
        store.append(sample);
    }

    ChannelSpectra spectra;
    RateMeter rateMeter;
    rateMeter.update(store);
    const std::optional<double> rate = rateMeter.framesPerSecond();
    computeSpectra(analyzer, store, length, fullScale, rate, spectra);
    FUZZ_CHECK(spectra.samplesUsed <= store.size());
    for (int position = store.size() - spectra.samplesUsed + 1; position < store.size(); ++position)
        FUZZ_CHECK(!store.at(position).gapBefore);
    for (const std::vector<double> &levels : spectra.levelsDb) {
        if (!levels.empty())
            checkLevels(levels, length);
        FUZZ_CHECK(std::isfinite(spectra.binPosition(double(levels.size()))));
    }

    const SampleSpan span{int(mode >> 1) % 8 - 2, store.size() - int(mode >> 4)};
    const std::vector<XYPoint> points = xyPoints(store, span, mode % 3, (mode >> 2) % 3);
    FUZZ_CHECK(int(points.size()) <= std::max(span.size(), 0));
    for (size_t i = 0; i < points.size(); ++i) {
        FUZZ_CHECK(points[i].age >= 0 && points[i].age <= 1);
        FUZZ_CHECK(i == 0 ? points[i].startsLine : points[i].index >= points[i - 1].index);
    }
    return 0;
}

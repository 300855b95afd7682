#include "spectrum.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>

namespace {

// Beyond any reading of a 32-bit board; larger values would lose the mean's
// precision and could overflow the sums.
constexpr double largestReading = 1e12;

bool isReading(double value)
{
    return std::isfinite(value) && std::fabs(value) <= largestReading;
}

} // namespace

struct SpectrumAnalyzer::Plan
{
    explicit Plan(int length)
        : length(length),
          input(fftw_alloc_real(size_t(length))),
          output(fftw_alloc_complex(size_t(length) / 2 + 1)),
          // FFTW_ESTIMATE plans without running trial transforms, so the first
          // spectrum of a length costs no more than a few later ones.
          plan(fftw_plan_dft_r2c_1d(length, input, output, FFTW_ESTIMATE))
    {
    }
    ~Plan()
    {
        fftw_destroy_plan(plan);
        fftw_free(output);
        fftw_free(input);
    }
    Plan(const Plan &) = delete;
    Plan &operator=(const Plan &) = delete;

    const int length;
    double *const input;
    fftw_complex *const output;
    const fftw_plan plan;
    // The Hann window of the last count of samples used: the same from one
    // redraw to the next once the store holds `length` samples.
    std::vector<double> window;
    double windowSum = 0;
};

SpectrumAnalyzer::SpectrumAnalyzer() = default;
SpectrumAnalyzer::~SpectrumAnalyzer() = default;

SpectrumAnalyzer::Plan &SpectrumAnalyzer::planFor(int length)
{
    std::unique_ptr<Plan> &plan = m_plans[length];
    if (!plan)
        plan = std::make_unique<Plan>(length);
    return *plan;
}

void SpectrumAnalyzer::levelsDb(const double *values, int count, int length, double fullScale,
                                std::vector<double> &levels)
{
    length = std::max(length, 2);
    const int bins = length / 2 + 1;
    levels.assign(size_t(bins), floorDb);
    const int used = std::clamp(count, 0, length);
    if (used < 2)
        return;
    values += count - used;

    double sum = 0;
    int readings = 0;
    for (int i = 0; i < used; ++i) {
        if (isReading(values[i])) {
            sum += values[i];
            ++readings;
        }
    }
    if (readings == 0)
        return;
    const double mean = sum / readings;

    Plan &plan = planFor(length);
    std::vector<double> &window = plan.window;
    if (int(window.size()) != used) {
        window.resize(size_t(used));
        plan.windowSum = 0;
        for (int i = 0; i < used; ++i) {
            window[size_t(i)] = 0.5 - 0.5 * std::cos(2 * M_PI * i / (used - 1));
            plan.windowSum += window[size_t(i)];
        }
    }
    const double windowSum = plan.windowSum;
    for (int i = 0; i < used; ++i) {
        const double value = isReading(values[i]) ? values[i] - mean : 0.0;
        plan.input[i] = value * window[size_t(i)];
    }
    std::fill(plan.input + used, plan.input + length, 0.0);
    fftw_execute(plan.plan);

    // A sine of amplitude A gives |X| = A * windowSum / 2 in its bin; 0 dB
    // is the amplitude of half the full scale. The levels come from the
    // power with a natural log in single precision: the logs are most of a
    // spectrum's cost, and a float's log is exact to far below a pixel.
    // A scale below one unit of whole-number readings is no scale; it would
    // also take the powers beyond a float.
    const double halfScale = std::isfinite(fullScale) && fullScale >= 1 ? fullScale / 2 : 1.0;
    const double toAmplitude = 2.0 / windowSum / halfScale;
    const double powerScale = toAmplitude * toAmplitude;
    const double floorPower = std::pow(10.0, floorDb / 10);
    const double dbPerNeper = 10 / std::log(10.0);
    for (int k = 0; k < bins; ++k) {
        const double re = plan.output[k][0];
        const double im = plan.output[k][1];
        const double power = (re * re + im * im) * powerScale;
        if (power > floorPower)
            levels[size_t(k)] = dbPerNeper * double(std::log(float(power)));
    }
}

std::optional<SpectrumPeak> largestPeak(const std::vector<double> &levelsDb)
{
    const int bins = int(levelsDb.size());
    std::optional<int> best;
    for (int k = 1; k < bins; ++k) {
        const double level = levelsDb[size_t(k)];
        const double left = levelsDb[size_t(k - 1)];
        const double right = k + 1 < bins ? levelsDb[size_t(k) + 1] : SpectrumAnalyzer::floorDb;
        if (level <= SpectrumAnalyzer::floorDb || level < left || level < right
            || (level == left && level == right))
            continue;
        if (!best || level > levelsDb[size_t(*best)])
            best = k;
    }
    if (!best)
        return std::nullopt;
    const int k = *best;
    SpectrumPeak peak{double(k), levelsDb[size_t(k)]};
    if (k + 1 < bins) {
        const double left = levelsDb[size_t(k - 1)];
        const double middle = levelsDb[size_t(k)];
        const double right = levelsDb[size_t(k) + 1];
        const double curvature = left - 2 * middle + right;
        if (curvature < 0) {
            const double offset = std::clamp(0.5 * (left - right) / curvature, -0.5, 0.5);
            peak.bin = k + offset;
            peak.levelDb = middle - 0.25 * (left - right) * offset;
        }
    }
    return peak;
}

void computeSpectra(SpectrumAnalyzer &analyzer, const SampleStore &store, int length,
                    double fullScale, std::optional<double> sampleRateHz, ChannelSpectra &spectra,
                    CountUnit computedUnit)
{
    // As the analyzer takes it: the x axis divides by it.
    length = std::max(length, 2);
    SampleSpan span = newestSamples(store, length);
    for (int position = span.end - 1; position > span.begin; --position) {
        if (store.at(position).gapBefore) {
            span.begin = position;
            break;
        }
    }
    spectra.length = length;
    spectra.samplesUsed = span.size();
    spectra.sampleRateHz = sampleRateHz;
    std::vector<double> values(size_t(span.size()));
    spectra.levelsDb.resize(size_t(store.channelCount()));
    for (int channel = 0; channel < store.channelCount(); ++channel) {
        std::vector<double> &levels = spectra.levelsDb[size_t(channel)];
        bool hasValue = false;
        for (int position = span.begin; position < span.end; ++position) {
            double value = 0;
            const bool present = store.value(position, channel, &value);
            hasValue = hasValue || present;
            values[size_t(position - span.begin)] = present ? value : qQNaN();
        }
        if (!hasValue || span.size() < minimumSpectrumSamples) {
            levels.clear();
            continue;
        }
        const bool computed = channel >= Sample::channelCount;
        analyzer.levelsDb(values.data(), span.size(), length,
                          computed ? fullScale / computedUnit.countsPerUnit : fullScale, levels);
    }
}

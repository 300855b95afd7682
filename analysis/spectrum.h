#pragma once

#include "samplespan.h"
#include "samplestore.h"

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <vector>

// Magnitude spectra of blocks of samples: Hann window, mean removed,
// one-sided, in dB relative to the full scale, where 0 dB is a sine that
// swings from one end of the scale to the other. The transform is FFTW's;
// each length is planned once, on first use, and its plan and buffers are
// kept for the next redraw. Not for use from several threads: FFTW's planner
// is not thread-safe.
class SpectrumAnalyzer
{
public:
    // The level of a bin without energy (a flat line): keeps every level
    // finite and below anything a reading of whole numbers can reach.
    static constexpr double floorDb = -200;

    SpectrumAnalyzer();
    ~SpectrumAnalyzer();
    SpectrumAnalyzer(const SpectrumAnalyzer &) = delete;
    SpectrumAnalyzer &operator=(const SpectrumAnalyzer &) = delete;

    // The levels of `count` values, oldest first, into length / 2 + 1 bins;
    // bin k lies at k / length of the sample rate. A value that is NaN (or
    // not finite, or beyond any reading) is no reading: it counts as the
    // mean. Only the newest `length` values are used; fewer are windowed as
    // they are and padded with zeros to `length` (at least 2). `fullScale`
    // is the span of the scale (upper less lower end), at least 1.
    void levelsDb(const double *values, int count, int length, double fullScale,
                  std::vector<double> &levels);

private:
    struct Plan;
    Plan &planFor(int length);

    std::map<int, std::unique_ptr<Plan>> m_plans;
};

// The largest peak of a spectrum: the highest bin above the floor that is
// higher than a neighbour and no lower than either, past the DC bin; its
// position and level refined between bins by a parabola through it and its
// neighbours.
struct SpectrumPeak
{
    double bin = 0;
    double levelDb = 0;
};
std::optional<SpectrumPeak> largestPeak(const std::vector<double> &levelsDb);

// The spectra of every channel over the newest samples of a store.
struct ChannelSpectra
{
    int length = 0;
    // Samples analysed: the newest `length`, or all since the newest gap
    // when fewer.
    int samplesUsed = 0;
    // Of the samples held, when it is known; else the x axis counts bins.
    std::optional<double> sampleRateHz;
    // Per channel of the store, inputs then computed ones; empty for a
    // channel without a value in the samples used.
    std::vector<std::vector<double>> levelsDb;

    // Where bin k lies on the x axis: in Hz, or in bins without a rate.
    double binPosition(double bin) const
    {
        return sampleRateHz ? bin * *sampleRateHz / length : bin;
    }
};

// Fewer samples than this make no spectrum worth drawing.
constexpr int minimumSpectrumSamples = 16;

// The newest samples, never across a gap (a replug, a pause): the two
// sides are not one signal. `sampleRateHz` is the plot's measured rate.
// `fullScale` is in the inputs' counts; computed channels hold values in
// `computedUnit` (g on the accelerometer), so theirs is scaled to it.
void computeSpectra(SpectrumAnalyzer &analyzer, const SampleStore &store, int length,
                    double fullScale, std::optional<double> sampleRateHz, ChannelSpectra &spectra,
                    CountUnit computedUnit = {});

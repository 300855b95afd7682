#pragma once

#include "samplespan.h"
#include "samplestore.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

// What the readout says about one channel over the samples shown, in the
// units received.
struct ChannelMeasurement
{
    // False when the channel has no value in the samples: "no data".
    bool hasData = false;
    double minimum = 0;
    double maximum = 0;
    double mean = 0;
    double peakToPeak = 0;
    // The mean interval between rising crossings of the mean, with the
    // trigger's hysteresis, in samples; none with fewer than two crossings.
    std::optional<double> periodSamples;
    // The sample rate over the period; none without either.
    std::optional<double> frequencyHz;
};

// One per channel of the store, inputs then computed ones.
using ChannelMeasurements = std::vector<ChannelMeasurement>;

// Measures every channel over the held samples in `span`.
// `sampleRateHz` is what RateMeter gives: frames per second.
ChannelMeasurements measureChannels(const SampleStore &store, SampleSpan span,
                                    std::optional<double> sampleRateHz);
// The same over the held samples with firstIndex <= index <= lastIndex.
ChannelMeasurements measureChannels(const SampleStore &store, qint64 firstIndex,
                                    qint64 lastIndex, std::optional<double> sampleRateHz);

// A channel's value as the readouts show it: a whole number in full, else
// as few digits as give it back.
QString channelValueText(double value);

// One readout line, as the plot draws it, the same in every locale:
// "PAD0  min 12  max 3300  mean 1650.2  p-p 3288  period 50 (14.4 Hz)",
// with "–" for what is not known, or "PAD0  no data".
QString measurementLine(const QString &channelName, const ChannelMeasurement &measurement);
// "720 samples/s", or "– samples/s" before a rate is known.
QString sampleRateLine(std::optional<double> framesPerSecond);

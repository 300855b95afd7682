#include "measurements.h"

#include "scopetrigger.h"
#include "shownnumber.h"
#include "valuerange.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

// Where translators find these texts.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(Measurements)
};

// Rising crossings of one channel's mean, with sub-sample positions.
struct CrossingCounter
{
    double level = 0;
    double hysteresis = 0;
    bool armed = false;
    double previousValue = 0;
    qint64 previousIndex = 0;
    int crossings = 0;
    double firstCrossing = 0;
    double lastCrossing = 0;

    void breakLine()
    {
        armed = false;
    }

    void take(qint64 index, double value)
    {
        if (value < level - hysteresis) {
            armed = true;
        } else if (armed && value >= level) {
            // Armed means the previous value lay below the level, so the
            // straight line between the two crosses it in between.
            const double fraction = (level - previousValue) / (value - previousValue);
            const double at = double(previousIndex) + fraction * double(index - previousIndex);
            if (crossings == 0)
                firstCrossing = at;
            lastCrossing = at;
            ++crossings;
            armed = false;
        }
        previousValue = value;
        previousIndex = index;
    }
};

} // namespace

ChannelMeasurements measureChannels(const SampleStore &store, SampleSpan span,
                                    std::optional<double> sampleRateHz)
{
    const int channels = store.channelCount();
    span.begin = std::max(span.begin, 0);
    span.end = std::min(span.end, store.size());

    ChannelMeasurements result(static_cast<size_t>(channels));
    std::vector<ValueRange<double>> ranges(static_cast<size_t>(channels));
    std::vector<double> sums(static_cast<size_t>(channels));
    std::vector<int> counts(static_cast<size_t>(channels));
    for (int position = span.begin; position < span.end; ++position) {
        for (int channel = 0; channel < channels; ++channel) {
            double value = 0;
            if (!store.value(position, channel, &value))
                continue;
            ranges[size_t(channel)].take(value);
            sums[size_t(channel)] += value;
            ++counts[size_t(channel)];
        }
    }

    std::vector<CrossingCounter> counters(static_cast<size_t>(channels));
    for (int channel = 0; channel < channels; ++channel) {
        ChannelMeasurement &measured = result[size_t(channel)];
        const ValueRange<double> &range = ranges[size_t(channel)];
        if (!range.any)
            continue;
        measured.hasData = true;
        measured.minimum = range.low;
        measured.maximum = range.high;
        measured.mean = sums[size_t(channel)] / counts[size_t(channel)];
        measured.peakToPeak = measured.maximum - measured.minimum;
        counters[size_t(channel)].level = measured.mean;
        counters[size_t(channel)].hysteresis = ScopeTrigger::hysteresisShare * measured.peakToPeak;
    }

    for (int position = span.begin; position < span.end; ++position) {
        const Sample &sample = store.at(position);
        for (int channel = 0; channel < channels; ++channel) {
            CrossingCounter &counter = counters[size_t(channel)];
            if (sample.gapBefore)
                counter.breakLine();
            double value = 0;
            if (store.value(position, channel, &value))
                counter.take(sample.index, value);
        }
    }

    for (int channel = 0; channel < channels; ++channel) {
        const CrossingCounter &counter = counters[size_t(channel)];
        ChannelMeasurement &measured = result[size_t(channel)];
        if (counter.crossings < 2)
            continue;
        const double period =
            (counter.lastCrossing - counter.firstCrossing) / (counter.crossings - 1);
        measured.periodSamples = period;
        if (sampleRateHz && *sampleRateHz > 0)
            measured.frequencyHz = *sampleRateHz / period;
    }
    return result;
}

ChannelMeasurements measureChannels(const SampleStore &store, qint64 firstIndex,
                                    qint64 lastIndex, std::optional<double> sampleRateHz)
{
    return measureChannels(store, spanOfIndexes(store, firstIndex, lastIndex), sampleRateHz);
}

namespace {

const QString unknown = QString(QChar(0x2013));

QString frequencyText(double hz)
{
    // Three significant digits or more, never fewer than one decimal.
    const int decimals = hz >= 10 ? 1 : hz >= 1 ? 2 : 3;
    return QString::number(hz, 'f', decimals);
}

} // namespace

QString channelValueText(double value)
{
    // Inputs are whole numbers: "1650", never "1.65e+03".
    if (value == std::floor(value) && std::abs(value) < 1e15)
        return QString::number(qint64(value));
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString measurementLine(const QString &channelName, const ChannelMeasurement &measurement)
{
    if (!measurement.hasData)
        return Text::tr("%1  no data").arg(channelName);
    QString period = unknown;
    if (measurement.periodSamples) {
        period = QStringLiteral("%1 (%2 Hz)")
                     .arg(qRound64(*measurement.periodSamples))
                     .arg(measurement.frequencyHz ? ShownNumber::localized(frequencyText(*measurement.frequencyHz))
                                                  : unknown);
    }
    return Text::tr("%1  min %2  max %3  mean %4  p-p %5  period %6")
        .arg(channelName, ShownNumber::localized(channelValueText(measurement.minimum)),
             ShownNumber::localized(channelValueText(measurement.maximum)),
             ShownNumber::localized(QString::number(measurement.mean, 'f', 1)),
             ShownNumber::localized(channelValueText(measurement.peakToPeak)), period);
}

QString sampleRateLine(std::optional<double> framesPerSecond)
{
    const QString rate =
        framesPerSecond ? QString::number(qRound64(*framesPerSecond)) : unknown;
    return Text::tr("%1 samples/s").arg(rate);
}

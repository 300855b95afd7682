// The trigger, the measurements and the rate over arbitrary samples: any int
// values (the extremes too), any missing values, gaps and skipped indexes,
// any mode, capture mode, pre-trigger, holdoff, source and level, changed
// between batches. No undefined behaviour, and what they report must hold
// for the samples held.
#include "fuzzcheck.h"
#include "measurements.h"
#include "ratemeter.h"
#include "samplespan.h"
#include "scopetrigger.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <climits>
#include <cmath>

namespace {

constexpr std::array<int, 8> extremes{INT_MIN, INT_MIN + 1, -1, 0, 1, 1650, INT_MAX - 1, INT_MAX};

// One channel's value for the i-th sample of a batch.
int waveValue(int kind, qint64 i, int low, int high, int period)
{
    switch (kind) {
    case 0:
        return low;
    case 1:
        return (i % period) < period / 2 ? low : high;
    case 2:
        // A ramp from low to high, in 64 bits: the span may exceed int.
        return int(qint64(low) + (qint64(high) - qint64(low)) * (i % period) / period);
    default:
        return extremes[size_t(i % qint64(extremes.size()))];
    }
}

void checkMeasurements(const SampleStore &store, SampleSpan span, std::optional<double> rate)
{
    const ChannelMeasurements measured = measureChannels(store, span, rate);
    for (const ChannelMeasurement &channel : measured) {
        if (!channel.hasData)
            continue;
        FUZZ_CHECK(channel.minimum <= channel.maximum);
        FUZZ_CHECK(double(channel.minimum) <= channel.mean && channel.mean <= double(channel.maximum));
        FUZZ_CHECK(channel.peakToPeak >= 0);
        FUZZ_CHECK(channel.peakToPeak == qint64(channel.maximum) - qint64(channel.minimum));
        if (channel.periodSamples)
            FUZZ_CHECK(std::isfinite(*channel.periodSamples) && *channel.periodSamples > 0);
        if (channel.frequencyHz)
            FUZZ_CHECK(std::isfinite(*channel.frequencyHz) && *channel.frequencyHz > 0);
        FUZZ_CHECK(!measurementLine(QStringLiteral("PAD0"), channel).isEmpty());
    }
}

void checkView(const ScopeTrigger &trigger, const SampleStore &store)
{
    const std::optional<TriggeredView> view = trigger.view(store);
    if (!view)
        return;
    const TriggerStatus status = trigger.status();
    FUZZ_CHECK(status == TriggerStatus::Triggered || status == TriggerStatus::Waiting
               || status == TriggerStatus::Armed || status == TriggerStatus::Stopped);
    // Only a taken Single capture may show less of its window: what is held.
    const bool whole = view->firstIndex == view->triggerIndex - trigger.preTriggerSamples()
                       && view->lastIndex == view->triggerIndex + trigger.postTriggerSamples();
    FUZZ_CHECK(whole || status == TriggerStatus::Stopped);
    // The whole window lies inside what the store holds.
    FUZZ_CHECK(view->firstIndex >= store.at(0).index);
    FUZZ_CHECK(view->lastIndex <= store.newest().index);

    const int at = store.positionOf(view->triggerIndex);
    FUZZ_CHECK(at >= 0);
    const int source = trigger.sourceChannel();
    const Sample &crossing = store.at(at);
    FUZZ_CHECK(crossing.hasValue(source) && !crossing.gapBefore);
    if (!trigger.userLevel())
        return; // the automatic level has moved since
    // The crossing is on the far side of the level, the sample with a value
    // before it (with no gap between) on the near side; the view may start
    // one sample early, on that near one.
    const double level = *trigger.userLevel();
    const bool rising = trigger.mode() == TriggerMode::RisingEdge;
    const auto beyond = [&](int position) {
        const int value = store.at(position).values[size_t(source)];
        return rising ? value >= level : value <= level;
    };
    int far = at;
    if (!beyond(at)) {
        far = at + 1;
        FUZZ_CHECK(far < store.size() && store.at(far).index == view->triggerIndex + 1);
        FUZZ_CHECK(store.at(far).hasValue(source) && !store.at(far).gapBefore && beyond(far));
    }
    for (int position = far - 1; position >= 0; --position) {
        const Sample &before = store.at(position);
        if (before.hasValue(source)) {
            const int previous = before.values[size_t(source)];
            FUZZ_CHECK(rising ? previous < level : previous > level);
            break;
        }
        FUZZ_CHECK(!before.gapBefore);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    SampleStore store(input.ConsumeIntegralInRange(1, 2048));
    ScopeTrigger trigger;
    RateMeter rateMeter;
    qint64 index = input.ConsumeIntegralInRange<qint64>(-1000, 1000);
    qint64 nowNs = 0;

    while (input.remaining_bytes() > 0) {
        // Settings change between batches, as the user's commands would.
        switch (input.ConsumeIntegralInRange(0, 7)) {
        case 0:
            trigger.setMode(TriggerMode(input.ConsumeIntegralInRange(0, 2)));
            break;
        case 1:
            trigger.setSourceChannel(input.ConsumeIntegral<int>());
            break;
        case 2:
            trigger.setUserLevel(input.ConsumeIntegral<int>());
            break;
        case 3:
            trigger.clearUserLevel();
            break;
        case 4:
            trigger.setCaptureMode(CaptureMode(input.ConsumeIntegralInRange(0, 2)));
            break;
        case 5:
            trigger.setPreTriggerPercent(input.ConsumeIntegral<int>());
            trigger.setHoldoffNs(input.ConsumeIntegral<qint64>());
            break;
        case 6:
            trigger.armSingle();
            break;
        default:
            break;
        }

        const int count = input.ConsumeIntegralInRange(0, 1200);
        const bool raw = input.ConsumeBool();
        const int kind = input.ConsumeIntegralInRange(0, 3);
        const int low = input.ConsumeBool() ? extremes[input.ConsumeIntegralInRange<size_t>(0, 7)]
                                            : input.ConsumeIntegral<int>();
        const int high = input.ConsumeBool() ? extremes[input.ConsumeIntegralInRange<size_t>(0, 7)]
                                             : input.ConsumeIntegral<int>();
        const int period = input.ConsumeIntegralInRange(1, 400);
        const auto masks = input.ConsumeIntegral<quint8>();
        const int gapEvery = input.ConsumeIntegralInRange(0, 1000);
        const int skip = input.ConsumeIntegralInRange(0, 3);
        const qint64 stepNs = input.ConsumeIntegralInRange<qint64>(0, 3000000000LL);
        for (int i = 0; i < count; ++i) {
            Sample sample;
            index += 1 + (skip && i % 97 == 0 ? skip : 0);
            sample.index = index;
            nowNs += stepNs / 64;
            sample.timeNs = nowNs;
            sample.gapBefore = gapEvery > 0 && i % gapEvery == 0;
            // Mostly whole frames; the bits of `masks` knock values out.
            sample.validMask = quint8((i % 8 == 0 ? masks >> 3 : 7u) & 7u);
            for (int channel = 0; channel < Sample::channelCount; ++channel)
                sample.values[size_t(channel)] =
                    raw ? input.ConsumeIntegral<int>()
                        : waveValue(kind, i + channel * period / 3, low, high, period);
            store.append(sample);
        }

        nowNs += stepNs;
        trigger.update(store, nowNs);
        rateMeter.update(store);
        const std::optional<double> rate = rateMeter.framesPerSecond();
        if (rate)
            FUZZ_CHECK(std::isfinite(*rate) && *rate >= 0);
        FUZZ_CHECK(!trigger.hasLevel() || std::isfinite(trigger.level()));
        FUZZ_CHECK(trigger.hysteresis() >= 0);
        checkView(trigger, store);
        checkMeasurements(store, newestSamples(store, 501), rate);
        if (const std::optional<TriggeredView> view = trigger.view(store))
            checkMeasurements(store, spanOfIndexes(store, view->firstIndex, view->lastIndex), rate);
    }
    return 0;
}

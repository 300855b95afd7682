// Computed channels from any text: up to four formulas of arbitrary bytes
// (NUL, deep nesting, huge counts, unknown names) parsed as the dialog does,
// then evaluated over arbitrary samples (any int values, missing values,
// gaps) in reads of any size. No crash, no undefined behaviour, no hang;
// an error points into the text, and a value is a finite number or none.
#include "fuzzcheck.h"
#include "mathchannels.h"
#include "samplestore.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const QStringList inputs{"PAD0", "PAD1", "PAD2"};
    const int count = input.ConsumeIntegralInRange(1, MathChannels::maxCount);
    QVector<MathChannel> channels;
    for (int i = 0; i < count; ++i) {
        const std::string text = input.ConsumeRandomLengthString(1200);
        const QString formula = QString::fromLatin1(text.data(), int(text.size()));
        channels.append(MathChannel(QStringLiteral("M%1").arg(i + 1), formula));
        FormulaError error;
        const bool compiled = MathFormula::compile(formula, inputs, &error) != nullptr;
        FUZZ_CHECK(compiled == error.isEmpty());
        FUZZ_CHECK(error.position >= -1 && error.position <= formula.size());
    }

    SampleStore store(256);
    MathChannels model(inputs);
    FormulaError error;
    const bool taken = model.setChannels(channels, store, &error);
    FUZZ_CHECK(taken == error.isEmpty());
    FUZZ_CHECK(store.computedCount() == (taken ? count : 0));
    if (!taken) {
        // The first channel alone may still be valid: go on with it.
        channels.resize(1);
        if (!model.setChannels(channels, store))
            return 0;
    }

    qint64 index = 0;
    while (input.remaining_bytes() > 0) {
        const int read = input.ConsumeIntegralInRange(1, 300);
        for (int i = 0; i < read && input.remaining_bytes() > 0; ++i) {
            Sample sample;
            sample.index = ++index;
            sample.timeNs = index * 1000;
            for (int &value : sample.values)
                value = input.ConsumeIntegral<int>();
            sample.validMask = input.ConsumeIntegralInRange<quint8>(0, 7);
            sample.gapBefore = input.ConsumeBool();
            store.append(sample);
        }
        model.fill(store);
    }
    for (int position = 0; position < store.size(); ++position) {
        for (int channel = Sample::channelCount; channel < store.channelCount(); ++channel) {
            double value = 0;
            if (store.value(position, channel, &value))
                FUZZ_CHECK(std::isfinite(value));
        }
    }
    return 0;
}

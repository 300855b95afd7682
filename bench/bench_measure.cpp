// What the scope computes per redraw over the sample store: the measurements
// over the samples shown, the trigger taking in what arrived since the last
// redraw, the decimation of a long view into its pixel columns, the
// spectra of the three channels, and the computed channels' evaluation.
#include "benchreport.h"
#include "decimation.h"
#include "mathchannels.h"
#include "measurements.h"
#include "ratemeter.h"
#include "scopetrigger.h"
#include "spectrum.h"

#include <cmath>

namespace {

constexpr int redrawsPerSecond = 50;

// Where the results go, so the compiler cannot drop the work.
volatile double sink = 0;

// Frame `index` of the board's stream (as Bench::boardStream) as a sample.
Sample boardSample(qint64 index)
{
    const double t = index / 720.0;
    Sample sample;
    sample.index = index;
    sample.timeNs = qint64(t * 1e9);
    sample.values = {int(1650 + 1400 * std::sin(31.4 * t)),
                     std::fmod(t * 2, 1.0) < 0.5 ? 2800 : 400,
                     int(3000 * std::fmod(t * 3, 1.0)) + 150};
    sample.validMask = 0b111;
    return sample;
}

// Milliseconds per call of `work` after each redraw's worth of frames: the
// median over batches of calls, so one preempted batch does not count.
template<typename Work>
double millisecondsPerRedraw(double framesPerSecond, int redraws, Work work)
{
    SampleStore store;
    qint64 next = 0;
    while (next < store.capacity())
        store.append(boardSample(next++));
    constexpr int batch = 100;
    std::vector<double> batches;
    double arrived = double(next);
    for (int done = 0; done < redraws; done += batch) {
        double elapsed = 0;
        for (int i = 0; i < batch; ++i) {
            arrived += framesPerSecond / redrawsPerSecond;
            while (next < qint64(arrived))
                store.append(boardSample(next++));
            const qint64 nowNs = qint64(arrived / framesPerSecond * 1e9);
            const double start = Bench::seconds();
            work(store, nowNs);
            elapsed += Bench::seconds() - start;
        }
        batches.push_back(elapsed / batch * 1e3);
    }
    return Bench::median(batches);
}

} // namespace

int main()
{
    // The readout of a triggered or rolling view: 3 x 501 samples.
    RateMeter rate;
    const double measuring = millisecondsPerRedraw(720, 20000, [&](const SampleStore &store,
                                                                   qint64 /*nowNs*/) {
        rate.update(store);
        const qint64 last = store.newest().index;
        const ChannelMeasurements measured =
            measureChannels(store, last - 500, last, rate.framesPerSecond());
        sink = sink + measured[0].mean + measured[1].periodSamples.value_or(0);
    });
    Bench::row(QStringLiteral("Measurements, 3 x 501 samples per redraw"),
               QStringLiteral("<= 0.2 ms"), Bench::number(measuring, 4) + QStringLiteral(" ms"),
               0.2 / std::max(measuring, 1e-6));

    // 0.02 ms at 50 redraws/s is 0.1 % of a core, small beside the panel's
    // 8 % at 720 frames/s.
    for (const double framesPerSecond : {720.0, 75000.0}) {
        ScopeTrigger trigger;
        trigger.setMode(TriggerMode::RisingEdge);
        qint64 triggered = 0;
        const int redraws = framesPerSecond < 1000 ? 20000 : 5000;
        const double updating = millisecondsPerRedraw(
            framesPerSecond, redraws, [&](const SampleStore &store, qint64 nowNs) {
                trigger.update(store, nowNs);
                triggered += trigger.status() == TriggerStatus::Triggered;
            });
        if (triggered == 0)
            qFatal("the trigger never triggered on the board's stream");
        const double target = framesPerSecond < 1000 ? 0.02 : 0.2;
        Bench::row(QStringLiteral("Scope trigger update per redraw, %1 frames/s")
                       .arg(framesPerSecond < 1000 ? QStringLiteral("720")
                                                   : QStringLiteral("75,000")),
                   QStringLiteral("<= %1 ms").arg(target),
                   Bench::number(updating, 4) + QStringLiteral(" ms (")
                       + Bench::number(100 * updating * redrawsPerSecond / 1000, 3)
                       + QStringLiteral(" % of a core)"),
                   target / std::max(updating, 1e-6));
    }

    // A stopped view of the whole history: a million samples into 729 pixel
    // columns (the plot's width), three channels.
    {
        SampleStore store(1000000);
        for (qint64 index = 1; index <= 1000000; ++index)
            store.append(boardSample(index));
        ChannelLines lines;
        const ColumnGrid grid{1, 1000000, 729};
        std::vector<double> runs;
        for (int run = 0; run < 21; ++run) {
            const double start = Bench::seconds();
            const ValueExtent extent =
                decimateColumns(store, {0, store.size()}, 0, grid, lines, true);
            runs.push_back((Bench::seconds() - start) * 1e3);
            sink = sink + extent.maximum + double(lines[0].size());
        }
        const double decimating = Bench::median(runs);
        Bench::row(QStringLiteral("Decimation, 3 x 1,000,000 samples into 729 columns (median)"),
                   QStringLiteral("<= 4 ms"), Bench::number(decimating, 2) + QStringLiteral(" ms"),
                   4 / std::max(decimating, 1e-6));
    }

    // The longest spectrum of all three channels, in process: what one
    // spectrum redraw computes (at most 10 a second), without the drawing.
    {
        constexpr int length = 16384;
        SampleStore store(2 * length);
        qint64 next = 0;
        while (next < store.capacity())
            store.append(boardSample(next++));
        SpectrumAnalyzer analyzer;
        ChannelSpectra spectra;
        std::vector<double> batches;
        for (int done = 0; done < 20; ++done) {
            const double start = Bench::seconds();
            for (int i = 0; i < 20; ++i) {
                // A tenth of a second of the board between spectra.
                for (int frame = 0; frame < 72; ++frame)
                    store.append(boardSample(next++));
                computeSpectra(analyzer, store, length, 3500, 720.0, spectra);
                sink = sink + spectra.levelsDb[0][1] + spectra.levelsDb[2][100];
            }
            batches.push_back((Bench::seconds() - start) / 20 * 1e3);
        }
        const double computing = Bench::median(batches);
        Bench::row(QStringLiteral("Spectrum, 3 channels x 16384 points (in process)"),
                   QStringLiteral("<= 2 ms"),
                   Bench::number(computing, 3) + QStringLiteral(" ms (")
                       + Bench::number(computing, 2)
                       + QStringLiteral(" % of a core at 10 spectra/s)"),
                   2 / std::max(computing, 1e-6));
    }
    // Computed channels as the intake fills them, a read of 100 frames at a
    // time (about what a 75,000 frames/s board gives per read), less the
    // time of appending the same samples alone, batch by batch in turns:
    // ns of CPU per sample.
    const auto evaluationNs = [&](const QVector<MathChannel> &formulas) {
        SampleStore store(1 << 20);
        SampleStore plain(1 << 20);
        MathChannels channels({"PAD0", "PAD1", "PAD2"});
        if (!channels.setChannels(formulas, store))
            qFatal("the benchmark's formulas were refused");
        constexpr int read = 100;
        constexpr int reads = 500;
        // A read every 1.33 ms: the filters' rate is measured as live.
        const auto sampleAt = [](qint64 index) {
            Sample sample = boardSample(index);
            sample.timeNs = index / read * 1333333;
            return sample;
        };
        qint64 next = 0;
        std::vector<double> batches;
        for (int batch = 0; batch < 21; ++batch) {
            const qint64 first = next;
            double start = Bench::cpuSeconds();
            for (int i = 0; i < reads; ++i) {
                for (int frame = 0; frame < read; ++frame)
                    store.append(sampleAt(next++));
                channels.fill(store);
            }
            const double filling = Bench::cpuSeconds() - start;
            start = Bench::cpuSeconds();
            for (qint64 index = first; index < next; ++index)
                plain.append(sampleAt(index));
            const double appending = Bench::cpuSeconds() - start;
            batches.push_back((filling - appending) / (reads * read) * 1e9);
            double value = 0;
            sink = sink + (store.value(store.size() - 1, 3 + int(formulas.size()) - 1, &value) ? value : 0);
        }
        return std::max(Bench::median(batches), 0.0);
    };
    const auto evaluationRow = [&](const QString &what, double evaluating) {
        Bench::row(QStringLiteral("Computed channels, evaluation ns per sample, %1 (in process)").arg(what),
                   QStringLiteral("<= 250 ns"),
                   Bench::number(evaluating, 0) + QStringLiteral(" ns (")
                       + Bench::number(evaluating * 75000 / 1e7, 2)
                       + QStringLiteral(" % of a core at 75,000 frames/s)"),
                   250 / std::max(evaluating, 1e-6));
    };
    // A difference, a calibration, a long mean and a magnitude.
    evaluationRow(QStringLiteral("four channels"),
                  evaluationNs({MathChannel("M1", "PAD0 - PAD1"), MathChannel("M2", "0.1 * PAD2 - 50"),
                                MathChannel("M3", "avg(PAD0, 1000)"),
                                MathChannel("M4", "sqrt(PAD0^2 + PAD1^2 + PAD2^2)")}));
    // Two filters, one of them of a formula.
    evaluationRow(QStringLiteral("two filters"),
                  evaluationNs({MathChannel("M1", "lowpass(PAD0, 100)"), MathChannel("M2", "ema(PAD1 - PAD2, 0.01)")}));
    return 0;
}

#include "cursorreadout.h"
#include "decimation.h"
#include "lanelayout.h"
#include "measurements.h"
#include "ratemeter.h"
#include "scopetrigger.h"
#include "spectrum.h"
#include "testsupport.h"
#include "xypoints.h"
#include "viewzoom.h"

#include <QtTest>

#include <algorithm>
#include <array>
#include <climits>
#include <limits>
#include <cmath>

Q_DECLARE_METATYPE(TriggerMode)
Q_DECLARE_METATYPE(AxisSpan)

using TestSupport::DefaultLocale;

namespace {

// A sample with no value on any channel.
constexpr int none = INT_MIN + 1;
constexpr qint64 frameNs = 1000000000 / 720;
using Values = QVector<int>;

// Appends values[from, to) with their positions as indexes, on `channel`; the
// other channels get the opposite edges, so reading the wrong one shows.
void append(SampleStore &store, const Values &values, int from, int to, int channel = 0,
            int gapAt = -1)
{
    for (int i = from; i < to; ++i) {
        Sample sample;
        sample.index = i;
        sample.gapBefore = i == gapAt;
        if (values[i] != none) {
            const int opposite = int(std::clamp<qint64>(1000 - qint64(values[i]), INT_MIN, INT_MAX));
            sample.values = {opposite, opposite, opposite};
            sample.values[size_t(channel)] = values[i];
            sample.validMask = 0b111;
        }
        store.append(sample);
    }
}

Values runs(std::initializer_list<std::pair<int, int>> countsAndValues)
{
    Values values;
    for (const auto &[count, value] : countsAndValues)
        values += Values(count, value);
    return values;
}

Values square(int count, int period, int high = 1000)
{
    Values values;
    for (int i = 0; i < count; ++i)
        values.append(i % period < period / 2 ? 0 : high);
    return values;
}

// `cycles` periods of a sine over `count` samples, around `offset`; NaN
// (no reading) at every `missingEvery`th sample.
std::vector<double> sineWave(int count, double cycles, double amplitude, double offset = 0,
                             int missingEvery = 0)
{
    std::vector<double> values;
    for (int i = 0; i < count; ++i)
        values.push_back(missingEvery > 0 && i % missingEvery == 0
                             ? qQNaN()
                             : offset + amplitude * std::sin(2 * M_PI * cycles * i / count));
    return values;
}

Values sine(int count, double period, double amplitude)
{
    Values values;
    for (int i = 0; i < count; ++i)
        values.append(qRound(1650 + amplitude * std::sin(2 * M_PI * i / period)));
    return values;
}

// A 7.2 Hz sine at 720 frames/s, in whole mV cut as a board's arithmetic
// cuts them (a period of 100 samples, now and then a sample 1 mV off); a
// run of samples for each {count, amplitude, offset}, the phase going on.
Values boardSine(std::initializer_list<std::array<int, 3>> runs)
{
    Values values;
    for (const auto &[count, amplitude, offset] : runs) {
        for (int i = 0; i < count; ++i) {
            const double t = values.size() / 720.0;
            values.append(int(offset + amplitude * std::sin(2 * M_PI * 7.2 * t)));
        }
    }
    return values;
}

} // namespace

class TestAnalysis : public QObject
{
    Q_OBJECT

private slots:
    void storeKeepsTheNewestInIndexOrder();
    void triggerFindsTheCrossing_data();
    void triggerFindsTheCrossing();
    void triggerHoldsThenMovesToTheNextCompleteCrossing();
    void steadySignalRepeatsThePicture_data();
    void steadySignalRepeatsThePicture();
    void fallsBackToAutoAfterASecondWithoutCrossing();
    void ctrlTStepsAndOffRolls();
    void measurements_data();
    void measurements();
    void rateMeter_data();
    void rateMeter();
    void readoutText();
    void zoomAndPan_data();
    void zoomAndPan();
    void typedAxisEnds_data();
    void typedAxisEnds();
    void rollingLength_data();
    void rollingLength();
    void decimation_data();
    void decimation();
    void cursorReadout_data();
    void cursorReadout();
    void spectrumOfASine_data();
    void spectrumOfASine();
    void squareHasOddHarmonicsOnly();
    void windowKeepsLeakageLow();
    void flatLineHasNoPeak();
    void peakFinder_data();
    void peakFinder();
    void spectraOfTheStore();
    void xyPoints();
    void laneRange_data();
    void laneRange();
    void lanesOfTheShownChannels_data();
    void lanesOfTheShownChannels();
};

void TestAnalysis::storeKeepsTheNewestInIndexOrder()
{
    // A capacity of 5 becomes 8; index 15 never arrives.
    SampleStore store(5);
    for (int i = 0; i < 20; ++i)
        append(store, Values(20, i), i, i == 15 ? i : i + 1);
    QCOMPARE(store.size(), 8);
    QCOMPARE(store.at(0).index, qint64(11));
    QCOMPARE(store.newest().index, qint64(19));
    QCOMPARE(store.positionOf(10), -1);
    QCOMPARE(store.positionOf(15), -1);
    QCOMPARE(store.positionOf(16), 4);
    QCOMPARE(store.at(4).values[0], 16);
    QCOMPARE(firstPositionFrom(store, 15), 4);
    QCOMPARE(spanOfIndexes(store, 13, 17).size(), 4);
}

void TestAnalysis::triggerFindsTheCrossing_data()
{
    QTest::addColumn<Values>("values");
    QTest::addColumn<TriggerMode>("mode");
    QTest::addColumn<int>("userLevel");
    // The trigger index shown after the last sample; -1: Auto.
    QTest::addColumn<qint64>("shown");
    QTest::addColumn<int>("source");
    QTest::addColumn<int>("gapAt");

    const auto row = [](const char *name, const Values &values, TriggerMode mode, int level,
                        qint64 shown, int source = 0, int gapAt = -1) {
        QTest::newRow(name) << values << mode << level << shown << source << gapAt;
    };
    const auto rising = TriggerMode::RisingEdge;
    const auto falling = TriggerMode::FallingEdge;
    const Values step = runs({{200, 0}, {401, 1000}});
    const Values stairs = runs({{150, 0}, {150, 400}, {450, 1000}});
    row("rising step", step, rising, 500, 200);
    row("rising step on PAD2", step, rising, 500, 200, 2);
    row("rising step, falling edge wanted", step, falling, 500, -1);
    row("falling step", runs({{200, 1000}, {401, 0}}), falling, 500, 200);
    row("399 samples after the crossing", runs({{200, 0}, {400, 1000}}), rising, 500, -1);
    // The view would start before the first sample: the next crossing is shown.
    row("fewer than 100 samples before", runs({{50, 0}, {100, 1000}, {100, 0}, {500, 1000}}),
        rising, 500, 250);
    // Edges at 100, 300, ...; the level follows the signal.
    row("automatic level, rising", square(1000, 200), rising, none, 100);
    row("automatic level, falling", square(1000, 200), falling, none, 200);
    row("no crossing", Values(800, 500), rising, none, -1);
    row("level above the signal", square(1000, 200), rising, 1500, -1);
    row("level on the lower stair", stairs, rising, 200, 150);
    row("level on the upper stair", stairs, rising, 700, 300);
    row("samples without values skipped", runs({{200, 0}, {10, none}, {500, 1000}}), rising, 500,
        210);
    row("no edge across a gap", runs({{200, 0}, {300, 1000}, {100, 0}, {500, 1000}}), rising, 500,
        600, 0, 200);
    // +-8 around the level for 450 samples: without hysteresis a later
    // crossing would be shown instead.
    Values noisy = runs({{300, 0}});
    for (int i = 300; i < 750; ++i)
        noisy.append(500 + (i * 7) % 17 - 8);
    row("noise on a slow edge", noisy + Values(400, 1000), rising, 500, 300);
}

void TestAnalysis::triggerFindsTheCrossing()
{
    QFETCH(Values, values);
    QFETCH(TriggerMode, mode);
    QFETCH(int, userLevel);
    QFETCH(qint64, shown);
    QFETCH(int, source);
    QFETCH(int, gapAt);

    // All at once, and a few samples per redraw: the same outcome.
    for (const int perUpdate : {int(values.size()), 7}) {
        SampleStore store;
        ScopeTrigger trigger;
        trigger.setMode(mode);
        trigger.setSourceChannel(source);
        if (userLevel != none)
            trigger.setUserLevel(userLevel);
        for (int from = 0; from < values.size(); from += perUpdate) {
            const int to = std::min(int(values.size()), from + perUpdate);
            append(store, values, from, to, source, gapAt);
            trigger.update(store, to * frameNs);
        }
        const auto view = trigger.view(store);
        QCOMPARE(view ? view->triggerIndex : -1, shown);
        QCOMPARE(trigger.status(), shown < 0 ? TriggerStatus::Auto : TriggerStatus::Triggered);
        if (view)
            QCOMPARE(view->lastIndex - view->firstIndex, qint64(500));
    }
}

void TestAnalysis::triggerHoldsThenMovesToTheNextCompleteCrossing()
{
    // Rising edges at 150, 450, 750, ...
    const Values values = square(2000, 300);
    SampleStore store;
    ScopeTrigger trigger;
    trigger.setMode(TriggerMode::RisingEdge);
    trigger.setUserLevel(500);
    QList<QPair<int, qint64>> changes;
    for (int i = 0; i < values.size(); ++i) {
        append(store, values, i, i + 1);
        trigger.update(store, i * frameNs);
        const auto view = trigger.view(store);
        if (view && (changes.isEmpty() || changes.last().second != view->triggerIndex))
            changes.append({i, view->triggerIndex});
    }
    // Shown once its 400 samples are in, held past the crossing at 450, then
    // the first crossing after those 400 (750), once complete; and so on.
    QCOMPARE(changes, (QList<QPair<int, qint64>>{{550, 150}, {1150, 750}, {1750, 1350}}));
}

void TestAnalysis::steadySignalRepeatsThePicture_data()
{
    QTest::addColumn<Values>("values");
    QTest::addColumn<TriggerMode>("mode");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<int>("triggers");
    // Views from this index on repeat the picture (the signal changes before it).
    QTest::addColumn<int>("steadyFrom");

    const auto rising = TriggerMode::RisingEdge;
    const auto falling = TriggerMode::FallingEdge;
    QTest::newRow("sine, rising") << sine(4000, 48, 1400) << rising << 8192 << 4 << 0;
    QTest::newRow("sine, falling") << sine(4000, 130, 1000) << falling << 8192 << 3 << 0;
    QTest::newRow("store just holds a view") << square(4000, 90) << rising << 512 << 3 << 0;
    QTest::newRow("store too small for a view") << square(4000, 90) << rising << 256 << 0 << 0;
    // After a change, once it has left the window, one picture again.
    const auto change = [](const char *name, TriggerMode mode, int at, int amplitude, int offset,
                           int newAmplitude, int newOffset) {
        const Values values =
            boardSine({{at, amplitude, offset}, {6000 - at, newAmplitude, newOffset}});
        QTest::newRow(name) << values << mode << 8192 << 6 << at;
    };
    change("amplitude drops, rising", rising, 2050, 1400, 1650, 900, 1650);
    change("amplitude drops, falling", falling, 2080, 1400, 1650, 900, 1650);
    change("amplitude grows", rising, 2050, 900, 1650, 1400, 1650);
    change("offset rises", rising, 2050, 900, 1650, 900, 2300);
    change("offset and amplitude fall", falling, 2000, 1400, 1650, 500, 1000);
    change("small swing high up", falling, 2090, 900, 1650, 300, 2900);
}

void TestAnalysis::steadySignalRepeatsThePicture()
{
    QFETCH(Values, values);
    QFETCH(TriggerMode, mode);
    QFETCH(int, capacity);
    QFETCH(int, triggers);
    QFETCH(int, steadyFrom);

    SampleStore store(capacity);
    ScopeTrigger trigger;
    trigger.setMode(mode);
    Values firstPicture;
    QSet<qint64> shown;
    // 720 frames/s at 50 redraws/s: 14 or 15 samples per redraw.
    for (int redraw = 0, from = 0; from < values.size(); ++redraw) {
        const int to = std::min(int(values.size()), from + (redraw % 5 < 2 ? 15 : 14));
        append(store, values, from, to);
        from = to;
        trigger.update(store, to * frameNs);
        const auto view = trigger.view(store);
        QCOMPARE(trigger.status() == TriggerStatus::Triggered, bool(view));
        if (!view || view->firstIndex < steadyFrom)
            continue;
        Values picture;
        for (qint64 index = view->firstIndex; index <= view->lastIndex; ++index) {
            QVERIFY(store.positionOf(index) >= 0);
            picture.append(store.at(store.positionOf(index)).values[0]);
        }
        if (firstPicture.isEmpty())
            firstPicture = picture;
        // The same within the source's own 1 mV.
        int differs = 0;
        for (int i = 0; i < picture.size(); ++i)
            differs = std::max(differs, std::abs(picture[i] - firstPicture[i]));
        QVERIFY2(differs <= 1, qPrintable(QString::number(view->firstIndex)));
        shown.insert(view->triggerIndex);
    }
    QVERIFY2(shown.size() >= triggers && (triggers > 0 || shown.isEmpty()),
             qPrintable(QString::number(shown.size())));
}

void TestAnalysis::fallsBackToAutoAfterASecondWithoutCrossing()
{
    constexpr qint64 second = 1000000000;
    // Rising edges at 150, 450, ..., 1650, the one shown at 1350; then flat
    // until a rising edge at 2250.
    const Values values = square(1800, 300) + Values(450, 0) + Values(401, 1000);
    SampleStore store;
    ScopeTrigger trigger;
    trigger.setMode(TriggerMode::RisingEdge);
    trigger.setUserLevel(500);
    const auto shownAt = [&](int from, int to, qint64 nowNs) {
        append(store, values, from, to);
        trigger.update(store, nowNs);
        return trigger.view(store) ? trigger.view(store)->triggerIndex : -1;
    };
    QCOMPARE(shownAt(0, 1800, 10 * second), qint64(1350));
    QCOMPARE(shownAt(1800, 2200, 10 * second + second / 2), qint64(1350));
    // Then nothing arrives at all.
    QCOMPARE(shownAt(2200, 2200, 11 * second), qint64(1350));
    QCOMPARE(shownAt(2200, 2200, 11 * second + 1), qint64(-1));
    QCOMPARE(trigger.status(), TriggerStatus::Auto);
    QCOMPARE(shownAt(2200, 2650, 12 * second), qint64(-1));
    QCOMPARE(shownAt(2650, 2651, 12 * second), qint64(2250));
}

void TestAnalysis::ctrlTStepsAndOffRolls()
{
    TriggerMode mode = TriggerMode::Off;
    QList<TriggerMode> steps;
    for (int i = 0; i < 4; ++i)
        steps.append(mode = nextTriggerMode(mode));
    QCOMPARE(steps, (QList<TriggerMode>{TriggerMode::RisingEdge, TriggerMode::FallingEdge,
                                        TriggerMode::Off, TriggerMode::RisingEdge}));

    SampleStore store;
    append(store, square(1000, 200), 0, 1000);
    ScopeTrigger trigger;
    trigger.update(store, 0);
    QCOMPARE(trigger.status(), TriggerStatus::Off);
    QVERIFY(!trigger.view(store));
    QCOMPARE(trigger.level(), 500.0);
    QCOMPARE(trigger.hysteresis(), 20.0);
    // Switched on, it reads the samples already held.
    trigger.setMode(TriggerMode::RisingEdge);
    trigger.update(store, 0);
    QCOMPARE(trigger.view(store)->triggerIndex, qint64(100));
}

void TestAnalysis::measurements_data()
{
    QTest::addColumn<Values>("values");
    QTest::addColumn<int>("peakToPeak");
    // -1: not checked (the samples miss the peaks by more than a count).
    QTest::addColumn<int>("peakToPeakTolerance");
    // 0: no period.
    QTest::addColumn<double>("period");

    Values noisy = sine(501, 100, 1000);
    Values holes = sine(501, 100, 1400);
    for (int i = 0; i < noisy.size(); ++i) {
        noisy[i] += (i * 13) % 41 - 20;
        holes[i] = i % 7 ? holes[i] : none;
    }
    QTest::newRow("sine, the board's PAD0") << sine(501, 144.07, 1400) << 2800 << 1 << 144.07;
    QTest::newRow("sine, two crossings") << sine(501, 240, 1400) << 2800 << 1 << 240.0;
    QTest::newRow("sine, short period") << sine(501, 37.3, 1400) << 0 << -1 << 37.3;
    QTest::newRow("sine with noise") << noisy << 2000 << 40 << 100.0;
    QTest::newRow("sine, every 7th missing") << holes << 2800 << 1 << 100.0;
    QTest::newRow("square") << square(501, 40, 3300) << 3300 << 0 << 40.0;
    QTest::newRow("constant") << Values(501, 1234) << 0 << 0 << 0.0;
    QTest::newRow("one rising crossing") << square(501, 600) << 1000 << 0 << 0.0;
    QTest::newRow("no values") << Values(501, none) << 0 << 0 << 0.0;
    Values extremes;
    for (int i = 0; i < 501; ++i)
        extremes.append(i % 40 < 20 ? INT_MIN : INT_MAX);
    QTest::newRow("square at the ends of int") << extremes << 0 << -1 << 40.0;
}

void TestAnalysis::measurements()
{
    QFETCH(Values, values);
    QFETCH(int, peakToPeak);
    QFETCH(int, peakToPeakTolerance);
    QFETCH(double, period);

    // Extremes just outside the range measured must not count.
    SampleStore store;
    const Values all = Values(300, -5000) + values + Values(200, 9000);
    append(store, all, 0, all.size());
    const ChannelMeasurement measured = measureChannels(store, 300, 800, 720.0)[0];

    Values held = values;
    held.removeAll(none);
    QCOMPARE(measured.hasData, !held.isEmpty());
    if (held.isEmpty())
        return;
    std::sort(held.begin(), held.end());
    QCOMPARE(measured.minimum, held.first());
    QCOMPARE(measured.maximum, held.last());
    QCOMPARE(measured.peakToPeak, qint64(held.last()) - held.first());
    QVERIFY(std::abs(measured.mean - std::accumulate(held.begin(), held.end(), 0.0) / held.size())
            < 1e-6);
    if (peakToPeakTolerance >= 0)
        QVERIFY2(std::abs(measured.peakToPeak - peakToPeak) <= peakToPeakTolerance,
                 qPrintable(QString::number(measured.peakToPeak)));
    QCOMPARE(measured.periodSamples.value_or(0) > 0, period > 0);
    if (period > 0) {
        QVERIFY2(std::abs(*measured.periodSamples - period) <= 0.01 * period,
                 qPrintable(QString::number(*measured.periodSamples)));
        QCOMPARE(*measured.frequencyHz, 720 / *measured.periodSamples);
    }
}

void TestAnalysis::rateMeter_data()
{
    // The reads: when (ms) and how many samples each; the read at
    // `gapRead` comes after a gap (Start Plot, a replug). Rate -1: none yet.
    QTest::addColumn<QVector<qint64>>("times");
    QTest::addColumn<QVector<int>>("counts");
    QTest::addColumn<int>("gapRead");
    QTest::addColumn<double>("rate");

    QTest::newRow("one read") << QVector<qint64>{0} << QVector<int>{10} << -1 << -1.0;
    QTest::newRow("start-up") << QVector<qint64>{0, 500} << QVector<int>{1, 360} << -1 << 720.0;
    QTest::newRow("the last two seconds") << QVector<qint64>{0, 1000, 2000, 3000, 4000}
                                          << QVector<int>{1, 1000, 1000, 1000, 100} << -1
                                          << 550.0;
    // What came in while stopped arrives in the first read after Start.
    QTest::newRow("after Start Plot") << QVector<qint64>{0, 500, 1000, 4000, 4100, 4300}
                                      << QVector<int>{1, 360, 360, 2000, 72, 144} << 3 << 720.0;
    QTest::newRow("after a gap, one read") << QVector<qint64>{0, 500, 4000}
                                           << QVector<int>{1, 360, 50} << 2 << -1.0;
    QTest::newRow("silent for 3 s") << QVector<qint64>{0, 1000, 4000, 4500}
                                    << QVector<int>{1, 720, 1, 360} << -1 << 720.0;
    // A board that stalls: the time before says nothing about the rate now.
    const QVector<qint64> tenthsTo1s{0, 100, 200, 300, 400, 500, 600, 700, 800, 900, 1000};
    QTest::newRow("a stall, one read after") << (tenthsTo1s + QVector<qint64>{11000})
                                             << QVector<int>(12, 72) << -1 << -1.0;
    QTest::newRow("a stall of 1.5 s") << (tenthsTo1s + QVector<qint64>{2500, 2600})
                                      << QVector<int>(13, 72) << -1 << 720.0;
    // A board catching up: 100 frames in one read, then 720 a second. The
    // first sample and the last alone would say 770.
    QVector<qint64> catchingUp;
    for (qint64 ms = 0; ms <= 2000; ms += 100)
        catchingUp.append(ms);
    QVector<int> catchingUpCounts(catchingUp.size(), 72);
    catchingUpCounts[0] = 100;
    QTest::newRow("catching up") << catchingUp << catchingUpCounts << -1 << 720.0;
}

void TestAnalysis::rateMeter()
{
    QFETCH(QVector<qint64>, times);
    QFETCH(QVector<int>, counts);
    QFETCH(int, gapRead);
    QFETCH(double, rate);

    // Asked after every read, or only at the end: redraws do not matter.
    SampleStore store;
    RateMeter everyRead;
    RateMeter atTheEnd;
    qint64 index = 0;
    for (int read = 0; read < times.size(); ++read) {
        for (int i = 0; i < counts[read]; ++i) {
            Sample sample;
            sample.index = ++index;
            sample.timeNs = times[read] * 1000000;
            sample.gapBefore = read == gapRead && i == 0;
            store.append(sample);
        }
        everyRead.update(store);
    }
    atTheEnd.update(store);
    QCOMPARE(everyRead.framesPerSecond().value_or(-1), rate);
    QCOMPARE(atTheEnd.framesPerSecond().value_or(-1), rate);
    // Another stream (indexes started over) is measured on its own.
    SampleStore restarted;
    for (int i = 1; i <= 2; ++i) {
        Sample sample;
        sample.index = i;
        sample.timeNs = (times.last() + 100 * i) * 1000000;
        restarted.append(sample);
        everyRead.update(restarted);
    }
    QCOMPARE(everyRead.framesPerSecond().value_or(-1), 10.0);
}

void TestAnalysis::readoutText()
{
    // A decimal comma locale must not reach the readout.
    const DefaultLocale german(QLocale::German);
    ChannelMeasurement measured{true, 12, 3300, 1650.24, 3288, 50.2, 14.34};
    QCOMPARE(measurementLine("PAD0", measured),
             QStringLiteral("PAD0  min 12  max 3300  mean 1650.2  p-p 3288  period 50 (14.3 Hz)"));
    measured.frequencyHz.reset();
    QCOMPARE(measurementLine("X", measured),
             QStringLiteral("X  min 12  max 3300  mean 1650.2  p-p 3288  period 50 (– Hz)"));
    measured.periodSamples.reset();
    QCOMPARE(measurementLine("Y", measured),
             QStringLiteral("Y  min 12  max 3300  mean 1650.2  p-p 3288  period –"));
    QCOMPARE(measurementLine("PAD2", ChannelMeasurement{}), QStringLiteral("PAD2  no data"));
    const ChannelMeasurement extremes{true, INT_MIN, INT_MAX, -0.5, 4294967295, {}, {}};
    QCOMPARE(measurementLine("PAD1", extremes),
             QStringLiteral("PAD1  min -2147483648  max 2147483647  mean -0.5  p-p 4294967295  "
                            "period –"));
    QCOMPARE(sampleRateLine(719.6), QStringLiteral("720 samples/s"));
    QCOMPARE(sampleRateLine(std::nullopt), QStringLiteral("– samples/s"));
}

void TestAnalysis::typedAxisEnds_data()
{
    // -1: refused.
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("understood");
    QTest::newRow("decimal point") << "1.5" << 1.5;
    QTest::newRow("decimal comma") << "-0,5" << -0.5;
    QTest::newRow("whole") << " 3300 " << 3300.0;
    QTest::newRow("leading point") << ".25" << 0.25;
    QTest::newRow("group separators") << "1.234,5" << -1.0;
    QTest::newRow("two points") << "1.2.3" << -1.0;
    QTest::newRow("letters") << "1e3" << -1.0;
    QTest::newRow("empty") << "" << -1.0;
}

void TestAnalysis::typedAxisEnds()
{
    QFETCH(QString, typed);
    QFETCH(double, understood);
    // The same whatever the language: German reads "." as a group separator.
    const DefaultLocale german(QLocale::German);
    QCOMPARE(ViewZoom::typedNumber(typed).value_or(-1), understood);
}

void TestAnalysis::zoomAndPan_data()
{
    // "zoom" and "pan" move a stopped x view through `history`; "y" zooms
    // the y axis. `by` is the factor, or the distance of a pan.
    QTest::addColumn<QString>("move");
    QTest::addColumn<AxisSpan>("span");
    QTest::addColumn<double>("anchor");
    QTest::addColumn<double>("by");
    QTest::addColumn<AxisSpan>("history");
    QTest::addColumn<AxisSpan>("expected");

    const auto row = [](const char *name, const char *move, AxisSpan span, double anchor,
                        double by, AxisSpan history, AxisSpan expected) {
        QTest::newRow(name) << QString::fromLatin1(move) << span << anchor << by << history
                            << expected;
    };
    const AxisSpan history{0, 1000};
    row("zoom in around the middle", "zoom", {0, 500}, 250, 0.5, history, {125, 375});
    row("the pointer keeps its place", "zoom", {0, 100}, 20, 0.5, history, {10, 60});
    row("zoom in at the newest", "zoom", {500, 1000}, 1000, 0.5, history, {750, 1000});
    row("zoom in stops at 20 steps", "zoom", {0, 100}, 50, 0.01, history, {40, 60});
    row("zoom out stops at the whole history", "zoom", {400, 600}, 500, 100, {1, 1000},
        {1, 1000});
    row("zoom out at the oldest stays inside", "zoom", {0, 100}, 0, 4, history, {0, 400});
    row("zoom out at the newest stays inside", "zoom", {900, 1000}, 1000, 3, history,
        {700, 1000});
    row("a history under 20 steps shows at the right", "zoom", {0, 10}, 5, 0.5, {0, 10},
        {-10, 10});
    row("a factor of 0 changes nothing", "zoom", {100, 200}, 150, 0, history, {100, 200});
    row("pan back", "pan", {400, 600}, 0, -100, history, {300, 500});
    row("pan stops at the oldest held", "pan", {100, 300}, 0, -500, {50, 1000}, {50, 250});
    row("pan stops at the newest", "pan", {800, 1000}, 0, 500, history, {800, 1000});
    row("y zoom in around the pointer", "y", {-100, 3400}, 1650, 0.5, {}, {775, 2525});
    row("y zoom out", "y", {0, 100}, 0, 2, {}, {0, 200});
    row("y zoom stops at 2", "y", {0, 10}, 5, 0.001, {}, {4, 6});
}

void TestAnalysis::zoomAndPan()
{
    QFETCH(QString, move);
    QFETCH(AxisSpan, span);
    QFETCH(double, anchor);
    QFETCH(double, by);
    QFETCH(AxisSpan, history);
    QFETCH(AxisSpan, expected);

    const AxisSpan moved = move == QLatin1String("zoom")
                               ? ViewZoom::zoomedInHistory(span, anchor, by, history)
                           : move == QLatin1String("pan")
                               ? ViewZoom::pannedInHistory(span, by, history)
                               : ViewZoom::zoomedY(span, anchor, by);
    QVERIFY2(qFuzzyCompare(moved.lower + 1e6, expected.lower + 1e6)
                 && qFuzzyCompare(moved.upper + 1e6, expected.upper + 1e6),
             qPrintable(QStringLiteral("%1 to %2").arg(moved.lower).arg(moved.upper)));
}

void TestAnalysis::rollingLength_data()
{
    QTest::addColumn<int>("length");
    // Eighths of a degree, 120 a notch; positive turns away from the user.
    QTest::addColumn<int>("angleDelta");
    QTest::addColumn<int>("expected");

    QTest::newRow("a notch away: shorter") << 500 << 120 << 400;
    QTest::newRow("a notch back: longer") << 500 << -120 << 625;
    QTest::newRow("two notches at once") << 500 << 240 << 320;
    QTest::newRow("shortest") << 24 << 120 << 20;
    QTest::newRow("already shortest") << 20 << 120 << 20;
    QTest::newRow("longer from the shortest") << 20 << -120 << 25;
    QTest::newRow("longest") << 90000 << -240 << 100000;
    QTest::newRow("a fine wheel's step still moves") << 30 << 1 << 29;
}

void TestAnalysis::rollingLength()
{
    QFETCH(int, length);
    QFETCH(int, angleDelta);
    QFETCH(int, expected);
    QCOMPARE(ViewZoom::rollingLengthAfter(length, angleDelta), expected);
}

void TestAnalysis::decimation_data()
{
    QTest::addColumn<Values>("values");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("gapAt");
    // Points in PAD0's line, breaks included; -1: not checked.
    QTest::addColumn<int>("points");

    Values spiky = Values(100000, 1000);
    spiky[54321] = 4000;
    spiky[70000] = -300;
    Values holes = sine(5000, 300, 1400);
    for (int i = 0; i < holes.size(); i += 7)
        holes[i] = none;
    QTest::newRow("fewer samples than columns: every sample") << sine(50, 20, 1000) << 800
                                                              << -1 << 50;
    QTest::newRow("two per column: both") << sine(1600, 100, 1000) << 800 << -1 << 1600;
    QTest::newRow("100,000 samples over 800 columns") << sine(100000, 1000, 1400) << 800 << -1
                                                      << 1600;
    QTest::newRow("a one-sample spike and dip survive") << spiky << 800 << -1 << -1;
    QTest::newRow("flat: each column keeps both ends") << Values(1000, 7) << 10 << -1 << 20;
    QTest::newRow("a gap splits its column and breaks the line")
        << sine(1000, 100, 1000) << 10 << 550 << 23;
    QTest::newRow("every 7th value missing") << holes << 300 << 2500 << -1;
    QTest::newRow("one column") << sine(1000, 100, 1000) << 1 << -1 << 2;
}

void TestAnalysis::decimation()
{
    QFETCH(Values, values);
    QFETCH(int, columns);
    QFETCH(int, gapAt);
    QFETCH(int, points);

    SampleStore store(values.size());
    append(store, values, 0, values.size(), 0, gapAt);
    const ColumnGrid grid{0, double(values.size() - 1), columns};
    ChannelLines lines;
    const ValueExtent extent = decimateColumns(store, {0, store.size()}, 0, grid, lines);
    const std::vector<PlotPoint> &line = lines[0];
    if (points >= 0)
        QCOMPARE(int(line.size()), points);

    // Each column's lowest and highest point are those of its samples.
    QVector<int> lowest(columns, INT_MAX);
    QVector<int> highest(columns, INT_MIN);
    for (int i = 0; i < values.size(); ++i) {
        if (values[i] == none)
            continue;
        const int column = grid.columnOf(i);
        lowest[column] = std::min(lowest[column], values[i]);
        highest[column] = std::max(highest[column], values[i]);
    }
    QVector<int> drawnLowest(columns, INT_MAX);
    QVector<int> drawnHighest(columns, INT_MIN);
    int breaks = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        if (i > 0)
            QVERIFY(line[i].key >= line[i - 1].key);
        if (std::isnan(line[i].value)) {
            ++breaks;
            QCOMPARE(line[i].key, gapAt - 0.5);
            continue;
        }
        // On a sample's key, in that sample's column.
        const int key = int(line[i].key);
        QCOMPARE(line[i].key, double(key));
        const int column = grid.columnOf(key);
        const int value = int(line[i].value);
        drawnLowest[column] = std::min(drawnLowest[column], value);
        drawnHighest[column] = std::max(drawnHighest[column], value);
    }
    QCOMPARE(drawnLowest, lowest);
    QCOMPARE(drawnHighest, highest);
    QCOMPARE(breaks, gapAt >= 0 ? 1 : 0);
    // The other channels carry the opposite values: the extent spans both.
    Values held = values;
    held.removeAll(none);
    const auto [low, high] = std::minmax_element(held.begin(), held.end());
    QCOMPARE(extent.minimum, double(std::min(*low, 1000 - *high)));
    QCOMPARE(extent.maximum, double(std::max(*high, 1000 - *low)));

    // Whole blocks read from the store's envelope give the same lines.
    for (int pass = 0; pass < 2; ++pass) {
        ChannelLines summarised;
        decimateColumns(store, {0, store.size()}, 0, grid, summarised, true);
        for (size_t channel = 0; channel < lines.size(); ++channel) {
            QCOMPARE(summarised[channel].size(), lines[channel].size());
            for (size_t i = 0; i < lines[channel].size(); ++i) {
                QCOMPARE(summarised[channel][i].key, lines[channel][i].key);
                QCOMPARE(std::isnan(summarised[channel][i].value),
                         std::isnan(lines[channel][i].value));
                if (!std::isnan(lines[channel][i].value))
                    QCOMPARE(summarised[channel][i].value, lines[channel][i].value);
            }
        }
    }
}

void TestAnalysis::cursorReadout_data()
{
    QTest::addColumn<qint64>("indexA");
    QTest::addColumn<qint64>("indexB");
    QTest::addColumn<QStringList>("lines");

    // Samples 477 to 1500 are held, 2 ms apart; 1200 and 1201 came in one
    // read; PAD2 has values only at even indexes.
    QTest::newRow("B after A") << qint64(1000) << qint64(1250)
                               << QStringList{"A 1000  B 1250  Δ 250 samples",
                                              "Δt 500 ms  1/Δt 2 Hz",
                                              "PAD0  A 1000  B 1250  Δ 250",
                                              "PAD1  A -3000  B -3750  Δ -750",
                                              "PAD2  A 7  B 7  Δ 0"};
    QTest::newRow("B before A, one value missing")
        << qint64(1001) << qint64(600)
        << QStringList{"A 1001  B 600  Δ -401 samples", "Δt -802 ms  1/Δt -1.247 Hz",
                       "PAD0  A 1001  B 600  Δ -401", "PAD1  A -3003  B -1800  Δ 1203",
                       "PAD2  A –  B 7  Δ –"};
    // One read's samples (or a file's without times) have no time between them.
    QTest::newRow("both in one read") << qint64(1200) << qint64(1201)
                                      << QStringList{"A 1200  B 1201  Δ 1 samples",
                                                     "Δt – ms  1/Δt – Hz",
                                                     "PAD0  A 1200  B 1201  Δ 1",
                                                     "PAD1  A -3600  B -3603  Δ -3",
                                                     "PAD2  A 7  B –  Δ –"};
    QTest::newRow("A no longer held") << qint64(100) << qint64(1500)
                                      << QStringList{"A 100  B 1500  Δ 1400 samples",
                                                     "Δt – ms  1/Δt – Hz",
                                                     "PAD0  A –  B 1500  Δ –",
                                                     "PAD1  A –  B -4500  Δ –",
                                                     "PAD2  A –  B 7  Δ –"};
    QTest::newRow("the extremes of int apart")
        << qint64(1300) << qint64(1302)
        << QStringList{"A 1300  B 1302  Δ 2 samples", "Δt 4 ms  1/Δt 250 Hz",
                       "PAD0  A -2147483648  B 2147483647  Δ 4294967295",
                       "PAD1  A 2147483647  B -2147483648  Δ -4294967295",
                       "PAD2  A 7  B 7  Δ 0"};
}

void TestAnalysis::cursorReadout()
{
    QFETCH(qint64, indexA);
    QFETCH(qint64, indexB);
    QFETCH(QStringList, lines);

    const DefaultLocale german(QLocale::German);
    SampleStore store(1024);
    for (int i = 1; i <= 1500; ++i) {
        Sample sample;
        sample.index = i;
        sample.timeNs = qint64(i == 1201 ? 1200 : i) * 2000000;
        sample.values = {i, -3 * i, 7};
        if (i == 1300 || i == 1302)
            sample.values = {i == 1300 ? INT_MIN : INT_MAX, i == 1300 ? INT_MAX : INT_MIN, 7};
        sample.validMask = i % 2 ? 0b011 : 0b111;
        store.append(sample);
    }
    QCOMPARE(cursorReadoutLines(readCursors(store, indexA, indexB), {"PAD0", "PAD1", "PAD2"}),
             lines);
}

void TestAnalysis::spectrumOfASine_data()
{
    // A sine of `cycles` periods in `count` samples, amplitude as a fraction
    // of half the full scale, analysed at `length`: its peak bin and level.
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("length");
    QTest::addColumn<double>("cycles");
    QTest::addColumn<double>("amplitude");
    QTest::addColumn<double>("offset");
    QTest::addColumn<int>("missingEvery");
    QTest::addColumn<double>("bin");
    QTest::addColumn<double>("levelDb");

    QTest::newRow("on a bin, full scale") << 1024 << 1024 << 64.0 << 1.0 << 0.0 << 0 << 64.0 << 0.0;
    QTest::newRow("tenth of the scale") << 1024 << 1024 << 10.0 << 0.1 << 0.0 << 0 << 10.0 << -20.0;
    QTest::newRow("between bins") << 1024 << 1024 << 100.5 << 1.0 << 0.0 << 0 << 100.5 << 0.0;
    QTest::newRow("offset removed") << 256 << 256 << 20.0 << 0.5 << 1650.0 << 0 << 20.0 << -6.02;
    QTest::newRow("longest length") << 16384 << 16384 << 3000.0 << 1.0 << 0.0 << 0 << 3000.0 << 0.0;
    // Fewer samples than the length: padded, the bin scales with the length.
    QTest::newRow("fewer samples") << 300 << 1024 << 30.0 << 1.0 << 0.0 << 0 << 102.4 << 0.0;
    QTest::newRow("newest of more") << 2048 << 1024 << 128.0 << 1.0 << 0.0 << 0 << 64.0 << 0.0;
    QTest::newRow("missing readings") << 1024 << 1024 << 64.0 << 1.0 << 0.0 << 50 << 64.0 << -0.17;
}

void TestAnalysis::spectrumOfASine()
{
    QFETCH(int, count);
    QFETCH(int, length);
    QFETCH(double, cycles);
    QFETCH(double, amplitude);
    QFETCH(double, offset);
    QFETCH(int, missingEvery);
    QFETCH(double, bin);
    QFETCH(double, levelDb);

    constexpr double fullScale = 3500;
    SpectrumAnalyzer analyzer;
    std::vector<double> levels;
    const std::vector<double> values =
        sineWave(count, cycles, amplitude * fullScale / 2, offset, missingEvery);
    analyzer.levelsDb(values.data(), count, length, fullScale, levels);
    QCOMPARE(int(levels.size()), length / 2 + 1);
    const std::optional<SpectrumPeak> peak = largestPeak(levels);
    QVERIFY(peak);
    QVERIFY2(std::abs(peak->bin - bin) <= 0.1, qPrintable(QString::number(peak->bin)));
    // Between bins the level is read off a parabola: within a few tenths of
    // a dB, where the bin itself would be 1.4 dB low.
    QVERIFY2(std::abs(peak->levelDb - levelDb) <= 0.4, qPrintable(QString::number(peak->levelDb)));
    // The mean is gone: nothing left at DC worth a peak's level.
    QVERIFY(levels[0] < levelDb - 20);
}

void TestAnalysis::squareHasOddHarmonicsOnly()
{
    // 32 periods of 16 high and 16 low in 1024 samples: harmonic n lies in
    // bin 32 n, odd ones at 1/sin(pi n / 32) of a sampled square's
    // fundamental (about 1/n), even ones absent.
    std::vector<double> values;
    for (int i = 0; i < 1024; ++i)
        values.push_back(i % 32 < 16 ? 2800 : 400);
    SpectrumAnalyzer analyzer;
    std::vector<double> levels;
    analyzer.levelsDb(values.data(), 1024, 1024, 3500, levels);
    QVERIFY(std::abs(largestPeak(levels)->bin - 32) < 1e-3);
    const double fundamental = levels[32];
    for (int n = 2; n <= 7; ++n) {
        const double relative = levels[size_t(32 * n)] - fundamental;
        if (n % 2 == 1) {
            const double expected = 20 * std::log10(std::sin(M_PI / 32) / std::sin(M_PI * n / 32));
            QVERIFY2(std::abs(relative - expected) <= 0.05, qPrintable(QString::number(n)));
        } else {
            QVERIFY2(relative < -100, qPrintable(QString::number(n)));
        }
    }
}

void TestAnalysis::windowKeepsLeakageLow()
{
    // A sine half-way between bins leaks into every bin without a window
    // (about -44 dB fifty bins away); Hann's sidelobes fall far below that.
    SpectrumAnalyzer analyzer;
    std::vector<double> levels;
    const std::vector<double> values = sineWave(1024, 100.5, 1750);
    analyzer.levelsDb(values.data(), 1024, 1024, 3500, levels);
    QVERIFY2(levels[150] < -80, qPrintable(QString::number(levels[150])));
    QVERIFY2(levels[50] < -80, qPrintable(QString::number(levels[50])));
    // Its main lobe: the two bins beside the sine.
    QVERIFY(levels[100] > -2 && levels[101] > -2);
}

void TestAnalysis::flatLineHasNoPeak()
{
    SpectrumAnalyzer analyzer;
    std::vector<double> levels;
    for (const std::vector<double> &values :
         {std::vector<double>(512, 1650.0), std::vector<double>(512, qQNaN()),
          std::vector<double>{1650.0}}) {
        analyzer.levelsDb(values.data(), int(values.size()), 512, 3500, levels);
        QCOMPARE(levels, std::vector<double>(257, SpectrumAnalyzer::floorDb));
        QVERIFY(!largestPeak(levels));
    }
}

void TestAnalysis::peakFinder_data()
{
    QTest::addColumn<std::vector<double>>("levels");
    QTest::addColumn<double>("bin");
    QTest::addColumn<double>("levelDb");

    constexpr double floor = SpectrumAnalyzer::floorDb;
    // -1: no peak.
    QTest::newRow("empty") << std::vector<double>{} << -1.0 << 0.0;
    QTest::newRow("floor only") << std::vector<double>(8, floor) << -1.0 << 0.0;
    QTest::newRow("falling from DC") << std::vector<double>{0, -10, -20, -30} << -1.0 << 0.0;
    QTest::newRow("symmetric") << std::vector<double>{-60, -20, -10, -20, -60} << 2.0 << -10.0;
    // The parabola through -20, -10, -15 peaks a sixth of a bin to the right.
    QTest::newRow("leaning right") << std::vector<double>{-60, -20, -10, -15, -60} << 2.1667
                                   << -9.7917;
    QTest::newRow("largest of two") << std::vector<double>{-90, -30, -90, -5, -90, -40} << 3.0
                                    << -5.0;
    QTest::newRow("last bin") << std::vector<double>{-90, -60, -30} << 2.0 << -30.0;
    QTest::newRow("first of equals") << std::vector<double>{-90, -30, -90, -30, -90} << 1.0 << -30.0;
}

void TestAnalysis::peakFinder()
{
    QFETCH(std::vector<double>, levels);
    QFETCH(double, bin);
    QFETCH(double, levelDb);

    const std::optional<SpectrumPeak> peak = largestPeak(levels);
    QCOMPARE(peak.has_value(), bin >= 0);
    if (peak) {
        QVERIFY2(std::abs(peak->bin - bin) < 1e-3, qPrintable(QString::number(peak->bin)));
        QVERIFY2(std::abs(peak->levelDb - levelDb) < 1e-3, qPrintable(QString::number(peak->levelDb)));
    }
}

void TestAnalysis::spectraOfTheStore()
{
    // 720 samples a second, PAD0 a 45 Hz sine, PAD1 without values, PAD2 flat.
    SampleStore store(4096);
    auto fill = [&store](int from, int to, bool gapFirst) {
        for (int i = from; i < to; ++i) {
            Sample sample;
            sample.index = i;
            sample.timeNs = i * frameNs;
            sample.gapBefore = gapFirst && i == from;
            sample.values = {qRound(1650 + 1000 * std::sin(2 * M_PI * 45 * i / 720.0)), 0, 1200};
            sample.validMask = 0b101;
            store.append(sample);
        }
    };
    fill(0, 200, false);
    SpectrumAnalyzer analyzer;
    ChannelSpectra spectra;
    computeSpectra(analyzer, store, 1024, 3500, std::nullopt, spectra);
    // No rate yet: the x axis counts bins.
    QVERIFY(!spectra.sampleRateHz);
    QCOMPARE(spectra.samplesUsed, 200);
    QCOMPARE(spectra.binPosition(10), 10.0);

    fill(200, 3000, false);
    computeSpectra(analyzer, store, 1024, 3500, 720.0, spectra);
    QCOMPARE(spectra.samplesUsed, 1024);
    const double binHz = 720.0 / 1024;
    QVERIFY(std::abs(spectra.binPosition(largestPeak(spectra.levelsDb[0])->bin) - 45) < binHz);
    QVERIFY(spectra.levelsDb[1].empty());
    QVERIFY(!largestPeak(spectra.levelsDb[2]));

    // A length of none is taken as the shortest there is, so the x axis
    // still divides by something.
    computeSpectra(analyzer, store, 0, 3500, 720.0, spectra);
    QCOMPARE(spectra.length, 2);
    QCOMPARE(spectra.binPosition(1), 360.0);

    // After a replug the two sides are not one signal: only the new run.
    fill(3000, 3100, true);
    computeSpectra(analyzer, store, 1024, 3500, 720.0, spectra);
    QCOMPARE(spectra.samplesUsed, 100);
    QVERIFY(std::abs(spectra.binPosition(largestPeak(spectra.levelsDb[0])->bin) - 45) < 720.0 / 100);

    // Too few samples for a spectrum.
    SampleStore few(16);
    for (int position = store.size() - minimumSpectrumSamples + 1; position < store.size(); ++position)
        few.append(store.at(position));
    computeSpectra(analyzer, few, 256, 3500, 720.0, spectra);
    QVERIFY(spectra.levelsDb[0].empty());

    // A computed channel in g (1000 counts a g) holding PAD0's signal: the
    // same level as PAD0, not 60 dB below it.
    store.setComputedNames({QStringLiteral("M1")});
    for (int position = 0; position < store.size(); ++position) {
        double value = 0;
        store.value(position, 0, &value);
        store.setComputed(position, 0, (value - 2000) / 1000);
    }
    computeSpectra(analyzer, store, 64, 3500, 720.0, spectra, CountUnit{2000, 1000});
    const auto input = largestPeak(spectra.levelsDb[0]);
    const auto computed = largestPeak(spectra.levelsDb[3]);
    QVERIFY(input && computed);
    QVERIFY2(std::abs(computed->levelDb - input->levelDb) < 0.01,
             qPrintable(QString("%1 against %2 dB").arg(computed->levelDb).arg(input->levelDb)));
}

void TestAnalysis::xyPoints()
{
    // Indexes 0..9; 4 lacks PAD1, a gap before 7. PAD0 = 10 i, PAD1 = -i.
    SampleStore store(16);
    for (int i = 0; i < 10; ++i) {
        Sample sample;
        sample.index = i;
        sample.gapBefore = i == 7;
        sample.values = {10 * i, -i, 5};
        sample.validMask = i == 4 ? 0b101 : 0b111;
        store.append(sample);
    }
    const std::vector<XYPoint> points = ::xyPoints(store, {2, 10}, 0, 1);
    QString drawn;
    for (const XYPoint &point : points)
        drawn += QStringLiteral("%1%2(%3,%4)@%5 ")
                     .arg(point.startsLine ? "|" : "")
                     .arg(point.index)
                     .arg(point.x)
                     .arg(point.y)
                     .arg(point.age, 0, 'f', 3);
    QCOMPARE(drawn, QStringLiteral("|2(20,-2)@1.000 3(30,-3)@0.857 |5(50,-5)@0.571 "
                                   "6(60,-6)@0.429 |7(70,-7)@0.286 8(80,-8)@0.143 "
                                   "9(90,-9)@0.000 "));
    // Channels swapped and the third one; an empty span gives nothing.
    QCOMPARE(::xyPoints(store, {9, 10}, 2, 0).front().x, 5);
    QCOMPARE(::xyPoints(store, {9, 10}, 2, 0).front().y, 90);
    QVERIFY(::xyPoints(store, {5, 5}, 0, 1).empty());
}

void TestAnalysis::laneRange_data()
{
    // The lowest and highest value a lane drew (NaN: none), and the range
    // it shows by itself; an empty range: none, the lane keeps its own.
    QTest::addColumn<double>("lowest");
    QTest::addColumn<double>("highest");
    QTest::addColumn<AxisSpan>("range");
    const double nan = qQNaN();
    const double infinity = std::numeric_limits<double>::infinity();
    QTest::newRow("ramp") << 0.0 << 1000.0 << AxisSpan{-50, 1050};
    QTest::newRow("negative") << -200.0 << -100.0 << AxisSpan{-205, -95};
    QTest::newRow("flat") << 1650.0 << 1650.0 << AxisSpan{1567.5, 1732.5};
    QTest::newRow("flat at zero") << 0.0 << 0.0 << AxisSpan{-1, 1};
    QTest::newRow("flat negative") << -2.0 << -2.0 << AxisSpan{-2.1, -1.9};
    QTest::newRow("too close to tell apart") << 1e6 << 1e6 + 1e-6 << AxisSpan{950000, 1050000};
    QTest::newRow("NaN only") << nan << nan << AxisSpan{};
    QTest::newRow("infinities") << -infinity << infinity << AxisSpan{-1e100, 1e100};
    QTest::newRow("huge flat") << 1e300 << 1e300 << AxisSpan{9.5e99, 1e100};
}

void TestAnalysis::laneRange()
{
    QFETCH(double, lowest);
    QFETCH(double, highest);
    QFETCH(AxisSpan, range);
    const std::optional<AxisSpan> automatic = LaneLayout::automaticRange(lowest, highest);
    QCOMPARE(automatic.has_value(), range.size() > 0);
    if (!automatic)
        return;
    QCOMPARE(automatic->lower, range.lower);
    QCOMPARE(automatic->upper, range.upper);
    // What it gives, a lane can show as a set range too.
    QVERIFY(LaneLayout::isUsable(*automatic));
    QVERIFY(!LaneLayout::isUsable({range.upper, range.lower}));
    QVERIFY(!LaneLayout::isUsable({range.lower, range.lower}));
    QVERIFY(!LaneLayout::isUsable({qQNaN(), range.upper}));
}

void TestAnalysis::lanesOfTheShownChannels_data()
{
    // Which channel each lane shows, top to bottom, and the second lane's
    // band of a plot 410 pixels high with gaps of 10.
    QTest::addColumn<quint32>("shown");
    QTest::addColumn<int>("channels");
    QTest::addColumn<QVector<int>>("lanes");
    QTest::addColumn<double>("secondTop");
    QTest::addColumn<double>("height");
    QTest::newRow("three inputs") << 0b111u << 3 << QVector<int>{0, 1, 2} << 140.0 / 410 << 130.0 / 410;
    QTest::newRow("one hidden") << 0b101u << 3 << QVector<int>{0, 2} << 210.0 / 410 << 200.0 / 410;
    QTest::newRow("computed ones") << 0b11011u << 5 << QVector<int>{0, 1, 3, 4} << 105.0 / 410 << 95.0 / 410;
    QTest::newRow("bits beyond the channels") << ~0u << 2 << QVector<int>{0, 1} << 210.0 / 410 << 200.0 / 410;
    QTest::newRow("one") << 0b10u << 3 << QVector<int>{1} << 0.0 << 1.0;
    QTest::newRow("none") << 0u << 3 << QVector<int>{} << 0.0 << 1.0;
}

void TestAnalysis::lanesOfTheShownChannels()
{
    QFETCH(quint32, shown);
    QFETCH(int, channels);
    QFETCH(QVector<int>, lanes);
    const std::vector<int> laid = LaneLayout::laneChannels(shown, channels);
    QCOMPARE(QVector<int>(laid.begin(), laid.end()), lanes);
    const LaneLayout::Band second = LaneLayout::band(1, int(lanes.size()), 410, 10);
    QTEST(second.top, "secondTop");
    QTEST(second.height, "height");
    // The last lane ends at the bottom; a plot too low for the gaps has none.
    const LaneLayout::Band last = LaneLayout::band(int(lanes.size()) - 1, int(lanes.size()), 410, 10);
    QCOMPARE(last.top + last.height, 1.0);
    if (lanes.size() > 1)
        QCOMPARE(LaneLayout::band(1, int(lanes.size()), 10, 10).top, 1.0 / lanes.size());
}

QTEST_APPLESS_MAIN(TestAnalysis)
#include "tst_analysis.moc"

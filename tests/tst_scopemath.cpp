#include "measurements.h"
#include "ratemeter.h"
#include "samplespan.h"
#include "scopetrigger.h"

#include <QtTest>

#include <climits>
#include <cmath>

Q_DECLARE_METATYPE(ChannelMeasurement)
Q_DECLARE_METATYPE(TriggerMode)

namespace {

// A value that is not there: the sample has none on that channel.
constexpr int none = INT_MIN;
constexpr qint64 framePeriodNs = 1000000000 / 720;

// `value` on `channel`; the other channels carry the opposite edges, so a
// trigger reading the wrong channel finds other crossings.
Sample sampleOf(qint64 index, int value, int channel = 0)
{
    Sample sample;
    sample.index = index;
    sample.timeNs = index * framePeriodNs;
    if (value == none)
        return sample;
    for (int other = 0; other < Sample::channelCount; ++other)
        sample.values[size_t(other)] = other == channel ? value : 1000 - value;
    sample.validMask = 0b111;
    return sample;
}

// Runs of (count, value).
QVector<int> runs(std::initializer_list<std::pair<int, int>> list)
{
    QVector<int> values;
    for (const auto &[count, value] : list)
        values += QVector<int>(count, value);
    return values;
}

QVector<int> square(int count, int period, int low = 0, int high = 1000)
{
    QVector<int> values;
    for (int i = 0; i < count; ++i)
        values.append(i % period < period / 2 ? low : high);
    return values;
}

QVector<int> sine(int count, double period, double amplitude, double offset = 1650)
{
    QVector<int> values;
    for (int i = 0; i < count; ++i)
        values.append(qRound(offset + amplitude * std::sin(2 * M_PI * i / period)));
    return values;
}

// Appends values[from, to) as samples from index `from`, the ones listed in
// `gaps` after a gap.
void append(SampleStore &store, const QVector<int> &values, int from, int to, int channel = 0,
            const QVector<int> &gaps = {})
{
    for (int i = from; i < to; ++i) {
        Sample sample = sampleOf(i, values[i], channel);
        sample.gapBefore = gaps.contains(i);
        store.append(sample);
    }
}

} // namespace

class TestScopeMath : public QObject
{
    Q_OBJECT

private slots:
    void storeKeepsTheNewestInIndexOrder_data();
    void storeKeepsTheNewestInIndexOrder();
    void triggerFindsTheCrossing_data();
    void triggerFindsTheCrossing();
    void triggerHoldsThenMovesToTheNextCompleteCrossing();
    void steadySignalRepeatsThePicture_data();
    void steadySignalRepeatsThePicture();
    void fallsBackToAutoAfterASecondWithoutCrossing();
    void shownWindowIsAlwaysHeld_data();
    void shownWindowIsAlwaysHeld();
    void triggerModeStepsLikeCtrlT();
    void measurements_data();
    void measurements();
    void rateMeter_data();
    void rateMeter();
    void measurementLine_data();
    void measurementLine();
};

void TestScopeMath::storeKeepsTheNewestInIndexOrder_data()
{
    QTest::addColumn<int>("capacity");
    QTest::addColumn<QVector<qint64>>("indexes");
    QTest::addColumn<qint64>("lookup");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("firstPositionFrom");

    QVector<qint64> twenty;
    for (qint64 i = 0; i < 20; ++i)
        twenty.append(i);
    const QVector<qint64> skipping{0, 1, 2, 5, 6};
    // A capacity of 5 becomes 8: indexes 12..19 stay.
    QTest::newRow("wrapped: oldest kept") << 5 << twenty << qint64(12) << 0 << 0;
    QTest::newRow("wrapped: dropped") << 5 << twenty << qint64(11) << -1 << 0;
    QTest::newRow("wrapped: newest") << 5 << twenty << qint64(19) << 7 << 7;
    QTest::newRow("skipped index") << 8 << skipping << qint64(3) << -1 << 3;
    QTest::newRow("after skipped indexes") << 8 << skipping << qint64(5) << 3 << 3;
    QTest::newRow("beyond the newest") << 8 << skipping << qint64(7) << -1 << 5;
}

void TestScopeMath::storeKeepsTheNewestInIndexOrder()
{
    QFETCH(int, capacity);
    QFETCH(QVector<qint64>, indexes);
    QFETCH(qint64, lookup);
    QFETCH(int, position);
    QFETCH(int, firstPositionFrom);

    SampleStore store(capacity);
    for (const qint64 index : indexes)
        store.append(sampleOf(index, int(index)));
    QCOMPARE(store.size(), std::min(int(indexes.size()), store.capacity()));
    QCOMPARE(store.appendCount(), quint64(indexes.size()));
    for (int i = 0; i < store.size(); ++i)
        QCOMPARE(store.at(i).index, indexes[indexes.size() - store.size() + i]);
    QCOMPARE(store.positionOf(lookup), position);
    QCOMPARE(::firstPositionFrom(store, lookup), firstPositionFrom);
    if (position >= 0)
        QCOMPARE(store.at(position).values[0], int(lookup));
}

void TestScopeMath::triggerFindsTheCrossing_data()
{
    QTest::addColumn<QVector<int>>("values");
    QTest::addColumn<QVector<int>>("gaps");
    QTest::addColumn<TriggerMode>("mode");
    QTest::addColumn<int>("source");
    QTest::addColumn<int>("userLevel");
    // The trigger index of the view after the last sample; -1: Auto.
    QTest::addColumn<qint64>("shown");

    const auto rising = TriggerMode::RisingEdge;
    const auto falling = TriggerMode::FallingEdge;
    const QVector<int> step = runs({{200, 0}, {500, 1000}});
    QTest::newRow("rising step") << step << QVector<int>{} << rising << 0 << 500 << qint64(200);
    QTest::newRow("rising step on PAD2") << step << QVector<int>{} << rising << 2 << 500
                                         << qint64(200);
    QTest::newRow("rising step, falling edge wanted")
        << step << QVector<int>{} << falling << 0 << 500 << qint64(-1);
    QTest::newRow("falling step") << runs({{200, 1000}, {500, 0}}) << QVector<int>{} << falling
                                  << 0 << 500 << qint64(200);
    QTest::newRow("399 samples after the crossing: not yet")
        << runs({{200, 0}, {400, 1000}}) << QVector<int>{} << rising << 0 << 500 << qint64(-1);
    QTest::newRow("400 samples after the crossing: shown")
        << runs({{200, 0}, {401, 1000}}) << QVector<int>{} << rising << 0 << 500 << qint64(200);
    // The view would start before the first sample: the next crossing is shown.
    QTest::newRow("fewer than 100 samples before the crossing")
        << runs({{50, 0}, {100, 1000}, {100, 0}, {500, 1000}}) << QVector<int>{} << rising << 0
        << 500 << qint64(250);
    // Edges at 100, 300, ... with the level following the signal; the one at
    // 700 would need samples up to 1100.
    QTest::newRow("square, automatic level, rising")
        << square(1000, 200) << QVector<int>{} << rising << 0 << none << qint64(100);
    QTest::newRow("square, automatic level, falling")
        << square(1000, 200) << QVector<int>{} << falling << 0 << none << qint64(200);
    QTest::newRow("no crossing") << QVector<int>(800, 500) << QVector<int>{} << rising << 0
                                 << none << qint64(-1);
    QTest::newRow("level above the signal")
        << square(1000, 200) << QVector<int>{} << rising << 0 << 1500 << qint64(-1);
    const QVector<int> stairs = runs({{150, 0}, {150, 400}, {450, 1000}});
    QTest::newRow("user level on the lower stair")
        << stairs << QVector<int>{} << rising << 0 << 200 << qint64(150);
    QTest::newRow("user level on the upper stair")
        << stairs << QVector<int>{} << rising << 0 << 700 << qint64(300);
    QTest::newRow("samples without a value skipped")
        << runs({{200, 0}, {10, none}, {500, 1000}}) << QVector<int>{} << rising << 0 << 500
        << qint64(210);
    // The step at 200 comes after a gap: no edge; the one at 600 is.
    QTest::newRow("no edge across a gap")
        << runs({{200, 0}, {300, 1000}, {100, 0}, {500, 1000}}) << QVector<int>{200} << rising
        << 0 << 500 << qint64(600);
    // Noise of +-8 around the level for 450 samples after the crossing:
    // without hysteresis a later crossing would take over.
    QVector<int> noisy = runs({{300, 0}});
    for (int i = 300; i < 750; ++i)
        noisy.append(500 + (i * 7) % 17 - 8);
    noisy += QVector<int>(400, 1000);
    QTest::newRow("noise on a slow edge: one crossing")
        << noisy << QVector<int>{} << rising << 0 << 500 << qint64(300);
}

void TestScopeMath::triggerFindsTheCrossing()
{
    QFETCH(QVector<int>, values);
    QFETCH(QVector<int>, gaps);
    QFETCH(TriggerMode, mode);
    QFETCH(int, source);
    QFETCH(int, userLevel);
    QFETCH(qint64, shown);

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
            append(store, values, from, to, source, gaps);
            trigger.update(store, to * framePeriodNs);
        }
        const std::optional<TriggeredView> view = trigger.view(store);
        if (shown < 0) {
            QVERIFY2(!view, qPrintable(QString::number(view ? view->triggerIndex : 0)));
            QCOMPARE(trigger.status(), TriggerStatus::Auto);
            continue;
        }
        QVERIFY(view);
        QCOMPARE(trigger.status(), TriggerStatus::Triggered);
        QCOMPARE(view->triggerIndex, shown);
        QCOMPARE(view->firstIndex, shown - 100);
        QCOMPARE(view->lastIndex, shown + 400);
        QVERIFY(trigger.hasLevel());
        if (userLevel != none)
            QCOMPARE(trigger.level(), double(userLevel));
    }
}

void TestScopeMath::triggerHoldsThenMovesToTheNextCompleteCrossing()
{
    // Rising edges at 150, 450, 750, ...
    const QVector<int> values = square(2000, 300);
    SampleStore store;
    ScopeTrigger trigger;
    trigger.setMode(TriggerMode::RisingEdge);
    trigger.setUserLevel(500);
    QList<QPair<int, qint64>> changes;
    qint64 shown = -1;
    for (int i = 0; i < values.size(); ++i) {
        append(store, values, i, i + 1);
        trigger.update(store, i * framePeriodNs);
        const auto view = trigger.view(store);
        const qint64 now = view ? view->triggerIndex : -1;
        if (now != shown)
            changes.append({i, now});
        shown = now;
    }
    // Shown when its 400 samples are in; held past the crossing at 450;
    // then the first crossing after 550 (750), shown at 1150; and so on.
    const QList<QPair<int, qint64>> expected{{550, 150}, {1150, 750}, {1750, 1350}};
    QCOMPARE(changes, expected);
}

void TestScopeMath::steadySignalRepeatsThePicture_data()
{
    QTest::addColumn<QVector<int>>("values");
    QTest::addColumn<TriggerMode>("mode");
    QTest::addColumn<int>("period");

    QTest::newRow("sine, rising") << sine(4000, 48, 1400) << TriggerMode::RisingEdge << 48;
    QTest::newRow("sine, falling") << sine(4000, 130, 1000) << TriggerMode::FallingEdge << 130;
    QTest::newRow("square, rising") << square(4000, 90) << TriggerMode::RisingEdge << 90;
}

void TestScopeMath::steadySignalRepeatsThePicture()
{
    QFETCH(QVector<int>, values);
    QFETCH(TriggerMode, mode);
    QFETCH(int, period);

    SampleStore store;
    ScopeTrigger trigger;
    trigger.setMode(mode);
    QVector<int> firstPicture;
    qint64 firstTrigger = -1;
    QSet<qint64> triggers;
    // 720 frames/s at 50 redraws/s: 14 or 15 samples per redraw.
    for (int redraw = 0, from = 0; from < values.size(); ++redraw) {
        const int to = std::min(int(values.size()), from + (redraw % 5 < 2 ? 15 : 14));
        append(store, values, from, to);
        from = to;
        trigger.update(store, to * framePeriodNs);
        const auto view = trigger.view(store);
        if (!view)
            continue;
        QVector<int> picture;
        for (qint64 index = view->firstIndex; index <= view->lastIndex; ++index)
            picture.append(store.at(store.positionOf(index)).values[0]);
        if (firstTrigger < 0) {
            firstPicture = picture;
            firstTrigger = view->triggerIndex;
        }
        QCOMPARE(picture, firstPicture);
        QCOMPARE((view->triggerIndex - firstTrigger) % period, qint64(0));
        triggers.insert(view->triggerIndex);
    }
    // The view moved on, and every time to the same phase.
    QVERIFY2(triggers.size() >= 3, qPrintable(QString::number(triggers.size())));
    QCOMPARE(trigger.status(), TriggerStatus::Triggered);
}

void TestScopeMath::fallsBackToAutoAfterASecondWithoutCrossing()
{
    constexpr qint64 second = 1000000000;
    const qint64 start = 10 * second;
    // Rising edges at 150, 450, ..., 1650; shown: 1350. Then flat.
    QVector<int> values = square(1800, 300) + QVector<int>(450, 0) + QVector<int>(401, 1000);
    SampleStore store;
    ScopeTrigger trigger;
    trigger.setMode(TriggerMode::RisingEdge);
    trigger.setUserLevel(500);

    append(store, values, 0, 1800);
    trigger.update(store, start);
    QCOMPARE(trigger.view(store)->triggerIndex, qint64(1350));
    append(store, values, 1800, 2200);
    trigger.update(store, start + second / 2);
    QCOMPARE(trigger.status(), TriggerStatus::Triggered);
    // Nothing at all arrives for a second.
    trigger.update(store, start + second);
    QCOMPARE(trigger.status(), TriggerStatus::Triggered);
    trigger.update(store, start + second + second / 100);
    QCOMPARE(trigger.status(), TriggerStatus::Auto);
    QVERIFY(!trigger.view(store));
    // The next crossing, at 2250, brings the trigger back once complete.
    append(store, values, 2200, 2650);
    trigger.update(store, start + 2 * second);
    QCOMPARE(trigger.status(), TriggerStatus::Auto);
    append(store, values, 2650, 2651);
    trigger.update(store, start + 2 * second);
    QCOMPARE(trigger.view(store)->triggerIndex, qint64(2250));
}

void TestScopeMath::shownWindowIsAlwaysHeld_data()
{
    QTest::addColumn<int>("capacity");
    QTest::addColumn<bool>("everShown");

    QTest::newRow("default store") << 8192 << true;
    QTest::newRow("just room for the window") << 512 << true;
    QTest::newRow("no room for the window") << 256 << false;
}

void TestScopeMath::shownWindowIsAlwaysHeld()
{
    QFETCH(int, capacity);
    QFETCH(bool, everShown);

    const QVector<int> values = square(6000, 300);
    SampleStore store(capacity);
    ScopeTrigger trigger;
    trigger.setMode(TriggerMode::RisingEdge);
    int shownRedraws = 0;
    for (int from = 0; from < values.size(); from += 15) {
        append(store, values, from, from + 15);
        trigger.update(store, from * framePeriodNs);
        const auto view = trigger.view(store);
        if (!view)
            continue;
        ++shownRedraws;
        QVERIFY(store.positionOf(view->firstIndex) >= 0);
        QVERIFY(store.positionOf(view->lastIndex) >= 0);
        QCOMPARE(spanOfIndexes(store, view->firstIndex, view->lastIndex).size(), 501);
    }
    QCOMPARE(shownRedraws > 0, everShown);
}

void TestScopeMath::triggerModeStepsLikeCtrlT()
{
    TriggerMode mode = TriggerMode::Off;
    QList<TriggerMode> steps;
    for (int i = 0; i < 4; ++i)
        steps.append(mode = nextTriggerMode(mode));
    QCOMPARE(steps, (QList<TriggerMode>{TriggerMode::RisingEdge, TriggerMode::FallingEdge,
                                        TriggerMode::Off, TriggerMode::RisingEdge}));

    // Off shows the rolling view whatever the signal does.
    SampleStore store;
    append(store, square(1000, 200), 0, 1000);
    ScopeTrigger trigger;
    trigger.update(store, 0);
    QCOMPARE(trigger.status(), TriggerStatus::Off);
    QVERIFY(!trigger.view(store));
    // Switched on, it reads the samples already held.
    trigger.setMode(TriggerMode::RisingEdge);
    trigger.update(store, 0);
    QCOMPARE(trigger.view(store)->triggerIndex, qint64(100));
}

void TestScopeMath::measurements_data()
{
    QTest::addColumn<QVector<int>>("values");
    QTest::addColumn<int>("peakToPeak");
    // -1: not checked (sampling misses the peaks by more than a count).
    QTest::addColumn<int>("peakToPeakTolerance");
    // 0: no period.
    QTest::addColumn<double>("period");

    QTest::newRow("sine, the board's PAD0") << sine(501, 144.07, 1400) << 2800 << 1 << 144.07;
    QTest::newRow("sine, two crossings") << sine(501, 240, 1400) << 2800 << 1 << 240.0;
    QTest::newRow("sine, short period") << sine(501, 37.3, 1400) << 0 << -1 << 37.3;
    QVector<int> noisy = sine(501, 100, 1000);
    for (int i = 0; i < noisy.size(); ++i)
        noisy[i] += (i * 13) % 41 - 20;
    QTest::newRow("sine with noise") << noisy << 2000 << 40 << 100.0;
    QVector<int> holes = sine(501, 100, 1400);
    for (int i = 0; i < holes.size(); i += 7)
        holes[i] = none;
    QTest::newRow("sine, every 7th value missing") << holes << 2800 << 1 << 100.0;
    QTest::newRow("square") << square(501, 40, 0, 3300) << 3300 << 0 << 40.0;
    QTest::newRow("constant") << QVector<int>(501, 1234) << 0 << 0 << 0.0;
    QTest::newRow("one rising crossing") << square(501, 600) << 1000 << 0 << 0.0;
    QTest::newRow("no values") << QVector<int>(501, none) << 0 << 0 << 0.0;
}

void TestScopeMath::measurements()
{
    QFETCH(QVector<int>, values);
    QFETCH(int, peakToPeak);
    QFETCH(int, peakToPeakTolerance);
    QFETCH(double, period);

    // Extremes before and after the measured range must not count.
    SampleStore store;
    const QVector<int> all = QVector<int>(300, -5000) + values + QVector<int>(200, 9000);
    append(store, all, 0, all.size());
    const ChannelMeasurements measured =
        measureChannels(store, 300, 300 + values.size() - 1, 720.0);
    const ChannelMeasurement &channel = measured[0];

    QVector<int> held;
    std::copy_if(values.begin(), values.end(), std::back_inserter(held),
                 [](int value) { return value != none; });
    QCOMPARE(channel.hasData, !held.isEmpty());
    if (held.isEmpty())
        return;
    QCOMPARE(channel.minimum, *std::min_element(held.begin(), held.end()));
    QCOMPARE(channel.maximum, *std::max_element(held.begin(), held.end()));
    QCOMPARE(channel.peakToPeak, channel.maximum - channel.minimum);
    QVERIFY(std::abs(channel.mean - std::accumulate(held.begin(), held.end(), 0.0) / held.size())
            < 1e-6);
    if (peakToPeakTolerance >= 0)
        QVERIFY2(std::abs(channel.peakToPeak - peakToPeak) <= peakToPeakTolerance,
                 qPrintable(QString::number(channel.peakToPeak)));
    QCOMPARE(bool(channel.periodSamples), period > 0);
    QCOMPARE(bool(channel.frequencyHz), period > 0);
    if (period > 0) {
        QVERIFY2(std::abs(*channel.periodSamples - period) <= 0.01 * period,
                 qPrintable(QString::number(*channel.periodSamples)));
        QCOMPARE(*channel.frequencyHz, 720.0 / *channel.periodSamples);
    }
}

void TestScopeMath::rateMeter_data()
{
    QTest::addColumn<QVector<qint64>>("timesMs");
    QTest::addColumn<QVector<quint64>>("counts");
    // -1: no rate yet.
    QTest::addColumn<double>("rate");

    // Redraws every 20 ms for `seconds` at each rate in turn.
    const auto redraws = [](std::initializer_list<std::pair<int, int>> phases) {
        QVector<qint64> times{0};
        QVector<quint64> counts{0};
        for (const auto &[seconds, perSecond] : phases) {
            for (int step = 0; step < seconds * 50; ++step) {
                times.append(times.last() + 20);
                counts.append(counts.last() + quint64(perSecond / 50));
            }
        }
        return qMakePair(times, counts);
    };
    const auto steady = redraws({{5, 750}});
    const auto slower = redraws({{3, 1000}, {1, 100}});
    const auto stopped = redraws({{2, 750}, {3, 0}});
    QTest::newRow("one redraw") << QVector<qint64>{0} << QVector<quint64>{0} << -1.0;
    QTest::newRow("start-up: what there is") << QVector<qint64>{0, 500} << QVector<quint64>{0, 360}
                                             << 720.0;
    QTest::newRow("steady") << steady.first << steady.second << 750.0;
    QTest::newRow("last two seconds only") << slower.first << slower.second << 550.0;
    QTest::newRow("stream stopped") << stopped.first << stopped.second << 0.0;
    QTest::newRow("redraws paused for longer than two seconds")
        << QVector<qint64>{0, 1000, 4000, 4020} << QVector<quint64>{0, 720, 720, 734} << 700.0;
    QTest::newRow("count started over") << QVector<qint64>{0, 1000, 1020, 1040}
                                        << QVector<quint64>{0, 720, 5, 19} << 700.0;
}

void TestScopeMath::rateMeter()
{
    QFETCH(QVector<qint64>, timesMs);
    QFETCH(QVector<quint64>, counts);
    QFETCH(double, rate);

    RateMeter meter;
    for (int i = 0; i < timesMs.size(); ++i)
        meter.update(timesMs[i] * 1000000, counts[i]);
    QCOMPARE(bool(meter.framesPerSecond()), rate >= 0);
    if (rate >= 0)
        QVERIFY2(std::abs(*meter.framesPerSecond() - rate) < 1e-6,
                 qPrintable(QString::number(*meter.framesPerSecond())));
}

void TestScopeMath::measurementLine_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<ChannelMeasurement>("measurement");
    QTest::addColumn<QString>("line");

    const ChannelMeasurement full{true, 12, 3300, 1650.24, 3288, 50.2, 14.34};
    ChannelMeasurement noRate = full;
    noRate.frequencyHz.reset();
    const ChannelMeasurement noPeriod{true, -512, 511, -0.46, 1023, {}, {}};
    ChannelMeasurement slow = full;
    slow.frequencyHz = 0.7204;
    QTest::newRow("everything") << "PAD0" << full
                                << "PAD0  min 12  max 3300  mean 1650.2  p-p 3288  period 50 (14.3 Hz)";
    QTest::newRow("no rate yet") << "PAD1" << noRate
                                 << "PAD1  min 12  max 3300  mean 1650.2  p-p 3288  period 50 (– Hz)";
    QTest::newRow("no period") << "X" << noPeriod
                               << "X  min -512  max 511  mean -0.5  p-p 1023  period –";
    QTest::newRow("below 1 Hz") << "Z" << slow
                                << "Z  min 12  max 3300  mean 1650.2  p-p 3288  period 50 (0.720 Hz)";
    QTest::newRow("no data") << "PAD2" << ChannelMeasurement{} << "PAD2  no data";
}

void TestScopeMath::measurementLine()
{
    QFETCH(QString, name);
    QFETCH(ChannelMeasurement, measurement);
    QFETCH(QString, line);

    // A decimal comma locale must not reach the readout.
    QLocale::setDefault(QLocale(QLocale::German));
    QCOMPARE(::measurementLine(name, measurement), line);
    QCOMPARE(sampleRateLine(719.6), QStringLiteral("720 samples/s"));
    QCOMPARE(sampleRateLine(std::nullopt), QStringLiteral("– samples/s"));
    QLocale::setDefault(QLocale::c());
}

QTEST_APPLESS_MAIN(TestScopeMath)
#include "tst_scopemath.moc"

#include "csvrecorder.h"
#include "instrumentprotocol.h"
#include "mathchannels.h"
#include "sampleintake.h"
#include "samplestore.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

// Computed channels without a window: formulas over known samples, the
// past against a direct computation, and the errors the dialog shows.
class TestMathChannels : public QObject
{
    Q_OBJECT

private slots:
    void valuesOverKnownSamples_data();
    void valuesOverKnownSamples();
    void accelerometerFormulasSeeG();
    void pastMatchesADirectComputation_data();
    void pastMatchesADirectComputation();
    void filtersGiveTheirKnownResponses_data();
    void filtersGiveTheirKnownResponses();
    void errorsSayWhere_data();
    void errorsSayWhere();
    void hostileTextIsRefusedQuickly();
    void recordingHoldsTheColumn();

private:
    // Frames as a board sends them: "10 3 0", "x" for a damaged field; a
    // frame's time is its row number in half seconds.
    static void append(SampleStore &store, const QStringList &frames)
    {
        for (const QString &frame : frames) {
            bool damaged = false;
            const QByteArray text = frame.toLatin1();
            Sample sample = sampleFromFrame(QLatin1String(text), store.appendCount() * 500000000LL,
                                            &damaged);
            sample.index = qint64(store.appendCount()) + 1;
            store.append(sample);
        }
    }
    static QString cell(const SampleStore &store, int position, int channel)
    {
        double value = 0;
        return store.value(position, channel, &value)
                   ? QString::number(value, 'g', QLocale::FloatingPointShortest)
                   : QString();
    }
};

const QStringList inputs{"PAD0", "PAD1", "PAD2"};

void TestMathChannels::valuesOverKnownSamples_data()
{
    QTest::addColumn<QStringList>("formulas");
    QTest::addColumn<QStringList>("frames");
    // The last channel's value per frame, "" for none.
    QTest::addColumn<QStringList>("values");

    const QStringList frames{"10 3 0", "x 3 1234", "4 4 -2", "1 5 x"};
    QTest::newRow("difference") << QStringList{"PAD0 - PAD1"} << frames
                                << QStringList{"7", "", "0", "-4"};
    QTest::newRow("calibrated") << QStringList{"0.1 * PAD2 - 50"} << frames
                                << QStringList{"-50", "73.4", "-50.2", ""};
    QTest::newRow("division by zero") << QStringList{"PAD1 / PAD2"} << frames
                                      << QStringList{"", "0.0024311183144246355", "-2", ""};
    QTest::newRow("square root of a negative")
        << QStringList{"sqrt(PAD0 - PAD1)"} << frames << QStringList{"2.6457513110645907", "", "0", ""};
    // min() of a damaged field is no value, not the other argument.
    QTest::newRow("function of a damaged field") << QStringList{"min(PAD0, PAD1)"} << frames
                                                 << QStringList{"3", "", "4", "1"};
    QTest::newRow("time") << QStringList{"t"} << frames << QStringList{"0", "0.5", "1", "1.5"};
    QTest::newRow("an earlier channel") << QStringList{"PAD0 - PAD1", "M1 * M1 + PAD2"} << frames
                                        << QStringList{"49", "", "-2", ""};
    QTest::newRow("comparison") << QStringList{"PAD0 > PAD1 ? 1 : -1"} << frames
                                << QStringList{"1", "", "-1", "-1"};
    QTest::newRow("mean of the last two") << QStringList{"avg(PAD0, 2)"} << frames
                                          << QStringList{"10", "10", "4", "2.5"};
    QTest::newRow("rms of the last two") << QStringList{"rms(PAD2, 2)"} << frames
                                         << QStringList{"0", "872.5697679841996", "872.5709140236111", "2"};
    QTest::newRow("mean of a computed channel")
        << QStringList{"PAD0 - PAD1", "avg(M1, 4)"} << frames << QStringList{"7", "7", "3.5", "1"};
    QTest::newRow("overflow") << QStringList{"exp(PAD0 * 100)"} << frames
                              << QStringList{"", "", "5.221469689764144e+173", "2.6881171418161356e+43"};
    // No value stays none whatever it passes through: ln(-2), 0/0, a
    // division by zero, the root of a negative.
    QTest::newRow("none through max") << QStringList{"max(PAD0, ln(PAD2))"} << frames
                                      << QStringList{"10", "", "", ""};
    QTest::newRow("none through min") << QStringList{"min(5, sqrt(PAD2))"} << frames
                                      << QStringList{"0", "5", "", ""};
    QTest::newRow("division by zero through min") << QStringList{"min(PAD1, PAD1 / PAD2)"} << frames
                                                  << QStringList{"", "0.0024311183144246355", "-2", ""};
    QTest::newRow("none through sign") << QStringList{"sign(PAD2 / PAD2)"} << frames
                                       << QStringList{"", "1", "1", ""};
    QTest::newRow("none through a power") << QStringList{"(PAD2 / PAD2) ^ 0"} << frames
                                          << QStringList{"", "1", "1", ""};
    QTest::newRow("none through a comparison")
        << QStringList{"sqrt(PAD2) > 0 ? 1 : 2"} << frames << QStringList{"2", "1", "", ""};
    QTest::newRow("none as a condition") << QStringList{"sqrt(PAD2 - 1) ? 1 : 2"} << frames
                                         << QStringList{"", "1", "", ""};
    QTest::newRow("none through sum and &&") << QStringList{"sum(PAD1, sqrt(PAD2 - 1)) && 1"} << frames
                                             << QStringList{"", "1", "", ""};
}

void TestMathChannels::valuesOverKnownSamples()
{
    QFETCH(QStringList, formulas);
    QFETCH(QStringList, frames);
    QFETCH(QStringList, values);
    SampleStore store(8);
    MathChannels channels(inputs);
    // The first frame before the channels, the rest after: both are computed.
    append(store, frames.mid(0, 1));
    channels.fill(store);
    QVector<MathChannel> list;
    for (const QString &formula : formulas)
        list.append(MathChannel(QString("M%1").arg(list.size() + 1), formula));
    FormulaError error;
    QVERIFY2(channels.setChannels(list, store, &error), qPrintable(error.text()));
    append(store, frames.mid(1));
    channels.fill(store);
    QStringList computed;
    for (int position = 0; position < store.size(); ++position)
        computed.append(cell(store, position, store.channelCount() - 1));
    QCOMPARE(computed, values);
}

void TestMathChannels::accelerometerFormulasSeeG()
{
    const InstrumentProtocol &accelerometer = InstrumentProtocol::accelerometer();
    SampleStore store;
    MathChannels channels(accelerometer.header.mid(2), accelerometer.frameUnit);
    QVERIFY(channels.setChannels({MathChannel("M1", "sqrt(X^2 + Y^2 + Z^2)"), MathChannel("M2", "Y")},
                                 store));
    // At rest, flat and then on its side; the counts stay as they came.
    append(store, {"2000 2000 3000", "2000 1000 2000"});
    channels.fill(store);
    QCOMPARE(cell(store, 0, 2), QString("3000"));
    QCOMPARE((QStringList{cell(store, 0, 3), cell(store, 0, 4), cell(store, 1, 3), cell(store, 1, 4)}),
             (QStringList{"1", "0", "1", "-1"}));
}

void TestMathChannels::pastMatchesADirectComputation_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("rms");
    QTest::newRow("mean of 1") << 1 << false;
    QTest::newRow("mean of 16") << 16 << false;
    QTest::newRow("rms of 100") << 100 << true;
    QTest::newRow("mean of 10000") << 10000 << false;
    QTest::newRow("rms of 10000") << 10000 << true;
}

void TestMathChannels::pastMatchesADirectComputation()
{
    QFETCH(int, length);
    QFETCH(bool, rms);
    SampleStore store(1 << 16);
    MathChannels channels(inputs);
    const QString formula = QString(rms ? "rms(PAD1, %1)" : "avg(PAD1, %1)").arg(length);
    QVERIFY(channels.setChannels({MathChannel("M1", formula)}, store));
    // Large values, every 13th damaged, in reads of uneven size.
    QStringList frames;
    for (int i = 0; i < 45000; ++i)
        frames.append(QString("0 %1 0").arg(i % 13 == 5 ? QString("x") : QString::number((i * 7919) % 20011 - 10000)));
    for (int from = 0; from < frames.size(); from += 777) {
        append(store, frames.mid(from, 777));
        channels.fill(store);
    }
    for (int position = store.size() - 3000; position < store.size(); position += 97) {
        double sum = 0;
        int count = 0;
        for (int back = std::max(position - length + 1, 0); back <= position; ++back) {
            double value = 0;
            if (store.value(back, 1, &value)) {
                sum += rms ? value * value : value;
                ++count;
            }
        }
        double computed = 0;
        // No value in the window: none computed.
        QCOMPARE(store.value(position, 3, &computed), count > 0);
        if (count == 0)
            continue;
        const double direct = rms ? std::sqrt(sum / count) : sum / count;
        QVERIFY2(std::abs(computed - direct) <= 1e-9 * std::max(1.0, std::abs(direct)),
                 qPrintable(QString("%1 against %2").arg(computed).arg(direct)));
    }
}

// A known input, 10,000 samples a second in reads of ten, one read a
// millisecond, for two seconds.
void TestMathChannels::filtersGiveTheirKnownResponses_data()
{
    QTest::addColumn<QString>("formula");
    // PAD0: "step" (0, then 1000 from 1 s), "sine" (amplitude 1000),
    // "ramp" (20,000 a second), "constant" (250), "spike" (100, 5000 at 1 s);
    // PAD1 is 1000 throughout.
    QTest::addColumn<QString>("signal");
    QTest::addColumn<double>("hertz");
    // At 1 s: "gap" (the board was away), "hole" (no value for 0.1 s);
    // "pause": the plot stopped from 0.5 s to 1 s.
    QTest::addColumn<QString>("event");
    // The value at this time; or, at -1, the amplitude over the last 0.4 s.
    QTest::addColumn<double>("at");
    QTest::addColumn<double>("expected");
    QTest::addColumn<double>("tolerance");

    const double none = qQNaN();
    QTest::newRow("ema: 63.2 % after one tau") << "ema(PAD0, 0.1)" << "step" << 0.0 << "" << 1.1 << 632.1 << 1.0;
    QTest::newRow("lowpass at fc: -3 dB") << "lowpass(PAD0, 50)" << "sine" << 50.0 << "" << -1.0 << 707.1 << 7.0;
    QTest::newRow("lowpass at fc near half the rate: -3 dB") << "lowpass(PAD0, 1900)" << "sine" << 1900.0 << "" << -1.0
                                                            << 707.1 << 7.0;
    QTest::newRow("lowpass a decade above: -40 dB") << "lowpass(PAD0, 50)" << "sine" << 500.0 << "" << -1.0 << 10.0 << 1.0;
    QTest::newRow("highpass at fc: -3 dB") << "highpass(PAD0, 50)" << "sine" << 50.0 << "" << -1.0 << 707.1 << 7.0;
    QTest::newRow("highpass a decade below: -40 dB") << "highpass(PAD0, 50)" << "sine" << 5.0 << "" << -1.0 << 10.0 << 1.0;
    QTest::newRow("of a formula, nested: -6 dB") << "highpass(lowpass(PAD0 + 0 * PAD1, 50), 50)" << "sine" << 50.0
                                                 << "" << -1.0 << 500.0 << 5.0;
    QTest::newRow("deriv of a ramp is its slope") << "deriv(PAD0)" << "ramp" << 0.0 << "" << 1.5 << 20000.0 << 1e-6;
    QTest::newRow("deriv over a hole") << "deriv(PAD0)" << "ramp" << 0.0 << "hole" << 1.1 << 20000.0 << 1e-6;
    QTest::newRow("integ of a constant is the line") << "integ(PAD0)" << "constant" << 0.0 << "" << 1.5 << 375.0 << 1.0;
    QTest::newRow("a gap restarts integ") << "integ(PAD0)" << "constant" << 0.0 << "gap" << 1.5 << 125.0 << 1.0;
    QTest::newRow("a pause does not restart integ") << "integ(PAD0)" << "constant" << 0.0 << "pause" << 1.5 << 375.0
                                                    << 1.0;
    QTest::newRow("a gap restarts ema") << "ema(PAD0, 0.1)" << "step" << 0.0 << "gap" << 1.01 << 1000.0 << 1e-9;
    QTest::newRow("median removes a spike") << "median(PAD0, 5)" << "spike" << 0.0 << "" << 1.0 << 100.0 << 0.0;
    QTest::newRow("hold keeps the last number") << "hold(PAD0)" << "ramp" << 0.0 << "hole" << 1.05 << 19998.0 << 0.0;
    QTest::newRow("no value survives a filter") << "ema(PAD0, 0.1) + hold(PAD1)" << "ramp" << 0.0 << "hole" << 1.05
                                                << none << 0.0;
}

void TestMathChannels::filtersGiveTheirKnownResponses()
{
    QFETCH(QString, formula);
    QFETCH(QString, signal);
    QFETCH(double, hertz);
    QFETCH(QString, event);
    QFETCH(double, at);
    QFETCH(double, expected);
    QFETCH(double, tolerance);
    constexpr int rate = 10000;
    SampleIntake intake(1 << 15);
    MathChannels channels(inputs);
    intake.setComputedColumns(&channels);
    QVERIFY(channels.setChannels({MathChannel("M1", formula)}, intake.columnStore()));
    const int kind = int(QStringList{"step", "sine", "ramp", "constant", "spike"}.indexOf(signal));
    for (int read = 0; read < 2 * rate / 10; ++read) {
        QByteArray frames;
        for (int i = read * 10; i < read * 10 + 10; ++i) {
            const double t = double(i) / rate;
            const double values[] = {t >= 1 ? 1000.0 : 0.0, 1000 * std::sin(2 * M_PI * hertz * t), 20000 * t,
                                     250, i == rate ? 5000.0 : 100.0};
            const bool hole = event == "hole" && t >= 1 && t < 1.1;
            frames += "$" + (hole ? QByteArray("x") : QByteArray::number(int(std::lround(values[kind])))) + " 1000 0;";
        }
        if (event == "gap" && read == rate / 10)
            intake.markGap();
        intake.setPaused(event == "pause" && read >= rate / 20 && read < rate / 10);
        intake.takeBytes(frames.constData(), frames.size(), qint64(read) * 1000000);
    }
    const SampleStore &store = intake.store();
    double value = qQNaN();
    if (at >= 0) {
        int position = 0;
        while (store.at(position).timeNs < qint64(std::lround(at * 1e9)))
            ++position;
        store.value(position, 3, &value);
    } else {
        double least = qInf(), most = -qInf();
        for (int position = store.size() - rate * 2 / 5; position < store.size(); ++position) {
            QVERIFY(store.value(position, 3, &value));
            least = std::min(least, value);
            most = std::max(most, value);
        }
        value = (most - least) / 2;
    }
    if (std::isnan(expected))
        QVERIFY2(std::isnan(value), qPrintable(QString::number(value)));
    else
        QVERIFY2(std::abs(value - expected) <= tolerance, qPrintable(QString("%1 against %2").arg(value).arg(expected)));
}

void TestMathChannels::errorsSayWhere_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("error");

    QTest::newRow("unknown name") << "M1" << "PAD0 - FOO" << "unknown name “FOO” (at character 8)";
    QTest::newRow("another window's channel") << "M1" << "X + 1" << "unknown name “X” (at character 1)";
    QTest::newRow("bracket not closed") << "M1" << "(PAD0 + 1" << "a bracket is not closed (at character 10)";
    QTest::newRow("bracket not opened") << "M1" << "PAD0 + 1)" << "a bracket is not opened (at character 9)";
    QTest::newRow("count too large") << "M1" << "avg(PAD0, 1e12)"
                                     << "the count of avg and rms is a whole number from 1 to 10000 (at character 11)";
    QTest::newRow("past of a formula") << "M1" << "2 * rms(PAD0 + 1, 4)"
                                       << "avg and rms take a channel's name, a comma and a count (at character 14)";
    QTest::newRow("assignment") << "M1" << "PAD0 = 3" << "a formula cannot assign (=) (at character 6)";
    QTest::newRow("NUL byte") << "M1" << QString("PAD0") + QChar(0) + "+1"
                              << "a formula holds letters, digits, operators and brackets only (at character 5)";
    QTest::newRow("hidden names") << "M1" << "_p0 + 1" << "unknown name “_p0” (at character 1)";
    QTest::newRow("its own name") << "M1" << "M1 + 1" << "unknown name “M1” (at character 1)";
    QTest::newRow("empty") << "M1" << "  " << "the formula is empty";
    QTest::newRow("two values") << "M1" << "PAD0, PAD1" << "a formula gives one value: no commas outside a function";
    QTest::newRow("name in use") << "PAD0" << "1" << "the name “PAD0” is already in use";
    QTest::newRow("name of a function") << "sin" << "1" << "the name “sin” is already in use";
    QTest::newRow("not a name") << "2x" << "1" << "a name is a letter, then up to 15 letters, digits or “_”";
    // In the user's words, at one place in the user's text.
    QTest::newRow("after a past term") << "M1" << "avg(PAD0, 4) avg(PAD1, 4)"
                                       << "an operator is missing before “avg(PAD1, 4)” (at character 14)";
    QTest::newRow("two names") << "M1" << "PAD0 PAD1" << "an operator is missing before “PAD1” (at character 6)";
    QTest::newRow("number too large") << "M1" << "PAD0 * 1e999" << "the number “1e999” is too large (at character 8)";
    QTest::newRow("many digits") << "M1" << QString(400, '9')
                                 << "the number “" + QString(23, '9') + "…” is too large (at character 1)";
    QTest::newRow("unknown function") << "M1" << "integral(PAD0)" << "unknown function “integral” (at character 1)";
    QTest::newRow("a channel called") << "M1" << "PAD0 (1)" << "“PAD0” is not a function (at character 1)";
    QTest::newRow("function not called") << "M1" << "sin + 1" << "“sin” is followed by a bracket (at character 1)";
    QTest::newRow("two operators") << "M1" << "PAD0 * * 2" << "“*” cannot stand here (at character 8)";
    QTest::newRow("sign after a sign") << "M1" << "--PAD0" << "“-” cannot stand here (at character 2)";
    QTest::newRow("value missing") << "M1" << "min(PAD0,)" << "a value is missing before “)” (at character 10)";
    QTest::newRow("no else") << "M1" << "PAD0 ? 2" << "“?” needs a “:” after it";
    QTest::newRow("other sign") << "M1" << "PAD0 # 1"
                                << "a formula holds letters, digits, operators and brackets only (at character 6)";
    QTest::newRow("filter not closed") << "M1" << "ema(PAD0, 1" << "a bracket is not closed (at character 12)";
    QTest::newRow("time constant of 0") << "M1" << "ema(PAD0, 0)"
                                        << "the time constant of ema is a number of seconds above 0 (at character 11)";
    QTest::newRow("frequency of a formula") << "M1" << "lowpass(PAD0, 2 * PAD1)"
                                            << "the frequency of lowpass and highpass is a number of hertz above 0 (at character 15)";
    QTest::newRow("median of a part") << "M1" << "median(PAD0, 2.5)"
                                      << "the count of median is a whole number from 1 to 1000 (at character 14)";
    QTest::newRow("hold of two values") << "M1" << "1 + hold(PAD0, 1)" << "“hold” takes another number of values (at character 5)";
    QTest::newRow("error in a filter's input") << "M1" << "lowpass(PAD0 * * 2, 5)" << "“*” cannot stand here (at character 16)";
    QTest::newRow("filter of nothing") << "M1" << "deriv( )" << "a value is missing before “)” (at character 8)";
    QTest::newRow("filter not called") << "M1" << "integ + 1" << "“integ” is followed by a bracket (at character 1)";
    QTest::newRow("name of a filter") << "ema" << "1" << "the name “ema” is already in use";
    QTest::newRow("valid") << "Temp_C" << "0.1 * PAD2 - 50 + avg(PAD0, 16) * 0" << "";
}

void TestMathChannels::errorsSayWhere()
{
    QFETCH(QString, name);
    QFETCH(QString, formula);
    QFETCH(QString, error);
    SampleStore store;
    MathChannels channels(inputs);
    QCOMPARE(channels.validate({MathChannel(name, formula)}, 0).text(), error);
    // All or nothing.
    QCOMPARE(channels.setChannels({MathChannel(name, formula)}, store), error.isEmpty());
    QCOMPARE(store.computedCount(), error.isEmpty() ? 1 : 0);
}

void TestMathChannels::hostileTextIsRefusedQuickly()
{
    const QStringList texts{QString(1000, '(') + "PAD0" + QString(1000, ')'),
                            QString(300, '(') + "PAD0" + QString(300, ')'),
                            QString("sin(").repeated(150) + "PAD0" + QString(150, ')'),
                            QString("PAD0+").repeated(2000) + "1",
                            QString("-").repeated(990) + "PAD0",
                            QString("avg(PAD0,10000)+").repeated(9) + "1"};
    QElapsedTimer clock;
    clock.start();
    for (const QString &text : texts) {
        FormulaError error;
        std::unique_ptr<MathFormula> formula = MathFormula::compile(text, inputs, &error);
        const double values[] = {1, 2, 3};
        const double past[MathFormula::maxPastTerms] = {};
        if (formula)
            QVERIFY(std::isfinite(formula->evaluate(values, 0, past, 0.001)));
        else
            QVERIFY(!error.isEmpty());
    }
}

void TestMathChannels::recordingHoldsTheColumn()
{
    QTemporaryDir folder;
    SampleIntake intake(16);
    CsvRecorder recorder;
    intake.sinks().add(&recorder);
    MathChannels channels(inputs);
    intake.setComputedColumns(&channels);
    QVERIFY(channels.setChannels({MathChannel("M1", "PAD0 / 4"), MathChannel("M2", "PAD0 * 2")},
                                 intake.columnStore()));
    recorder.start(folder.filePath("r.csv"), {"n", "time_s", "PAD0", "PAD1", "PAD2", "M1", "M2"}, 0);
    // More frames in one read than the ring holds: none is lost.
    QByteArray frames;
    for (int i = 0; i < 40; ++i)
        frames += "$" + QByteArray::number(i) + " 0 " + (i == 3 ? "x" : "0") + ";";
    intake.takeBytes(frames.constData(), frames.size(), 0);
    // M1 removed while recording: its column goes empty, M2 keeps its own.
    QVERIFY(channels.setChannels({MathChannel("M2", "PAD0 * 2")}, intake.columnStore()));
    intake.takeBytes("$6 0 0;", 7, 0);
    intake.setPaused(true);
    intake.takeBytes("$5 0 0;", 7, 0);
    recorder.stop();
    QFile file(folder.filePath("r.csv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = file.readAll().split('\n');
    QCOMPARE(rows.size(), 1 + 42 + 1);
    QCOMPARE(rows.at(1), QByteArray("1,0.000000,0,0,0,0,0"));
    QCOMPARE(rows.at(4), QByteArray("4,0.000000,3,0,,0.75,6"));
    QCOMPARE(rows.at(40), QByteArray("40,0.000000,39,0,0,9.75,78"));
    QCOMPARE(rows.at(41), QByteArray("41,0.000000,6,0,0,,12"));
    // Paused: recorded and computed.
    QCOMPARE(rows.at(42), QByteArray("42,0.000000,5,0,0,,10"));
}

QTEST_GUILESS_MAIN(TestMathChannels)
#include "tst_mathchannels.moc"

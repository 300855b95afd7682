// The widget-free logic behind the chart and the raw data window: the
// reduction of old readings, the readings' times, the axes' limits and
// format, the statistics' numbers, and the raw text.
#include "chartscale.h"
#include "rawlog.h"
#include "readingclock.h"
#include "readinghistory.h"

#include <QDateTime>
#include <QtTest>
#include <qcustomplot.h>

#include <cfloat>
#include <cmath>

namespace {

using Layout = ReadingHistory::Layout;

// Raw readings for 10 s (at most 50), 1 s intervals for 60 s, 10 s for 1 h.
Layout smallLayout()
{
    return {10000, 50, {{1000, 60000}, {10000, 3600000}}};
}

// Adds `count` readings `stepMs` apart from `startMs`, value i on channel 0,
// -i on channel 1 and none on channel 2.
void addRamp(ReadingHistory &history, qint64 startMs, int count, qint64 stepMs)
{
    for (int i = 0; i < count; ++i) {
        const double values[] = {double(i), -double(i), std::nan("")};
        history.add(startMs + i * stepMs, values);
    }
}

} // namespace

class TestChartData : public QObject
{
    Q_OBJECT

private slots:
    void levelsKeepTheCount_data();
    void levelsKeepTheCount();
    void intervalsHoldMinMeanMax();
    void meanOfHugeValues_data();
    void meanOfHugeValues();
    void spanPicksTheFinestLevel_data();
    void spanPicksTheFinestLevel();
    void gapsSurviveReduction();
    void aWeekStaysBounded();
    void timeAxisAcrossMidnight_data();
    void timeAxisAcrossMidnight();
    void readingTimesFollowTheClock_data();
    void readingTimesFollowTheClock();
    void timeRangeLimits_data();
    void timeRangeLimits();
    void valueRangeIsDrawable_data();
    void valueRangeIsDrawable();
    void statisticNumbers_data();
    void statisticNumbers();
    void rawLines_data();
    void rawLines();
    void rawShown_data();
    void rawShown();
    void rawLogKeepsTheLatest();
};

void TestChartData::levelsKeepTheCount_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<qint64>("stepMs");
    QTest::addColumn<QVector<qint64>>("heldPerLevel");

    // Nothing old enough to drop: every level stands for every reading.
    QTest::newRow("a few") << 7 << qint64(100) << QVector<qint64>{7, 7, 7};
    // Raw keeps 50 readings; the rest live on, reduced.
    QTest::newRow("raw count limit") << 200 << qint64(10) << QVector<qint64>{50, 200, 200};
    // 1 s intervals keep 60 s; 10 s intervals the whole 2 minutes.
    // All at one time: the raw level drops by count, and a span from that
    // time must come from a level that still holds all of it.
    QTest::newRow("one time") << 200 << qint64(0) << QVector<qint64>{50, 200, 200};
    QTest::newRow("time limits") << 120 << qint64(1000)
                                 << QVector<qint64>{11, 61, 120};
}

void TestChartData::levelsKeepTheCount()
{
    QFETCH(int, count);
    QFETCH(qint64, stepMs);
    QFETCH(QVector<qint64>, heldPerLevel);
    ReadingHistory history(3, smallLayout());
    addRamp(history, 1000000, count, stepMs);
    QCOMPARE(history.addedCount(), qint64(count));
    QCOMPARE(history.levelCount(), heldPerLevel.size());
    for (int level = 0; level < history.levelCount(); ++level) {
        qint64 sum = 0;
        for (const ReadingHistory::Interval &interval : history.level(level))
            sum += interval.readings;
        QCOMPARE(sum, history.readingsIn(level));
        QCOMPARE(history.readingsIn(level), heldPerLevel[level]);
    }
    QCOMPARE(history.summary(history.firstMs(), history.lastMs()).readings, qint64(count));
}

void TestChartData::intervalsHoldMinMeanMax()
{
    ReadingHistory history(3, smallLayout());
    // 20 readings 100 ms apart from a whole second: two 1 s intervals.
    addRamp(history, 5000, 20, 100);
    const std::deque<ReadingHistory::Interval> &seconds = history.level(1);
    QCOMPARE(int(seconds.size()), 2);
    const ReadingHistory::Interval &second = seconds[1];
    QCOMPARE(second.readings, qint64(10));
    QCOMPARE(second.firstMs, qint64(6000));
    QCOMPARE(second.lastMs, qint64(6900));
    QCOMPARE(second.channels[0].min, 10.0);
    QCOMPARE(second.channels[0].mean(), 14.5);
    QCOMPARE(second.channels[0].max, 19.0);
    QCOMPARE(second.channels[1].min, -19.0);
    QCOMPARE(second.channels[1].max, -10.0);
    // A channel without values has no mean.
    QCOMPARE(second.channels[2].count, qint64(0));
    QVERIFY(std::isnan(second.channels[2].mean()));

}

void TestChartData::meanOfHugeValues_data()
{
    QTest::addColumn<QVector<double>>("values");
    QTest::addColumn<double>("mean");
    // A sum of these overflows; their mean does not.
    QTest::newRow("equal, near the largest") << QVector<double>{1e308, 1e308} << 1e308;
    QTest::newRow("300 of 7e304, one small") << (QVector<double>(300, 7e304) << -1e300)
                                             << 7e304 * (300.0 / 301) - 1e300 / 301;
    QTest::newRow("opposite, near the largest") << QVector<double>{1e308, 1e308, -1e308} << 1e308 / 3;
}

void TestChartData::meanOfHugeValues()
{
    QFETCH(QVector<double>, values);
    QFETCH(double, mean);
    // 100 ms apart: the 1 s and 10 s levels merge them, in two steps.
    ReadingHistory history(1, smallLayout());
    for (int i = 0; i < values.size(); ++i)
        history.add(i * 100, &values[i]);
    for (int level = 1; level < history.levelCount(); ++level) {
        ReadingHistory::Interval all;
        for (const ReadingHistory::Interval &interval : history.level(level))
            all.merge(interval);
        QCOMPARE(all.channels[0].count, qint64(values.size()));
        QVERIFY2(std::abs(all.channels[0].mean() - mean) <= 1e-14 * 1e308,
                 qPrintable(QString::number(all.channels[0].mean())));
    }
}

void TestChartData::spanPicksTheFinestLevel_data()
{
    QTest::addColumn<qint64>("fromMs");
    QTest::addColumn<int>("maxIntervals");
    QTest::addColumn<int>("intervalCount");
    QTest::addColumn<qint64>("readings");

    // 30 readings a second for 100 s, from 0 s to 99.967 s.
    const qint64 end = 99967;
    // The last 1.5 s as they are: 45 readings.
    QTest::newRow("raw") << end - 1499 << 1000 << 45 << qint64(45);
    // The same merged into 5 slices.
    QTest::newRow("raw, merged") << end - 1499 << 5 << 5 << qint64(45);
    // Slices wider than a second: the 1 s intervals give the same picture
    // (here the last two seconds, 60 readings).
    QTest::newRow("coarser for wide slices") << end - 1499 << 1 << 1 << qint64(60);
    // 30 s reach back before the raw readings: 1 s intervals, those ending
    // in the span.
    QTest::newRow("seconds") << end - 29999 << 1000 << 30 << qint64(30 * 30);
    // Before the 1 s intervals' minute: 10 s intervals.
    QTest::newRow("10 s") << qint64(0) << 1000 << 10 << qint64(3000);
    // Before the first reading: the coarsest level, all of it.
    QTest::newRow("all, one slice") << qint64(-5000) << 1 << 1 << qint64(3000);
}

void TestChartData::spanPicksTheFinestLevel()
{
    QFETCH(qint64, fromMs);
    QFETCH(int, maxIntervals);
    QFETCH(int, intervalCount);
    QFETCH(qint64, readings);
    ReadingHistory history(2, smallLayout());
    for (int i = 0; i < 3000; ++i) {
        const double values[] = {double(i % 7), 1.0};
        history.add(qint64(i) * 1000 / 30, values);
    }
    const std::vector<ReadingHistory::Interval> shown =
        history.intervals(fromMs, history.lastMs(), maxIntervals);
    QCOMPARE(int(shown.size()), intervalCount);
    qint64 total = 0;
    for (const ReadingHistory::Interval &interval : shown) {
        total += interval.readings;
        QVERIFY(interval.channels[0].min <= interval.channels[0].mean());
        QVERIFY(interval.channels[0].mean() <= interval.channels[0].max);
        QCOMPARE(interval.channels[1].mean(), 1.0);
    }
    QCOMPARE(total, readings);
}

void TestChartData::gapsSurviveReduction()
{
    ReadingHistory history(1, smallLayout());
    addRamp(history, 0, 5, 1000);
    history.markGap();
    // Back 30 s later: every level starts a new interval, marked.
    addRamp(history, 34000, 5, 1000);
    for (int level = 0; level < history.levelCount(); ++level) {
        int gaps = 0;
        for (const ReadingHistory::Interval &interval : history.level(level))
            gaps += interval.gapBefore;
        QCOMPARE(gaps, 1);
    }
    // The history is kept across the gap.
    QCOMPARE(history.summary(0, 40000).readings, qint64(10));
}

void TestChartData::aWeekStaysBounded()
{
    // A week at 10 readings a second (the benchmark does 400): the standard
    // levels keep it in bounded memory and keep the count.
    ReadingHistory history(3);
    const qint64 week = 7LL * 24 * 3600 * 1000;
    const double values[] = {1, 2, 3};
    for (qint64 t = 0; t < week; t += 100)
        history.add(t, values);
    const int coarsest = history.levelCount() - 1;
    QCOMPARE(history.readingsIn(coarsest), week / 100);
    QCOMPARE(history.firstMs(), qint64(0));
    QVERIFY(history.level(0).size() <= 262144);
    QVERIFY2(history.memoryBytes() < 100u * 1024 * 1024, qPrintable(QString::number(history.memoryBytes())));
    // All of it is drawn from 10,080 one-minute intervals.
    QCOMPARE(int(history.intervals(0, week, 100000).size()), 7 * 24 * 60);
    // More comes in: the oldest minute goes, the count follows.
    history.add(week + 60000, values);
    QVERIFY(history.firstMs() > 0);
    QCOMPARE(history.readingsIn(coarsest), week / 100 - 600 + 1);
}

void TestChartData::timeAxisAcrossMidnight_data()
{
    QTest::addColumn<QDateTime>("from");
    QTest::addColumn<QDateTime>("to");
    QTest::addColumn<QString>("format");

    const QDate day(2026, 3, 14);
    QTest::newRow("within a day") << QDateTime(day, QTime(0, 0)) << QDateTime(day, QTime(23, 59, 59))
                                  << "hh:mm:ss";
    QTest::newRow("across midnight") << QDateTime(day, QTime(23, 55)) << QDateTime(day.addDays(1), QTime(0, 5))
                                     << "yyyy-MM-dd\nhh:mm:ss";
    QTest::newRow("a week") << QDateTime(day, QTime(12, 0)) << QDateTime(day.addDays(7), QTime(12, 0))
                            << "yyyy-MM-dd\nhh:mm:ss";
}

void TestChartData::timeAxisAcrossMidnight()
{
    QFETCH(QDateTime, from);
    QFETCH(QDateTime, to);
    QFETCH(QString, format);
    QCOMPARE(chartTimeFormat(from, to), format);
}

void TestChartData::readingTimesFollowTheClock_data()
{
    // Per reading: the wall and the monotonic clock when it is stamped, read
    // `waitedMs` before; the times and gaps it gets; the clock's now after.
    QTest::addColumn<QVector<qint64>>("wallMs");
    QTest::addColumn<QVector<qint64>>("monotonicMs");
    QTest::addColumn<qint64>("waitedMs");
    QTest::addColumn<QVector<qint64>>("stampMs");
    QTest::addColumn<QVector<int>>("gapsBefore");
    QTest::addColumn<qint64>("nowMs");
    using T = QVector<qint64>;
    const qint64 t = 1767225600000; // 2026-01-01 00:00:00 UTC
    QTest::newRow("steady") << T{t, t + 1000} << T{50, 1050} << qint64(300) << T{t - 300, t + 700}
                            << QVector<int>{} << t + 1000;
    // Put 2 h ahead: the chart follows, with a break.
    QTest::newRow("clock set forward") << T{t, t + 7201000} << T{50, 1050} << qint64(0)
                                       << T{t, t + 7201000} << QVector<int>{1} << t + 7201000;
    // Put 10 s back: the time holds until the clock catches up.
    QTest::newRow("clock set back") << T{t, t - 9000, t + 1000} << T{50, 1050, 11050} << qint64(0)
                                    << T{t, t, t + 1000} << QVector<int>{} << t + 1000;
    QTest::newRow("clock still behind") << T{t, t - 9000} << T{50, 1050} << qint64(0) << T{t, t}
                                        << QVector<int>{} << t;
    // The wall clock may run ahead by 5 s; an hour's sleep, which the
    // monotonic clock does not count, is a break.
    QTest::newRow("suspend") << T{t, t + 5000, t + 3605000} << T{50, 50, 100} << qint64(0)
                             << T{t, t + 5000, t + 3605000} << QVector<int>{2} << t + 3605000;
}

void TestChartData::readingTimesFollowTheClock()
{
    QFETCH(QVector<qint64>, wallMs);
    QFETCH(QVector<qint64>, monotonicMs);
    QFETCH(qint64, waitedMs);
    QFETCH(QVector<qint64>, stampMs);
    QFETCH(QVector<int>, gapsBefore);
    QFETCH(qint64, nowMs);
    int at = 0;
    ReadingClock clock([&] { return wallMs[at]; }, [&] { return monotonicMs[at] * 1000000; });
    for (; at < wallMs.size(); ++at) {
        const ReadingClock::Stamp stamp = clock.stamp((monotonicMs[at] - waitedMs) * 1000000);
        QCOMPARE(stamp.timeMs, stampMs[at]);
        QCOMPARE(stamp.gapBefore, gapsBefore.contains(at));
    }
    at = wallMs.size() - 1;
    QCOMPARE(clock.nowMs(), nowMs);
}

void TestChartData::timeRangeLimits_data()
{
    QTest::addColumn<double>("lower");
    QTest::addColumn<double>("upper");
    QTest::addColumn<double>("limitedLower");
    QTest::addColumn<double>("limitedUpper");
    const double t = 1767225600; // seconds
    const double latest = double(ReadingHistory::maxTimeMs) / 1000;
    // The longest span is a week here; a tenth more may be shown.
    const double longest = 7 * 24 * 3600 * 1.1;
    QTest::newRow("as asked") << t << t + 600 << t << t + 600;
    QTest::newRow("below a second") << t << t + 0.2 << t - 0.4 << t + 0.6;
    QTest::newRow("past the longest") << t - longest << t + longest << t - longest / 2 << t + longest / 2;
    // Hundreds of wheel notches out, in the years a history holds.
    QTest::newRow("far out") << -1e250 << 1e250 << 0.0 << longest;
    QTest::newRow("past the year 9999") << 1e13 << 1e13 + 60 << latest - 60 << latest;
    QTest::newRow("not a number") << std::nan("") << t << 0.0 << 1.0;
}

void TestChartData::timeRangeLimits()
{
    QFETCH(double, lower);
    QFETCH(double, upper);
    QFETCH(double, limitedLower);
    QFETCH(double, limitedUpper);
    const auto [from, to] = ChartScale::limitedTimeRange(lower, upper, 7 * 24 * 3600000);
    QCOMPARE(from, limitedLower);
    QCOMPARE(to, limitedUpper);
    // An axis position far out still converts to a time a history holds.
    QCOMPARE(ChartScale::toMs(lower * 1e3),
             lower > 1e12 ? ReadingHistory::maxTimeMs : lower > 0 ? qint64(lower * 1e3) : 0);
}

void TestChartData::valueRangeIsDrawable_data()
{
    QTest::addColumn<double>("lowest");
    QTest::addColumn<double>("highest");
    QTest::newRow("one value") << 5.0 << 5.0;
    QTest::newRow("7e304 and -1e300") << -1e300 << 7e304;
    QTest::newRow("all 7e304") << 7e304 << 7e304;
    QTest::newRow("the whole double range") << -DBL_MAX << DBL_MAX;
    QTest::newRow("tiny spread") << 1e-300 << 2e-300;
}

void TestChartData::valueRangeIsDrawable()
{
    QFETCH(double, lowest);
    QFETCH(double, highest);
    const auto [from, to] = ChartScale::fittedValueRange(lowest, highest);
    QVERIFY2(QCPRange::validRange(from, to), qPrintable(QString("%1 to %2").arg(from).arg(to)));
    // Every reading is shown, or (beyond what can be drawn) the edge it goes past.
    QVERIFY(from < std::max(lowest, -4e249) && to > std::min(highest, 4e249));
}

void TestChartData::statisticNumbers_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("shown");
    QTest::newRow("7e304, a mean") << 7e304 << 1 << "7e+304";
    QTest::newRow("-1e300") << -1e300 << -1 << "-1e+300";
    QTest::newRow("the largest, a mean") << DBL_MAX << 1 << "1.797693135e+308";
    QTest::newRow("not a number") << std::nan("") << 1 << "–";
    QTest::newRow("a mean in mV") << 1234.5678 << 1 << "1234.6";
    QTest::newRow("rounded to zero") << -0.04 << 1 << "0";
    QTest::newRow("small, all digits") << 0.000123 << -1 << "0.000123";
}

void TestChartData::statisticNumbers()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, shown);
    QCOMPARE(ChartScale::number(value, decimals), shown);
}

void TestChartData::rawLines_data()
{
    QTest::addColumn<QList<QByteArray>>("reads");
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::addColumn<qint64>("receivedLines");

    QTest::newRow("reading lines, CR LF")
        << QList<QByteArray>{"1650,2800,15", "0\r\n12,3,4\r", "\n"}
        << QList<QByteArray>{"1650,2800,150", "12,3,4"} << qint64(2);
    QTest::newRow("frames one per line")
        << QList<QByteArray>{"$1 2 3;$4 5", " 6;$7"}
        << QList<QByteArray>{"$1 2 3;", "$4 5 6;"} << qint64(2);
    // A frame's own line feed does not make an empty line; a board's empty
    // line does.
    QTest::newRow("frames with line ends")
        << QList<QByteArray>{"$1;\r\n$2;\n", "\n"}
        << QList<QByteArray>{"$1;", "$2;", ""} << qint64(3);
    // A read may end between CR and LF; a CR inside a line stays.
    QTest::newRow("CR LF split across reads")
        << QList<QByteArray>{"$1;\r", "\n7\r", "\n8\r", "9\n"}
        << QList<QByteArray>{"$1;", "7", "8\r9"} << qint64(3);
    QTest::newRow("nothing complete") << QList<QByteArray>{"1234", ""} << QList<QByteArray>{}
                                      << qint64(0);
    QTest::newRow("NUL and high bytes kept")
        << QList<QByteArray>{QByteArray("a\0b\xff\n", 5)}
        << QList<QByteArray>{QByteArray("a\0b\xff", 4)} << qint64(1);
}

void TestChartData::rawLines()
{
    QFETCH(QList<QByteArray>, reads);
    QFETCH(QList<QByteArray>, lines);
    QFETCH(qint64, receivedLines);
    RawLog log;
    for (const QByteArray &read : reads)
        log.addReceived(read);
    QList<QByteArray> got;
    for (const RawLog::Line &line : log.lines()) {
        QVERIFY(!line.sent);
        QVERIFY(!line.cut);
        got.append(line.bytes);
    }
    QCOMPARE(got, lines);
    QCOMPARE(log.receivedLineCount(), receivedLines);
}

void TestChartData::rawShown_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");

    const QString ellipsis(QChar(0x2026));
    QTest::newRow("printable") << QByteArray("$1650 -3 0;") << "$1650 -3 0;";
    QTest::newRow("control, high, backslash")
        << QByteArray("a\tb\x7f\x80\\", 6) << "a\\x09b\\x7F\\x80\\x5C";
    QTest::newRow("NUL") << QByteArray("\0", 1) << "\\x00";
    QTest::newRow("200 fits") << QByteArray(200, 'x') << QString(200, 'x');
    QTest::newRow("201 cut") << QByteArray(201, 'x') << QString(200, 'x') + ellipsis;
    // 197 characters and an escape would make 201: the escape is left out whole.
    QTest::newRow("escape not split") << QByteArray(197, 'x') + '\x01' << QString(197, 'x') + ellipsis;
    QTest::newRow("all escapes") << QByteArray(60, '\x01')
                                 << QString("\\x01").repeated(50) + ellipsis;
}

void TestChartData::rawShown()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    QCOMPARE(RawText::shown(bytes), shown);
    QVERIFY(RawText::shown(bytes).size() <= RawText::maxShownChars + 1);
}

void TestChartData::rawLogKeepsTheLatest()
{
    RawLog log(3);
    log.addSent("v");
    log.addReceived("1,2,3\n4,5,6\n");
    log.addSent(QByteArray(300, 'c'));
    log.addReceived("7,8,9\n");
    QCOMPARE(log.lineCount(), qint64(5));
    QCOMPARE(log.firstNumber(), qint64(2));
    QCOMPARE(log.receivedLineCount(), qint64(3));
    QCOMPARE(int(log.lines().size()), 3);
    QCOMPARE(log.lines()[0].bytes, QByteArray("4,5,6"));
    QVERIFY(log.lines()[1].sent);
    QVERIFY(log.lines()[1].cut);
    QCOMPARE(log.lines()[1].bytes.size(), RawLog::maxLineBytes);
    QCOMPARE(log.lines()[2].bytes, QByteArray("7,8,9"));

    // A line without an end costs no more than what is shown of it.
    log.addReceived(QByteArray(100000, 'z'));
    log.addReceived("\n");
    QVERIFY(log.lines().back().cut);
    QCOMPARE(log.lines().back().bytes.size(), RawLog::maxLineBytes);

    log.clear();
    QVERIFY(log.lines().empty());
    QCOMPARE(log.lineCount(), qint64(6));
}

QTEST_APPLESS_MAIN(TestChartData)
#include "tst_chartdata.moc"

// The chart of slow readings: the memory a week of voltmeter readings at
// 400 a second takes in the reading history (in this process, measured as
// the growth of resident memory and as the history's own count), and the
// chart window's redraw over that week at each span.
#include "benchreport.h"
#include "chartwindow.h"
#include "instrumentprotocol.h"

#include <QApplication>
#include <QFile>
#include <qcustomplot.h>

#include <cmath>
#include <ctime>


namespace {

// This thread's CPU time in seconds: on a loaded machine the wall clock also
// counts the time spent waiting for a core.
double threadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

constexpr qint64 weekMs = 7LL * 24 * 3600 * 1000;
constexpr int readingsPerSecond = 400;

// A week of three slowly drifting inputs, 400 readings a second.
void fillWeek(ReadingHistory &history, qint64 startMs)
{
    const qint64 readings = weekMs / 1000 * readingsPerSecond;
    for (qint64 i = 0; i < readings; ++i) {
        const qint64 atMs = startMs + i * 1000 / readingsPerSecond;
        const double hours = double(i) / readingsPerSecond / 3600;
        const double values[] = {1650 + 1000 * std::sin(hours), 2800 - double(i % 7),
                                 150 + double(i % 400)};
        history.add(atMs, values);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    const qint64 before = Bench::residentBytes();
    ReadingHistory history(3);
    const qint64 startMs = 1767225600000; // 2026-01-01 00:00 UTC
    const double fillStart = Bench::seconds();
    fillWeek(history, startMs);
    const double fillSeconds = Bench::seconds() - fillStart;
    const double residentMb = double(Bench::residentBytes() - before) / (1024 * 1024);
    const double heldMb = double(history.memoryBytes()) / (1024 * 1024);
    const int coarsest = history.levelCount() - 1;
    if (history.readingsIn(coarsest) != history.addedCount())
        qFatal("the week lost readings: %lld of %lld", history.readingsIn(coarsest),
               history.addedCount());
    Bench::row(QStringLiteral("Chart history, a week at 400 readings/s (in-process RSS growth)"),
               QStringLiteral("< 100 MB"),
               Bench::number(residentMb) + QStringLiteral(" MB (held: ") + Bench::number(heldMb)
                   + QStringLiteral(" MB, ") + QString::number(history.addedCount())
                   + QStringLiteral(" readings, filled in ") + Bench::number(fillSeconds)
                   + QStringLiteral(" s)"),
               100 / std::max(residentMb, heldMb));

    QWidget instrument;
    const qint64 nowMs = history.lastMs();
    ChartWindow chart(
        {&InstrumentProtocol::voltmeter()},
        history, [nowMs] { return nowMs; }, [](const std::function<void()> &work) { work(); },
        &instrument);
    chart.show();
    QApplication::processEvents();
    auto *plot = chart.findChild<QCustomPlot *>();

    double worst = 0;
    QStringList figures;
    const QStringList names{QStringLiteral("1 min"), QStringLiteral("10 min"), QStringLiteral("1 h"),
                            QStringLiteral("8 h"), QStringLiteral("All")};
    for (int i = 0; i < ChartWindow::spans().size(); ++i) {
        chart.setSpan(ChartWindow::spans()[i]);
        std::vector<double> times;
        for (int run = 0; run < 30; ++run) {
            const double start = threadSeconds();
            chart.redraw();
            plot->replot(QCustomPlot::rpImmediateRefresh);
            times.push_back(threadSeconds() - start);
        }
        const double ms = 1000 * Bench::median(times);
        worst = std::max(worst, ms);
        figures.append(names[i] + QStringLiteral(" ") + Bench::number(ms, 2));
    }
    Bench::row(QStringLiteral("Chart redraw 640x400 over the week, worst span (median, CPU time)"),
               QStringLiteral("<= 5 ms"),
               Bench::number(worst, 2) + QStringLiteral(" ms (") + figures.join(QStringLiteral(", "))
                   + QStringLiteral(" ms)"),
               5 / worst);
    return 0;
}

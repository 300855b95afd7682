// The plotters' sample intake (scan, convert, store), one redraw of a full
// plot (bringing the graphs up to date included) and one of a stopped view
// of the whole history, in a real Osciloscope window; and what the history
// costs the intake.
#include "benchboard.h"
#include "benchreport.h"
#include "osciloscope.h"
#include "sampleintake.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QWheelEvent>
#include <qcustomplot.h>

#include <cmath>
#include <ctime>

namespace {

// CPU time of the calling thread, in seconds.
double threadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

void feed(Plotter &plotter, const QByteArray &bytes, int readSize)
{
    for (int from = 0; from < bytes.size(); from += readSize)
        plotter.intake().takeBytes(bytes.constData() + from,
                                   qMin(readSize, int(bytes.size()) - from));
}

void intake(Osciloscope &window)
{
    constexpr int frames = 1000000;
    const QByteArray stream = Bench::boardStream(frames);
    double best = 0;
    for (int run = 0; run < 5; ++run) {
        const qint64 before = window.intake().lastIndex();
        const double start = Bench::seconds();
        feed(window, stream, 4096);
        const double elapsed = Bench::seconds() - start;
        if (window.intake().lastIndex() - before != frames)
            qFatal("intake lost frames");
        best = std::max(best, frames / elapsed);
    }
    Bench::row(QStringLiteral("Sample intake, whole path"), QStringLiteral(">= 1,000,000 frames/s"),
               QString::number(qint64(best)) + QStringLiteral(" frames/s"), best / 1e6);
}

void redraw(Osciloscope &window)
{
    QCustomPlot *plot = window.findChild<QCustomPlot *>(QStringLiteral("plot"));
    plot->setFixedSize(729, 551);
    window.adjustSize();
    QApplication::processEvents();

    std::vector<double> times;
    int offset = 0;
    for (int i = 0; i < 300; ++i) {
        // What arrives between two refreshes at 75,000 frames/s.
        feed(window, Bench::boardStream(1500, offset), 4096);
        offset += 1500;
        const double start = Bench::seconds();
        // The plot repaints itself at once (its immediate-refresh hint), so
        // this includes reaching the window's backing store.
        window.replot();
        times.push_back(Bench::seconds() - start);
    }
    for (int i = 0; i < 3; ++i) {
        const int points = plot->graph(i)->dataCount();
        if (points != 501)
            qFatal("graph %d holds %d points", i, points);
    }
    const double ms = 1000 * Bench::median(times);
    Bench::row(QStringLiteral("Redraw 729x551, 3 x 501 points (median)"), QStringLiteral("<= 2 ms"),
               Bench::number(ms, 2) + QStringLiteral(" ms"), 2 / ms);
}

// The widget-free intake alone, into a store of the plotters' history and
// into one of the size they had before it, the same stream, in one run.
void historyCost()
{
    const QByteArray stream = Bench::boardStream(1000000);
    const auto framesPerSecond = [&stream](int capacity) {
        SampleIntake intake(capacity);
        double best = 0;
        // The first run fills the ring; the later ones wrap around it.
        for (int run = 0; run < 5; ++run) {
            const double start = Bench::seconds();
            for (int from = 0; from < stream.size(); from += 4096)
                intake.takeBytes(stream.constData() + from,
                                 qMin(4096, int(stream.size()) - from));
            best = std::max(best, 1000000 / (Bench::seconds() - start));
        }
        return best;
    };
    const double small = framesPerSecond(8192);
    const double history = framesPerSecond(1000000);
    Bench::row(QStringLiteral("Intake into a 1,000,000-sample history, against 8192 samples"),
               QStringLiteral(">= 0.95 of the rate"),
               QString::number(qint64(history)) + QStringLiteral(" against ")
                   + QString::number(qint64(small)) + QStringLiteral(" frames/s"),
               history / small / 0.95);
}

// A stopped view of about a million samples, drawn as each pixel column's
// minimum and maximum. Each redraw follows a drag of one pixel, as panning
// does: the first one after the zoom reads every sample, the later ones
// mostly the block summaries it left.
void decimatedRedraw(Osciloscope &window)
{
    QCustomPlot *plot = window.findChild<QCustomPlot *>(QStringLiteral("plot"));
    if (window.intake().store().size() < 1000000)
        qFatal("the history holds %d samples", window.intake().store().size());
    window.findChild<QPushButton *>(QStringLiteral("stopButton"))->click();

    const QPointF at(plot->axisRect()->center());
    const auto wheel = [plot, at](int angle) {
        QWheelEvent event(at, at, QPoint(), QPoint(0, angle), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(plot, &event);
    };
    // Out to the whole history, then in by the least step, so a pan moves.
    double start = Bench::seconds();
    wheel(-120 * 40);
    const double first = Bench::seconds() - start;
    wheel(1);
    const double shown = plot->xAxis->range().size();
    if (shown < 990000)
        qFatal("the view shows %.0f samples", shown);

    const auto mouse = [plot](QEvent::Type type, QPointF position, Qt::MouseButtons buttons) {
        QMouseEvent event(type, position, Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(plot, &event);
    };
    mouse(QEvent::MouseButtonPress, at, Qt::LeftButton);
    std::vector<double> times;
    std::vector<double> cpuTimes;
    for (int i = 1; i <= 200; ++i) {
        const double lower = plot->xAxis->range().lower;
        start = Bench::seconds();
        const double cpuStart = threadCpuSeconds();
        mouse(QEvent::MouseMove, at + QPointF(i % 2, 0), Qt::LeftButton);
        cpuTimes.push_back(threadCpuSeconds() - cpuStart);
        times.push_back(Bench::seconds() - start);
        if (plot->xAxis->range().lower == lower)
            qFatal("the pan did not move the view");
    }
    mouse(QEvent::MouseButtonRelease, at, Qt::NoButton);
    // On a loaded machine the wall time mostly waits for a core; the CPU
    // time of the thread that draws is the figure, the wall time beside it.
    const double ms = 1000 * Bench::median(cpuTimes);
    Bench::row(QStringLiteral("Redraw 729x551 of a stopped view of 1,000,000 samples, "
                              "decimated (median, CPU)"),
               QStringLiteral("<= 5 ms"),
               Bench::number(ms, 2) + QStringLiteral(" ms (wall %1 ms; %2 samples; first after "
                                                     "the zoom: %3 ms wall)")
                                          .arg(Bench::number(1000 * Bench::median(times), 2))
                                          .arg(qint64(shown))
                                          .arg(Bench::number(1000 * first, 1)),
               5 / ms);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ListedBoard listed;
    listed.board.setSilent(true); // the benchmark feeds the stream itself

    Osciloscope window;
    window.show();
    QApplication::processEvents();

    intake(window);
    redraw(window);
    decimatedRedraw(window);
    historyCost();
    return 0;
}

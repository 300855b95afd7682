// What the raw data window costs the instrument it watches: the Osciloscope
// fed 75,000 frames a second in real time, through the same signal a port
// feeds, with its raw data window closed and open in turn. Measured in this
// process as CPU time (all threads) per second of stream.
#include "benchboard.h"
#include "benchreport.h"
#include "monotonicclock.h"
#include "osciloscope.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

// Reaches the window's board link, whose received() a port normally emits.
class PlotterBench
{
public:
    static BoardLink &board(Plotter &plotter) { return plotter.board; }
    static qint64 sampleIndex(const Plotter &plotter) { return plotter.sampleIndex; }
};

namespace {

constexpr int framesPerSecond = 75000;
constexpr int runMs = 4000;

// Streams `stream` (frame ends at `frameEnds`) into `window` at
// framesPerSecond for runMs, reading every 2 ms as a busy port would; returns
// the CPU time used per second of stream, in % of a core.
double streamLoad(Plotter &window, const QByteArray &stream, const std::vector<int> &frameEnds)
{
    const qint64 before = PlotterBench::sampleIndex(window);
    size_t sent = 0;
    int sentBytes = 0;
    QElapsedTimer clock;
    QTimer reads;
    reads.setTimerType(Qt::PreciseTimer);
    reads.setInterval(2);
    QObject::connect(&reads, &QTimer::timeout, [&] {
        const size_t due = std::min(frameEnds.size(), size_t(clock.nsecsElapsed() * framesPerSecond / 1000000000));
        if (due <= sent)
            return;
        const int end = frameEnds[due - 1];
        emit PlotterBench::board(window).received(stream.mid(sentBytes, end - sentBytes), monotonicNowNs());
        sent = due;
        sentBytes = end;
    });
    QEventLoop loop;
    QTimer::singleShot(runMs, &loop, &QEventLoop::quit);
    const double cpuBefore = Bench::cpuSeconds();
    const double wallBefore = Bench::seconds();
    clock.start();
    reads.start();
    loop.exec();
    reads.stop();
    const double load = 100 * (Bench::cpuSeconds() - cpuBefore) / (Bench::seconds() - wallBefore);
    const qint64 taken = PlotterBench::sampleIndex(window) - before;
    if (taken < qint64(sent) * 9 / 10)
        qFatal("the plotter took %lld of %zu frames", taken, sent);
    return load;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ListedBoard listed;
    listed.board.setSilent(true); // the benchmark feeds the stream itself

    const int frames = framesPerSecond * (runMs / 1000 + 1);
    const QByteArray stream = Bench::boardStream(frames);
    std::vector<int> frameEnds;
    frameEnds.reserve(size_t(frames));
    for (int i = 0; i < stream.size(); ++i) {
        if (stream[i] == ';')
            frameEnds.push_back(i + 1);
    }

    Osciloscope window;
    window.setWindowTitle(QStringLiteral("Osciloscope"));
    window.show();
    QApplication::processEvents();

    // Closed and open in turn, twice each, so a change in the machine's load
    // falls on both alike.
    std::vector<double> closed, open;
    for (int round = 0; round < 2; ++round) {
        closed.push_back(streamLoad(window, stream, frameEnds));
        window.rawDataAction()->trigger();
        open.push_back(streamLoad(window, stream, frameEnds));
        window.rawDataWindow()->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    const double without = *std::min_element(closed.begin(), closed.end());
    const double with = *std::min_element(open.begin(), open.end());
    const double cost = with - without;
    Bench::row(QStringLiteral("Raw data window at 75,000 frames/s, Osciloscope (in-process CPU)"),
               QStringLiteral("<= 3 % of a core more"),
               Bench::number(cost) + QStringLiteral(" % more (") + Bench::number(without)
                   + QStringLiteral(" % closed, ") + Bench::number(with) + QStringLiteral(" % open)"),
               3 / std::max(cost, 0.1));
    return 0;
}

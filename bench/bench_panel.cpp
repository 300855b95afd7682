// The whole panel at work: the launcher and one Osciloscope plotting a
// virtual board's stream, at the board's real pace and at what a full-speed
// USB link can carry, and open on a board that sends nothing. CPU is this
// process's own accounting, less the board's thread.
#include "benchreport.h"
#include "virtualboardthread.h"
#include "mainwindow.h"
#include "osciloscope.h"
#include "portlisting.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QSerialPort>
#include <QTimer>
#include <qcustomplot.h>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <unistd.h>

class PlotterBench
{
public:
    static qint64 sampleIndex(const Plotter &plotter) { return plotter.sampleIndex; }
};

namespace {

void runFor(double seconds)
{
    QEventLoop loop;
    QTimer::singleShot(int(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
}

void listAsBoard(const QString &path)
{
    const PortCandidate listed = PortListing::boardAt(path);
    PortListing::setSource([listed] { return QList<PortCandidate>{listed}; });
}

struct Measurement
{
    double cpuPercent = 0;
    double boardCpuPercent = 0;
    double plottedPerSecond = 0;
    qint64 maxPendingFirstHalf = 0;
    qint64 maxPendingSecondHalf = 0;
    qint64 droppedBytes = 0;
};

// Bytes received but not yet taken in: what the port holds plus what the
// system holds for it.
qint64 pendingBytes(QSerialPort *port)
{
    int queued = 0;
    if (port->handle() >= 0)
        ioctl(port->handle(), FIONREAD, &queued);
    return port->bytesAvailable() + queued;
}

// Opens an Osciloscope from the launcher, on the port listed as the board.
QPointer<Osciloscope> openOsciloscope(MainWindow &launcher)
{
    launcher.findChild<QPushButton *>(QStringLiteral("pushButtonOsciloscope"))->click();
    QPointer<Osciloscope> window;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *plotter = qobject_cast<Osciloscope *>(widget))
            window = plotter;
    if (!window)
        qFatal("no Osciloscope window");
    auto *port = window->findChild<QSerialPort *>();
    if (!port || !port->isOpen())
        qFatal("the Osciloscope has no open port");
    return window;
}

void closeAndWait(QPointer<Osciloscope> &window)
{
    window->close();
    while (window)
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete), runFor(0.05);
}

Measurement measure(MainWindow &launcher, int frameRate, double seconds)
{
    VirtualBoardThread board(frameRate);
    if (!board.startBoard())
        qFatal("virtual board: %s", qPrintable(board.errorString()));
    listAsBoard(board.devicePath());

    QPointer<Osciloscope> window = openOsciloscope(launcher);
    auto *port = window->findChild<QSerialPort *>();

    runFor(1.5); // the stream settles

    Measurement result;
    const double start = Bench::seconds();
    const double boardCpuStart = board.cpuSeconds();
    const double cpuStart = Bench::cpuSeconds() - boardCpuStart;
    const qint64 indexStart = PlotterBench::sampleIndex(*window);
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        const qint64 pending = pendingBytes(port);
        qint64 &max = Bench::seconds() - start < seconds / 2 ? result.maxPendingFirstHalf
                                                              : result.maxPendingSecondHalf;
        max = std::max(max, pending);
    });
    sampler.start(50);
    runFor(seconds);
    sampler.stop();
    const double wall = Bench::seconds() - start;
    result.cpuPercent = 100 * (Bench::cpuSeconds() - board.cpuSeconds() - cpuStart) / wall;
    result.boardCpuPercent = 100 * (board.cpuSeconds() - boardCpuStart) / wall;
    result.plottedPerSecond = (PlotterBench::sampleIndex(*window) - indexStart) / wall;

    closeAndWait(window);
    board.stopBoard();
    result.droppedBytes = board.droppedBytes();
    PortListing::setSource({});
    return result;
}

struct IdleMeasurement
{
    double cpuPercent = 0;
    int redraws = 0;
};

// An Osciloscope open on a board that is plugged in and sends nothing: a
// pseudo-terminal whose other end nobody writes to.
IdleMeasurement measureSilentBoard(MainWindow &launcher, double seconds)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
        qFatal("no pseudo-terminal for a silent board");
    listAsBoard(QString::fromLocal8Bit(ptsname(master)));

    QPointer<Osciloscope> window = openOsciloscope(launcher);
    runFor(1.5); // the start command goes out, the first refresh is drawn

    IdleMeasurement result;
    QObject::connect(window->findChild<QCustomPlot *>(QStringLiteral("plot")),
                     &QCustomPlot::afterReplot, [&result] { ++result.redraws; });
    const double start = Bench::seconds();
    const double cpuStart = Bench::cpuSeconds();
    runFor(seconds);
    result.cpuPercent = 100 * (Bench::cpuSeconds() - cpuStart) / (Bench::seconds() - start);

    closeAndWait(window);
    ::close(master);
    PortListing::setSource({});
    return result;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const double seconds = qEnvironmentVariableIsSet("BENCH_SECONDS")
                               ? qEnvironmentVariable("BENCH_SECONDS").toDouble()
                               : 10.0;
    MainWindow launcher;
    launcher.show();

    const IdleMeasurement idle = measureSilentBoard(launcher, seconds);
    Bench::row(QStringLiteral("Panel CPU, Osciloscope open, board silent"),
               QStringLiteral("<= 0.5 %"),
               Bench::number(idle.cpuPercent, 2) + QStringLiteral(" % (")
                   + QString::number(idle.redraws) + QStringLiteral(" redraws)"),
               0.5 / std::max(idle.cpuPercent, 0.01));

    const Measurement slow = measure(launcher, 720, seconds);
    Bench::row(QStringLiteral("Panel CPU, Osciloscope at 720 frames/s"), QStringLiteral("<= 4 %"),
               Bench::number(slow.cpuPercent) + QStringLiteral(" % (")
                   + QString::number(qint64(slow.plottedPerSecond))
                   + QStringLiteral(" frames/s plotted)"),
               4 / std::max(slow.cpuPercent, 0.01));

    constexpr int fullSpeed = 75000;
    const Measurement fast = measure(launcher, fullSpeed, seconds);
    Bench::row(QStringLiteral("Panel CPU, Osciloscope at 75,000 frames/s"),
               QStringLiteral("<= 60 %"),
               Bench::number(fast.cpuPercent) + QStringLiteral(" % (board's thread apart: ")
                   + Bench::number(fast.boardCpuPercent) + QStringLiteral(" %)"),
               60 / std::max(fast.cpuPercent, 0.01));
    // Keeping pace: the plotted index advances as fast as frames are sent,
    // the board never had to drop bytes, and what waits in the port does not
    // grow from the first half of the run to the second.
    const double pace = fast.plottedPerSecond / fullSpeed;
    const qint64 bound = qint64(64) * 1024;
    const bool bounded = fast.droppedBytes == 0 && fast.maxPendingSecondHalf <= bound;
    Bench::row(QStringLiteral("Backlog at 75,000 frames/s"),
               QStringLiteral("keeps pace (>= 98 %), no bytes dropped, pending <= 64 KiB"),
               QString::number(qint64(fast.plottedPerSecond)) + QStringLiteral(" frames/s plotted (")
                   + Bench::number(100 * pace) + QStringLiteral(" %), ")
                   + QString::number(fast.droppedBytes) + QStringLiteral(" bytes dropped, pending max ")
                   + Bench::number(fast.maxPendingFirstHalf / 1024.0) + QStringLiteral(" then ")
                   + Bench::number(fast.maxPendingSecondHalf / 1024.0) + QStringLiteral(" KiB"),
               bounded ? pace / 0.98 : 0);
    return 0;
}

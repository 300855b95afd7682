// The whole panel at work: the launcher and one Osciloscope plotting a
// virtual board's stream, at the board's real pace and at what a full-speed
// USB link can carry, and open on a board that sends nothing; recording to
// a file, triggered with measurements shown, and at rising rates until it
// no longer keeps pace. CPU is this process's own accounting, less the
// board's thread.
#include "benchreport.h"
#include "virtualboardthread.h"
#include "filesaving.h"
#include "mainwindow.h"
#include "osciloscope.h"
#include "portlisting.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTimer>
#include <qcustomplot.h>

#include <functional>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <unistd.h>

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
    double redrawsPerSecond = 0;
    qint64 maxPendingFirstHalf = 0;
    qint64 maxPendingSecondHalf = 0;
    qint64 droppedBytes = 0;
    // Frames per second the board made: those plotted, plus what came to
    // wait in the port or was dropped for want of a reader, in frames.
    double boardPerSecond = 0;
};

// Bytes of an average frame of the board's stream.
double bytesPerFrame()
{
    constexpr int frames = 72000;
    static const double bytes = double(Bench::boardStream(frames).size()) / frames;
    return bytes;
}

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

// The window's action for a shortcut, as a key press would trigger it.
void triggerShortcut(QWidget *window, const QKeySequence &keys)
{
    for (QAction *action : window->actions())
        if (action->shortcut() == keys) {
            action->trigger();
            return;
        }
    qFatal("no action for %s", qPrintable(keys.toString()));
}

using Preparation = std::function<void(Osciloscope *)>;

// `prepare` runs on the open window before the stream settles, so what it
// starts is not part of the measured time.
Measurement measure(MainWindow &launcher, int frameRate, double seconds,
                    const Preparation &prepare = {})
{
    VirtualBoardThread board(frameRate);
    if (!board.startBoard())
        qFatal("virtual board: %s", qPrintable(board.errorString()));
    const double boardStart = Bench::seconds();
    listAsBoard(board.devicePath());

    QPointer<Osciloscope> window = openOsciloscope(launcher);
    auto *port = window->findChild<QSerialPort *>();
    if (prepare)
        prepare(window);

    runFor(1.5); // the stream settles

    Measurement result;
    int redraws = 0;
    QObject::connect(window->findChild<QCustomPlot *>(QStringLiteral("plot")),
                     &QCustomPlot::afterReplot, [&redraws] { ++redraws; });
    const qint64 pendingStart = pendingBytes(port);
    const double start = Bench::seconds();
    const double boardCpuStart = board.cpuSeconds();
    const double cpuStart = Bench::cpuSeconds() - boardCpuStart;
    const qint64 indexStart = window->intake().lastIndex();
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
    result.plottedPerSecond = (window->intake().lastIndex() - indexStart) / wall;
    result.redrawsPerSecond = redraws / wall;
    const qint64 pendingEnd = pendingBytes(port);
    // The cable comes out before the window closes, so the board does not
    // count as dropped what it sends while nobody reads any more.
    board.replug(3600 * 1000);
    const double boardEnd = Bench::seconds();

    closeAndWait(window);
    board.stopBoard();
    result.droppedBytes = board.droppedBytes();
    result.boardPerSecond =
        result.plottedPerSecond
        + double(pendingEnd - pendingStart) / bytesPerFrame() / wall
        + double(result.droppedBytes) / bytesPerFrame() / (boardEnd - boardStart);
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

// No backlog: the plotted index advances as fast as frames are asked for,
// the board never had to drop bytes, and what waits in the port stays
// small in the second half of the run.
bool keptPace(const Measurement &m, int frameRate)
{
    return m.plottedPerSecond >= 0.98 * frameRate && m.droppedBytes == 0
           && m.maxPendingSecondHalf <= qint64(64) * 1024;
}

QString rate(double framesPerSecond)
{
    return QLocale(QLocale::English).toString(qint64(framesPerSecond));
}

// The Osciloscope recording every frame through its own Ctrl+R action, to a
// file in a temporary folder; the window's close finishes the file.
struct Recorded
{
    Measurement measurement;
    qint64 rows = 0;
};

Recorded measureRecording(MainWindow &launcher, int frameRate, double seconds)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("recording.csv"));
    FileSaving::setFileNameSource([path](const QString &, const QString &) { return path; });
    Recorded result;
    result.measurement = measure(launcher, frameRate, seconds, [](Osciloscope *window) {
        triggerShortcut(window, QKeySequence(Qt::CTRL | Qt::Key_R));
    });
    FileSaving::setFileNameSource({});
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no recording at %s", qPrintable(path));
    qint64 lines = 0;
    char buffer[1 << 16];
    for (qint64 n; (n = file.read(buffer, sizeof buffer)) > 0;)
        lines += std::count(buffer, buffer + n, '\n');
    result.rows = std::max<qint64>(lines - 1, 0); // less the header
    // The recording ran through settling and the measured time at least.
    if (result.rows < qint64(0.95 * frameRate * seconds))
        qFatal("the recording holds only %lld rows", result.rows);
    return result;
}

void reportRecording(const Recorded &recorded, const Measurement &plain, const QString &rateText)
{
    const double extra = std::max(recorded.measurement.cpuPercent - plain.cpuPercent, 0.0);
    Bench::row(QStringLiteral("Recording in the panel at %1 frames/s, extra CPU").arg(rateText),
               QStringLiteral("<= 5 % of a core"),
               Bench::number(extra) + QStringLiteral(" % (") + Bench::number(recorded.measurement.cpuPercent)
                   + QStringLiteral(" % against ") + Bench::number(plain.cpuPercent)
                   + QStringLiteral(" %; ") + QString::number(recorded.rows)
                   + QStringLiteral(" rows written, ")
                   + QString::number(recorded.measurement.droppedBytes)
                   + QStringLiteral(" bytes dropped)"),
               recorded.measurement.droppedBytes == 0 ? 5 / std::max(extra, 0.01) : 0);
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
                   + QStringLiteral(" frames/s plotted, ")
                   + Bench::number(slow.redrawsPerSecond, 0) + QStringLiteral(" redraws/s)"),
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

    const Recorded recordingSlow = measureRecording(launcher, 720, seconds);
    reportRecording(recordingSlow, slow, QStringLiteral("720"));
    const Recorded recordingFast = measureRecording(launcher, fullSpeed, seconds);
    reportRecording(recordingFast, fast, QStringLiteral("75,000"));

    // The raw data window open (Ctrl+D) on the same stream: what it costs the
    // window it watches. Runs without and with it alternate, as the same run
    // differs by more than the figure asked for from one minute to the next.
    std::vector<double> extras;
    std::vector<double> withCpu;
    std::vector<double> withoutCpu;
    Measurement withRawData;
    for (int pair = 0; pair < 3; ++pair) {
        const Measurement without = measure(launcher, fullSpeed, seconds);
        withRawData = measure(launcher, fullSpeed, seconds, [](Osciloscope *window) {
            triggerShortcut(window, QKeySequence(Qt::CTRL | Qt::Key_D));
        });
        extras.push_back(withRawData.cpuPercent - without.cpuPercent);
        withCpu.push_back(withRawData.cpuPercent);
        withoutCpu.push_back(without.cpuPercent);
    }
    const double rawExtra = std::max(Bench::median(extras), 0.0);
    Bench::row(QStringLiteral("Raw data window open at 75,000 frames/s, extra CPU (median of 3 pairs)"),
               QStringLiteral("<= 3 % of a core"),
               Bench::number(rawExtra) + QStringLiteral(" % (") + Bench::number(Bench::median(withCpu))
                   + QStringLiteral(" % against ") + Bench::number(Bench::median(withoutCpu))
                   + QStringLiteral(" %; ") + QString::number(qint64(withRawData.plottedPerSecond))
                   + QStringLiteral(" frames/s plotted)"),
               3 / std::max(rawExtra, 0.01));

    // Ctrl+T once steps the trigger from Off to Rising Edge; Ctrl+M shows
    // the measurements.
    const Measurement triggered = measure(launcher, 720, seconds, [](Osciloscope *window) {
        triggerShortcut(window, QKeySequence(Qt::CTRL | Qt::Key_T));
        triggerShortcut(window, QKeySequence(Qt::CTRL | Qt::Key_M));
    });
    Bench::row(QStringLiteral("Panel CPU, triggered view with measurements at 720 frames/s"),
               QStringLiteral("<= 4 %"),
               Bench::number(triggered.cpuPercent) + QStringLiteral(" % (")
                   + QString::number(qint64(triggered.plottedPerSecond))
                   + QStringLiteral(" frames/s plotted, ")
                   + Bench::number(triggered.redrawsPerSecond, 0) + QStringLiteral(" redraws/s)"),
               4 / std::max(triggered.cpuPercent, 0.01));

    // Rising rates, a few seconds each, until one is not kept; 75,000 was
    // measured above.
    const double stepSeconds = std::max(seconds * 0.4, 2.0);
    int highestKept = 0;
    Measurement atHighest;
    QString shortfall;
    if (keptPace(fast, fullSpeed)) {
        highestKept = fullSpeed;
        atHighest = fast;
        for (const int frameRate : {150000, 300000, 600000, 1000000}) {
            const Measurement step = measure(launcher, frameRate, stepSeconds);
            std::printf("rate %d: plotted %.0f/s, board made %.0f/s, panel %.1f %%, board's thread "
                        "%.1f %%, pending max %.1f then %.1f KiB, %lld bytes dropped\n",
                        frameRate, step.plottedPerSecond, step.boardPerSecond, step.cpuPercent,
                        step.boardCpuPercent, step.maxPendingFirstHalf / 1024.0,
                        step.maxPendingSecondHalf / 1024.0, step.droppedBytes);
            std::fflush(stdout);
            if (!keptPace(step, frameRate)) {
                shortfall = QStringLiteral("; at ") + rate(frameRate) + QStringLiteral(": ")
                            + rate(step.plottedPerSecond) + QStringLiteral(" plotted, board made ")
                            + rate(step.boardPerSecond) + QStringLiteral(", ")
                            + QString::number(step.droppedBytes) + QStringLiteral(" bytes dropped");
                break;
            }
            highestKept = frameRate;
            atHighest = step;
        }
    }
    Bench::row(QStringLiteral("Highest rate one Osciloscope holds with no backlog"),
               QStringLiteral("report it (before: >= 600,000 frames/s at 40 %)"),
               rate(highestKept) + QStringLiteral(" frames/s at ") + Bench::number(atHighest.cpuPercent)
                   + QStringLiteral(" % (board made ") + rate(atHighest.boardPerSecond)
                   + QStringLiteral(", its thread ") + Bench::number(atHighest.boardCpuPercent)
                   + QStringLiteral(" %)") + shortfall,
               highestKept / 600000.0);
    return 0;
}

// A virtual board on a pseudo-terminal, for trying the panel or a terminal
// program without hardware. Prints the device path (--link's when given),
// then serves until it is killed. SIGUSR1 pulls its cable and plugs it back
// in on a new pseudo-terminal, whose path it prints. It writes its
// stream as a USB serial device delivers it: every millisecond what is due.
#include "replugsignal.h"
#include "virtualboard.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("virtualboard"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Simulates the measurement board on a pseudo-terminal."));
    parser.addHelpOption();
    const QCommandLineOption rate(QStringLiteral("rate"),
                                  QStringLiteral("Sample frames per second (default 720); 0: a board that "
                                                 "sends nothing at all."),
                                  QStringLiteral("frames"), QStringLiteral("720"));
    parser.addOption(rate);
    const QCommandLineOption replugDelay(
        QStringLiteral("replug-delay"),
        QStringLiteral("On SIGUSR1 the board is unplugged and comes back after this many "
                       "milliseconds (default 1000)."),
        QStringLiteral("ms"), QStringLiteral("1000"));
    parser.addOption(replugDelay);
    const QCommandLineOption link(
        QStringLiteral("link"),
        QStringLiteral("Also present the board at PATH, a link kept across replugs."),
        QStringLiteral("PATH"));
    parser.addOption(link);
    const QCommandLineOption stats(
        QStringLiteral("stats"),
        QStringLiteral("Every second, print a line \"stats FRAMES DROPPED WAITING OWN STALL\": the "
                       "sample frames made since the stream started, the bytes dropped because "
                       "the panel did not read them in time, the bytes waiting to be taken, "
                       "the bytes of DROPPED lost while the panel had taken everything before "
                       "(the board's own process had stalled), and the longest time in "
                       "milliseconds between two of its stream writes in that second."));
    parser.addOption(stats);
    const QCommandLineOption steps(
        QStringLiteral("steps"),
        QStringLiteral("Instead of its waves, the Osciloscope's PAD0 jumps between %1 and %2 mV "
                       "every MS milliseconds (plus up to 19 at random), PAD1 and PAD2 holding "
                       "%3 mV. Each jump prints a line \"step MILLIVOLTS NS\": the system's "
                       "monotonic clock, in nanoseconds, when the first frame at the new level "
                       "was written.")
            .arg(VirtualBoard::stepLowMv)
            .arg(VirtualBoard::stepHighMv)
            .arg(VirtualBoard::stepRestMv),
        QStringLiteral("MS"));
    parser.addOption(steps);
    parser.process(app);

    VirtualBoard board;
    board.setFrameRate(parser.value(rate).toInt());
    board.setSilent(parser.value(rate).toInt() == 0);
    board.setWriteInterval(1);
    if (parser.isSet(steps))
        board.setStepPeriod(parser.value(steps).toInt());
    if (parser.isSet(link))
        board.setLinkPath(parser.value(link));
    if (!board.start()) {
        QTextStream(stderr) << "virtualboard: " << board.errorString() << '\n';
        return 1;
    }
    QTextStream(stdout) << board.devicePath() << Qt::endl;

    ReplugSignal replug;
    QObject::connect(&replug, &ReplugSignal::requested, &board, [&] {
        QTextStream(stdout) << "unplugged" << Qt::endl;
        board.replug(parser.value(replugDelay).toInt());
    });
    // The new pseudo-terminal, also under --link: the link follows it, and
    // a terminal program opened on the old one must be pointed at it.
    QObject::connect(&board, &VirtualBoard::plugged, &board, [&board] {
        QTextStream(stdout) << board.ptyPath() << Qt::endl;
    });
    QObject::connect(&board, &VirtualBoard::stepped, &board, [](int millivolts, qint64 ns) {
        QTextStream(stdout) << "step " << millivolts << ' ' << ns << Qt::endl;
    });
    QTimer statsTimer;
    QObject::connect(&statsTimer, &QTimer::timeout, &board, [&board] {
        QTextStream(stdout) << "stats " << board.framesMade() << ' ' << board.droppedBytes() << ' '
                            << board.pendingBytes() << ' ' << board.droppedAfterOwnStall() << ' '
                            << board.takeLongestStallMs() << Qt::endl;
    });
    statsTimer.setTimerType(Qt::PreciseTimer);
    if (parser.isSet(stats))
        statsTimer.start(1000);
    return app.exec();
}

// CPU used by the panel's waits, which must sleep, not poll: the 150 ms wait
// between commands, and a window looking for its board after a loss.
#include "benchreport.h"
#include "board.h"
#include "boardlink.h"
#include "portlisting.h"
#include "virtualboard.h"

#include <QCoreApplication>
#include <QSerialPort>

namespace {

void commandWait()
{
    QSerialPort port;
    BoardLink link(&port, 1);

    constexpr int waits = 20;
    link.wait(Board::waitMs); // first use sets up the timer machinery
    const double cpuStart = Bench::cpuSeconds();
    const double start = Bench::seconds();
    for (int i = 0; i < waits; ++i)
        link.wait(Board::waitMs);
    const double wall = Bench::seconds() - start;
    const double percent = 100 * (Bench::cpuSeconds() - cpuStart) / wall;
    Bench::row(QStringLiteral("CPU during a 150 ms wait"), QStringLiteral("< 5 %"),
               Bench::number(percent, 2) + QStringLiteral(" % (wait took ")
                   + Bench::number(1000 * wall / waits, 1) + QStringLiteral(" ms)"),
               5 / std::max(percent, 0.01));
}

// A link whose board was unplugged, looking for it through the system's own
// port list (every 500 ms) for `seconds`. Which is what matters: the
// system's list costs milliseconds to read.
void lookingForALostBoard(double seconds)
{
    VirtualBoard board;
    if (!board.start())
        qFatal("virtual board: %s", qPrintable(board.errorString()));
    PortListing::setSource(
        [&board] { return QList<PortCandidate>{PortListing::boardAt(board.devicePath())}; });
    QSerialPort port;
    BoardLink link(&port, 1);
    if (link.connectBoard(QIODevice::ReadWrite) != BoardLink::Outcome::Opened)
        qFatal("could not open the virtual board");
    board.unplug();
    // From now on the system's own list, as in the panel: the board is not in it.
    PortListing::setSource({});
    while (link.state() != BoardLink::State::Lost)
        link.wait(10);

    const double cpuStart = Bench::cpuSeconds();
    const double start = Bench::seconds();
    link.wait(int(seconds * 1000));
    const double wall = Bench::seconds() - start;
    const double percent = 100 * (Bench::cpuSeconds() - cpuStart) / wall;
    Bench::row(QStringLiteral("CPU of a window waiting for its board"), QStringLiteral("<= 1 %"),
               Bench::number(percent, 3)
                   + QStringLiteral(" % over its first %1 s, system port list").arg(seconds),
               1 / std::max(percent, 0.001));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    commandWait();
    lookingForALostBoard(10);
    return 0;
}

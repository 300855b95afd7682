// CPU used by the 150 ms wait between commands, which must sleep, not poll.
#include "benchreport.h"
#include "board.h"
#include "boardlink.h"

#include <QCoreApplication>
#include <QSerialPort>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
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
    return 0;
}

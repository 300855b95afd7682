#include "boarddiscovery.h"

#include "board.h"
#include "boardtrace.h"

#include <QDebug>

namespace {

const QString devices = QStringLiteral("/dev/");

bool isBoard(const PortCandidate &port)
{
    return port.hasProductIdentifier && port.hasVendorIdentifier
           && port.vendorIdentifier == Board::vendorId;
}

bool isNamed(const PortCandidate &port, const QString &name)
{
    if (name.isEmpty())
        return true;
    const QString path = port.portName.startsWith(QLatin1Char('/')) ? port.portName
                                                                    : devices + port.portName;
    return port.portName == name || path == name || path == devices + name
           || (!port.serialNumber.isEmpty() && port.serialNumber == name);
}

} // namespace

std::optional<PortCandidate> firstBoard(const QList<PortCandidate> &ports, const QString &wanted)
{
    for (const PortCandidate &port : ports) {
        if (isBoard(port) && isNamed(port, wanted))
            return port;
    }
    return std::nullopt;
}

std::optional<PortCandidate> findBoard(const QList<PortCandidate> &ports, const QString &wanted)
{
    std::optional<PortCandidate> board = firstBoard(ports, wanted);
    if (board)
        logBoardFound();
    return board;
}

QList<PortCandidate> boardsIn(const QList<PortCandidate> &ports)
{
    QList<PortCandidate> boards;
    for (const PortCandidate &port : ports) {
        if (isBoard(port))
            boards.append(port);
    }
    return boards;
}

std::optional<PortCandidate> chooseBoard(const QList<PortCandidate> &ports,
                                         const QString &preferred,
                                         const std::function<bool(const PortCandidate &)> &heldByPanel)
{
    QList<PortCandidate> boards = boardsIn(ports);
    if (!preferred.isEmpty()) {
        const auto named = std::find_if(boards.begin(), boards.end(), [&](const PortCandidate &port) {
            return isNamed(port, preferred);
        });
        if (named == boards.end())
            return std::nullopt;
        boards.move(int(named - boards.begin()), 0);
    }
    if (boards.isEmpty())
        return std::nullopt;
    for (const PortCandidate &board : boards) {
        if (!heldByPanel || !heldByPanel(board))
            return board;
    }
    return boards.first();
}

std::optional<PortCandidate> boardWithSerial(const QList<PortCandidate> &ports,
                                             const QString &serialNumber)
{
    for (const PortCandidate &port : ports) {
        if (isBoard(port) && !serialNumber.isEmpty() && port.serialNumber == serialNumber)
            return port;
    }
    return std::nullopt;
}

QString portLabel(const QString &portName)
{
    if (portName.startsWith(devices))
        return portName.mid(devices.size());
    // A link elsewhere (a board presented under a name of its own).
    return portName.mid(portName.lastIndexOf(QLatin1Char('/')) + 1);
}

void logBoardFound()
{
    qCDebug(boardTrace) << "connected maked true";
}

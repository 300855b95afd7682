#include "boarddiscovery.h"

#include "board.h"

#include <QDebug>

std::optional<PortCandidate> firstBoard(const QList<PortCandidate> &ports)
{
    for (const PortCandidate &port : ports) {
        if (port.hasProductIdentifier && port.hasVendorIdentifier
            && port.vendorIdentifier == Board::vendorId)
            return port;
    }
    return std::nullopt;
}

std::optional<PortCandidate> findBoard(const QList<PortCandidate> &ports)
{
    std::optional<PortCandidate> board = firstBoard(ports);
    if (board)
        logBoardFound();
    return board;
}

void logBoardFound()
{
    qDebug() << "connected maked true";
}

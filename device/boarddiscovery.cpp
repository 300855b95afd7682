#include "boarddiscovery.h"

#include "board.h"

#include <QDebug>

std::optional<PortCandidate> findBoard(const QList<PortCandidate> &ports)
{
    for (const PortCandidate &port : ports) {
        if (port.hasProductIdentifier && port.hasVendorIdentifier
            && port.vendorIdentifier == Board::vendorId) {
            qDebug() << "connected maked true";
            return port;
        }
    }
    return std::nullopt;
}

#include "boarddiscovery.h"

#include "board.h"

#include <QDebug>

namespace {

bool isNamed(const PortCandidate &port, const QString &name)
{
    if (name.isEmpty())
        return true;
    const QString devices = QStringLiteral("/dev/");
    const QString path = port.portName.startsWith(QLatin1Char('/')) ? port.portName
                                                                    : devices + port.portName;
    return port.portName == name || path == name || path == devices + name
           || (!port.serialNumber.isEmpty() && port.serialNumber == name);
}

} // namespace

std::optional<PortCandidate> firstBoard(const QList<PortCandidate> &ports, const QString &wanted)
{
    for (const PortCandidate &port : ports) {
        if (port.hasProductIdentifier && port.hasVendorIdentifier
            && port.vendorIdentifier == Board::vendorId && isNamed(port, wanted))
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

void logBoardFound()
{
    qDebug() << "connected maked true";
}

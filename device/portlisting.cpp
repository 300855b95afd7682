#include "portlisting.h"

#include "board.h"

#include <QSerialPortInfo>

namespace {
std::function<QList<PortCandidate>()> &source()
{
    static std::function<QList<PortCandidate>()> theSource;
    return theSource;
}
} // namespace

QList<PortCandidate> PortListing::systemPorts()
{
    QList<PortCandidate> ports;
    const auto infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos) {
        // The device path, not the short name: the node need not sit right in /dev.
        ports.append({info.systemLocation(), info.hasVendorIdentifier(), info.vendorIdentifier(),
                      info.hasProductIdentifier(), info.productIdentifier()});
    }
    return ports;
}

QList<PortCandidate> PortListing::availablePorts()
{
    return source() ? source()() : systemPorts();
}

PortCandidate PortListing::boardAt(const QString &path, quint16 productIdentifier)
{
    return {path, true, Board::vendorId, true, productIdentifier};
}

void PortListing::setSource(std::function<QList<PortCandidate>()> newSource)
{
    source() = std::move(newSource);
}

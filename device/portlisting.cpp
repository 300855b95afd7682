#include "portlisting.h"

#include "board.h"

#include <QSerialPortInfo>

#include <sys/stat.h>

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
                      info.hasProductIdentifier(), info.productIdentifier(), info.serialNumber()});
    }
    return ports;
}

quint64 PortListing::changeStamp()
{
    static quint64 calls = 0;
    return source() ? ++calls : systemChangeStamp();
}

quint64 PortListing::systemChangeStamp()
{
    // A new device node changes /dev (a pseudo-terminal /dev/pts); udev
    // finishing with it (the USB ids Qt reads) changes its database.
    quint64 stamp = 0;
    for (const char *folder : {"/dev", "/dev/pts", "/run/udev/data"}) {
        struct stat status {};
        if (::stat(folder, &status) == 0)
            stamp = stamp * 1000003u + quint64(status.st_mtim.tv_sec) * 1000000000u
                    + quint64(status.st_mtim.tv_nsec);
    }
    return stamp;
}

QList<PortCandidate> PortListing::availablePorts()
{
    return source() ? source()() : systemPorts();
}

PortCandidate PortListing::boardAt(const QString &path, quint16 productIdentifier,
                                   const QString &serialNumber)
{
    return {path, true, Board::vendorId, true, productIdentifier, serialNumber};
}

void PortListing::setSource(std::function<QList<PortCandidate>()> newSource)
{
    source() = std::move(newSource);
}

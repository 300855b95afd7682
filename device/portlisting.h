#pragma once

#include <QList>
#include <QMetaType>
#include <QString>

#include <functional>

// One serial port as discovery sees it.
struct PortCandidate
{
    QString portName;             // a name QSerialPort accepts: "ttyACM0" or a full path
    bool hasVendorIdentifier = false;
    quint16 vendorIdentifier = 0;
    bool hasProductIdentifier = false;
    quint16 productIdentifier = 0;
    QString serialNumber;         // the USB serial number, where the device has one
};

Q_DECLARE_METATYPE(PortCandidate)

namespace PortListing {

// The ports to search, in the system's order.
QList<PortCandidate> availablePorts();

// The system's own list, from QSerialPortInfo.
QList<PortCandidate> systemPorts();

// The device at `path` presented as the board: its vendor identifier, some
// product identifier and the serial number given.
PortCandidate boardAt(const QString &path, quint16 productIdentifier = 1,
                      const QString &serialNumber = QString());

// Changes whenever the list may have changed. Reading the system's list
// costs milliseconds, so a window looking for its board skips it while this
// stays the same. A substituted list may change at any time: it changes on
// every call then.
quint64 changeStamp();
// The system's part of it: changes whenever systemPorts() may have changed.
quint64 systemChangeStamp();

// Replaces the system's list, so tests and the demo can list a virtual board.
// An empty function restores the system's list.
void setSource(std::function<QList<PortCandidate>()> source);

} // namespace PortListing

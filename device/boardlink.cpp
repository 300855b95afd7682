#include "boardlink.h"

#include "board.h"
#include "boarddiscovery.h"

#include <QEventLoop>
#include <QSet>
#include <QTimer>

#include <cerrno>
#include <cstring>

namespace {

// Ports held by windows of this process. Qt refuses a second open through its
// lock file, but that reads as a permission problem; this lets us say which
// window holds it (and root would otherwise get past the exclusive lock).
QSet<QString> &heldPorts()
{
    static QSet<QString> ports;
    return ports;
}

QString locationOf(const QString &portName)
{
    return portName.startsWith(QLatin1Char('/')) ? portName
                                                 : QStringLiteral("/dev/") + portName;
}

} // namespace

BoardLink::BoardLink(QSerialPort *port, int stopCopies, QObject *parent)
    : QObject(parent), m_port(port), m_stopCopies(stopCopies)
{
    connect(m_port, &QSerialPort::errorOccurred, this, &BoardLink::handleError);
}

BoardLink::~BoardLink()
{
    // The window that owns this link is being destroyed and its own parts are
    // gone already: writing and waiting below must not call back into its
    // slots (readyRead) or report errors to it.
    m_port->blockSignals(true);
    // A window destroyed without its stop sequence still leaves the board idle.
    if (isOpen()) {
        if (!m_stopping && m_port->openMode().testFlag(QIODevice::WriteOnly)) {
            for (int i = 0; i < m_stopCopies; ++i)
                m_port->write("r\n");
            m_port->waitForBytesWritten(Board::waitMs);
        }
        closePort();
    }
}

BoardLink::Outcome BoardLink::connectBoard(QIODevice::OpenMode mode)
{
    const std::optional<PortCandidate> board = findBoard(PortListing::availablePorts());
    if (!board) {
        m_failureText = tr("Could not connect to your device.");
        return m_outcome = Outcome::NotFound;
    }

    m_location = locationOf(board->portName);
    if (heldPorts().contains(m_location)) {
        m_failureText = tr("Could not open the board's port %1: another window of this panel "
                           "is using it. Quit that window and try again.")
                            .arg(m_location);
        return m_outcome = Outcome::OpenFailed;
    }

    m_port->setPortName(board->portName);
    m_port->setReadBufferSize(Board::maxPendingBytes);
    if (!m_port->open(mode)) {
        m_failureText = openFailureText(m_location, m_port->error(), m_port->errorString());
        return m_outcome = Outcome::OpenFailed;
    }
    heldPorts().insert(m_location);
    m_holdsPort = true;

    m_port->setBaudRate(Board::baudRate, QSerialPort::AllDirections);
    m_port->setDataBits(QSerialPort::Data8);
    m_port->setParity(QSerialPort::NoParity);
    m_port->setFlowControl(QSerialPort::NoFlowControl);
    m_port->setStopBits(QSerialPort::OneStop);
    return m_outcome = Outcome::Opened;
}

QString BoardLink::openFailureText(const QString &location, QSerialPort::SerialPortError error,
                                   const QString &reason)
{
    if (reason == QString::fromLocal8Bit(std::strerror(EACCES))) {
        return tr("Could not open the board's port %1: %2.\n\n"
                  "Your user may not use serial ports yet. Install the panel's udev rule "
                  "(it comes with \"cmake --install\"), or add yourself to the group that owns "
                  "the port (\"dialout\" on Debian and Ubuntu, \"uucp\" on Arch): "
                  "sudo usermod -aG dialout $USER. Then unplug the board, log out and "
                  "log in again.")
            .arg(location, reason);
    }
    if (error == QSerialPort::PermissionError) {
        return tr("Could not open the board's port %1: another program is using it (%2). "
                  "Close that program and try again.")
            .arg(location, reason);
    }
    return tr("Could not open the board's port %1: %2.").arg(location, reason);
}

void BoardLink::send(const QByteArray &command)
{
    if (m_stopping || !isOpen())
        return;
    m_commandBuffer = command;
    m_commandBuffer.append('\n');
    m_port->write(m_commandBuffer);
}

void BoardLink::wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

void BoardLink::stop()
{
    if (m_stopping)
        return;
    m_stopping = true;
    if (isOpen()) {
        m_commandBuffer = "r\n";
        for (int i = 0; i < m_stopCopies; ++i)
            m_port->write(m_commandBuffer);
    }
    wait(Board::waitMs);
    if (isOpen()) {
        // close() drops what is still queued; the stop command must get out.
        if (m_port->bytesToWrite() > 0)
            m_port->waitForBytesWritten(Board::waitMs);
        closePort();
    }
}

bool BoardLink::isOpen() const
{
    return m_port->isOpen();
}

void BoardLink::handleError(QSerialPort::SerialPortError error)
{
    const bool fatal = error == QSerialPort::ResourceError || error == QSerialPort::ReadError
                       || error == QSerialPort::WriteError;
    if (!fatal || !isOpen())
        return;
    const QString reason = m_port->errorString();
    // Closing also stops the endless read errors of a pseudo-terminal whose
    // other side is gone.
    closePort();
    emit connectionLost(tr("The connection to the board on %1 was lost: %2.").arg(m_location, reason));
}

void BoardLink::closePort()
{
    m_port->close();
    if (m_holdsPort) {
        heldPorts().remove(m_location);
        m_holdsPort = false;
    }
}

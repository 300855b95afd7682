#include "boardlink.h"

#include "board.h"
#include "boarddiscovery.h"
#include "instrumentprotocol.h"
#include "monotonicclock.h"

#include <QEventLoop>
#include <QSet>
#include <QSocketNotifier>

#include <algorithm>
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

QString heldByPanelText(const QString &location)
{
    return BoardLink::tr("Could not open the board's port %1: another window of this panel "
                         "is using it. Quit that window and try again.")
        .arg(location);
}

} // namespace

BoardLink::BoardLink(QSerialPort *port, int stopCopies, QObject *parent)
    : QObject(parent), m_port(port), m_stopCopies(stopCopies)
{
    m_searchTimer.setInterval(searchIntervalMs);
    connect(&m_searchTimer, &QTimer::timeout, this, &BoardLink::searchAgain);
    m_hangUpCheck.setInterval(hangUpCheckMs);
    connect(&m_hangUpCheck, &QTimer::timeout, this, &BoardLink::checkHangUp);
    connect(m_port, &QSerialPort::errorOccurred, this, &BoardLink::handleError);
    connect(m_port, &QSerialPort::readyRead, this, &BoardLink::readAvailable);
    m_readCadence.setSingleShot(true);
    m_readCadence.setTimerType(Qt::PreciseTimer);
    connect(&m_readCadence, &QTimer::timeout, this, &BoardLink::resumeReads);
}

BoardLink::~BoardLink()
{
    m_searchTimer.stop();
    m_hangUpCheck.stop();
    // The window that owns this link is being destroyed and its own parts are
    // gone already: writing and waiting below must not call back into its
    // slots (readyRead) or report errors to it.
    m_port->blockSignals(true);
    blockSignals(true);
    // A window destroyed without its stop sequence still leaves the board idle.
    if (isOpen()) {
        if (!isStopping() && m_port->openMode().testFlag(QIODevice::WriteOnly)) {
            for (int i = 0; i < m_stopCopies; ++i)
                m_port->write("r\n");
            m_port->waitForBytesWritten(Board::waitMs);
        }
        closePort();
    }
}

void BoardLink::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged(state);
}

bool BoardLink::isHeldByPanel(const QString &location)
{
    return heldPorts().contains(locationOf(location));
}

BoardLink::Outcome BoardLink::connectBoard(QIODevice::OpenMode mode)
{
    m_mode = mode;
    const std::optional<PortCandidate> board = boardToTake(PortListing::availablePorts());
    if (board)
        logBoardFound();
    if (!board) {
        m_failureText = m_wantedBoard.isEmpty()
                            ? tr("Could not connect to your device.")
                            : tr("There is no board %1.").arg(m_wantedBoard);
        return m_outcome = Outcome::NotFound;
    }
    if (!openAt(*board)) {
        m_failureText = m_searchNote;
        return m_outcome = Outcome::OpenFailed;
    }
    m_outcome = Outcome::Opened;
    setState(State::Open);
    return m_outcome;
}

bool BoardLink::openAt(const PortCandidate &board)
{
    const QString &portName = board.portName;
    m_location = locationOf(portName);
    m_serialNumber = board.serialNumber;
    if (heldPorts().contains(m_location)) {
        m_searchNote = heldByPanelText(m_location);
        return false;
    }

    m_port->setPortName(portName);
    m_port->setReadBufferSize(Board::maxPendingBytes);
    if (!m_port->open(m_mode)) {
        m_searchNote = openFailureText(m_location, m_port->error(), m_port->errorString());
        return false;
    }
    heldPorts().insert(m_location);
    m_holdsPort = true;
    // QSerialPort reads the port whenever its read notifier fires and offers
    // no switch for it; the notifier is its child, and it switches it back on
    // itself whenever its buffer is read. Without one, every arrival is taken.
    m_readNotifier = nullptr;
    const auto notifiers = m_port->findChildren<QSocketNotifier *>();
    for (QSocketNotifier *notifier : notifiers) {
        if (notifier->type() == QSocketNotifier::Read)
            m_readNotifier = notifier;
    }
    m_lastTakeNs = m_takeBeforeLastNs = 0;
    m_lastTakeBytes = 0;
    m_replyExpected = false;
    m_searchNote.clear();
    m_listening = false;
    if (!m_mode.testFlag(QIODevice::ReadOnly))
        m_hangUpCheck.start();

    m_port->setBaudRate(Board::baudRate, QSerialPort::AllDirections);
    m_port->setDataBits(QSerialPort::Data8);
    m_port->setParity(QSerialPort::NoParity);
    m_port->setFlowControl(QSerialPort::NoFlowControl);
    m_port->setStopBits(QSerialPort::OneStop);
    return true;
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
    if (m_state != State::Open || !isOpen() || m_leaving)
        return;
    if (m_port->bytesToWrite() + command.size() + 1 > maxPendingOutput) {
        // The board takes nothing any more; more bytes would only pile up.
        loseConnection(QString());
        return;
    }
    m_commandBuffer = command;
    m_commandBuffer.append('\n');
    m_replyExpected = true;
    resumeReads();
    if (m_port->write(m_commandBuffer) != m_commandBuffer.size() && m_state == State::Open) {
        loseConnection(m_port->errorString());
        return;
    }
    emit sent(command);
}

void BoardLink::sendRequest(const QByteArray &command)
{
    if (isOpen() && m_port->bytesToWrite() > 0) {
        // The request before this one is still on its way: its reply is due.
        m_replyExpected = true;
        resumeReads();
        return;
    }
    send(command);
}

void BoardLink::startListening()
{
    m_listening = true;
}

void BoardLink::startInstrument(const InstrumentProtocol &instrument,
                                const std::function<void()> &wait)
{
    if (instrument.waitsBeforeStart && wait)
        wait();
    send(instrument.startCommands.first());
    // Listening between the counter's two commands: nothing read before "g"
    // matters, and nothing the others send is missed.
    startListening();
    for (int i = 1; i < instrument.startCommands.size(); ++i)
        send(instrument.startCommands.at(i));
}

void BoardLink::readAvailable()
{
    // What arrives during the stop's wait still counts; nothing is answered
    // then, as send() writes nothing.
    const bool running = m_state == State::Open || m_state == State::Stopping;
    if (!running || m_port->bytesAvailable() <= 0)
        return;
    if (!m_listening) {
        // Sent before this window's first command (a stream left running):
        // dropped, as a full port buffer would be read no more.
        m_port->readAll();
        return;
    }
    const qint64 readTime = monotonicNowNs();
    const QByteArray bytes = m_port->readAll();
    emit received(bytes, readTime);
    holdReadsAfter(bytes.size(), readTime);
}

// Gathers a stream: a take that comes within a cadence of the one before
// switches the port's notification off until the cadence has passed, so the
// bytes arriving meanwhile wait in the system's buffer and come in one read.
// Nothing is held after a command (its reply is taken as it arrives), nor
// after a take that found the system's buffer about full.
void BoardLink::holdReadsAfter(qint64 takenBytes, qint64 takeTimeNs)
{
    // Within a cadence of the end of the last hold, too.
    const bool streaming = takeTimeNs - m_lastTakeNs < qint64(2 * readCadenceMs) * 1000000;
    // The stream's pace over this take and the one before it.
    const qint64 paceBytes = takenBytes + m_lastTakeBytes;
    const qint64 paceNs = std::max<qint64>(takeTimeNs - m_takeBeforeLastNs, 1);
    m_takeBeforeLastNs = m_lastTakeNs;
    m_lastTakeNs = takeTimeNs;
    m_lastTakeBytes = takenBytes;
    const bool hold = streaming && !m_replyExpected && takenBytes < fullTakeBytes;
    m_replyExpected = false;
    if (!hold || !m_readNotifier || !isOpen() || m_readCadence.isActive())
        return;
    // No longer than the stream takes to fill the system's buffer: a take
    // cut short while a fast stream is refilling it is no reason to wait,
    // and holding a full buffer only backs the stream up.
    const qint64 holdMs = std::min<qint64>(readCadenceMs, (fullTakeBytes * paceNs / paceBytes + 500000) / 1000000);
    if (holdMs < 1)
        return;
    m_readNotifier->setEnabled(false);
    m_readCadence.start(int(holdMs));
}

void BoardLink::resumeReads()
{
    m_readCadence.stop();
    if (m_readNotifier && isOpen())
        m_readNotifier->setEnabled(true);
}

void BoardLink::wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

void BoardLink::stop()
{
    if (isStopping())
        return;
    if (m_state == State::Lost) {
        // Nothing to tell a board that is not there.
        m_searchTimer.stop();
        setState(State::Stopped);
        return;
    }
    setState(State::Stopping);
    stopAndClose();
    setState(State::Stopped);
}

void BoardLink::stopAndClose()
{
    if (isOpen()) {
        m_commandBuffer = "r\n";
        for (int i = 0; i < m_stopCopies; ++i) {
            if (m_port->write(m_commandBuffer) == m_commandBuffer.size())
                emit sent(QByteArrayLiteral("r"));
        }
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

void BoardLink::closePort()
{
    m_listening = false;
    m_hangUpCheck.stop();
    // The port deletes its notifier when it closes.
    m_readCadence.stop();
    m_readNotifier = nullptr;
    m_port->close();
    if (m_holdsPort) {
        heldPorts().remove(m_location);
        m_holdsPort = false;
    }
}

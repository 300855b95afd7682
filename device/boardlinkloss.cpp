// A board that goes away under a running link: noticing it, telling the
// user, and taking it again when it comes back.
#include "boardlink.h"

#include "boarddiscovery.h"

#include <poll.h>

QString BoardLink::lossText(const QString &location, const QString &reason)
{
    // Qt says "Unknown error" for a vanished device; that tells a user nothing.
    const bool meaningful = !reason.trimmed().isEmpty()
                            && reason != QLatin1String("Unknown error")
                            && reason != QLatin1String("No error");
    const QString why = meaningful
                            ? tr("The board was unplugged or reset, or it stopped answering (%1).")
                                  .arg(reason)
                            : tr("The board was unplugged or reset, or it stopped answering.");
    return tr("The connection to the board on %1 was lost. %2 Waiting for it to come back…")
        .arg(location, why);
}

void BoardLink::handleError(QSerialPort::SerialPortError error)
{
    const bool fatal = error == QSerialPort::ResourceError || error == QSerialPort::ReadError
                       || error == QSerialPort::WriteError;
    if (!fatal || !isOpen())
        return;
    if (m_state != State::Open) {
        // Stopping: the board went away under the stop command; just let go.
        // Closing also ends a pseudo-terminal's endless read errors.
        closePort();
        return;
    }
    loseConnection(m_port->errorString());
}

void BoardLink::loseConnection(const QString &reason)
{
    // Closing also stops the endless read errors of a pseudo-terminal whose
    // other side is gone.
    closePort();
    m_searchNote.clear();
    m_quietSearches = 0;
    setState(State::Lost);
    m_searchTimer.start();
    emit connectionLost(lossText(m_location, reason));
}

void BoardLink::searchAgain()
{
    if (m_state != State::Lost)
        return;
    // Nothing was plugged in or out for a while, and no board was there but
    // taken: the list is as it was, and reading it is not free.
    const quint64 stamp = PortListing::changeStamp();
    m_quietSearches = stamp == m_listStamp ? m_quietSearches + 1 : 0;
    m_listStamp = stamp;
    if (m_quietSearches > quietSearchesBeforeSkipping && m_searchNote.isEmpty())
        return;
    const std::optional<PortCandidate> board = boardToTake(PortListing::availablePorts());
    if (!board)
        return;
    if (!openAt(*board)) {
        emit searchNote(m_searchNote);
        return;
    }
    m_searchTimer.stop();
    logBoardFound();
    emit searchNote(QString());
    setState(State::Open);
    if (m_state == State::Open)
        emit reconnected();
}

// The device's end of a port that is only written to: an unplugged board or a
// pseudo-terminal whose other side closed reports a hang-up or an error here,
// found without writing anything.
void BoardLink::checkHangUp()
{
    if (m_state != State::Open || !isOpen())
        return;
    pollfd port{int(m_port->handle()), 0, 0};
    if (::poll(&port, 1, 0) > 0 && (port.revents & (POLLHUP | POLLERR | POLLNVAL)))
        loseConnection(QString());
}

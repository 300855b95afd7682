// Which board a link takes: the one named for the whole run, its own again
// after a loss, or the one the user chose to move to.
#include "boardlink.h"

#include "boarddiscovery.h"

namespace {

QString &preferredName()
{
    static QString name;
    return name;
}

} // namespace

void BoardLink::setPreferredBoard(const QString &name)
{
    preferredName() = name;
}

QString BoardLink::preferredBoard()
{
    return preferredName();
}

std::optional<PortCandidate> BoardLink::boardToTake(const QList<PortCandidate> &ports) const
{
    if (!m_wantedBoard.isEmpty())
        return firstBoard(ports, m_wantedBoard);
    // After a loss the window's own board, wherever it is listed now; where
    // it has no serial number, any free one.
    if (!m_serialNumber.isEmpty())
        return boardWithSerial(ports, m_serialNumber);
    return chooseBoard(ports, preferredName(), [](const PortCandidate &port) {
        return isHeldByPanel(port.portName);
    });
}

void BoardLink::switchTo(const PortCandidate &target)
{
    if (isStopping() || m_leaving)
        return;
    m_searchTimer.stop();
    if (m_state == State::Open) {
        // The state stays Open during the wait, so that a quit meanwhile is
        // an ordinary one; only the stop command goes out.
        m_leaving = true;
        stopAndClose();
        m_leaving = false;
        if (isStopping())
            return;
        // A failure during the wait ended the old connection already.
        m_searchTimer.stop();
    }
    m_searchNote.clear();
    m_quietSearches = 0;
    m_serialNumber = target.serialNumber;
    setState(State::Lost);
    emit leftBoard();
    if (!openAt(target)) {
        // Where the target has a serial number, it is the one waited for.
        m_searchTimer.start();
        emit connectionLost(m_searchNote);
        return;
    }
    logBoardFound();
    setState(State::Open);
    if (m_state == State::Open)
        emit reconnected();
}

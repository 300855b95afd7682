#pragma once

#include "portlisting.h"

#include <QByteArray>
#include <QIODevice>
#include <QObject>
#include <QPointer>
#include <QSerialPort>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>

class QSocketNotifier;
struct InstrumentProtocol;

// One instrument window's conversation with the board: finding it, opening
// and setting up the window's own port, writing commands, the short wait
// between commands, the stop sequence, and finding the board again after it
// went away. Every window uses this one implementation; the port itself
// stays the window's child (`serial`).
class BoardLink : public QObject
{
    Q_OBJECT

public:
    enum class Outcome { NotFound, OpenFailed, Opened };

    // The connection's life. A window starts Disconnected; a board found and
    // opened makes it Open; losing it makes it Lost (looking for the board
    // every 500 ms) until it is Open again; a quit runs Stopping and ends in
    // Stopped, for good.
    enum class State { Disconnected, Open, Lost, Stopping, Stopped };
    Q_ENUM(State)

    // `stopCopies` is how many "r\n" the stop sequence writes.
    BoardLink(QSerialPort *port, int stopCopies, QObject *parent = nullptr);
    ~BoardLink() override;

    // Only the board of this port name or USB serial number is taken, now
    // and after a loss (empty: the first board listed).
    void setWantedBoard(const QString &name) { m_wantedBoard = name; }
    // For every link of this process without a wanted board: the board of
    // this port name or USB serial number is looked for first, and when it
    // is not there, none is taken (empty: the first board listed).
    static void setPreferredBoard(const QString &name);
    static QString preferredBoard();
    // A window of this process has the port at this device path open.
    static bool isHeldByPanel(const QString &location);

    // Searches the ports for the board, opens the first match with `mode` and
    // applies the line settings. On failure, failureText() says why. The
    // same mode is used when the board comes back after a loss.
    Outcome connectBoard(QIODevice::OpenMode mode);
    Outcome outcome() const { return m_outcome; }
    QString failureText() const { return m_failureText; }

    State state() const { return m_state; }
    bool isStopping() const { return m_state == State::Stopping || m_state == State::Stopped; }

    // The port's device path, once the board has been found.
    QString location() const { return m_location; }
    // The USB serial number of that board, empty where it has none. After a
    // loss, the board with this number is the one looked for.
    QString serialNumber() const { return m_serialNumber; }

    // Leaves the board as a quit does (stop command, wait, close) and opens
    // `target` instead, as when a lost board comes back: stateChanged(Open)
    // runs the start sequence, then reconnected(). leftBoard() comes
    // between. When the target cannot be opened, connectionLost() says why
    // and the link looks for it. Does nothing once stopping.
    void switchTo(const PortCandidate &target);

    // Writes `command` and a line feed in one write. Writes nothing once the
    // stop sequence has begun or when the port is not open. A write the
    // port refuses, or output piling up past maxPendingOutput because the
    // board no longer reads, ends the connection as an unplug does.
    void send(const QByteArray &command);
    // The same, but skipped while an earlier write has not left yet: for
    // requests the board answers anyway, such as the voltmeter's "c".
    void sendRequest(const QByteArray &command);

    // From now until the connection ends, what the board sends goes out
    // through received(). Start sequences call this where the instrument
    // starts listening.
    void startListening();

    // Runs `instrument`'s start sequence on the open board; `wait` is the
    // caller's short wait (the event loop keeps running in it).
    void startInstrument(const InstrumentProtocol &instrument, const std::function<void()> &wait);

    // Waits `ms` milliseconds while the event loop keeps running. It sleeps
    // until an event arrives instead of polling.
    void wait(int ms);

    // Writes the stop command, waits, makes sure the bytes left, closes the
    // port. Nothing but the stop command is written from here on. While the
    // board is lost, it only stops looking and writes nothing.
    void stop();

    bool isOpen() const;

    // What the user is told when a port fails to open.
    static QString openFailureText(const QString &location, QSerialPort::SerialPortError error,
                                   const QString &reason);
    // What the user is told when an open connection ends; `reason` is the
    // system's, used only when it says something.
    static QString lossText(const QString &location, const QString &reason);

    static constexpr int searchIntervalMs = 500;
    // How often a port that is only written to is checked for a hang-up: it
    // gets no read notification that would tell.
    static constexpr int hangUpCheckMs = 250;
    static constexpr qint64 maxPendingOutput = 4096;

    // While a stream keeps coming, what arrives is taken at this cadence
    // instead of at every arrival (a tty hands over a few frames at a time,
    // and every arrival would wake the window). Well under one redraw.
    static constexpr int readCadenceMs = 3;
    // A take this large means the system's buffer for the port (4 KiB for a
    // tty) was about full: more is waiting, so the next is taken at once.
    static constexpr qint64 fullTakeBytes = 4000;

signals:
    void stateChanged(BoardLink::State state);
    // Bytes the board sent, read at `readTimeNs` (monotonicNowNs()).
    void received(const QByteArray &bytes, qint64 readTimeNs);
    // A command line was written to the board, `command` without its line feed.
    void sent(const QByteArray &command);
    // The port failed in a way that ends the connection (unplugged board);
    // the port has been closed already and the link looks for the board.
    void connectionLost(const QString &message);
    // While looking: the board is there but cannot be taken (empty: it can).
    void searchNote(const QString &note);
    // The board is back and open; the window's start sequence runs from
    // stateChanged(Open), before this.
    void reconnected();
    // switchTo() has closed the old board's port, before opening the new one.
    void leftBoard();

private:
    void setState(State state);
    void handleError(QSerialPort::SerialPortError error);
    void loseConnection(const QString &reason);
    void readAvailable();
    void holdReadsAfter(qint64 takenBytes, qint64 takeTimeNs);
    void resumeReads();
    void searchAgain();
    void checkHangUp();
    bool openAt(const PortCandidate &board);
    // The board to take now: the wanted one, this link's own, or a free one.
    std::optional<PortCandidate> boardToTake(const QList<PortCandidate> &ports) const;
    // Writes the stop command, waits, makes sure it left and closes the port.
    void stopAndClose();
    void closePort();

    QSerialPort *const m_port;
    const int m_stopCopies;
    QIODevice::OpenMode m_mode = QIODevice::ReadWrite;
    QByteArray m_commandBuffer;
    QString m_wantedBoard;
    QString m_location;
    QString m_serialNumber;
    // Set while switchTo() stops the old board: nothing else is written.
    bool m_leaving = false;
    QString m_failureText;
    QString m_searchNote;
    QTimer m_searchTimer;
    QTimer m_hangUpCheck;
    Outcome m_outcome = Outcome::NotFound;
    State m_state = State::Disconnected;
    // Searches since the port list last changed; after a few (udev may still
    // be busy with a new device) the list is read again only when it changes.
    static constexpr int quietSearchesBeforeSkipping = 6;
    int m_quietSearches = 0;
    quint64 m_listStamp = 0;
    bool m_listening = false;
    bool m_holdsPort = false;
    // The port's own read notification, switched off while arrivals are
    // being gathered; null when the port has none (closed, write-only).
    QPointer<QSocketNotifier> m_readNotifier;
    QTimer m_readCadence;
    qint64 m_lastTakeNs = 0;
    qint64 m_lastTakeBytes = 0;
    qint64 m_takeBeforeLastNs = 0;
    // A command was written: its reply is taken the moment it arrives.
    bool m_replyExpected = false;
};

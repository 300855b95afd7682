#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QObject>
#include <QSerialPort>
#include <QString>

// One instrument window's conversation with the board: finding it, opening
// and setting up the window's own port, writing commands, the short wait
// between commands, and the stop sequence. Every window uses this one
// implementation; the port itself stays the window's child (`serial`).
class BoardLink : public QObject
{
    Q_OBJECT

public:
    enum class Outcome { NotFound, OpenFailed, Opened };

    // `stopCopies` is how many "r\n" the stop sequence writes.
    BoardLink(QSerialPort *port, int stopCopies, QObject *parent = nullptr);
    ~BoardLink() override;

    // Searches the ports for the board, opens the first match with `mode` and
    // applies the line settings. On failure, failureText() says why.
    Outcome connectBoard(QIODevice::OpenMode mode);
    Outcome outcome() const { return m_outcome; }
    QString failureText() const { return m_failureText; }

    // The port's device path, once the board has been found.
    QString location() const { return m_location; }

    // Writes `command` and a line feed in one write. Writes nothing once the
    // stop sequence has begun or when the port is not open.
    void send(const QByteArray &command);

    // Waits `ms` milliseconds while the event loop keeps running. It sleeps
    // until an event arrives instead of polling.
    void wait(int ms);

    // Writes the stop command, waits, makes sure the bytes left, closes the
    // port. Nothing but the stop command is written from here on.
    void stop();
    bool isStopping() const { return m_stopping; }

    bool isOpen() const;

    // What the user is told when a port fails to open.
    static QString openFailureText(const QString &location, QSerialPort::SerialPortError error,
                                   const QString &reason);

signals:
    // The port failed in a way that ends the connection (unplugged board);
    // the port has been closed already.
    void connectionLost(const QString &message);

private:
    void handleError(QSerialPort::SerialPortError error);
    void closePort();

    QSerialPort *const m_port;
    const int m_stopCopies;
    QByteArray m_commandBuffer;
    QString m_location;
    QString m_failureText;
    Outcome m_outcome = Outcome::NotFound;
    bool m_stopping = false;
    bool m_holdsPort = false;
};

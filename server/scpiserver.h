#pragma once

#include "scpisession.h"

#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QTcpServer>

class QTcpSocket;
class RemoteBoard;

// One TCP client: lines from its socket into its own session, answers back.
// A line over maxLineBytes is refused with an error and the rest of it
// dropped; while the session waits for the board, or the client does not
// read its answers, nothing more is read from it (TCP holds the client
// back), so no client grows the server's memory or holds up another.
class ScpiClient : public QObject
{
    Q_OBJECT

public:
    static constexpr int maxLineBytes = 64 * 1024;
    static constexpr qint64 maxPendingAnswerBytes = 1024 * 1024;

    ScpiClient(QTcpSocket *socket, RemoteBoard &board, QObject *parent = nullptr);

private:
    void readLines();
    void takeLine(QByteArray line);

    QTcpSocket *const m_socket;
    ScpiSession m_session;
    QByteArray m_input;
    int m_inputStart = 0;
    bool m_dropping = false;
};

// The listening socket: every connection gets a client of its own, up to
// maxClients at once.
class ScpiServer : public QObject
{
    Q_OBJECT

public:
    static constexpr int maxClients = 64;

    explicit ScpiServer(RemoteBoard &board, QObject *parent = nullptr);

    // False, with errorString(), when the address cannot be listened on.
    bool listen(const QHostAddress &address, quint16 port);
    QString errorString() const { return m_server.errorString(); }
    quint16 port() const { return m_server.serverPort(); }
    // Every client gone, nothing more taken.
    void close();

private:
    void accept();

    RemoteBoard &m_board;
    QTcpServer m_server;
    int m_clients = 0;
};

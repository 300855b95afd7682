#include "scpiserver.h"

#include "remoteboard.h"

#include <QTcpSocket>

ScpiClient::ScpiClient(QTcpSocket *socket, RemoteBoard &board, QObject *parent)
    : QObject(parent), m_socket(socket), m_session(board)
{
    m_socket->setParent(this);
    // What Qt reads ahead of the lines taken; beyond it, TCP waits.
    m_socket->setReadBufferSize(maxLineBytes);
    connect(m_socket, &QTcpSocket::readyRead, this, &ScpiClient::readLines);
    connect(m_socket, &QTcpSocket::bytesWritten, this, &ScpiClient::readLines);
    connect(m_socket, &QTcpSocket::disconnected, this, &QObject::deleteLater);
    connect(&m_session, &ScpiSession::becameReady, this, &ScpiClient::readLines, Qt::QueuedConnection);
    connect(&m_session, &ScpiSession::answered, this, [this](const QByteArray &line) {
        if (m_socket->state() == QAbstractSocket::ConnectedState)
            m_socket->write(line);
    });
}

void ScpiClient::readLines()
{
    while (!m_session.isBusy() && m_socket->bytesToWrite() < maxPendingAnswerBytes
           && m_socket->state() == QAbstractSocket::ConnectedState) {
        const int end = m_input.indexOf('\n', m_inputStart);
        if (end >= 0) {
            QByteArray line = m_input.mid(m_inputStart, end - m_inputStart);
            m_inputStart = end + 1;
            if (m_dropping)
                m_dropping = false; // the end of the refused line
            else
                takeLine(std::move(line));
            continue;
        }
        m_input.remove(0, m_inputStart);
        m_inputStart = 0;
        if (m_input.size() > maxLineBytes) {
            if (!m_dropping)
                m_session.refuseLine();
            m_dropping = true;
            m_input.clear();
        }
        if (m_socket->bytesAvailable() <= 0)
            return;
        m_input += m_socket->read(maxLineBytes);
    }
}

void ScpiClient::takeLine(QByteArray line)
{
    if (line.endsWith('\r'))
        line.chop(1);
    if (line.size() > maxLineBytes) {
        m_session.refuseLine();
        return;
    }
    m_session.takeLine(line);
}

ScpiServer::ScpiServer(RemoteBoard &board, QObject *parent) : QObject(parent), m_board(board)
{
    connect(&m_server, &QTcpServer::newConnection, this, &ScpiServer::accept);
}

bool ScpiServer::listen(const QHostAddress &address, quint16 port)
{
    return m_server.listen(address, port);
}

void ScpiServer::close()
{
    m_server.close();
    const auto clients = findChildren<ScpiClient *>(QString(), Qt::FindDirectChildrenOnly);
    for (ScpiClient *client : clients)
        delete client;
}

void ScpiServer::accept()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        if (m_clients >= maxClients) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto *client = new ScpiClient(socket, m_board, this);
        ++m_clients;
        connect(client, &QObject::destroyed, this, [this] {
            if (--m_clients == 0)
                m_board.clientsGone();
        });
    }
}

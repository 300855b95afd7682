#pragma once

#include "remoteboard.h"
#include "scpiserver.h"

#include <QHostAddress>
#include <QObject>

// The panel serving SCPI clients, as boardpanel-serve does, while its
// windows run. The board is the windows' first: opening a window takes it
// back from the clients, whose commands then answer -240 until it is free.
class RemoteControl : public QObject
{
    Q_OBJECT

public:
    struct Setting
    {
        QHostAddress address{QHostAddress::LocalHost};
        quint16 port = 5025;
        bool on = false;
    };

    explicit RemoteControl(QObject *parent = nullptr);

    // Listens as `setting` says (off: not at all); empty, or why it cannot.
    // Said on stderr, with what another address than this computer exposes.
    QString apply(const Setting &setting);
    const Setting &setting() const { return m_setting; }
    quint16 listeningPort() const { return m_server.port(); }
    // Lets go of the board, for a window about to take it.
    void yieldBoard();

    // The setting the dialog kept, and keeping one.
    static Setting remembered();
    static void remember(const Setting &setting);

private:
    RemoteBoard m_board;
    ScpiServer m_server;
    Setting m_setting;
};

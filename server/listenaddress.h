#pragma once

#include <QHostAddress>
#include <QString>

// Where a front end takes SCPI clients: "[ADDR:]PORT" as --listen and the
// panel's dialog give it, this computer only unless another address is asked
// for.
namespace ListenAddress {

constexpr quint16 defaultPort = 5025;

// "5025", "0.0.0.0:5025", "[::1]:5025", "localhost:5025"; false when it is
// none of these.
bool read(const QString &text, QHostAddress *address, quint16 *port);

// What to tell the user about listening there: empty for this computer
// only, else that anyone who reaches it drives the board.
QString exposure(const QHostAddress &address, quint16 port);

} // namespace ListenAddress

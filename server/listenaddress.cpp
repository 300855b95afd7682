#include "listenaddress.h"

#include <QCoreApplication>

bool ListenAddress::read(const QString &text, QHostAddress *address, quint16 *port)
{
    const int colon = text.lastIndexOf(QLatin1Char(':'));
    QString host = colon < 0 ? QString() : text.left(colon);
    bool ok = false;
    const uint number = text.mid(colon + 1).toUInt(&ok);
    if (!ok || number > 65535)
        return false;
    *port = quint16(number);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    if (host.isEmpty() || host == QLatin1String("localhost")) {
        *address = QHostAddress::LocalHost;
        return true;
    }
    return address->setAddress(host);
}

QString ListenAddress::exposure(const QHostAddress &address, quint16 port)
{
    if (address.isLoopback())
        return QString();
    return QCoreApplication::translate("ListenAddress",
                                       "%1:%2 is open to other computers without authentication: "
                                       "anyone who reaches it drives the board. Prefer 127.0.0.1 "
                                       "and an ssh tunnel.")
        .arg(address.toString())
        .arg(port);
}

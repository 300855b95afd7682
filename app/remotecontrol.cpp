#include "remotecontrol.h"

#include "listenaddress.h"
#include "settingsfile.h"

#include <QTextStream>

namespace {

const QString group = QStringLiteral("RemoteControl");

void say(const QString &message)
{
    QTextStream(stderr) << "boardpanel: " << message << '\n';
}

} // namespace

RemoteControl::RemoteControl(QObject *parent) : QObject(parent), m_server(m_board) {}

QString RemoteControl::apply(const Setting &setting)
{
    m_server.close();
    m_setting = setting;
    if (!setting.on) {
        m_board.release(QStringLiteral("remote control was switched off"));
        return QString();
    }
    if (!m_server.listen(setting.address, setting.port)) {
        m_setting.on = false;
        const QString failure = tr("cannot listen on %1:%2: %3.")
                                    .arg(setting.address.toString()).arg(setting.port).arg(m_server.errorString());
        say(failure);
        return failure;
    }
    say(QStringLiteral("listening on %1:%2.").arg(setting.address.toString()).arg(m_server.port()));
    const QString exposure = ListenAddress::exposure(setting.address, m_server.port());
    if (!exposure.isEmpty())
        say(exposure);
    return QString();
}

void RemoteControl::yieldBoard()
{
    m_board.release(QStringLiteral("a window of the panel took the board"));
}

RemoteControl::Setting RemoteControl::remembered()
{
    const QVariantMap kept = SettingsFile::readGroup(group);
    Setting setting;
    QHostAddress address;
    if (address.setAddress(kept.value(QStringLiteral("address")).toString()))
        setting.address = address;
    const uint port = kept.value(QStringLiteral("port"), ListenAddress::defaultPort).toUInt();
    if (port >= 1 && port <= 65535)
        setting.port = quint16(port);
    setting.on = kept.value(QStringLiteral("on")).toBool();
    return setting;
}

void RemoteControl::remember(const Setting &setting)
{
    SettingsFile::writeGroup(group, {{QStringLiteral("address"), setting.address.toString()},
                                     {QStringLiteral("port"), setting.port},
                                     {QStringLiteral("on"), setting.on}});
}

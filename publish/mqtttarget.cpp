#include "mqtttarget.h"

#include <QCoreApplication>
#include <QFile>
#include <QUrl>
#include <QUrlQuery>

namespace {

constexpr int plainPort = 1883;
constexpr int tlsPort = 8883;

} // namespace

QString MqttTarget::topicFor(const QString &instrument) const
{
    return topicPrefix.isEmpty() ? instrument : topicPrefix + QLatin1Char('/') + instrument;
}

QString MqttTarget::displayText() const
{
    const QString hostText = host.contains(QLatin1Char(':')) ? '[' + host + ']' : host;
    return QStringLiteral("%1://%2:%3/%4")
        .arg(tls ? QStringLiteral("mqtts") : QStringLiteral("mqtt"), hostText)
        .arg(port)
        .arg(topicPrefix);
}

bool MqttTarget::fitsTopic(const QString &instrument, QString *error) const
{
    const int bytes = int(topicFor(instrument).toUtf8().size());
    if (bytes <= maxTopicBytes)
        return true;
    *error = QCoreApplication::translate("MqttTarget", "the topic prefix is too long: the %1's topic would be %2 bytes, "
                            "MQTT allows %3")
                 .arg(instrument)
                 .arg(bytes)
                 .arg(maxTopicBytes);
    return false;
}

std::optional<MqttTarget> MqttTarget::parse(const QString &text, QString *error)
{
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("mqtt") && scheme != QLatin1String("mqtts"))) {
        *error = QCoreApplication::translate("MqttTarget", "'%1' is not an mqtt:// or mqtts:// URL").arg(text);
        return std::nullopt;
    }
    MqttTarget target;
    target.tls = scheme == QLatin1String("mqtts");
    target.host = url.host();
    if (target.host.isEmpty()) {
        *error = QCoreApplication::translate("MqttTarget", "the URL '%1' names no broker").arg(text);
        return std::nullopt;
    }
    target.port = url.port(target.tls ? tlsPort : plainPort);
    target.user = url.userName(QUrl::FullyDecoded);
    target.password = url.password(QUrl::FullyDecoded);

    QString prefix = url.path(QUrl::FullyDecoded);
    while (prefix.startsWith(QLatin1Char('/')))
        prefix.remove(0, 1);
    while (prefix.endsWith(QLatin1Char('/')))
        prefix.chop(1);
    // Wildcards belong to subscriptions; a topic one publishes to has none.
    // A '#' written in the URL starts its fragment: that is one too.
    if (prefix.contains(QLatin1Char('+')) || prefix.contains(QLatin1Char('#')) || url.hasFragment()) {
        *error = QCoreApplication::translate("MqttTarget", "a topic prefix cannot hold # or + (they are wildcards)");
        return std::nullopt;
    }
    // The library takes topics as C strings: one would be cut at the NUL.
    if (prefix.contains(QChar(0))) {
        *error = QCoreApplication::translate("MqttTarget", "a topic prefix cannot hold %00");
        return std::nullopt;
    }
    target.topicPrefix = prefix;

    const QUrlQuery query(url);
    for (const auto &item : query.queryItems(QUrl::FullyDecoded)) {
        if (item.first == QLatin1String("qos")) {
            bool ok = false;
            target.qos = item.second.toInt(&ok);
            if (!ok || target.qos < 0 || target.qos > 2) {
                *error = QCoreApplication::translate("MqttTarget", "qos must be 0, 1 or 2, not '%1'").arg(item.second);
                return std::nullopt;
            }
        } else if (item.first == QLatin1String("cafile") && target.tls) {
            target.caFile = item.second;
        } else {
            *error = QCoreApplication::translate("MqttTarget", "the URL's '%1' is not understood (qos=N, and cafile=PATH "
                                    "with mqtts://)")
                         .arg(item.first);
            return std::nullopt;
        }
    }
    return target;
}

bool MqttTarget::readCredentials(const QString &path, MqttTarget &target, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QCoreApplication::translate("MqttTarget", "cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    // Two lines; their line ends, Unix or not, are not part of them.
    const auto line = [&file] {
        QByteArray bytes = file.readLine();
        while (bytes.endsWith('\n') || bytes.endsWith('\r'))
            bytes.chop(1);
        return QString::fromUtf8(bytes);
    };
    const QString user = line();
    if (user.isEmpty()) {
        *error = QCoreApplication::translate("MqttTarget", "%1 names no user on its first line").arg(path);
        return false;
    }
    target.user = user;
    target.password = line();
    return true;
}

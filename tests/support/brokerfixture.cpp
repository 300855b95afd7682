#include "brokerfixture.h"

#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <mosquitto.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace TestSupport {

namespace {

// A port nothing listens on now: the system's pick for a socket bound to 0.
int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0
        && ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

bool acceptsConnections(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(quint16(port));
    const bool accepted = ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return accepted;
}

} // namespace

bool BrokerFixture::isInstalled()
{
    return QFileInfo(QLatin1String(program)).isExecutable();
}

BrokerFixture::BrokerFixture() : m_port(freePort())
{
    QFile config(m_dir.filePath(QStringLiteral("broker.conf")));
    if (config.open(QIODevice::WriteOnly))
        config.write(QStringLiteral("listener %1 127.0.0.1\nallow_anonymous true\n").arg(m_port).toUtf8());
    // Its log would bury the test's own report.
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setStandardErrorFile(QProcess::nullDevice());
}

BrokerFixture::~BrokerFixture()
{
    // The subscriber leaves before its broker goes.
    m_subscriber.reset();
    kill();
}

bool BrokerFixture::start()
{
    m_process.start(QLatin1String(program), {QStringLiteral("-c"), m_dir.filePath(QStringLiteral("broker.conf"))});
    return m_process.waitForStarted() && QTest::qWaitFor([this] { return acceptsConnections(m_port); }, 5000);
}

bool BrokerFixture::startSubscribed(const QByteArray &topicFilter)
{
    if (!start())
        return false;
    m_subscriber = std::make_unique<Subscriber>(m_port, topicFilter);
    return QTest::qWaitFor([this] { return m_subscriber->isSubscribed(); }, 5000);
}

void BrokerFixture::kill()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished();
}

QString BrokerFixture::url(const QString &topicPrefix) const
{
    return QStringLiteral("mqtt://127.0.0.1:%1/%2").arg(m_port).arg(topicPrefix);
}

Subscriber::Subscriber(int port, const QByteArray &topicFilter) : m_filter(topicFilter)
{
    mosquitto_lib_init();
    m_client = mosquitto_new(nullptr, true, this);
    mosquitto_connect_callback_set(m_client, &Subscriber::onConnect);
    mosquitto_subscribe_callback_set(m_client, &Subscriber::onSubscribe);
    mosquitto_message_callback_set(m_client, &Subscriber::onMessage);
    mosquitto_reconnect_delay_set(m_client, 1, 1, false);
    mosquitto_loop_start(m_client);
    mosquitto_connect_async(m_client, "127.0.0.1", port, 60);
}

Subscriber::~Subscriber()
{
    mosquitto_disconnect(m_client);
    mosquitto_loop_stop(m_client, false);
    mosquitto_destroy(m_client);
}

bool Subscriber::isSubscribed() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_subscribed;
}

QList<Subscriber::Message> Subscriber::messages() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_messages;
}

void Subscriber::onConnect(mosquitto *client, void *self, int result)
{
    auto *subscriber = static_cast<Subscriber *>(self);
    if (result == 0)
        mosquitto_subscribe(client, nullptr, subscriber->m_filter.constData(), 1);
}

void Subscriber::onSubscribe(mosquitto *, void *self, int, int, const int *)
{
    auto *subscriber = static_cast<Subscriber *>(self);
    std::lock_guard<std::mutex> lock(subscriber->m_mutex);
    subscriber->m_subscribed = true;
}

void Subscriber::onMessage(mosquitto *, void *self, const mosquitto_message *message)
{
    auto *subscriber = static_cast<Subscriber *>(self);
    std::lock_guard<std::mutex> lock(subscriber->m_mutex);
    subscriber->m_messages.append({QByteArray(message->topic),
                                   QByteArray(static_cast<const char *>(message->payload),
                                              message->payloadlen)});
}

} // namespace TestSupport

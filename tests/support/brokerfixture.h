#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <mutex>

struct mosquitto;
struct mosquitto_message;

namespace TestSupport {

// A real MQTT broker on a free port of 127.0.0.1, for as long as it lives.
class BrokerFixture
{
public:
    static constexpr const char *program = "/usr/sbin/mosquitto";
    static bool isInstalled();

    BrokerFixture();
    ~BrokerFixture();
    BrokerFixture(const BrokerFixture &) = delete;
    BrokerFixture &operator=(const BrokerFixture &) = delete;

    // Starts it, and waits until it takes connections.
    bool start();
    // Kills it, as a crash would.
    void kill();
    int port() const { return m_port; }
    QString url(const QString &topicPrefix) const;

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    int m_port = 0;
};

// Collects every message under a topic filter, subscribing again whenever
// it connects (a restarted broker forgets its subscribers).
class Subscriber
{
public:
    struct Message
    {
        QByteArray topic;
        QByteArray payload;
    };

    Subscriber(int port, const QByteArray &topicFilter);
    ~Subscriber();
    Subscriber(const Subscriber &) = delete;
    Subscriber &operator=(const Subscriber &) = delete;

    bool isSubscribed() const;
    QList<Message> messages() const;

private:
    static void onConnect(mosquitto *client, void *self, int result);
    static void onSubscribe(mosquitto *, void *self, int, int, const int *);
    static void onMessage(mosquitto *, void *self, const mosquitto_message *message);

    const QByteArray m_filter;
    mosquitto *m_client = nullptr;
    mutable std::mutex m_mutex;
    QList<Message> m_messages;
    bool m_subscribed = false;
};

} // namespace TestSupport

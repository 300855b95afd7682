#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <mutex>

struct mosquitto;
struct mosquitto_message;

// Skips the calling test where no broker is installed.
#define SKIP_WITHOUT_BROKER()                                                                      \
    do {                                                                                           \
        if (!TestSupport::BrokerFixture::isInstalled())                                            \
            QSKIP("no MQTT broker installed");                                                     \
    } while (false)

namespace TestSupport {

class Subscriber;

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
    // Starts it with a subscriber to `topicFilter`, and waits until that is
    // subscribed.
    bool startSubscribed(const QByteArray &topicFilter);
    const Subscriber &subscriber() const { return *m_subscriber; }
    // Kills it, as a crash would.
    void kill();
    int port() const { return m_port; }
    QString url(const QString &topicPrefix) const;

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    int m_port = 0;
    std::unique_ptr<Subscriber> m_subscriber;
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

#pragma once

#include "mqtttarget.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <deque>
#include <map>
#include <mutex>
#include <set>

struct mosquitto;

// Publishes messages to one broker without ever holding up its caller:
// publish() queues the message and returns; libmosquitto's own thread
// connects, reconnects (after 1 s, then 2, 4, 8 and 10 s apart) and sends; a
// failed TLS handshake, after which the library gives up, is tried again here
// at the same pace. While
// the broker is away, messages wait in a queue of at most queueLimitBytes,
// counting the ones handed to the library and not yet sent; past that, new
// messages are dropped and counted. QoS 0 messages on their way when a
// connection breaks are lost and counted too. Use it from one thread.
class MqttPublisher : public QObject
{
    Q_OBJECT

public:
    static constexpr size_t queueLimitBytes = 8 * 1024 * 1024;

    explicit MqttPublisher(const MqttTarget &target, QObject *parent = nullptr);
    // Lets go at once, as finish(0) does.
    ~MqttPublisher() override;

    // Sets the library up and starts connecting. False, with errorString(),
    // when that cannot even begin (a TLS file that cannot be used); a broker
    // that is away is no failure, it is retried.
    bool start();
    QString errorString() const { return m_errorString; }

    void publish(const QString &topic, const QByteArray &payload);

    // Waits up to `waitMs` for what is queued to be sent, then disconnects.
    void finish(int waitMs);

    bool isConnected() const { return m_connected.load(); }
    // Why the last attempt to connect failed, or the connection broke
    // ("connection refused", "the TLS handshake failed: …"); "" if it is
    // not known.
    QString failureReason() const;
    quint64 droppedMessages() const;
    quint64 sentMessages() const;
    // Messages waiting, or handed to the library and not yet sent.
    size_t pendingMessages() const;
    const MqttTarget &target() const { return m_target; }

signals:
    // The connection came, or went, or a first attempt failed (from the
    // event loop, not the network thread); said once for each change.
    void connectionChanged(bool connected);

private:
    struct Message
    {
        QByteArray topic;
        QByteArray payload;
        size_t size() const { return size_t(topic.size() + payload.size()); }
    };

    // Hands queued messages to the library while connected, within the
    // window of messages on their way.
    void pump();
    void checkConnection();
    // Starts the library's thread over, which gave up after a failed handshake.
    void retry();
    // On the network thread: an attempt failed, or the connection broke.
    void noteFailure(const QString &reason);

    // Called on libmosquitto's network thread.
    static void onConnect(mosquitto *, void *self, int result);
    static void onDisconnect(mosquitto *, void *self, int result);
    static void onPublish(mosquitto *, void *self, int messageId);
    static void onLog(mosquitto *, void *self, int level, const char *text);

    // Handed to the library and not yet confirmed sent, at most.
    static constexpr size_t maxInFlight = 1000;
    static constexpr int pumpIntervalMs = 50;
    static constexpr int keepAliveSeconds = 15;
    static constexpr int maxReconnectDelaySeconds = 10;

    const MqttTarget m_target;
    mosquitto *m_client = nullptr;
    bool m_looping = false;
    QString m_errorString;
    QTimer m_pumpTimer;
    QTimer m_retryTimer;
    int m_retryDelaySeconds = 1;
    enum class Said { Nothing, Connected, Unreachable };
    Said m_said = Said::Nothing;
    std::atomic<bool> m_connected{false};
    std::atomic<quint64> m_failures{0};
    // Set on the network thread when the library stopped trying.
    std::atomic<bool> m_gaveUp{false};

    mutable std::mutex m_mutex;
    // Under m_mutex.
    std::deque<Message> m_queue;
    size_t m_queuedBytes = 0;
    // Message id → its size, while the library holds it.
    std::map<int, size_t> m_inFlight;
    size_t m_inFlightBytes = 0;
    // Confirmed before publish() had noted them (the network thread is quick).
    std::set<int> m_confirmedEarly;
    // Counts broken connections, so a message handed over across one is
    // not noted as on its way on the connection that is gone.
    quint64 m_connection = 0;
    quint64 m_dropped = 0;
    quint64 m_sent = 0;
    QString m_failureReason;
};

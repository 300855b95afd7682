#include "mqttpublisher.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <mosquitto.h>
#include <unistd.h>

namespace {

// The library keeps global state (its TLS set-up) that it sets up once.
void initialiseLibrary()
{
    static const int initialised = mosquitto_lib_init();
    Q_UNUSED(initialised)
}

QString reasonOf(int result)
{
    return QString::fromUtf8(mosquitto_strerror(result));
}

} // namespace

MqttPublisher::MqttPublisher(const MqttTarget &target, QObject *parent)
    : QObject(parent), m_target(target)
{
    m_pumpTimer.setInterval(pumpIntervalMs);
    connect(&m_pumpTimer, &QTimer::timeout, this, [this] {
        checkConnection();
        pump();
    });
}

MqttPublisher::~MqttPublisher()
{
    finish(0);
}

bool MqttPublisher::start()
{
    initialiseLibrary();
    // The broker's log tells the panels apart by host and process.
    char hostName[256] = {};
    ::gethostname(hostName, sizeof hostName - 1);
    const QByteArray clientId = QStringLiteral("boardpanel-%1-%2")
                                    .arg(QString::fromLocal8Bit(hostName))
                                    .arg(QCoreApplication::applicationPid())
                                    .toUtf8();
    m_client = mosquitto_new(clientId.constData(), true, this);
    if (!m_client) {
        m_errorString = QStringLiteral("the MQTT client could not be made");
        return false;
    }
    mosquitto_connect_callback_set(m_client, &MqttPublisher::onConnect);
    mosquitto_disconnect_callback_set(m_client, &MqttPublisher::onDisconnect);
    mosquitto_publish_callback_set(m_client, &MqttPublisher::onPublish);
    mosquitto_reconnect_delay_set(m_client, 1, maxReconnectDelaySeconds, true);
    if (!m_target.user.isEmpty()) {
        const QByteArray user = m_target.user.toUtf8();
        const QByteArray password = m_target.password.toUtf8();
        mosquitto_username_pw_set(m_client, user.constData(),
                                  m_target.password.isEmpty() ? nullptr : password.constData());
    }
    if (m_target.tls) {
        int result = MOSQ_ERR_SUCCESS;
        if (m_target.caFile.isEmpty()) {
            result = mosquitto_int_option(m_client, MOSQ_OPT_TLS_USE_OS_CERTS, 1);
        } else {
            const QByteArray caFile = QFile::encodeName(m_target.caFile);
            result = mosquitto_tls_set(m_client, caFile.constData(), nullptr, nullptr, nullptr,
                                       nullptr);
        }
        if (result != MOSQ_ERR_SUCCESS) {
            m_errorString = QStringLiteral("TLS could not be set up: %1").arg(reasonOf(result));
            return false;
        }
    }
    const int looping = mosquitto_loop_start(m_client);
    if (looping != MOSQ_ERR_SUCCESS) {
        m_errorString = QStringLiteral("the MQTT network thread could not start: %1")
                            .arg(reasonOf(looping));
        return false;
    }
    m_looping = true;
    // A broker that is not there yet is tried again from the network thread.
    const QByteArray host = m_target.host.toUtf8();
    mosquitto_connect_async(m_client, host.constData(), m_target.port, keepAliveSeconds);
    m_pumpTimer.start();
    return true;
}

void MqttPublisher::publish(const QString &topic, const QByteArray &payload)
{
    {
        Message message{topic.toUtf8(), payload};
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_queuedBytes + m_inFlightBytes + message.size() > queueLimitBytes) {
            ++m_dropped;
            return;
        }
        m_queuedBytes += message.size();
        m_queue.push_back(std::move(message));
    }
    pump();
}

void MqttPublisher::pump()
{
    if (!m_client)
        return;
    for (;;) {
        Message message;
        quint64 connection = 0;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (!m_connected.load() || m_queue.empty() || m_inFlight.size() >= maxInFlight)
                return;
            message = std::move(m_queue.front());
            m_queue.pop_front();
            m_queuedBytes -= message.size();
            connection = m_connection;
        }
        int id = 0;
        // Not under the lock: the library's thread may be in a callback
        // that takes it.
        const int result = mosquitto_publish(m_client, &id, message.topic.constData(),
                                             int(message.payload.size()),
                                             message.payload.constData(), m_target.qos, false);
        std::lock_guard<std::mutex> lock(m_mutex);
        if (result == MOSQ_ERR_NO_CONN) {
            // Gone since the check: it waits for the next connection.
            m_queuedBytes += message.size();
            m_queue.push_front(std::move(message));
            return;
        }
        if (result != MOSQ_ERR_SUCCESS) {
            ++m_dropped;
            continue;
        }
        if (m_confirmedEarly.erase(id) > 0) {
            ++m_sent;
        } else if (connection != m_connection && m_target.qos == 0) {
            // Handed over as the connection broke: it went with it.
            ++m_dropped;
        } else {
            m_inFlight.emplace(id, message.size());
            m_inFlightBytes += message.size();
        }
    }
}

void MqttPublisher::checkConnection()
{
    const bool connected = m_connected.load();
    if (connected == m_reportedConnected)
        return;
    m_reportedConnected = connected;
    emit connectionChanged(connected);
}

void MqttPublisher::finish(int waitMs)
{
    if (!m_client)
        return;
    m_pumpTimer.stop();
    QElapsedTimer clock;
    clock.start();
    while (m_connected.load() && pendingMessages() > 0 && clock.elapsed() < waitMs) {
        pump();
        QThread::msleep(10);
    }
    mosquitto_disconnect(m_client);
    if (m_looping)
        mosquitto_loop_stop(m_client, false);
    mosquitto_destroy(m_client);
    m_client = nullptr;
    m_looping = false;
    std::lock_guard<std::mutex> lock(m_mutex);
    // What was not sent by now never will be.
    m_dropped += m_queue.size() + m_inFlight.size();
    m_queue.clear();
    m_inFlight.clear();
    m_queuedBytes = m_inFlightBytes = 0;
}

quint64 MqttPublisher::droppedMessages() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_dropped;
}

quint64 MqttPublisher::sentMessages() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_sent;
}

size_t MqttPublisher::pendingMessages() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_queue.size() + m_inFlight.size();
}

void MqttPublisher::onConnect(mosquitto *, void *self, int result)
{
    if (result == 0)
        static_cast<MqttPublisher *>(self)->m_connected.store(true);
}

void MqttPublisher::onDisconnect(mosquitto *, void *self, int)
{
    auto *publisher = static_cast<MqttPublisher *>(self);
    std::lock_guard<std::mutex> lock(publisher->m_mutex);
    publisher->m_connected.store(false);
    ++publisher->m_connection;
    publisher->m_confirmedEarly.clear();
    // QoS 1 and 2 messages stay with the library, which sends them again
    // on the next connection; QoS 0 ones are gone.
    if (publisher->m_target.qos == 0) {
        publisher->m_dropped += publisher->m_inFlight.size();
        publisher->m_inFlight.clear();
        publisher->m_inFlightBytes = 0;
    }
}

void MqttPublisher::onPublish(mosquitto *, void *self, int messageId)
{
    auto *publisher = static_cast<MqttPublisher *>(self);
    std::lock_guard<std::mutex> lock(publisher->m_mutex);
    const auto message = publisher->m_inFlight.find(messageId);
    if (message == publisher->m_inFlight.end()) {
        publisher->m_confirmedEarly.insert(messageId);
        return;
    }
    publisher->m_inFlightBytes -= message->second;
    publisher->m_inFlight.erase(message);
    ++publisher->m_sent;
}

#include "mqttpublisher.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <mosquitto.h>
#include <openssl/x509.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// The library keeps global state (its TLS set-up) that it sets up once.
void initialiseLibrary()
{
    static const int initialised = mosquitto_lib_init();
    Q_UNUSED(initialised)
}

// The library's texts are sentences ("Connection refused.", "Invalid
// function arguments provided."); ours go inside a sentence of their own.
QString asPart(QString text)
{
    while (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    if (text.size() > 1 && text[1].isLower())
        text[0] = text[0].toLower();
    return text;
}

QString reasonOf(int result)
{
    // errno is the one the library saw: read it before anything else runs.
    if (result == MOSQ_ERR_ERRNO)
        return asPart(QString::fromLocal8Bit(std::strerror(errno)));
    return asPart(QString::fromUtf8(mosquitto_strerror(result)));
}

// The system's certificate authorities, where OpenSSL looks for them
// ($SSL_CERT_DIR first). Given as a folder rather than through the library's
// "use the system's" option, after which it cannot connect a second time.
QByteArray systemCertificateFolder()
{
    const QByteArray fromEnvironment = qgetenv(X509_get_default_cert_dir_env());
    return fromEnvironment.isEmpty() ? QByteArray(X509_get_default_cert_dir()) : fromEnvironment;
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
    m_retryTimer.setSingleShot(true);
    connect(&m_retryTimer, &QTimer::timeout, this, &MqttPublisher::retry);
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
        m_errorString = QCoreApplication::translate("MqttPublisher", "the MQTT client could not be made");
        return false;
    }
    mosquitto_connect_callback_set(m_client, &MqttPublisher::onConnect);
    mosquitto_disconnect_callback_set(m_client, &MqttPublisher::onDisconnect);
    mosquitto_publish_callback_set(m_client, &MqttPublisher::onPublish);
    mosquitto_log_callback_set(m_client, &MqttPublisher::onLog);
    mosquitto_reconnect_delay_set(m_client, 1, maxReconnectDelaySeconds, true);
    if (!m_target.user.isEmpty()) {
        const QByteArray user = m_target.user.toUtf8();
        const QByteArray password = m_target.password.toUtf8();
        mosquitto_username_pw_set(m_client, user.constData(),
                                  m_target.password.isEmpty() ? nullptr : password.constData());
    }
    if (m_target.tls) {
        const QByteArray caFile = QFile::encodeName(m_target.caFile);
        const QByteArray caFolder = systemCertificateFolder();
        const int result = m_target.caFile.isEmpty()
                               ? mosquitto_tls_set(m_client, nullptr, caFolder.constData(),
                                                   nullptr, nullptr, nullptr)
                               : mosquitto_tls_set(m_client, caFile.constData(), nullptr, nullptr,
                                                   nullptr, nullptr);
        if (result != MOSQ_ERR_SUCCESS) {
            // The library only says its arguments were wrong: it could not
            // open the file, and errno says why.
            const int openError = errno;
            m_errorString = !m_target.caFile.isEmpty() && result == MOSQ_ERR_INVAL
                                ? QCoreApplication::translate("MqttPublisher", "cannot read %1: %2")
                                      .arg(m_target.caFile,
                                           asPart(QString::fromLocal8Bit(std::strerror(openError))))
                                : QCoreApplication::translate("MqttPublisher", "TLS could not be set up: %1").arg(reasonOf(result));
            return false;
        }
    }
    const int looping = mosquitto_loop_start(m_client);
    if (looping != MOSQ_ERR_SUCCESS) {
        m_errorString = QCoreApplication::translate("MqttPublisher", "the MQTT network thread could not start: %1")
                            .arg(reasonOf(looping));
        return false;
    }
    m_looping = true;
    // A broker that is not there yet is tried again from the network thread.
    const QByteArray host = m_target.host.toUtf8();
    const int connecting =
        mosquitto_connect_async(m_client, host.constData(), m_target.port, keepAliveSeconds);
    if (connecting != MOSQ_ERR_SUCCESS)
        noteFailure(reasonOf(connecting));
    m_pumpTimer.start();
    return true;
}

void MqttPublisher::retry()
{
    if (!m_client || m_connected.load())
        return;
    // The thread has ended, or is ended now.
    mosquitto_loop_stop(m_client, true);
    m_looping = mosquitto_loop_start(m_client) == MOSQ_ERR_SUCCESS;
    if (m_looping)
        mosquitto_reconnect_async(m_client);
}

void MqttPublisher::noteFailure(const QString &reason)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_failureReason = reason;
    }
    ++m_failures;
}

QString MqttPublisher::failureReason() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_failureReason;
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
    if (m_connected.load()) {
        m_retryDelaySeconds = 1;
        if (m_said != Said::Connected) {
            m_said = Said::Connected;
            emit connectionChanged(true);
        }
        return;
    }
    if (m_gaveUp.exchange(false)) {
        m_retryTimer.start(m_retryDelaySeconds * 1000);
        m_retryDelaySeconds = std::min(2 * m_retryDelaySeconds, maxReconnectDelaySeconds);
    }
    // A first attempt that failed is said as a lost connection is.
    if (m_said == Said::Connected || (m_said == Said::Nothing && m_failures.load() > 0)) {
        m_said = Said::Unreachable;
        emit connectionChanged(false);
    }
}

void MqttPublisher::finish(int waitMs)
{
    if (!m_client)
        return;
    m_pumpTimer.stop();
    m_retryTimer.stop();
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
    auto *publisher = static_cast<MqttPublisher *>(self);
    if (result == 0)
        publisher->m_connected.store(true);
    else
        publisher->noteFailure(asPart(QString::fromUtf8(mosquitto_connack_string(result))));
}

void MqttPublisher::onDisconnect(mosquitto *, void *self, int result)
{
    auto *publisher = static_cast<MqttPublisher *>(self);
    // 0: asked for (finish()).
    if (result != MOSQ_ERR_SUCCESS)
        publisher->noteFailure(reasonOf(result));
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

void MqttPublisher::onLog(mosquitto *, void *self, int level, const char *text)
{
    auto *publisher = static_cast<MqttPublisher *>(self);
    if (level != MOSQ_LOG_ERR || publisher->m_connected.load())
        return;
    // A failed handshake is only logged ("OpenSSL Error[0]: error:…"), and
    // the library's thread ends after it.
    QString reason = QString::fromUtf8(text);
    const int colon = reason.indexOf(QLatin1String(": "));
    if (reason.startsWith(QLatin1String("OpenSSL Error")) && colon > 0)
        reason = QCoreApplication::translate("MqttPublisher", "the TLS handshake failed: ") + reason.mid(colon + 2);
    publisher->noteFailure(asPart(reason));
    publisher->m_gaveUp.store(true);
}

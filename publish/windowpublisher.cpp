#include "windowpublisher.h"

#include "monotonicclock.h"
#include "settingsfile.h"

namespace {

const char settingsGroup[] = "publish";
const char urlKey[] = "brokerUrl";

} // namespace

WindowPublisher::WindowPublisher(const InstrumentProtocol &instrument, QObject *parent)
    : QObject(parent), m_instrument(instrument.name), m_stream(instrument.header)
{
    m_statusTimer.setInterval(1000);
    connect(&m_statusTimer, &QTimer::timeout, this, &WindowPublisher::checkStatus);
}

WindowPublisher::~WindowPublisher() = default;

bool WindowPublisher::start(const MqttTarget &target, QString *error)
{
    stop();
    auto publisher = std::make_unique<MqttPublisher>(target);
    if (!publisher->start()) {
        if (error)
            *error = publisher->errorString();
        return false;
    }
    m_publisher = std::move(publisher);
    connect(m_publisher.get(), &MqttPublisher::connectionChanged, this, &WindowPublisher::checkStatus);
    m_stream.start(m_publisher.get(), target.topicFor(m_instrument), monotonicNowNs());
    m_readings = 0;
    m_samples = 0;
    m_checks = 0;
    m_statusTimer.start();
    return true;
}

void WindowPublisher::stop()
{
    if (!m_publisher)
        return;
    m_stream.stop();
    m_statusTimer.stop();
    // A short wait: closing a window must not hang on an absent broker.
    m_publisher->finish(200);
    m_publisher.reset();
    if (!m_status.isEmpty()) {
        m_status.clear();
        emit statusChanged(m_status);
    }
}

void WindowPublisher::takeReading(const Reading &reading)
{
    if (m_publisher)
        m_stream.publishReading(++m_readings, reading);
}

void WindowPublisher::takeSample(const Sample &sample, const double *computed,
                                 const QStringList &computedNames)
{
    if (m_publisher)
        m_stream.publishSample(++m_samples, sample, computed, computedNames);
}

void WindowPublisher::checkStatus()
{
    if (!m_publisher)
        return;
    if (sender() == &m_statusTimer)
        ++m_checks;
    const quint64 dropped = m_publisher->droppedMessages();
    QStringList parts;
    // The first connection is given a second before the broker counts as away.
    if (!m_publisher->isConnected() && m_checks > 0)
        parts.append(tr("broker unreachable"));
    if (dropped > 0)
        parts.append(dropped == 1 ? tr("1 message dropped") : tr("%1 messages dropped").arg(dropped));
    const QString status = parts.join(QStringLiteral(", "));
    if (status == m_status)
        return;
    m_status = status;
    emit statusChanged(m_status);
}

QString WindowPublisher::lastUrl()
{
    return SettingsFile::readGroup(QLatin1String(settingsGroup)).value(QLatin1String(urlKey)).toString();
}

void WindowPublisher::rememberUrl(const QString &url)
{
    QVariantMap values = SettingsFile::readGroup(QLatin1String(settingsGroup));
    values.insert(QLatin1String(urlKey), url);
    SettingsFile::writeGroup(QLatin1String(settingsGroup), values);
}

#include "messagestream.h"

#include "monotonicclock.h"
#include "mqttpublisher.h"

#include <QDateTime>

MessageStream::MessageStream(const QStringList &header, QObject *parent)
    : QObject(parent), m_header(header), m_block(header.mid(2))
{
    m_blockTimer.setInterval(1000 / blocksPerSecond);
    connect(&m_blockTimer, &QTimer::timeout, this, &MessageStream::publishBlock);
}

void MessageStream::start(MqttPublisher *publisher, const QString &topic, qint64 originNs)
{
    stop();
    m_publisher = publisher;
    m_topic = topic;
    m_originNs = originNs;
    m_wallOriginMs = QDateTime::currentMSecsSinceEpoch() - (monotonicNowNs() - originNs) / 1000000;
    m_block.take();
    m_blockTimer.start();
}

void MessageStream::stop()
{
    publishBlock();
    m_blockTimer.stop();
    m_publisher = nullptr;
}

qint64 MessageStream::wallMs(qint64 timeNs) const
{
    // From the monotonic clock, so a clock set meanwhile never reorders messages.
    return m_wallOriginMs + (timeNs - m_originNs) / 1000000;
}

void MessageStream::publishReading(qint64 number, qint64 timeNs, const QStringList &values)
{
    if (m_publisher) {
        m_publisher->publish(m_topic, Payload::reading(m_header, number, wallMs(timeNs),
                                                       timeNs - m_originNs, values));
    }
}

void MessageStream::publishSample(qint64 number, const Sample &sample, const double *computed,
                                  int count)
{
    if (!m_publisher)
        return;
    if (!m_block.isEmpty() && (sample.gapBefore || m_block.nextNumber() != number))
        publishBlock();
    m_block.add(number, wallMs(sample.timeNs), sample.timeNs - m_originNs, sample, computed, count);
}

void MessageStream::setChannelNames(const QStringList &names)
{
    publishBlock();
    m_block.setChannelNames(names);
}

void MessageStream::publishBlock()
{
    if (m_publisher && !m_block.isEmpty())
        m_publisher->publish(m_topic, m_block.take());
}

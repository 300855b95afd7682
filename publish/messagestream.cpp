#include "messagestream.h"

#include "mqttpublisher.h"
#include "readingintake.h"

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
    m_block.take();
    m_blockTimer.start();
}

void MessageStream::stop()
{
    publishBlock();
    m_blockTimer.stop();
    m_publisher = nullptr;
}

void MessageStream::publishReading(qint64 number, const Reading &reading)
{
    if (m_publisher) {
        m_publisher->publish(m_topic, Payload::reading(m_header, number, reading.wallMs,
                                                       reading.readNs - m_originNs, reading.values));
    }
}

void MessageStream::publishSample(qint64 number, const Sample &sample, const double *computed,
                                  const QStringList &computedNames)
{
    if (!m_publisher)
        return;
    // Usually the same list, shared: compared without looking at the names.
    if (computedNames != m_computedNames) {
        publishBlock();
        m_computedNames = computedNames;
        m_block.setChannelNames(m_header.mid(2) + computedNames);
    }
    if (!m_block.isEmpty() && (sample.gapBefore || m_block.nextNumber() != number))
        publishBlock();
    // Only a block's first sample carries its time.
    const qint64 wallMs = m_block.isEmpty() ? m_clock.stamp(sample.timeNs).timeMs : 0;
    m_block.add(number, wallMs, sample.timeNs - m_originNs, sample, computed,
                int(computedNames.size()));
}

void MessageStream::publishBlock()
{
    if (m_publisher && !m_block.isEmpty())
        m_publisher->publish(m_topic, m_block.take());
}

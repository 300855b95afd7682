#pragma once

#include "payload.h"
#include "readingclock.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

class MqttPublisher;
struct Reading;

// What one instrument sends to its topic: each reading as a message, and
// samples gathered into blocks of consecutive numbers, at most
// blocksPerSecond messages a second. The caller numbers them (the recorder
// by the file's rows, a window from 1 as it publishes). Nothing is sent
// between stop() and the next start().
class MessageStream : public QObject
{
    Q_OBJECT

public:
    static constexpr int blocksPerSecond = 20;

    // `header` as the instrument's recording: two time columns, then the values.
    explicit MessageStream(const QStringList &header, QObject *parent = nullptr);

    // Sends through `publisher`, which must outlive stop(); time_s counts
    // from `originNs` on the monotonic clock.
    void start(MqttPublisher *publisher, const QString &topic, qint64 originNs);
    // Sends the block gathered so far, then nothing more.
    void stop();
    bool isStarted() const { return m_publisher != nullptr; }
    qint64 originNs() const { return m_originNs; }

    // One reading, at the time it was stamped with.
    void publishReading(qint64 number, const Reading &reading);
    // One sample with a computed value (NaN: none) for each of
    // `computedNames`; a gap before it, or in the numbers, ends the block,
    // and so do other names: what waits goes out under the old ones.
    void publishSample(qint64 number, const Sample &sample, const double *computed = nullptr,
                       const QStringList &computedNames = {});
    // Sends the samples gathered so far (its timer does, too).
    void publishBlock();

private:
    const QStringList m_header;
    MqttPublisher *m_publisher = nullptr;
    QString m_topic;
    SampleBlock m_block;
    // The computed channels' names the block is gathered under.
    QStringList m_computedNames;
    QTimer m_blockTimer;
    qint64 m_originNs = 0;
    // The samples' times on the wall clock, as readings are stamped.
    ReadingClock m_clock;
};

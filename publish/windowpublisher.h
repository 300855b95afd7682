#pragma once

#include "datasink.h"
#include "instrumentprotocol.h"
#include "messagestream.h"
#include "mqttpublisher.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>

// What an instrument window publishes while the user asks it to, without
// widgets: each reading (voltmeter, counter, numbered from 1) or blocks of
// samples (plotters, numbered from 1, every sample the intake takes in, also
// while the plot is stopped) go to "<prefix>/<instrument>" through
// the recorder's MessageStream and an MqttPublisher that never holds the
// window up. statusText() says when the broker is away or messages were lost.
class WindowPublisher : public QObject, public DataSink
{
    Q_OBJECT

public:
    // Values named as `instrument`'s recording names them.
    explicit WindowPublisher(const InstrumentProtocol &instrument, QObject *parent = nullptr);
    ~WindowPublisher() override;

    // False, with `error` set, when publishing cannot even begin.
    bool start(const MqttTarget &target, QString *error);
    // Sends what is gathered and lets go, waiting at most a moment.
    void stop();
    bool isPublishing() const { return m_publisher != nullptr; }
    const MqttPublisher *publisher() const { return m_publisher.get(); }

    // One reading, numbered from the first one published.
    void takeReading(const Reading &reading) override;
    // One sample with its computed values; consecutive ones are gathered
    // into blocks. Nothing while not publishing.
    void takeSample(const Sample &sample, const double *computed,
                    const QStringList &computedNames) override;

    // "" while all is well; otherwise, e.g. "broker unreachable, 3 messages dropped".
    QString statusText() const { return m_status; }

    // The broker URL last used, for the dialog to propose; and remembering
    // one, without its password (the settings file keeps none).
    static QString lastUrl();
    static void rememberUrl(const QString &url);

signals:
    void statusChanged(const QString &text);

private:
    void checkStatus();

    const QString m_instrument;
    std::unique_ptr<MqttPublisher> m_publisher;
    MessageStream m_stream;
    QTimer m_statusTimer;
    QString m_status;
    qint64 m_readings = 0;
    qint64 m_samples = 0;
    // Status checks since the start, so a first connection is given a moment.
    int m_checks = 0;
};

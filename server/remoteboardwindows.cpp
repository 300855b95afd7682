// The board as the panel's open windows have it: their readings and
// samples read, their plot and PWM asked through their sessions.
#include "remoteboard.h"

#include "boardlink.h"
#include "opensession.h"

#include <QTimer>

void RemoteBoard::nextShownReading(OpenSession &open, QObject *context, ReadingDone done)
{
    // The first of a reading, the window closing and the deadline ends it.
    auto pending = std::make_shared<ReadingDone>(std::move(done));
    auto connections = std::make_shared<std::vector<QMetaObject::Connection>>();
    const auto finish = [pending, connections](const Reading *reading, const QString &failure) {
        if (!*pending)
            return;
        for (const QMetaObject::Connection &connection : *connections)
            disconnect(connection);
        const ReadingDone call = std::move(*pending);
        *pending = nullptr;
        call(reading, failure);
    };
    connections->push_back(connect(&open, &OpenSession::readingTaken, context,
                                   [finish](const Reading &reading) { finish(&reading, QString()); }));
    connections->push_back(connect(&open, &QObject::destroyed, context, [finish] {
        finish(nullptr, QStringLiteral("the instrument's window was closed"));
    }));
    QTimer::singleShot(replyTimeoutMs, context, [finish] {
        finish(nullptr, QStringLiteral("the window's board sent nothing for %1 s").arg(replyTimeoutMs / 1000));
    });
}

const SampleSession *RemoteBoard::shownSamples() const
{
    const OpenSession *open = OpenSession::find(*m_acquisition);
    return open ? open->samples() : nullptr;
}

RemoteBoard::Output RemoteBoard::output(int index) const
{
    Output output = m_outputs[size_t(index)];
    if (const OpenSession *open = OpenSession::find(InstrumentProtocol::pwm())) {
        const OpenSession::PwmShown shown = open->pwmShown(index);
        output.dutyPercent = shown.dutyPercent;
        // Off shows 0 Hz; the frequency kept is the one ON sends again.
        if (output.on || shown.frequencyHz != 0)
            output.frequencyHz = shown.frequencyHz;
    }
    return output;
}

void RemoteBoard::release(const QString &reason)
{
    if (!m_link)
        return;
    m_steps.clear();
    m_stepTimer.stop();
    stopRecording();
    m_acquiring = false;
    failAll(reason);
    m_intake.reset();
    m_running = m_planned = nullptr;
    // Whoever holds the board next starts it afresh.
    for (Output &output : m_outputs)
        output.on = false;
    // Taken out first: the stop waits with the event loop running, where a
    // command may make a new link.
    const std::unique_ptr<QSerialPort> port = std::move(m_port);
    const std::unique_ptr<BoardLink> link = std::move(m_link);
    link->stop();
    emit becameIdle();
}

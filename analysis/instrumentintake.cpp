#include "instrumentintake.h"

#include "boardlink.h"

InstrumentIntake::InstrumentIntake(const InstrumentProtocol &protocol, BoardLink &board)
    : m_protocol(protocol), m_board(board), m_readings(protocol), m_samples(protocol, 1024)
{
    m_samples.intake().setSampleSink(this);
}

void InstrumentIntake::startFresh()
{
    m_readings.reset();
    m_samples.intake().dropPartialFrame();
}

void InstrumentIntake::take(const QByteArray &bytes, qint64 readNs)
{
    switch (m_protocol.replies) {
    case InstrumentProtocol::Replies::Frames:
        m_samples.intake().takeBytes(bytes.constData(), bytes.size(), readNs);
        return;
    case InstrumentProtocol::Replies::Readings:
    case InstrumentProtocol::Replies::Lines:
        // First thing, as the window does; one request in flight at most.
        if (!m_protocol.request.isEmpty())
            m_board.sendRequest(m_protocol.request);
        for (const Reading &reading : m_readings.take(bytes, readNs)) {
            if (onReading)
                onReading(reading);
        }
        return;
    case InstrumentProtocol::Replies::None:
        return;
    }
}

void InstrumentIntake::takeSample(const Sample &sample, const double *computed,
                                  const QStringList &computedNames)
{
    if (onSample)
        onSample(sample, computed, computedNames);
}

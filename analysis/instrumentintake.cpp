#include "instrumentintake.h"

#include "boardlink.h"

InstrumentIntake::InstrumentIntake(const InstrumentProtocol &protocol, BoardLink &board)
    : m_protocol(protocol), m_board(board), m_readings(protocol), m_samples(protocol, 1024)
{
}

void InstrumentIntake::addSink(DataSink *sink)
{
    m_readings.sinks().add(sink);
    m_samples.intake().sinks().add(sink);
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
        m_readings.take(bytes, readNs);
        return;
    case InstrumentProtocol::Replies::None:
        return;
    }
}

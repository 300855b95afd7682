#include "instrumentintake.h"

#include "boardlink.h"

InstrumentIntake::InstrumentIntake(const InstrumentProtocol &protocol, BoardLink &board)
    : m_protocol(protocol), m_board(board), m_readings(protocol)
{
    QObject::connect(&m_samples, &SampleIntake::samplesAdded, [this] { takeNewSamples(); });
}

void InstrumentIntake::startFresh()
{
    m_readings.reset();
    m_samples.dropPartialFrame();
}

void InstrumentIntake::take(const QByteArray &bytes, qint64 readNs)
{
    switch (m_protocol.replies) {
    case InstrumentProtocol::Replies::Frames:
        m_samples.takeBytes(bytes.constData(), bytes.size(), readNs);
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

void InstrumentIntake::takeNewSamples()
{
    const SampleStore &store = m_samples.store();
    const qint64 newest = m_samples.lastIndex();
    const int fresh = int(std::min<qint64>(newest - m_taken, store.size()));
    for (int position = store.size() - fresh; position < store.size(); ++position) {
        if (onSample)
            onSample(store.at(position));
    }
    m_taken = newest;
}

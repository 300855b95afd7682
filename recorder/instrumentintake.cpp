#include "instrumentintake.h"

#include "boardlink.h"

namespace {

bool hasEmptyCell(const QStringList &values)
{
    for (const QString &value : values) {
        if (value.isEmpty())
            return true;
    }
    return false;
}

} // namespace

InstrumentIntake::InstrumentIntake(const InstrumentProtocol &protocol, BoardLink &board)
    : m_protocol(protocol), m_board(board)
{
    QObject::connect(&m_samples, &SampleIntake::samplesAdded, [this] { takeNewSamples(); });
}

void InstrumentIntake::startFresh()
{
    m_lines.reset();
    m_accumulator.reset();
    m_samples.dropPartialFrame();
}

void InstrumentIntake::take(const QByteArray &bytes, qint64 readNs)
{
    switch (m_protocol.replies) {
    case InstrumentProtocol::Replies::Frames:
        m_samples.takeBytes(bytes.constData(), bytes.size(), readNs);
        return;
    case InstrumentProtocol::Replies::Readings:
        // First thing, as the window does; one request in flight at most.
        if (!m_protocol.request.isEmpty())
            m_board.sendRequest(m_protocol.request);
        for (const QByteArray &line : m_lines.feed(bytes)) {
            const std::optional<QStringList> reading = m_accumulator.addLine(line);
            if (!reading) {
                ++m_damaged;
                continue;
            }
            const QStringList values = RecordedRow::voltmeter(*reading);
            m_damaged += hasEmptyCell(values) ? 1 : 0;
            if (onReading)
                onReading(readNs, values);
        }
        return;
    case InstrumentProtocol::Replies::Lines:
        for (const QByteArray &line : m_lines.feed(bytes)) {
            const QStringList values = RecordedRow::counter(RecordedRow::counterText(line));
            m_damaged += hasEmptyCell(values) ? 1 : 0;
            if (onReading)
                onReading(readNs, values);
        }
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

#include "samplesession.h"

SampleSession::SampleSession(const InstrumentProtocol &protocol, int capacity, QObject *parent)
    : QObject(parent),
      m_protocol(protocol),
      m_channels(protocol.columns, protocol.frameUnit),
      m_intake(capacity)
{
    m_intake.setComputedColumns(&m_channels);
}

bool SampleSession::setChannels(const QVector<MathChannel> &channels, FormulaError *error)
{
    if (!m_channels.setChannels(channels, m_intake.columnStore(), error))
        return false;
    emit channelsChanged();
    return true;
}

QStringList SampleSession::recordingHeader() const
{
    return m_protocol.recordingHeader(store().computedNames());
}

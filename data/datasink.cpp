#include "datasink.h"

#include <algorithm>

void DataSink::takeSample(const Sample &sample, const double *computed,
                          const QStringList &computedNames)
{
    Q_UNUSED(sample)
    Q_UNUSED(computed)
    Q_UNUSED(computedNames)
}

void DataSink::takeReading(const Reading &reading)
{
    Q_UNUSED(reading)
}

void SinkFanOut::add(DataSink *sink)
{
    if (sink && std::find(m_sinks.begin(), m_sinks.end(), sink) == m_sinks.end())
        m_sinks.push_back(sink);
}

void SinkFanOut::remove(DataSink *sink)
{
    m_sinks.erase(std::remove(m_sinks.begin(), m_sinks.end(), sink), m_sinks.end());
}

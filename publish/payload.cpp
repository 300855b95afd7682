#include "payload.h"

#include "csv.h"

#include <QDateTime>

#include <cmath>

namespace {

QByteArray toByteArray(const std::string &text)
{
    return QByteArray(text.data(), int(text.size()));
}

// A key or text value: the header's names are plain, but nothing that
// reaches a message may break its syntax.
void appendString(std::string &out, const QString &text)
{
    out += '"';
    for (const char c : text.toUtf8()) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            static const char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[(c >> 4) & 0xf];
            out += hex[c & 0xf];
        } else {
            out += c;
        }
    }
    out += '"';
}

void appendKey(std::string &out, const QString &key)
{
    appendString(out, key);
    out += ':';
}

void appendHead(std::string &out, const QString &numberKey, qint64 number, qint64 wallMs,
                qint64 sinceStartNs)
{
    out += '{';
    appendKey(out, numberKey);
    Csv::appendInteger(out, number);
    out += ",\"time\":";
    Payload::appendTime(out, wallMs);
    out += ",\"time_s\":";
    Csv::appendSeconds(out, sinceStartNs);
}

} // namespace

namespace Payload {

void appendTime(std::string &out, qint64 wallMs)
{
    out += '"';
    out += QDateTime::fromMSecsSinceEpoch(wallMs, Qt::UTC).toString(Qt::ISODateWithMs).toStdString();
    out += '"';
}

QByteArray reading(const QStringList &header, qint64 number, qint64 wallMs, qint64 sinceStartNs,
                   const std::vector<double> &values)
{
    std::string out;
    appendHead(out, header.value(0), number, wallMs, sinceStartNs);
    for (int i = 0; i < int(values.size()) && i + 2 < header.size(); ++i) {
        out += ',';
        appendKey(out, header.at(i + 2));
        // The shortest digits that read back as the same double, and no locale.
        if (std::isfinite(values[size_t(i)]))
            Csv::appendNumber(out, values[size_t(i)]);
        else
            out += "null";
    }
    out += '}';
    return toByteArray(out);
}

} // namespace Payload

SampleBlock::SampleBlock(const QStringList &channelNames)
{
    setChannelNames(channelNames);
}

void SampleBlock::setChannelNames(const QStringList &channelNames)
{
    m_channelNames = channelNames;
    m_values.assign(size_t(std::max<int>(channelNames.size(), Sample::channelCount)), std::string());
    m_count = 0;
}

void SampleBlock::add(qint64 number, qint64 wallMs, qint64 sinceStartNs, const Sample &sample,
                      const double *computed, int count)
{
    if (m_count == 0) {
        m_firstNumber = number;
        m_wallMs = wallMs;
        m_sinceStartNs = sinceStartNs;
    }
    for (int channel = 0; channel < Sample::channelCount; ++channel) {
        std::string &values = m_values[size_t(channel)];
        if (m_count > 0)
            values += ',';
        if (sample.hasValue(channel))
            Csv::appendInteger(values, sample.values[size_t(channel)]);
        else
            values += "null";
    }
    for (size_t channel = Sample::channelCount; channel < m_values.size(); ++channel) {
        std::string &values = m_values[channel];
        if (m_count > 0)
            values += ',';
        const int column = int(channel) - Sample::channelCount;
        if (column < count && !std::isnan(computed[column]))
            Csv::appendNumber(values, computed[column]);
        else
            values += "null";
    }
    ++m_count;
}

QByteArray SampleBlock::take()
{
    std::string out;
    appendHead(out, QStringLiteral("first_sample"), m_firstNumber, m_wallMs, m_sinceStartNs);
    out += ",\"count\":";
    Csv::appendInteger(out, m_count);
    for (int channel = 0; channel < int(m_values.size()) && channel < m_channelNames.size();
         ++channel) {
        out += ',';
        appendKey(out, m_channelNames.at(channel));
        out += '[';
        out += m_values[size_t(channel)];
        out += ']';
    }
    out += '}';
    for (std::string &values : m_values)
        values.clear();
    m_count = 0;
    return toByteArray(out);
}

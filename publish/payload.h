#pragma once

#include "samplestore.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <string>
#include <vector>

// What a message says, as JSON: plain functions over plain values, so they
// are tested and fuzzed without a broker. "time" is the moment the bytes
// were read, in UTC ("2026-12-08T14:03:05.123Z"); "time_s" the seconds since
// the recording began, as in its file. A value that is not a number is null.
namespace Payload {

// One reading: the recording's header names the keys, so a message reads
// like its row: {"reading":12,"time":"…","time_s":1.234567,"PAD0_mV":1650,…}.
// `values` are the reading's numbers (Reading::values); one that is not
// finite is null.
QByteArray reading(const QStringList &header, qint64 number, qint64 wallMs, qint64 sinceStartNs,
                   const std::vector<double> &values);

void appendTime(std::string &out, qint64 wallMs);

} // namespace Payload

// Samples gathered into one message: the row number of the first, its time,
// and an array per channel, in order:
// {"first_sample":101,"time":"…","time_s":1.234567,"count":3,
//  "PAD0":[1650,1702,null],"PAD1":[…],"PAD2":[…]}.
class SampleBlock
{
public:
    explicit SampleBlock(const QStringList &channelNames);

    // The inputs', then the computed channels' names; empties the block.
    void setChannelNames(const QStringList &channelNames);
    // `number` is the sample's row number; the first one added sets the
    // block's number and times. `computed` holds the computed channels'
    // values (NaN: none), `count` of them.
    void add(qint64 number, qint64 wallMs, qint64 sinceStartNs, const Sample &sample,
             const double *computed = nullptr, int count = 0);
    bool isEmpty() const { return m_count == 0; }
    int size() const { return m_count; }
    // The next number this block expects: a sample after a gap in the
    // numbers starts a block of its own.
    qint64 nextNumber() const { return m_firstNumber + m_count; }
    // The message, and an empty block for the next one.
    QByteArray take();

private:
    QStringList m_channelNames;
    qint64 m_firstNumber = 0;
    qint64 m_wallMs = 0;
    qint64 m_sinceStartNs = 0;
    int m_count = 0;
    std::vector<std::string> m_values;
};

#pragma once

#include "instrumentprotocol.h"
#include "linesplitter.h"
#include "readingaccumulator.h"
#include "sampleintake.h"

#include <QByteArray>
#include <QStringList>

#include <functional>

class BoardLink;

// What the board sends becomes rows, as an instrument window reads it: the
// voltmeter's fields through ReadingAccumulator, the counter's lines, the
// plotters' frames through SampleIntake. The voltmeter is asked for its
// next reading at every arrival, as its window asks.
class InstrumentIntake
{
public:
    InstrumentIntake(const InstrumentProtocol &protocol, BoardLink &board);

    // One reading's cells (voltmeter, counter), read at `timeNs`.
    std::function<void(qint64 timeNs, const QStringList &values)> onReading;
    // One sample (plotters).
    std::function<void(const Sample &sample)> onSample;

    void take(const QByteArray &bytes, qint64 readNs);
    // A fresh connection: nothing half-read from the last one counts.
    void startFresh();
    // The board was away: the next sample starts after a gap.
    void markGap() { m_samples.markGap(); }

    // Frames with a field that is not a number or dropped as overlong;
    // reading lines that are no reading, readings with a cell that is not
    // a number.
    quint64 damaged() const { return m_damaged + m_samples.damagedFrames(); }

private:
    void takeNewSamples();

    const InstrumentProtocol &m_protocol;
    BoardLink &m_board;
    LineSplitter m_lines;
    ReadingAccumulator m_accumulator;
    // Holds every sample of one read (a full read buffer of the shortest frames).
    SampleIntake m_samples{65536};
    qint64 m_taken = 0;
    quint64 m_damaged = 0;
};

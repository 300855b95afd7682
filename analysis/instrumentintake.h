#pragma once

#include "instrumentprotocol.h"
#include "readingintake.h"
#include "samplesession.h"

#include <QByteArray>

class BoardLink;

// What the board sends becomes rows, as an instrument window reads it: the
// voltmeter's and the counter's readings through ReadingIntake, the
// plotters' frames through a SampleSession, with their computed channels,
// as a plot window's. The voltmeter is asked for its
// next reading at every arrival, as its window asks.
class InstrumentIntake
{
public:
    InstrumentIntake(const InstrumentProtocol &protocol, BoardLink &board);

    // `sink` is given every reading (voltmeter, counter) or sample
    // (plotters, with their computed channels) from now on.
    void addSink(DataSink *sink);

    void take(const QByteArray &bytes, qint64 readNs);
    // A fresh connection: nothing half-read from the last one counts.
    void startFresh();
    // The board was away: the next sample starts after a gap.
    void markGap() { m_samples.intake().markGap(); }
    // The plotters' stream and its computed channels.
    SampleSession &samples() { return m_samples; }

    // Frames with a field that is not a number or dropped as overlong;
    // reading lines that are no reading, readings with a cell that is not
    // a number.
    quint64 damaged() const
    {
        return m_readings.damaged() + m_samples.intake().damagedFrames();
    }

private:
    const InstrumentProtocol &m_protocol;
    BoardLink &m_board;
    ReadingIntake m_readings;
    // Each frame goes on to the sinks as it is taken in; the store is never
    // read back, and the formulas keep their own past.
    SampleSession m_samples;
};

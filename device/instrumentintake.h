#pragma once

#include "instrumentprotocol.h"
#include "readingintake.h"
#include "sampleintake.h"

#include <QByteArray>

#include <functional>

class BoardLink;

// What the board sends becomes rows, as an instrument window reads it: the
// voltmeter's and the counter's readings through ReadingIntake, the
// plotters' frames through SampleIntake. The voltmeter is asked for its
// next reading at every arrival, as its window asks.
class InstrumentIntake
{
public:
    InstrumentIntake(const InstrumentProtocol &protocol, BoardLink &board);

    // One reading (voltmeter, counter).
    std::function<void(const Reading &reading)> onReading;
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
    quint64 damaged() const { return m_readings.damaged() + m_samples.damagedFrames(); }

private:
    void takeNewSamples();

    const InstrumentProtocol &m_protocol;
    BoardLink &m_board;
    ReadingIntake m_readings;
    // Holds every sample of one read (a full read buffer of the shortest frames).
    SampleIntake m_samples{65536};
    qint64 m_taken = 0;
};

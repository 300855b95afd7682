#pragma once

#include "instrumentprotocol.h"
#include "readingintake.h"
#include "samplesession.h"

#include <QByteArray>

#include <functional>

class BoardLink;

// What the board sends becomes rows, as an instrument window reads it: the
// voltmeter's and the counter's readings through ReadingIntake, the
// plotters' frames through a SampleSession, with their computed channels,
// as a plot window's. The voltmeter is asked for its
// next reading at every arrival, as its window asks.
class InstrumentIntake : private SampleSink
{
public:
    InstrumentIntake(const InstrumentProtocol &protocol, BoardLink &board);

    // One reading (voltmeter, counter).
    std::function<void(const Reading &reading)> onReading;
    // One sample (plotters), with a computed value (NaN: none) for each of
    // `computedNames`.
    std::function<void(const Sample &sample, const double *computed, const QStringList &computedNames)>
        onSample;

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
    void takeSample(const Sample &sample, const double *computed,
                    const QStringList &computedNames) override;

    const InstrumentProtocol &m_protocol;
    BoardLink &m_board;
    ReadingIntake m_readings;
    // Each frame goes on to onSample as it is taken in; the store is never
    // read back, and the formulas keep their own past.
    SampleSession m_samples;
};

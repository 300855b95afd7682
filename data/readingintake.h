#pragma once

#include "datasink.h"
#include "instrumentprotocol.h"
#include "linesplitter.h"
#include "readingaccumulator.h"
#include "readingclock.h"

#include <QByteArray>
#include <QStringList>

#include <vector>

// One reading of the voltmeter or the counter in every form its front ends
// use, made once: the window's text, the file's cells, the chart's and the
// broker's numbers and its time on the wall clock never disagree.
struct Reading
{
    // The fields as the board sent them (the voltmeter's three or more, the
    // counter's one line), the line end still in the last.
    QStringList fields;
    // The values as a file's cells: plain decimal numbers (Csv::number()),
    // empty where the board's text is none. A board's damaged text never
    // reaches a cell.
    QStringList cells;
    // The same as numbers: NaN where a cell is empty or its number is not finite.
    std::vector<double> values;
    // When its bytes were read (monotonicNowNs()), and that moment on the
    // wall clock (ReadingClock).
    qint64 readNs = 0;
    qint64 wallMs = 0;
    // The wall clock ran ahead since the reading before (the computer slept).
    bool gapBefore = false;

    // Value `i` as a window shows it: the board's text without its line end.
    QString shown(int i) const;
    // A value is missing: the board's text was no number.
    bool isDamaged() const;

    // The first `count` of `fields` read as values; not yet stamped.
    static Reading of(const QStringList &fields, int count);
};

// What the voltmeter and the counter send becomes readings here, for every
// front end alike: the voltmeter's comma-separated fields (see
// ReadingAccumulator), the counter's lines, each stamped with the wall clock
// once, and given to every sink. Pieces of a line wait for the rest.
class ReadingIntake
{
public:
    // `instrument` sends readings (or lines); `clock` as ReadingClock's.
    explicit ReadingIntake(const InstrumentProtocol &instrument, ReadingClock clock = ReadingClock());

    // Every reading the bytes read at `readNs` complete, oldest first; each
    // has gone to the sinks already.
    std::vector<Reading> take(const QByteArray &bytes, qint64 readNs);
    // Where every reading goes: the recording, the broker.
    SinkFanOut &sinks() { return m_sinks; }
    // A fresh connection: nothing half-read from the last one counts.
    void reset();

    // Lines that are no reading, and readings with a value that is not a number.
    quint64 damaged() const { return m_damaged; }
    // The wall clock the readings are stamped with.
    const ReadingClock &clock() const { return m_clock; }

private:
    const InstrumentProtocol &m_instrument;
    const int m_valueCount;
    LineSplitter m_lines;
    ReadingAccumulator m_accumulator;
    ReadingClock m_clock;
    SinkFanOut m_sinks;
    quint64 m_damaged = 0;
};

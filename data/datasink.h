#pragma once

#include <QStringList>

#include <vector>

struct Reading;
struct Sample;

// Where an instrument's data go besides its window: the recording file, the
// broker, a remote client. A sink takes whatever it is given and decides
// alone whether it keeps it (a recorder that is not recording ignores it).
class DataSink
{
public:
    virtual ~DataSink() = default;
    // A sample with the store's computed columns: a value (NaN: none) for
    // each of `computedNames`, the names the store has for them now. A
    // sample taken while the plot is stopped has no index; a sink numbers
    // samples itself.
    virtual void takeSample(const Sample &sample, const double *computed,
                            const QStringList &computedNames);
    // A reading of the voltmeter or the counter.
    virtual void takeReading(const Reading &reading);
};

// The one way from an intake to its sinks, with the one rule for a stopped
// plot: every sample and every reading the intake takes goes to every sink,
// stopped or not. Stopping only keeps samples out of the store, so the plot
// stands still; what is recorded or published goes on.
class SinkFanOut
{
public:
    // A sink is given data until it is removed; it must outlive that.
    void add(DataSink *sink);
    void remove(DataSink *sink);
    bool isEmpty() const { return m_sinks.empty(); }

    void takeSample(const Sample &sample, const double *computed, const QStringList &computedNames)
    {
        for (DataSink *sink : m_sinks)
            sink->takeSample(sample, computed, computedNames);
    }
    void takeReading(const Reading &reading)
    {
        for (DataSink *sink : m_sinks)
            sink->takeReading(reading);
    }

private:
    std::vector<DataSink *> m_sinks;
};

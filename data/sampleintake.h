#pragma once

#include "datasink.h"
#include "framescanner.h"
#include "monotonicclock.h"
#include "samplestore.h"

#include <QLatin1String>
#include <QObject>

#include <functional>
#include <vector>

// What computes the store's computed columns (a window's formulas), one
// sample after another in the order taken in, paused or not: a formula over
// the past sees every sample.
class ComputedColumns
{
public:
    virtual ~ComputedColumns() = default;
    // Computes the samples appended to `store` since it last ran.
    virtual void fill(SampleStore &store) = 0;
    // A sample taken in but not stored (the plot is stopped): its values
    // into `values`, one per column of the store, as if it had been stored.
    virtual void compute(const Sample &sample, double *values) = 0;
};

// The value of one frame field, as a whole number in int range with white
// space around it allowed; false for anything else (empty, a lone "-",
// "1-2", too many digits).
bool frameFieldValue(const char *begin, const char *end, int *value);

// A frame's text as a sample: channel i takes field i (fields are split at
// every space). A field that is not a number leaves its channel without a
// value; drawing it as 0 would show a spike nobody could tell from a real
// one. `damaged` is set when one of the fields used is not a number.
Sample sampleFromFrame(QLatin1String frameText, qint64 timeNs, bool *damaged);

// The plotters' sample stream without widgets: the bytes of each read
// become indexed samples in the store, with no text in between. Every frame
// has its computed columns, goes to the sinks and has its damage counted,
// paused or not: pausing only keeps frames out of the store, so
// the plot stands still. Only while not paused are frames given the next
// index and stored. The index keeps counting across reconnections; a
// sample after a loss or a pause starts after a gap.
class SampleIntake : public QObject
{
    Q_OBJECT

public:
    explicit SampleIntake(int capacity = 8192, QObject *parent = nullptr);

    // Scans one read of the stream, read at `readNs`; the frames of a read
    // arrived together and share the stamp.
    void takeBytes(const char *data, qsizetype size, qint64 readNs = monotonicNowNs());

    // A fresh connection: a frame cut off by the loss is not finished by the
    // next connection's bytes.
    void dropPartialFrame() { m_scanner.reset(); }
    // The board was away: the next sample is not joined to the one before.
    void markGap() { m_gapPending = true; }

    // Samples from elsewhere than the board's bytes (a file), with their own
    // indexes (above lastIndex()), times and gaps: stored as they are, paused
    // or not, and neither recorded nor counted. The source paces itself.
    void takeSamples(const Sample *samples, size_t count);

    // Paused frames are computed, given to the sinks and counted, but not
    // stored; the first one stored after resuming starts after a gap.
    void setPaused(bool paused);
    bool isPaused() const { return m_paused; }

    // Where every frame goes, paused or not: the recording, the broker.
    SinkFanOut &sinks() { return m_sinks; }
    // Called with every frame's text after it was taken in; only for those
    // who want the text, the samples do not need it.
    void setFrameWatcher(std::function<void(QLatin1String)> watcher)
    {
        m_frameWatcher = std::move(watcher);
    }

    // What computes the store's computed columns (none: they stay empty).
    void setComputedColumns(ComputedColumns *columns) { m_columns = columns; }
    // For the computed columns' owner only: to change them.
    SampleStore &columnStore() { return m_store; }

    const SampleStore &store() const { return m_store; }
    // The index of the newest sample stored; 0 before the first.
    qint64 lastIndex() const { return m_lastIndex; }
    // Counting goes on from `index` (as if that many samples had come).
    void setLastIndex(qint64 index) { m_lastIndex = index; }
    // Frames with a field that is not a number or dropped as overlong,
    // paused or not.
    quint64 damagedFrames() const { return m_damagedFrames + m_scanner.droppedFrames(); }

signals:
    // At most once per read: the read stored samples.
    void samplesAdded();

private:
    void takeFrame(QLatin1String frameText, qint64 readNs);

    FrameScanner m_scanner;
    SampleStore m_store;
    SinkFanOut m_sinks;
    ComputedColumns *m_columns = nullptr;
    std::function<void(QLatin1String)> m_frameWatcher;
    // One frame's computed columns, in the store's order.
    std::vector<double> m_computed;
    // 64 bits: a fast board would run a 32-bit count over within hours.
    qint64 m_lastIndex = 0;
    quint64 m_damagedFrames = 0;
    bool m_gapPending = false;
    bool m_paused = false;
};

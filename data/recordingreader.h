#pragma once

#include "samplestore.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <array>
#include <atomic>
#include <limits>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// A file the panel wrote, read back: a plotter's recording
// (sample,time_s,PAD0,PAD1,PAD2 or …,X,Y,Z) or export (sample,PAD0,…, maybe
// with further named columns), a voltmeter's or counter's recording
// (reading,time_s,…) or a chart's export (time_iso,time_s,…,readings).
struct Recording
{
    // As the instruments are named on the command line: "osciloscope",
    // "accelerometer", "voltmeter", "counter".
    QString instrument;
    // The file's first line.
    QStringList header;
    // Named columns after the inputs (computed channels): read past, kept by
    // name only.
    QStringList extraColumns;
    // A chart's export rather than an instrument's rows.
    bool isChartExport = false;
    // Readings (voltmeter, counter) rather than samples (plotters).
    bool hasReadings = false;
    // The rows carry times (every format but the plotter's export).
    bool hasTimes = false;
    // The file ended within a row, which was left out.
    bool lastRowIncomplete = false;
    // Rows read, and how many of the first ones were left out to keep
    // within maxRows.
    qint64 rows = 0;
    qint64 rowsLeftOut = 0;

    // Plotter files: the samples as the intake makes them, their index the
    // file's sample number and their time time_s in ns; a jump in time_s
    // (the board was away) starts a gap.
    std::vector<Sample> samples;

    // Voltmeter and counter files: one reading per row, up to three values,
    // NaN where a cell is empty.
    struct Reading
    {
        // ns from the file's start (time_s); a chart export also has the
        // wall clock.
        qint64 timeNs = 0;
        qint64 wallMs = 0;
        bool gapBefore = false;
        std::array<double, 3> values{};
    };
    int valueCount = 0;
    std::vector<Reading> readings;
    // The value columns' names ("PAD0_mV", "frequency_hz").
    QStringList valueNames;

    // Readings (voltmeter, counter) rather than samples: shown in a chart.
    bool isChart() const { return hasReadings; }
};

// Turns a file's bytes, fed in pieces of any size, into a Recording, keeping
// at most maxRows of the newest rows and lines of at most maxLineBytes, so
// memory stays bounded whatever the input. The first fault ends the reading
// with a message naming its line ("line 1,234: 5 fields, 4 expected").
class RecordingReader
{
    Q_DECLARE_TR_FUNCTIONS(RecordingReader)

public:
    static constexpr qint64 maxRows = 1000000;
    static constexpr int maxLineBytes = 4096;
    // A silence in time_s this long, and well beyond the usual spacing, is
    // a gap: the board was away (a replug takes half a second at least).
    static constexpr qint64 gapMinNs = 250000000;

    // `expectedBytes` only sizes the memory reserved up front.
    explicit RecordingReader(qint64 maxRowsKept = maxRows, qint64 expectedBytes = 0);

    // False once the input is found bad; error() says why.
    bool feed(const char *data, size_t size);
    // The end of the input: an unfinished last line is a cut-off row.
    // Returns the recording, or none with error() set.
    std::optional<Recording> finish();

    QString error() const { return m_error; }
    // The instrument, once the first line was read ("" before).
    QString instrument() const { return m_recording.instrument; }

private:
    bool takeLine(const char *begin, const char *end);
    bool takeHeader(const QStringList &names);
    bool takeSampleRow(const std::vector<std::pair<const char *, const char *>> &fields);
    bool takeReadingRow(const std::vector<std::pair<const char *, const char *>> &fields);
    bool fail(const QString &what);
    bool markGapAt(qint64 timeNs);
    bool isGap(double stepNs) const;
    // Keeps the newest m_maxRowsKept rows, as a ring once full.
    template <typename Row>
    void keep(std::vector<Row> &kept, const Row &row);

    Recording m_recording;
    const qint64 m_maxRowsKept;
    // Where the ring of kept rows begins once it is full.
    size_t m_ringHead = 0;
    std::string m_partial;
    qint64 m_lineNumber = 0;
    int m_fieldCount = 0;
    QString m_error;
    std::optional<qint64> m_lastNumber;
    std::optional<qint64> m_lastTimeNs;
    double m_usualStepNs = -1;
    // The first step, judged once the second tells what is usual.
    std::optional<double> m_firstStepNs;
    bool m_firstStepIsGap = false;
    bool m_failed = false;
    std::vector<std::pair<const char *, const char *>> m_fields;
};

// Reads the file at `path` whole, as it is when it is opened (a file that
// grows meanwhile is read up to its size then). Blocks: call it on a worker
// thread, never the window's (a FIFO or a hung mount blocks in open()).
// `bytesRead` and `bytesTotal` follow the progress; setting `cancelled`
// ends it early with no recording.
struct ReadProgress
{
    std::atomic<qint64> bytesRead{0};
    std::atomic<qint64> bytesTotal{0};
    std::atomic<bool> cancelled{false};
    // The instrument, once the header told it; under `mutex`.
    std::mutex mutex;
    QString instrument;
};
std::optional<Recording> readRecordingFile(const QString &path, ReadProgress *progress,
                                           QString *error);

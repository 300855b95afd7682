#pragma once

#include "csv.h"
#include "datasink.h"
#include "monotonicclock.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>
#include <string>
#include <thread>
#include <vector>

// Records rows to a CSV file while they arrive, as fast as a board sends
// them, without ever blocking the thread that appends: rows are formatted
// into memory there and whole buffers go to a writer thread, which also
// opens the file. Every row
// starts with its number (from 1) and time_s, the seconds since the
// recording started. The file never holds half a row, also when a write
// fails. What waits for the disk is bounded: past `queueLimitBytes` the
// recording ends as a failed write does, and stopping waits for the disk
// about a second at most. Use it from one thread, the one that owns it.
// As a sink it records every reading and sample it is given while recording.
class CsvRecorder : public QObject, public DataSink
{
    Q_OBJECT

public:
    static constexpr size_t defaultQueueLimitBytes = 64 * 1024 * 1024;
    static constexpr int openWaitMs = 1000;

    explicit CsvRecorder(QObject *parent = nullptr,
                         size_t queueLimitBytes = defaultQueueLimitBytes);
    // Finishes a running recording first, as stop() does.
    ~CsvRecorder() override;

    // Begins a recording to `path`, created or overwritten, with the
    // `header` line, whose first two names are the row number's and
    // time_s's. time_s counts from `originNs` on the monotonic clock. A
    // running recording is stopped first. Returns at once: the writer thread
    // opens the file, and a file that cannot be opened, or is not open
    // within openWaitMs (a pipe nobody reads, a mount that hangs), ends the
    // recording as a failed write does, with no row in the file.
    // time_s counts from `originNs`; rows are numbered from `rowsBefore` + 1
    // (a recording that goes on in a new file).
    void start(const QString &path, const QStringList &header,
               qint64 originNs = monotonicNowNs(), qint64 rowsBefore = 0);
    // The same on the open file `descriptor` (standard output), which stays
    // open afterwards; `name` is what fileName() and errors call it.
    void startOnDescriptor(int descriptor, const QString &name, const QStringList &header,
                           qint64 originNs = monotonicNowNs(), qint64 rowsBefore = 0);

    // One row of text values. `timeNs`: monotonicNowNs() when the row's bytes
    // were read. Ignored unless recording.
    void appendRow(qint64 timeNs, const QStringList &values);
    // One row of integers, the fast path: value i is written when bit i of
    // `presentMask` is set, else its cell stays empty.
    void appendRow(qint64 timeNs, const int *values, int count, quint32 presentMask = ~0u);
    // A sample with its own read time, values and missing values, then
    // the computed columns the header names after the inputs: `computed`
    // holds `count` of them (NaN: none); any more stay empty.
    void appendSample(const Sample &sample, const double *computed = nullptr, int count = 0);
    // A sample with the computed columns the header names, found by name
    // among `computedNames`: channels added since have none, removed ones
    // stay empty, and none takes another's place.
    void takeSample(const Sample &sample, const double *computed,
                    const QStringList &computedNames) override;
    // A reading's cells: numbers only, never the board's damaged text.
    void takeReading(const Reading &reading) override;

    // Writes everything left and closes the file; returns the rows it holds.
    // Waits for the writer, about a second at most: a disk that takes longer
    // ends the recording as a failed write. Does nothing when not recording.
    // A write failure found here is reported with failed() too.
    qint64 stop();

    bool isRecording() const { return m_recording; }
    QString fileName() const { return m_fileName; }
    qint64 originNs() const { return m_originNs; }
    // Rows appended in this recording (the last row number given).
    qint64 rowCount() const { return m_rowCount; }
    // Rows complete in the file so far.
    qint64 rowsWritten() const;
    // The writer has opened this recording's file (it may have failed since).
    bool fileOpened() const;
    // Bytes of this recording's file so far, header and rows, written or
    // still on their way.
    qint64 bytesAppended() const { return m_bytesAppended; }

signals:
    // The file could not be opened, a write failed, or the disk could not
    // keep up: the recording has ended, the file is closed and holds
    // `rowsInFile` complete rows.
    // Emitted on the owner's thread, from its event loop (within a fraction
    // of a second; openWaitMs after start() for a file that does not open)
    // or from stop().
    void failed(const QString &reason, qint64 rowsInFile);

private:
    // What the writer thread works on; it may outlive the recorder when a
    // write hangs.
    struct Writer;

    void begin(const std::shared_ptr<Writer> &writer, const QStringList &header,
               qint64 originNs, qint64 rowsBefore);
    void beginRow(qint64 timeNs);
    // The row number, time_s and the integers, without the row's end.
    void writeIntegers(qint64 timeNs, const int *values, int count, quint32 presentMask);
    void endRow();
    void countRow();
    void handOver();
    // From the timer: hands pending rows over and sees a failed write.
    void onTick();
    void finish();

    // Pending rows are handed over at this size, or from the timer, which
    // also looks for a failed write.
    static constexpr size_t chunkBytes = 64 * 1024;
    static constexpr int handOverIntervalMs = 250;
    // How long stopping waits for the disk.
    static constexpr int finishWaitMs = 1000;

    const size_t m_queueLimitBytes;
    QString m_fileName;
    QString m_failureReason;
    qint64 m_originNs = 0;
    qint64 m_rowCount = 0;
    int m_computedColumns = 0;
    QStringList m_computedNames;
    // Where each of the header's computed columns is among the names the
    // sink was last given (-1: not there), and those names.
    QStringList m_matchedNames;
    std::vector<int> m_sources;
    std::vector<double> m_matched;
    qint64 m_bytesAppended = 0;
    // Where the row being appended begins in m_pending.
    size_t m_rowStart = 0;
    bool m_recording = false;
    std::string m_pending;
    qint64 m_pendingRows = 0;
    bool m_pendingLineFeedsEndRows = true;
    QTimer m_handOverTimer;
    QElapsedTimer m_sinceStart;

    std::shared_ptr<Writer> m_writer;
    std::thread m_writerThread;
};

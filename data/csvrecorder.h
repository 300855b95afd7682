#pragma once

#include "csv.h"
#include "monotonicclock.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct Sample;

// Records rows to a CSV file while they arrive, as fast as a board sends
// them, without ever blocking the thread that appends: rows are formatted
// into memory there and whole buffers go to a writer thread. Every row
// starts with its number (from 1) and time_s, the seconds since the
// recording started. The file never holds half a row, also when a write
// fails. Use it from one thread, the one that owns it.
class CsvRecorder : public QObject
{
    Q_OBJECT

public:
    explicit CsvRecorder(QObject *parent = nullptr);
    // Finishes a running recording first, as stop() does.
    ~CsvRecorder() override;

    // Creates (or overwrites) `path` and begins with the `header` line, whose
    // first two names are the row number's and time_s's. time_s counts from
    // `originNs` on the monotonic clock. A running recording is stopped
    // first. False when the file cannot be created; errorString() says why.
    bool start(const QString &path, const QStringList &header,
               qint64 originNs = monotonicNowNs());
    QString errorString() const { return m_errorString; }

    // One row of text values. `timeNs`: monotonicNowNs() when the row's bytes
    // were read. Ignored unless recording.
    void appendRow(qint64 timeNs, const QStringList &values);
    // One row of integers, the fast path: value i is written when bit i of
    // `presentMask` is set, else its cell stays empty.
    void appendRow(qint64 timeNs, const int *values, int count, quint32 presentMask = ~0u);
    // A sample with its own read time, values and missing values.
    void appendSample(const Sample &sample);

    // Writes everything left and closes the file; returns the rows it holds.
    // Waits for the writer. Does nothing when not recording. A write failure
    // found here is reported with failed() too.
    qint64 stop();

    bool isRecording() const { return m_recording; }
    QString fileName() const { return m_fileName; }
    qint64 originNs() const { return m_originNs; }
    // Rows appended in this recording (the last row number given).
    qint64 rowCount() const { return m_rowCount; }
    // Rows complete in the file so far.
    qint64 rowsWritten() const { return m_rowsWritten.load(std::memory_order_relaxed); }

signals:
    // A write failed: the recording has ended, the file is closed and holds
    // `rowsInFile` complete rows. Emitted on the owner's thread, from its
    // event loop (within a fraction of a second) or from stop().
    void failed(const QString &reason, qint64 rowsInFile);

private:
    // Whole rows on their way to the file.
    struct Chunk
    {
        std::string bytes;
        qint64 rows = 0;
        // No quoted line break inside: every LF ends a row.
        bool lineFeedsEndRows = true;
        // The header line only.
        bool isHeader = false;
    };

    void beginRow(qint64 timeNs);
    void endRow();
    void handOver();
    // From the timer: hands pending rows over and sees a failed write.
    void onTick();
    void finish();
    void writeLoop();
    bool writeChunk(const Chunk &chunk);

    // Pending rows are handed over at this size, or from the timer, which
    // also looks for a failed write.
    static constexpr size_t chunkBytes = 64 * 1024;
    static constexpr int handOverIntervalMs = 250;
    static constexpr size_t spareChunks = 4;

    // The owner's thread.
    QString m_fileName;
    QString m_errorString;
    qint64 m_originNs = 0;
    qint64 m_rowCount = 0;
    bool m_recording = false;
    Chunk m_pending;
    QTimer m_handOverTimer;

    // Shared with the writer thread, under m_mutex.
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Chunk> m_queue;
    std::vector<std::string> m_spare;
    bool m_finishing = false;
    bool m_writeFailed = false;
    QString m_failureReason;

    // The writer thread's own while it runs.
    QFile m_file;
    qint64 m_bytesInFile = 0;

    std::atomic<qint64> m_rowsWritten{0};
    std::thread m_writer;
};

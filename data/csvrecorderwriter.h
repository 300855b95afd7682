#pragma once

// The recorder's writer thread: whole rows queued by the owner, written to
// the file (opened there, never on the owner's thread) in order.
#include "csvrecorder.h"

#include <QFile>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

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

struct CsvRecorder::Writer
{
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable ended;

    // Under `mutex`.
    std::deque<Chunk> queue;
    size_t queuedBytes = 0;
    std::vector<std::string> spare;
    bool finishing = false;
    bool openReturned = false;
    bool opened = false;
    // The owner stopped waiting: write nothing more.
    bool abandoned = false;
    bool writeFailed = false;
    bool done = false;
    QString failureReason;

    // The writer thread's own while it runs.
    QFile file;
    // Set: write to this open descriptor instead of opening the file.
    int descriptor = -1;
    qint64 bytesInFile = 0;

    std::atomic<qint64> rowsWritten{0};

    void run();
    bool write(const Chunk &chunk);
};

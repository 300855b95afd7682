#include "csvrecorderwriter.h"

#include "savedfile.h"

#include <algorithm>
#include <chrono>
#include <iterator>

namespace {

// Buffers kept for reuse rather than freed and allocated again.
constexpr size_t spareChunks = 4;

} // namespace

void CsvRecorder::Writer::run()
{
    // Here, not on the owner's thread: opening a pipe nobody reads, or a
    // file on a mount that hangs, does not return. Unbuffered: every
    // hand-over is one write, so the file stays readable while it grows and
    // a failed write is seen at once.
    const bool isOpen =
        descriptor >= 0
            ? file.open(descriptor, QIODevice::WriteOnly | QIODevice::Unbuffered,
                        QFileDevice::DontCloseHandle)
            : file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered);
    std::unique_lock<std::mutex> lock(mutex);
    openReturned = true;
    opened = isOpen;
    if (!isOpen && !abandoned) {
        writeFailed = true;
        failureReason = file.errorString();
        queue.clear();
        queuedBytes = 0;
    }
    while (isOpen) {
        wake.wait(lock, [this] { return !queue.empty() || finishing || abandoned; });
        if (queue.empty() || abandoned)
            break;
        Chunk chunk = std::move(queue.front());
        queue.pop_front();
        queuedBytes -= chunk.bytes.size();
        lock.unlock();
        const bool written = write(chunk);
        lock.lock();
        if (!written) {
            writeFailed = true;
            queue.clear();
            queuedBytes = 0;
            break;
        }
        if (spare.size() < spareChunks) {
            chunk.bytes.clear();
            spare.push_back(std::move(chunk.bytes));
        }
    }
    lock.unlock();
    file.close();
    lock.lock();
    done = true;
    ended.notify_all();
}

bool CsvRecorder::Writer::write(const Chunk &chunk)
{
    const char *const data = chunk.bytes.data();
    const qint64 size = qint64(chunk.bytes.size());
    qint64 sent = 0;
    while (sent < size) {
        const qint64 written = file.write(data + sent, size - sent);
        if (written > 0) {
            sent += written;
            continue;
        }
        {
            std::lock_guard<std::mutex> lock(mutex);
            failureReason = file.errorString();
        }
        // A partial write keeps its whole rows and loses the half one.
        qint64 keep = 0;
        qint64 rows = 0;
        if (!chunk.isHeader && chunk.lineFeedsEndRows && sent > 0) {
            const char *const lastEnd = std::find(std::make_reverse_iterator(data + sent),
                                                  std::make_reverse_iterator(data), '\n')
                                            .base();
            keep = qint64(lastEnd - data);
            rows = std::count(data, lastEnd, '\n');
        }
        if (sent > keep)
            file.resize(bytesInFile + keep);
        bytesInFile += keep;
        rowsWritten.fetch_add(rows, std::memory_order_relaxed);
        return false;
    }
    bytesInFile += size;
    rowsWritten.fetch_add(chunk.rows, std::memory_order_relaxed);
    return true;
}

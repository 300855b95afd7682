#include "csvrecorder.h"

#include "samplestore.h"

#include <algorithm>
#include <iterator>

CsvRecorder::CsvRecorder(QObject *parent) : QObject(parent)
{
    m_handOverTimer.setInterval(handOverIntervalMs);
    connect(&m_handOverTimer, &QTimer::timeout, this, &CsvRecorder::onTick);
}

CsvRecorder::~CsvRecorder()
{
    // No signal from here: whoever listens may be half destroyed already.
    if (m_recording)
        finish();
}

bool CsvRecorder::start(const QString &path, const QStringList &header, qint64 originNs)
{
    stop();
    m_fileName = path;
    m_errorString.clear();
    m_file.setFileName(path);
    // Unbuffered: every hand-over is one write, so the file stays readable
    // while it grows and a failed write is seen at once.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        m_errorString = m_file.errorString();
        return false;
    }
    m_originNs = originNs;
    m_rowCount = 0;
    m_rowsWritten.store(0);
    m_bytesInFile = 0;
    m_finishing = false;
    m_writeFailed = false;
    m_failureReason.clear();
    m_queue.clear();

    // The header goes through the writer too: a full disk is told the same
    // way whether it shows at the first line or later.
    Chunk headerChunk;
    headerChunk.isHeader = true;
    Csv::appendLine(headerChunk.bytes, header);
    m_queue.push_back(std::move(headerChunk));

    m_pending = Chunk{};
    m_pending.bytes.reserve(chunkBytes + 256);
    m_recording = true;
    m_writer = std::thread(&CsvRecorder::writeLoop, this);
    m_handOverTimer.start();
    return true;
}

void CsvRecorder::appendRow(qint64 timeNs, const QStringList &values)
{
    if (!m_recording)
        return;
    beginRow(timeNs);
    for (const QString &value : values) {
        m_pending.bytes += ',';
        if (Csv::appendField(m_pending.bytes, value))
            m_pending.lineFeedsEndRows = false;
    }
    endRow();
}

void CsvRecorder::appendRow(qint64 timeNs, const int *values, int count, quint32 presentMask)
{
    if (!m_recording)
        return;
    beginRow(timeNs);
    std::string &out = m_pending.bytes;
    for (int i = 0; i < count; ++i) {
        out += ',';
        if (i >= 32 || ((presentMask >> i) & 1u))
            Csv::appendInteger(out, values[i]);
    }
    endRow();
}

void CsvRecorder::appendSample(const Sample &sample)
{
    appendRow(sample.timeNs, sample.values.data(), Sample::channelCount, sample.validMask);
}

void CsvRecorder::beginRow(qint64 timeNs)
{
    Csv::appendInteger(m_pending.bytes, ++m_rowCount);
    m_pending.bytes += ',';
    Csv::appendSeconds(m_pending.bytes, timeNs - m_originNs);
}

void CsvRecorder::endRow()
{
    m_pending.bytes += '\n';
    ++m_pending.rows;
    if (m_pending.bytes.size() >= chunkBytes)
        handOver();
}

void CsvRecorder::handOver()
{
    if (m_pending.bytes.empty())
        return;
    std::string next;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_writeFailed)
            m_queue.push_back(std::move(m_pending));
        if (!m_spare.empty()) {
            next = std::move(m_spare.back());
            m_spare.pop_back();
        }
    }
    m_wake.notify_one();
    m_pending = Chunk{};
    m_pending.bytes = std::move(next);
    m_pending.bytes.clear();
    m_pending.bytes.reserve(chunkBytes + 256);
}

qint64 CsvRecorder::stop()
{
    if (!m_recording)
        return rowsWritten();
    finish();
    if (m_writeFailed)
        emit failed(m_failureReason, rowsWritten());
    return rowsWritten();
}

void CsvRecorder::finish()
{
    handOver();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_finishing = true;
    }
    m_wake.notify_one();
    if (m_writer.joinable())
        m_writer.join();
    m_handOverTimer.stop();
    m_recording = false;
    m_pending = Chunk{};
    m_spare.clear();
}

void CsvRecorder::onTick()
{
    handOver();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_writeFailed)
            return;
    }
    // The writer has closed the file and ended already.
    finish();
    emit failed(m_failureReason, rowsWritten());
}

void CsvRecorder::writeLoop()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return !m_queue.empty() || m_finishing; });
        if (m_queue.empty())
            break;
        Chunk chunk = std::move(m_queue.front());
        m_queue.pop_front();
        lock.unlock();
        const bool written = writeChunk(chunk);
        lock.lock();
        if (!written) {
            m_writeFailed = true;
            m_queue.clear();
            break;
        }
        if (m_spare.size() < spareChunks) {
            chunk.bytes.clear();
            m_spare.push_back(std::move(chunk.bytes));
        }
    }
    lock.unlock();
    m_file.close();
}

bool CsvRecorder::writeChunk(const Chunk &chunk)
{
    const char *const data = chunk.bytes.data();
    const qint64 size = qint64(chunk.bytes.size());
    qint64 done = 0;
    while (done < size) {
        const qint64 written = m_file.write(data + done, size - done);
        if (written > 0) {
            done += written;
            continue;
        }
        m_failureReason = m_file.errorString();
        // A partial write keeps its whole rows and loses the half one.
        qint64 keep = 0;
        qint64 rows = 0;
        if (!chunk.isHeader && chunk.lineFeedsEndRows && done > 0) {
            const char *const lastEnd = std::find(std::make_reverse_iterator(data + done),
                                                  std::make_reverse_iterator(data), '\n')
                                            .base();
            keep = qint64(lastEnd - data);
            rows = std::count(data, lastEnd, '\n');
        }
        if (done > keep)
            m_file.resize(m_bytesInFile + keep);
        m_bytesInFile += keep;
        m_rowsWritten.fetch_add(rows, std::memory_order_relaxed);
        return false;
    }
    m_bytesInFile += size;
    m_rowsWritten.fetch_add(chunk.rows, std::memory_order_relaxed);
    return true;
}

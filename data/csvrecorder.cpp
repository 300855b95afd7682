#include "csvrecorder.h"

#include "csvrecorderwriter.h"
#include "readingintake.h"
#include "samplestore.h"
#include "savedfile.h"

#include <QFile>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <iterator>
#include <mutex>

CsvRecorder::CsvRecorder(QObject *parent, size_t queueLimitBytes)
    : QObject(parent), m_queueLimitBytes(queueLimitBytes)
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

qint64 CsvRecorder::rowsWritten() const
{
    return m_writer ? m_writer->rowsWritten.load(std::memory_order_relaxed) : 0;
}

bool CsvRecorder::fileOpened() const
{
    if (!m_writer)
        return false;
    std::lock_guard<std::mutex> lock(m_writer->mutex);
    return m_writer->opened;
}

void CsvRecorder::start(const QString &path, const QStringList &header, qint64 originNs,
                        qint64 rowsBefore)
{
    stop();
    m_fileName = path;
    // A new writer each time: the last one may still hang in a write.
    auto writer = std::make_shared<Writer>();
    writer->file.setFileName(path);
    begin(writer, header, originNs, rowsBefore);
}

void CsvRecorder::startOnDescriptor(int descriptor, const QString &name,
                                    const QStringList &header, qint64 originNs,
                                    qint64 rowsBefore)
{
    stop();
    m_fileName = name;
    auto writer = std::make_shared<Writer>();
    writer->descriptor = descriptor;
    begin(writer, header, originNs, rowsBefore);
}

void CsvRecorder::begin(const std::shared_ptr<Writer> &writer, const QStringList &header,
                        qint64 originNs, qint64 rowsBefore)
{
    m_writer = writer;
    m_sinceStart.start();
    m_originNs = originNs;
    m_rowCount = rowsBefore;
    m_failureReason.clear();
    // The row number, time_s and the inputs come first.
    m_computedColumns = std::max(int(header.size()) - 2 - Sample::channelCount, 0);
    m_computedNames = header.mid(2 + Sample::channelCount);
    m_sources.clear();
    m_matchedNames = QStringList();

    // The header goes through the writer too: a full disk is told the same
    // way whether it shows at the first line or later.
    Chunk headerChunk;
    headerChunk.isHeader = true;
    Csv::appendLine(headerChunk.bytes, header);
    m_bytesAppended = qint64(headerChunk.bytes.size());
    m_writer->queuedBytes = headerChunk.bytes.size();
    m_writer->queue.push_back(std::move(headerChunk));

    m_pending.clear();
    m_pending.reserve(chunkBytes + 256);
    m_pendingRows = 0;
    m_pendingLineFeedsEndRows = true;
    m_recording = true;
    // The thread holds the writer for as long as it runs.
    m_writerThread = std::thread([writer] { writer->run(); });
    m_handOverTimer.start();
}

void CsvRecorder::appendRow(qint64 timeNs, const QStringList &values)
{
    if (!m_recording)
        return;
    beginRow(timeNs);
    for (const QString &value : values) {
        m_pending += ',';
        if (Csv::appendField(m_pending, value))
            m_pendingLineFeedsEndRows = false;
    }
    endRow();
}

void CsvRecorder::appendRow(qint64 timeNs, const int *values, int count, quint32 presentMask)
{
    if (!m_recording)
        return;
    writeIntegers(timeNs, values, count, presentMask);
    endRow();
}

void CsvRecorder::appendSample(const Sample &sample, const double *computed, int count)
{
    if (!m_recording)
        return;
    writeIntegers(sample.timeNs, sample.values.data(), Sample::channelCount, sample.validMask);
    for (int i = 0; i < m_computedColumns; ++i) {
        m_pending += ',';
        if (i < count)
            Csv::appendNumber(m_pending, computed[i]);
    }
    endRow();
}

void CsvRecorder::takeSample(const Sample &sample, const double *computed,
                             const QStringList &computedNames)
{
    if (!m_recording)
        return;
    // The names change with the channels, seldom: the same list is given
    // again until then.
    if (m_sources.size() != size_t(m_computedColumns)
        || !computedNames.isSharedWith(m_matchedNames)) {
        m_matchedNames = computedNames;
        m_sources.clear();
        for (const QString &name : qAsConst(m_computedNames))
            m_sources.push_back(int(computedNames.indexOf(name)));
        m_matched.resize(m_sources.size());
    }
    for (size_t column = 0; column < m_sources.size(); ++column) {
        const int source = m_sources[column];
        m_matched[column] = source < 0 ? qQNaN() : computed[source];
    }
    appendSample(sample, m_matched.data(), int(m_matched.size()));
}

void CsvRecorder::takeReading(const Reading &reading)
{
    appendRow(reading.readNs, reading.cells);
}

void CsvRecorder::writeIntegers(qint64 timeNs, const int *values, int count, quint32 presentMask)
{
    // Written in place, in room for the longest row: a million rows a
    // second leave no time for an append per cell.
    m_rowStart = m_pending.size();
    m_pending.resize(m_rowStart + size_t(count + 2) * (Csv::maxNumberChars + 1));
    char *const begin = &m_pending[0];
    char *p = Csv::writeInteger(begin + m_rowStart, ++m_rowCount);
    *p++ = ',';
    p = Csv::writeSeconds(p, timeNs - m_originNs);
    for (int i = 0; i < count; ++i) {
        *p++ = ',';
        if (i >= 32 || ((presentMask >> i) & 1u))
            p = Csv::writeInteger(p, values[i]);
    }
    m_pending.resize(size_t(p - begin));
}

void CsvRecorder::beginRow(qint64 timeNs)
{
    m_rowStart = m_pending.size();
    Csv::appendInteger(m_pending, ++m_rowCount);
    m_pending += ',';
    Csv::appendSeconds(m_pending, timeNs - m_originNs);
}

void CsvRecorder::endRow()
{
    m_pending += '\n';
    countRow();
}

void CsvRecorder::countRow()
{
    ++m_pendingRows;
    m_bytesAppended += qint64(m_pending.size() - m_rowStart);
    if (m_pending.size() >= chunkBytes)
        handOver();
}

void CsvRecorder::handOver()
{
    if (m_pending.empty())
        return;
    Chunk chunk;
    chunk.bytes = std::move(m_pending);
    chunk.rows = m_pendingRows;
    chunk.lineFeedsEndRows = m_pendingLineFeedsEndRows;
    std::string next;
    {
        std::lock_guard<std::mutex> lock(m_writer->mutex);
        if (m_writer->queuedBytes + chunk.bytes.size() > m_queueLimitBytes
            && !m_writer->writeFailed) {
            // The disk does not take the rows as fast as they come: rather
            // than hold ever more of them, the recording ends here, with
            // what the disk takes of the queue while stopping waits for it.
            m_writer->writeFailed = true;
            m_writer->failureReason = tr("the disk could not keep up");
        }
        if (!m_writer->writeFailed) {
            m_writer->queuedBytes += chunk.bytes.size();
            m_writer->queue.push_back(std::move(chunk));
        }
        if (!m_writer->spare.empty()) {
            next = std::move(m_writer->spare.back());
            m_writer->spare.pop_back();
        }
    }
    m_writer->wake.notify_one();
    m_pending = std::move(next);
    m_pending.clear();
    m_pending.reserve(chunkBytes + 256);
    m_pendingRows = 0;
    m_pendingLineFeedsEndRows = true;
}

qint64 CsvRecorder::stop()
{
    if (!m_recording)
        return rowsWritten();
    finish();
    if (!m_failureReason.isEmpty())
        emit failed(m_failureReason, rowsWritten());
    return rowsWritten();
}

void CsvRecorder::finish()
{
    handOver();
    std::unique_lock<std::mutex> lock(m_writer->mutex);
    m_writer->finishing = true;
    m_writer->wake.notify_one();
    // An abandoned writer is not waited for: it hangs.
    m_writer->ended.wait_for(lock, std::chrono::milliseconds(finishWaitMs),
                             [this] { return m_writer->done || m_writer->abandoned; });
    const bool ended = m_writer->done;
    if (!ended) {
        // The open or a write hangs (a stalled mount, a pipe nobody reads):
        // the writer ends when it returns, without writing more, and the
        // rows still queued are lost.
        if (!m_writer->writeFailed) {
            m_writer->writeFailed = true;
            m_writer->failureReason = m_writer->openReturned ? tr("the disk could not keep up")
                                                             : SavedFile::notOpenedInTime();
        }
        m_writer->abandoned = true;
    }
    if (m_writer->writeFailed)
        m_failureReason = m_writer->failureReason;
    lock.unlock();
    if (ended)
        m_writerThread.join();
    else
        m_writerThread.detach();
    m_handOverTimer.stop();
    m_recording = false;
    m_pending = std::string();
    m_pendingRows = 0;
}

void CsvRecorder::onTick()
{
    handOver();
    {
        std::lock_guard<std::mutex> lock(m_writer->mutex);
        if (!m_writer->openReturned && !m_writer->writeFailed
            && m_sinceStart.hasExpired(openWaitMs)) {
            m_writer->writeFailed = true;
            m_writer->failureReason = SavedFile::notOpenedInTime();
            m_writer->abandoned = true;
        }
        if (!m_writer->writeFailed)
            return;
    }
    // The writer has ended, or ends with the write it is in.
    finish();
    emit failed(m_failureReason, rowsWritten());
}

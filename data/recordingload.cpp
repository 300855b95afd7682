#include "recordingload.h"

#include <thread>

struct RecordingLoad::Shared
{
    ReadProgress progress;
    std::mutex mutex;
    bool done = false;
    std::shared_ptr<const Recording> recording;
    QString error;
};

RecordingLoad::RecordingLoad(const QString &path, QObject *parent)
    : QObject(parent), m_path(path), m_shared(std::make_shared<Shared>())
{
    // The thread holds what it works on for as long as it runs.
    std::thread([shared = m_shared, path] {
        QString error;
        std::optional<Recording> read = readRecordingFile(path, &shared->progress, &error);
        std::lock_guard<std::mutex> lock(shared->mutex);
        if (read)
            shared->recording = std::make_shared<const Recording>(std::move(*read));
        shared->error = error;
        shared->done = true;
    }).detach();
    connect(&m_poll, &QTimer::timeout, this, &RecordingLoad::poll);
    m_poll.start(pollIntervalMs);
}

RecordingLoad::~RecordingLoad()
{
    m_shared->progress.cancelled = true;
}

double RecordingLoad::fraction() const
{
    const qint64 total = m_shared->progress.bytesTotal;
    return total > 0 ? double(m_shared->progress.bytesRead) / double(total) : 0.0;
}

void RecordingLoad::poll()
{
    QString instrument;
    {
        std::lock_guard<std::mutex> lock(m_shared->progress.mutex);
        instrument = m_shared->progress.instrument;
    }
    bool done = false;
    {
        std::lock_guard<std::mutex> lock(m_shared->mutex);
        done = m_shared->done;
        if (done) {
            m_recording = std::move(m_shared->recording);
            m_error = m_shared->error;
        }
    }
    if (!m_instrumentTold && (!instrument.isEmpty() || (done && m_recording))) {
        m_instrumentTold = true;
        emit instrumentFound(m_recording ? m_recording->instrument : instrument);
    }
    if (done) {
        m_poll.stop();
        emit finished();
    } else {
        emit progressed(fraction());
    }
}

#include "savedfile.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>

namespace {

// What the file says went wrong; where it says nothing useful, what the
// system said last (`error`, errno right after the failing call).
QString reasonOf(const QFileDevice &file, int error)
{
    if (file.error() != QFileDevice::NoError && !file.errorString().isEmpty()
        && file.errorString() != QLatin1String("Unknown error"))
        return file.errorString();
    return QString::fromLocal8Bit(std::strerror(error != 0 ? error : EIO));
}

} // namespace

struct SavedFile::Job
{
    std::mutex mutex;
    std::condition_variable wake;

    // Under `mutex`.
    std::deque<std::string> queue;
    size_t queuedBytes = 0;
    bool lastQueued = false;
    // The owner stopped waiting: write nothing more, replace nothing.
    bool abandoned = false;
    bool openReturned = false;
    bool done = false;
    QString failure;
    // Told when a block has gone to the file or the save has ended; null
    // once it no longer listens.
    SavedFile *owner = nullptr;
    bool ownerTold = false;

    bool keepExisting = false;

    void run(const QString &path);
    QString write(const QString &path);
    // Under `mutex`.
    void tellOwner();
};

void SavedFile::Job::tellOwner()
{
    if (!owner || ownerTold)
        return;
    ownerTold = true;
    QMetaObject::invokeMethod(owner, &SavedFile::onJobChanged, Qt::QueuedConnection);
}

void SavedFile::Job::run(const QString &path)
{
    const QString reason = write(path);
    std::lock_guard<std::mutex> lock(mutex);
    failure = reason;
    done = true;
    tellOwner();
}

QString SavedFile::Job::write(const QString &path)
{
    // Even this look at the name is made here: on a mount that hangs, it
    // hangs too.
    const QFileInfo existing(path);
    if (keepExisting && existing.exists())
        return SavedFile::alreadyExists();
    std::unique_ptr<QFileDevice> file;
    if (existing.exists() && !existing.isFile())
        file = std::make_unique<QFile>(path);
    else
        file = std::make_unique<QSaveFile>(path);
    errno = 0;
    const bool opened = file->open(QIODevice::WriteOnly);
    const int openError = errno;
    {
        std::lock_guard<std::mutex> lock(mutex);
        openReturned = true;
        if (abandoned)
            return {};
    }
    if (!opened)
        return reasonOf(*file, openError);
    for (;;) {
        std::string block;
        {
            std::unique_lock<std::mutex> lock(mutex);
            wake.wait(lock, [this] { return !queue.empty() || lastQueued || abandoned; });
            // An unfinished QSaveFile goes with `file`, the earlier one stays.
            if (abandoned)
                return {};
            if (queue.empty())
                break;
            block = std::move(queue.front());
            queue.pop_front();
            queuedBytes -= block.size();
            tellOwner();
        }
        errno = 0;
        if (file->write(block.data(), qint64(block.size())) != qint64(block.size()))
            return reasonOf(*file, errno);
    }
    // flush() before commit(): commit() takes no notice of a failed last
    // flush, and would put a cut-off file in place of the earlier one.
    errno = 0;
    if (!file->flush())
        return reasonOf(*file, errno);
    if (auto *saveFile = qobject_cast<QSaveFile *>(file.get())) {
        errno = 0;
        if (!saveFile->commit())
            return reasonOf(*file, errno);
    }
    return {};
}

SavedFile::SavedFile(const QString &path, Source source, QObject *parent)
    : QObject(parent), m_path(path), m_source(std::move(source))
{
    // Zero: a block between the events, as long as the queue has room.
    m_feedTimer.setInterval(0);
    connect(&m_feedTimer, &QTimer::timeout, this, &SavedFile::feed);
    m_openTimer.setSingleShot(true);
    m_openTimer.setInterval(openWaitMs);
    connect(&m_openTimer, &QTimer::timeout, this, &SavedFile::onOpenWaitOver);
}

SavedFile::~SavedFile()
{
    cancel();
}

void SavedFile::start()
{
    if (m_running)
        return;
    m_running = true;
    m_sourceDone = false;
    m_job = std::make_shared<Job>();
    m_job->owner = this;
    m_job->keepExisting = m_keepsExisting;
    // Detached: a thread that hangs in open() or write() must not hold up
    // the program's end. It holds the job for as long as it runs.
    std::thread([job = m_job, path = m_path] { job->run(path); }).detach();
    m_openTimer.start();
    m_feedTimer.start();
}

void SavedFile::cancel()
{
    if (m_running)
        abandon();
}

void SavedFile::abandon()
{
    {
        std::lock_guard<std::mutex> lock(m_job->mutex);
        m_job->abandoned = true;
        m_job->owner = nullptr;
        m_job->queue.clear();
        m_job->queuedBytes = 0;
    }
    m_job->wake.notify_one();
    m_feedTimer.stop();
    m_openTimer.stop();
    m_running = false;
}

void SavedFile::feed()
{
    {
        std::lock_guard<std::mutex> lock(m_job->mutex);
        // Full: the thread says when it has taken a block.
        if (m_job->queuedBytes >= queueLimitBytes) {
            m_feedTimer.stop();
            return;
        }
    }
    std::string block;
    block.reserve(blockBytes + blockBytes / 8);
    const double share = m_source(block);
    m_sourceDone = share >= 1;
    {
        std::lock_guard<std::mutex> lock(m_job->mutex);
        m_job->queuedBytes += block.size();
        m_job->queue.push_back(std::move(block));
        m_job->lastQueued = m_sourceDone;
    }
    m_job->wake.notify_one();
    if (m_sourceDone)
        m_feedTimer.stop();
    emit progressed(share);
}

void SavedFile::onJobChanged()
{
    if (!m_running)
        return;
    QString failure;
    {
        std::lock_guard<std::mutex> lock(m_job->mutex);
        m_job->ownerTold = false;
        if (!m_job->done) {
            if (!m_sourceDone && m_job->queuedBytes < queueLimitBytes && !m_feedTimer.isActive())
                m_feedTimer.start();
            return;
        }
        failure = m_job->failure;
    }
    end(failure);
}

void SavedFile::onOpenWaitOver()
{
    {
        std::lock_guard<std::mutex> lock(m_job->mutex);
        if (m_job->openReturned)
            return;
    }
    abandon();
    emit finished(notOpenedInTime());
}

void SavedFile::end(const QString &failure)
{
    {
        std::lock_guard<std::mutex> lock(m_job->mutex);
        m_job->owner = nullptr;
        m_job->queue.clear();
    }
    m_feedTimer.stop();
    m_openTimer.stop();
    m_running = false;
    emit finished(failure);
}

QString SavedFile::write(const QString &path, Source source)
{
    SavedFile file(path, std::move(source));
    QEventLoop loop;
    QString failure;
    connect(&file, &SavedFile::finished, &loop, [&](const QString &reason) {
        failure = reason;
        loop.quit();
    });
    file.start();
    loop.exec();
    return failure;
}

SavedFile::Source SavedFile::bytes(const QByteArray &bytes)
{
    return [bytes](std::string &out) {
        out.append(bytes.constData(), size_t(bytes.size()));
        return 1.0;
    };
}

QString SavedFile::alreadyExists()
{
    return tr("a file of that name is there already");
}

QString SavedFile::notOpenedInTime()
{
    return tr("it could not be opened within a second (nothing reads from it, or its disk "
              "does not answer)");
}

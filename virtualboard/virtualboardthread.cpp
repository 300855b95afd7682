#include "virtualboardthread.h"

#include "virtualboard.h"

#include <ctime>

VirtualBoardThread::VirtualBoardThread(int frameRate, QObject *parent) : QThread(parent), m_frameRate(frameRate)
{
}

VirtualBoardThread::~VirtualBoardThread()
{
    stopBoard();
}

bool VirtualBoardThread::startBoard()
{
    start();
    QMutexLocker lock(&m_mutex);
    while (!m_ready)
        m_started.wait(&m_mutex);
    return m_ok;
}

void VirtualBoardThread::stopBoard()
{
    quit();
    wait();
}

QString VirtualBoardThread::devicePath() const
{
    QMutexLocker lock(&m_mutex);
    return m_devicePath;
}

void VirtualBoardThread::setDevicePath(const QString &path)
{
    QMutexLocker lock(&m_mutex);
    m_devicePath = path;
}

void VirtualBoardThread::replug(int delayMs)
{
    QMutexLocker lock(&m_mutex);
    if (!m_board)
        return;
    m_devicePath.clear();
    QMetaObject::invokeMethod(m_board, [board = m_board, delayMs] { board->replug(delayMs); });
}

double VirtualBoardThread::cpuSeconds() const
{
    QMutexLocker lock(&m_mutex);
    clockid_t clock;
    timespec now{};
    if (!m_ready || !isRunning() || pthread_getcpuclockid(m_thread, &clock) != 0
        || clock_gettime(clock, &now) != 0)
        return 0;
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

qint64 VirtualBoardThread::droppedBytes() const
{
    QMutexLocker lock(&m_mutex);
    return m_droppedBytes;
}

QString VirtualBoardThread::errorString() const
{
    QMutexLocker lock(&m_mutex);
    return m_errorString;
}

void VirtualBoardThread::run()
{
    VirtualBoard board;
    board.setFrameRate(m_frameRate);
    const bool ok = board.start();
    {
        QMutexLocker lock(&m_mutex);
        m_ok = ok;
        m_devicePath = board.devicePath();
        m_errorString = board.errorString();
        m_thread = pthread_self();
        m_board = &board;
        m_ready = true;
        m_started.wakeAll();
    }
    // On the board's thread: the path is guarded by the mutex.
    connect(&board, &VirtualBoard::plugged, this, &VirtualBoardThread::setDevicePath,
            Qt::DirectConnection);
    if (ok)
        exec();
    QMutexLocker lock(&m_mutex);
    m_board = nullptr;
    m_droppedBytes = board.droppedBytes();
}

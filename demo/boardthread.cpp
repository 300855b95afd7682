#include "boardthread.h"

#include "virtualboard.h"

BoardThread::BoardThread(int frameRate, QObject *parent) : QThread(parent), m_frameRate(frameRate)
{
}

BoardThread::~BoardThread()
{
    stopBoard();
}

bool BoardThread::startBoard()
{
    start();
    QMutexLocker lock(&m_mutex);
    while (!m_ready)
        m_started.wait(&m_mutex);
    return m_ok;
}

void BoardThread::stopBoard()
{
    quit();
    wait();
}

QString BoardThread::devicePath() const
{
    QMutexLocker lock(&m_mutex);
    return m_devicePath;
}

QString BoardThread::errorString() const
{
    QMutexLocker lock(&m_mutex);
    return m_errorString;
}

void BoardThread::run()
{
    VirtualBoard board;
    board.setFrameRate(m_frameRate);
    const bool ok = board.start();
    {
        QMutexLocker lock(&m_mutex);
        m_ok = ok;
        m_devicePath = board.devicePath();
        m_errorString = board.errorString();
        m_ready = true;
        m_started.wakeAll();
    }
    if (ok)
        exec();
}

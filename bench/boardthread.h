#pragma once

#include "virtualboard.h"

#include <QMutex>
#include <QThread>
#include <QWaitCondition>

#include <pthread.h>
#include <time.h>

// A virtual board streaming on a thread of its own, so the panel's thread
// never paces it, and so its CPU can be told apart from the panel's.
class StreamingBoard : public QThread
{
public:
    explicit StreamingBoard(int frameRate) : m_frameRate(frameRate) {}
    ~StreamingBoard() override { finish(); }

    // Starts the thread; returns the board's device path once it is open.
    QString begin()
    {
        QMutexLocker lock(&m_mutex);
        start();
        while (!m_ready)
            m_started.wait(&m_mutex);
        return m_path;
    }

    void finish()
    {
        quit();
        wait();
    }

    // CPU the board's thread has used so far, in seconds.
    double cpuSeconds() const
    {
        clockid_t clock;
        timespec now{};
        if (pthread_getcpuclockid(m_thread, &clock) != 0 || clock_gettime(clock, &now) != 0)
            return 0;
        return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
    }

    // Bytes the board dropped because the panel did not read them in time;
    // valid after finish().
    qint64 droppedBytes() const { return m_dropped; }

protected:
    void run() override
    {
        VirtualBoard board;
        board.setFrameRate(m_frameRate);
        {
            QMutexLocker lock(&m_mutex);
            if (!board.start())
                qFatal("virtual board: %s", qPrintable(board.errorString()));
            m_path = board.devicePath();
            m_thread = pthread_self();
            m_ready = true;
            m_started.wakeAll();
        }
        exec();
        m_dropped = board.droppedBytes();
    }

private:
    const int m_frameRate;
    QMutex m_mutex;
    QWaitCondition m_started;
    bool m_ready = false;
    QString m_path;
    pthread_t m_thread{};
    qint64 m_dropped = 0;
};

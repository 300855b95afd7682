#pragma once

#include <QMutex>
#include <QString>
#include <QThread>
#include <QWaitCondition>

#include <pthread.h>

// A virtual board on a thread of its own, so the panel's waits, modal boxes
// and redraws never hold up its stream, and its CPU can be told apart from
// the panel's. The board is created, run and destroyed on that thread, which
// keeps its timers and notifiers there.
class VirtualBoard;

class VirtualBoardThread : public QThread
{
    Q_OBJECT

public:
    explicit VirtualBoardThread(int frameRate, QObject *parent = nullptr);
    ~VirtualBoardThread() override;

    // Starts the thread and waits until the board's pseudo-terminal is open.
    // False, with errorString(), when it could not be opened.
    bool startBoard();
    // Ends the board's event loop and waits until the board is destroyed.
    void stopBoard();

    // Where the board is now; empty while it is unplugged.
    QString devicePath() const;
    // Pulls the board's cable and plugs it back in after `delayMs`, as a
    // board fresh from a reset, on a new pseudo-terminal.
    void replug(int delayMs);
    QString errorString() const;

    // CPU the board's thread has used so far, in seconds.
    double cpuSeconds() const;
    // Bytes the board dropped because the panel did not read them in time;
    // valid after stopBoard().
    qint64 droppedBytes() const;

protected:
    void run() override;

private:
    void setDevicePath(const QString &path);

private:
    const int m_frameRate;
    mutable QMutex m_mutex;
    QWaitCondition m_started;
    bool m_ready = false;
    bool m_ok = false;
    QString m_devicePath;
    QString m_errorString;
    pthread_t m_thread{};
    VirtualBoard *m_board = nullptr;
    qint64 m_droppedBytes = 0;
};

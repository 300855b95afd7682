#pragma once

#include <QMutex>
#include <QString>
#include <QThread>
#include <QWaitCondition>

// A virtual board on a thread of its own, so the panel's waits, modal boxes
// and redraws never hold up its stream. The board is created, run and
// destroyed on that thread, which keeps its timers and notifiers there.
class BoardThread : public QThread
{
    Q_OBJECT

public:
    explicit BoardThread(int frameRate, QObject *parent = nullptr);
    ~BoardThread() override;

    // Starts the thread and waits until the board's pseudo-terminal is open.
    // False, with errorString(), when it could not be opened.
    bool startBoard();
    // Ends the board's event loop and waits until the board is destroyed.
    void stopBoard();

    QString devicePath() const;
    QString errorString() const;

protected:
    void run() override;

private:
    const int m_frameRate;
    mutable QMutex m_mutex;
    QWaitCondition m_started;
    bool m_ready = false;
    bool m_ok = false;
    QString m_devicePath;
    QString m_errorString;
};

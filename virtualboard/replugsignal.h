#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGUSR1 into a Qt signal, so `kill -USR1 <pid>` can pull the virtual
// board's cable and plug it back in. One per process.
class ReplugSignal : public QObject
{
    Q_OBJECT

public:
    explicit ReplugSignal(QObject *parent = nullptr);
    ~ReplugSignal() override;

signals:
    void requested();

private:
    void drain();

    QSocketNotifier *m_notifier = nullptr;
};

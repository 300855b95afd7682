#pragma once

#include "recordingreader.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

// Reads a recording on a thread of its own, so that the window's thread
// never opens the file (a FIFO or a hung mount would block it), and tells
// the owner's thread what came of it. Destroying it abandons the reading;
// the thread ends on its own, with the next block or when its open returns.
class RecordingLoad : public QObject
{
    Q_OBJECT

public:
    // Starts at once.
    explicit RecordingLoad(const QString &path, QObject *parent = nullptr);
    ~RecordingLoad() override;

    QString path() const { return m_path; }
    // The bytes read so far of those there were, 0 to 1.
    double fraction() const;
    // Once finished: the recording, or none and error() says why.
    std::shared_ptr<const Recording> recording() const { return m_recording; }
    QString error() const { return m_error; }

    static constexpr int pollIntervalMs = 20;

signals:
    // The header named the instrument (before the rows are read).
    void instrumentFound(const QString &instrument);
    void progressed(double fraction);
    void finished();

private:
    struct Shared;
    void poll();

    const QString m_path;
    std::shared_ptr<Shared> m_shared;
    QTimer m_poll;
    bool m_instrumentTold = false;
    std::shared_ptr<const Recording> m_recording;
    QString m_error;
};

#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>

// The one way a file the user asked for is written (an export, an image):
// whole or not at all. Opening, writing and committing happen on a thread of
// their own, so a pipe nobody reads or a mount that hangs never holds up the
// caller; the caller's thread makes the bytes a block at a time between its
// events, and no more than `queueLimitBytes` of them wait for the disk, so a
// large file is never held whole. A name that is not a plain file (a pipe, a
// device) is written into, not replaced. Use it from one thread, the one
// that owns it.
class SavedFile : public QObject
{
    Q_OBJECT

public:
    // Appends the next bytes of the file to `out`, about blockBytes of them,
    // and returns how much of the file has been made, from 0 to 1: exactly 1
    // once the last bytes are in `out`. Called on the owner's thread, from its
    // event loop, until it returns 1.
    using Source = std::function<double(std::string &out)>;

    static constexpr size_t blockBytes = 1024 * 1024;
    static constexpr size_t queueLimitBytes = 4 * blockBytes;
    // A file not open after this long fails the save.
    static constexpr int openWaitMs = 1000;

    SavedFile(const QString &path, Source source, QObject *parent = nullptr);
    // Gives up a save that has not finished, as cancel() does.
    ~SavedFile() override;

    // A file already at `path` is left alone and the save fails with
    // alreadyExists(), rather than replacing it. Set before start().
    void setKeepsExisting(bool keep) { m_keepsExisting = keep; }
    static QString alreadyExists();

    // Begins; returns at once.
    void start();
    // Gives up the save: the earlier file stays as it was, and finished()
    // does not come. A thread that hangs in the system is left to end on
    // its own.
    void cancel();

    // Replaces `path` with what `source` makes, and returns the failure (an
    // empty string on success). Runs an event loop of its own meanwhile.
    static QString write(const QString &path, Source source);
    // A source of these bytes, in one block.
    static Source bytes(const QByteArray &bytes);
    // Why a file that did not open within openWaitMs was not written.
    static QString notOpenedInTime();

signals:
    // How much of the file has been made so far, from 0 to 1.
    void progressed(double share);
    // The save has ended: `failure` is empty when every byte reached the
    // file, else the system's reason ("No space left on device").
    void finished(const QString &failure);

private:
    // What the thread works on; it outlives the owner when the thread hangs.
    struct Job;

    void feed();
    void onJobChanged();
    void onOpenWaitOver();
    void abandon();
    void end(const QString &failure);

    const QString m_path;
    Source m_source;
    bool m_sourceDone = false;
    bool m_running = false;
    bool m_keepsExisting = false;
    QTimer m_feedTimer;
    QTimer m_openTimer;
    std::shared_ptr<Job> m_job;
};

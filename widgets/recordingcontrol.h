#pragma once

#include "csvrecorder.h"
#include "instrumentprotocol.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class QAction;
class QWidget;

// "Start Recording…" / "Stop Recording" (Ctrl+R) for a window that records
// what the board sends: asks for the file, runs the recorder, and tells the
// user when a file cannot be opened or a failed write ends the recording.
// The window adds action() to itself, so the shortcut works anywhere in it,
// and to its context menu; it appends every row to recorder() and calls
// stop() on its stop path, before the port closes.
class RecordingControl : public QObject
{
    Q_OBJECT

public:
    // The instrument's name starts the suggested file name
    // ("osciloscope-…csv"); its recording header is the file's first line,
    // with the computed columns `computedFrom` names at the start, if any.
    RecordingControl(QWidget *window, const InstrumentProtocol &instrument,
                     const SampleStore *computedFrom = nullptr);
    ~RecordingControl() override;

    QAction *action() const { return m_action; }

    bool isRecording() const { return m_recorder.isRecording(); }
    // Append rows here; it ignores them when not recording.
    CsvRecorder &recorder() { return m_recorder; }
    // The path of the running (or last) recording.
    QString fileName() const { return m_recorder.fileName(); }
    qint64 rowCount() const { return m_recorder.rowCount(); }
    // "● REC <file name> <n> samples", for the plot's corner.
    QString overlayText() const;

    // Asks for the file with the dialog titled "Record Data", then starts.
    void askAndStart();
    // Starts recording to `path`; a file that cannot be opened ends the
    // recording soon after, and the user is told in a box.
    void start(const QString &path);
    // Writes everything left and closes the file; returns the rows it holds.
    qint64 stop();

    // Runs the action's work (which may show a dialog, a loop of its own)
    // through `guard`, so the window can hold a close until it is done.
    using Guard = std::function<void(const std::function<void()> &work)>;
    void setGuard(Guard guard) { m_guard = std::move(guard); }

signals:
    // Recording began or ended, by the user, by stop() or by a failed write.
    void recordingChanged(bool recording);

private:
    void toggle();
    void onWriteFailed(const QString &reason, qint64 rowsInFile);
    // Brings the action's text and recordingChanged in line with the recorder.
    void announce();

    const QPointer<QWidget> m_window;
    const InstrumentProtocol &m_instrument;
    const SampleStore *const m_computedFrom;
    CsvRecorder m_recorder;
    QAction *const m_action;
    bool m_announcedRecording = false;
    Guard m_guard;
};

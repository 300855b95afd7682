#pragma once

#include "boardlink.h"
#include "closeguard.h"
#include "rawdatawindow.h"
#include "readingchart.h"
#include "readinghistory.h"
#include "readingintake.h"

#include <QDialog>
#include <QPointer>
#include <QSerialPort>
#include <QVariantMap>

#include <functional>
#include <memory>

class BoardChoice;
class WindowTitle;
class WindowMemory;
class QAction;
class QMenu;
class QMessageBox;
class PublishControl;
class RecordingControl;
class SampleStore;
struct InstrumentProtocol;

// What every instrument window shares: its own port (`serial`), the board
// link that speaks over it, and the rule that any close (Quit, the frame's
// close button, Escape, a logout) stops the instrument, closes the port and
// destroys the window. A close that arrives while the window is busy, one of
// its own waits running or any menu or dialog of it open, is held until the
// window is idle, so a window is never destroyed under its own feet. When the board goes away, the window says so
// and picks it up again when it comes back.
class InstrumentDialog : public QDialog
{
    Q_OBJECT

public:
    ~InstrumentDialog() override;

    bool isQuitting() const { return board.isStopping(); }

    // "Show Raw Data" (Ctrl+D): opens, or raises, the window showing what
    // crosses this window's serial line. Every instrument window has it; the
    // plotters also put it in their plot's menu.
    QAction *rawDataAction() const { return m_rawDataAction; }
    // "Board ▸": the attached boards; choosing one moves the window to it.
    QAction *boardAction() const;
    // See WindowMemory::setKeeping().
    void setKeepsSettings(bool keeps);
    // Stops the instrument on its board as a quit does and starts it on
    // `target`, as after a replug; a recording goes on, with a gap.
    void moveToBoard(const PortCandidate &target);
    // "Show Chart" (Ctrl+G), for windows that called addReadingTools().
    QAction *chartAction() const { return m_chartAction; }
    // The open companion windows, if any.
    RawDataWindow *rawDataWindow() const { return m_rawDataWindow.data(); }
    ReadingChart *chartWindow() const { return m_chartWindow.data(); }
    // The readings kept for the chart; none without one.
    const ReadingHistory *readingHistory() const { return m_history.get(); }

protected:
    // `stopCopies`: how many "r\n" stop this instrument.
    InstrumentDialog(int stopCopies, QWidget *parent);

    // Finds and opens the board, which runs the start sequence. When that
    // fails the user is told why, in a modal box on this window, and false
    // is returned.
    bool connectBoard(QIODevice::OpenMode mode);

    // What the instrument keeps for its next opening, under keys of its own
    // (see WindowMemory), and how it takes them back; none: the specified
    // defaults.
    virtual QVariantMap keptValues() const { return {}; }
    virtual void applyKept(const QVariantMap &values) { Q_UNUSED(values) }

    // The instrument's start sequence: runs whenever the board has been
    // opened, the first time and after every reconnection.
    virtual void startInstrument() {}
    // The port failed under a running instrument; it is already closed and
    // the link is looking for the board.
    virtual void onConnectionLost() {}
    // The board is back and the start sequence has run. Closes the box that
    // told of the loss.
    virtual void onReconnected();

    // Stops the instrument and closes the window once no wait of this
    // window is running. Quit buttons call this.
    void requestQuit();

    // The entries every instrument's menu ends with: "Show Raw Data",
    // "Board ▸" and "Restore Defaults", for windows with a menu of their own.
    void addWindowEntries(QMenu &menu) const;

    // Marks a span during which a quit must wait (a wait, a PWM setting, a
    // menu or dialog of this window).
    class BusyScope : public CloseGuard::Scope
    {
    public:
        explicit BusyScope(InstrumentDialog *dialog) : CloseGuard::Scope(dialog->m_closeGuard) {}
    };

    // Waits `ms` milliseconds, the event loop running, as one of this
    // window's waits.
    void waitFor(int ms);

    // True once a quit was asked for while this window was busy.
    bool isQuitPending() const { return m_closeGuard.isHeld() && !isQuitting(); }

    // Shows `text` in the window's "Serial port error" box, opening it if the
    // user closed it or none is up. Never blocks.
    void showPortMessage(const QString &text);

    // Lets the user record what the board sends to a CSV file (Ctrl+R), with
    // the computed columns `computedFrom` has when the recording starts. The
    // recording ends, its file complete, before the port closes.
    RecordingControl *addRecording(const InstrumentProtocol &instrument,
                                   const SampleStore *computedFrom = nullptr);
    // "Publish…": sends the readings (or samples) to an MQTT broker while
    // the user wants; publishing stops before the port closes.
    PublishControl *addPublishing(const InstrumentProtocol &instrument);
    // The recording and the publishing, once added, as `sinks`' sinks.
    void feedControls(SinkFanOut &sinks);
    // For windows that show readings as text: "Copy Reading" (Ctrl+C) puts
    // `shownReading()` on the clipboard; it and the recording make up the
    // window's context menu.
    void addReadingActions(std::function<QString()> shownReading);
    // All of the above for a window that shows `instrument`'s readings as
    // text and numbers: recording, Copy Reading, publishing (its state in
    // the title) and the chart, which keeps every reading from now on (see
    // ReadingHistory) for "Show Chart" (Ctrl+G).
    void addReadingTools(std::function<QString()> shownReading, const InstrumentProtocol &instrument);
    // The chart "Show Chart" opens, made the first time, a window owned by
    // this one: of `history`, whose times are on the clock `nowMs`. Windows
    // with reading tools make theirs; none, no chart.
    virtual ReadingChart *createChart(const ReadingHistory &history, std::function<qint64()> nowMs);
    // What the board sent, read at `readTimeNs` (monotonicNowNs()), as the
    // readings it completes (see ReadingIntake); for windows with reading tools.
    std::vector<Reading> takeReadings(const QByteArray &bytes, qint64 readTimeNs);
    // A fresh connection: nothing half-read from the last one counts.
    void resetReadings();
    // One reading to the chart (the intake gave it to the recording and the
    // broker already).
    void addReading(const Reading &reading);

    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

    QSerialPort *const serial;
    BoardLink board;
    RecordingControl *recording = nullptr;
    PublishControl *publishing = nullptr;

    // Runs the work of a companion or control (its dialog or menu) as one of
    // this window's waits.
    std::function<void(const std::function<void()> &)> busyGuard();

protected slots:
    // The short wait between commands; the event loop keeps running.
    void delay();

private:
    void runQuit();
    void stopRun();
    void handleStateChange(BoardLink::State state);
    void showConnectionLost(const QString &message);
    void showSearchNote(const QString &note);
    void showRawData();
    void updateRawDataTitle();
    void showChart();
    // The chart and raw data windows close with the instrument.
    void closeCompanions();

    // A held close is carried out as a quit: the board stops first.
    CloseGuard &m_closeGuard;
    QPointer<QMessageBox> m_portBox;
    QString m_lossMessage;

    QAction *const m_rawDataAction;
    QPointer<RawDataWindow> m_rawDataWindow;
    WindowTitle *const m_title;
    BoardChoice *const m_boardChoice;
    WindowMemory *const m_memory;
    QAction *m_chartAction = nullptr;
    std::unique_ptr<ReadingIntake> m_readings;
    std::unique_ptr<ReadingHistory> m_history;
    QPointer<ReadingChart> m_chartWindow;
};

#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

class QSocketNotifier;

// A stand-in for the measurement board's firmware, on a pseudo-terminal.
// The panel opens devicePath() like any serial port. The board answers the
// panel's commands the way the firmware does and records every byte it
// receives, so tests can check exactly what went over the line.
// It runs on the thread it lives on, driven by that thread's event loop.
class VirtualBoard : public QObject
{
    Q_OBJECT

public:
    enum class Mode { Idle, Voltmeter, Accelerometer, Oscilloscope, CounterArmed, Counter, Pwm };
    Q_ENUM(Mode)

    // One PWM channel setting as the board understood it.
    struct ChannelSetting
    {
        int output = -1;
        int frequency = 0;
        int duty = 0;
        bool operator==(const ChannelSetting &o) const
        {
            return output == o.output && frequency == o.frequency && duty == o.duty;
        }
    };

    explicit VirtualBoard(QObject *parent = nullptr);
    ~VirtualBoard() override;

    // Opens the pseudo-terminal. False, with errorString(), when that fails.
    bool start();
    // Where the panel finds the board: the pseudo-terminal, or the link to
    // it when one is set.
    QString devicePath() const { return m_linkPath.isEmpty() ? m_ptyPath : m_linkPath; }
    // The pseudo-terminal itself, new at every plug.
    QString ptyPath() const { return m_ptyPath; }
    // Presents the board at `path` too (a symbolic link to its
    // pseudo-terminal, renewed on every plug), as a real board keeps its
    // device name across a reset. Empty: the pseudo-terminal's own path.
    bool setLinkPath(const QString &path);
    QString errorString() const { return m_errorString; }
    // The USB serial number it presents where it is listed (empty: none, as
    // some boards have none).
    void setSerialNumber(const QString &serialNumber) { m_serialNumber = serialNumber; }
    QString serialNumber() const { return m_serialNumber; }

    // Everything received so far, byte for byte.
    QByteArray received() const { return m_received; }
    void clearReceived() { m_received.clear(); }

    Mode mode() const { return m_mode; }
    QList<ChannelSetting> channelSettings() const { return m_channelSettings; }
    // The frequency on output PAD0, which the counter measures (0: none).
    int pad0Frequency() const { return m_pad0Frequency; }

    // Pace of the sample stream, in frames per second.
    void setFrameRate(int framesPerSecond);
    int frameRate() const { return m_frameRate; }
    // How often the stream writes what is due (default 10 ms). 1 ms writes
    // the way a USB device delivers: one frame per write at low rates, one
    // bulk transfer per millisecond at high rates.
    void setWriteInterval(int ms) { m_streamTimer.setInterval(qMax(1, ms)); }
    // Sample frames made since the stream started (none skipped after a stall).
    qint64 framesMade() const { return m_framesMade; }
    // Bytes made but not yet taken by the pseudo-terminal.
    qint64 pendingBytes() const { return m_output.size(); }
    // Steps instead of waves, for timing a plot from outside: the
    // Osciloscope's PAD0 holds stepLowMv or stepHighMv and jumps to the other
    // every `periodMs` plus up to 19 ms at random (so that the jumps fall at
    // every phase of a 20 ms refresh); PAD1 and PAD2 hold stepRestMv.
    // 0: the waves.
    void setStepPeriod(int periodMs);
    static constexpr int stepLowMv = 800;
    static constexpr int stepHighMv = 2600;
    static constexpr int stepRestMv = 1700;
    // Pace of the counter's readings.
    void setCounterInterval(int ms);
    // Frequency the counter reports while PAD0 has no PWM output.
    void setCounterFrequency(int hz) { m_counterFrequency = hz; }
    // Fixed voltmeter readings, in millivolts; none: believable changing ones.
    void setVoltages(int pad0, int pad1, int pad2);

    // Faults.
    // Splits every reply into pieces of at most `bytes` (0: whole), written
    // `intervalMs` apart.
    void setChunkSize(int bytes, int intervalMs = 5)
    {
        m_chunkSize = bytes;
        m_chunkIntervalMs = intervalMs;
    }
    // Sends no replies and no stream, but keeps recording.
    void setSilent(bool silent) { m_silent = silent; }
    // Sends these bytes now, as they are.
    void sendRaw(const QByteArray &bytes);
    // Sends random bytes at this rate (bytes per second; 0 stops).
    void setFlood(int bytesPerSecond);
    // Bytes dropped because the panel did not read them in time.
    qint64 droppedBytes() const { return m_droppedBytes; }
    // Of those, the ones dropped while the panel had taken everything before:
    // the board itself had stalled (its process not run) and what fell due
    // meanwhile did not fit its buffer. A real board makes its samples in
    // hardware and does not stall so.
    qint64 droppedAfterOwnStall() const { return m_droppedAfterOwnStall; }
    // The longest time between two stream writes since the last call, in
    // milliseconds: how long the board's own process was kept from running.
    qint64 takeLongestStallMs();
    // Closes the board's side, as if the cable were pulled.
    void unplug();
    bool isPlugged() const { return m_masterFd >= 0; }
    // Unplugs, and after `delayMs` comes back as a board fresh from a reset
    // (idle, outputs off) on a new pseudo-terminal, under `linkPath` when
    // given (see setLinkPath).
    void replug(int delayMs, const QString &linkPath = QString());

signals:
    // Bytes arrived from the panel.
    void bytesReceived(const QByteArray &bytes);
    void modeChanged(VirtualBoard::Mode mode);
    // Back after a replug, at devicePath().
    void plugged(const QString &devicePath);
    // The first frame at PAD0's new step level went to the pseudo-terminal
    // at `monotonicNs` (the system's monotonic clock, which other processes
    // read too).
    void stepped(int millivolts, qint64 monotonicNs);

private:
    void readFromPanel();
    void handleLine(const QByteArray &line);
    void setMode(Mode mode);
    void sendReading();
    void tick();
    void writeToPanel(const QByteArray &bytes);
    void flushOutput();
    QByteArray nextFrame();

    int m_masterFd = -1;
    int m_slaveFd = -1;
    QString m_ptyPath;
    QString m_linkPath;
    QString m_errorString;
    QString m_serialNumber;
    QSocketNotifier *m_readNotifier = nullptr;
    QSocketNotifier *m_writeNotifier = nullptr;

    QByteArray m_received;
    QByteArray m_lineBuffer;
    QByteArray m_output;
    Mode m_mode = Mode::Idle;

    QList<ChannelSetting> m_channelSettings;
    QList<QByteArray> m_pwmLines;
    bool m_expectingChannelSetting = false;
    int m_pad0Frequency = 0;
    int m_counterFrequency = 1000;

    bool m_fixedVoltages = false;
    int m_voltages[3] = {0, 0, 0};

    QTimer m_streamTimer;
    QTimer m_counterTimer;
    QTimer m_floodTimer;
    QElapsedTimer m_clock;
    qint64 m_framesSent = 0;
    qint64 m_framesMade = 0;
    int m_frameRate = 720;
    int m_floodRate = 0;
    qint64 m_floodSent = 0;
    QElapsedTimer m_floodClock;
    int m_chunkSize = 0;
    int m_chunkIntervalMs = 5;
    bool m_silent = false;
    qint64 m_droppedBytes = 0;
    qint64 m_droppedAfterOwnStall = 0;
    qint64 m_lastTickMs = -1;
    qint64 m_longestStallMs = 0;
    int m_stepPeriodMs = 0;
    qint64 m_nextStepMs = 0;
    bool m_stepHigh = false;
    bool m_stepPending = false;
    quint32 m_random = 0x2545F491u;
};

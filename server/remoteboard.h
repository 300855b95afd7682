#pragma once

#include "boardlink.h"
#include "instrumentintake.h"
#include "pwmsetting.h"
#include "ratemeter.h"
#include "samplestore.h"
#include "scopetrigger.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QSerialPort>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>

// The board as the remote-control server drives it, for all its clients at
// once: one port, one instrument running at a time, started on demand with
// the bytes a window sends (InstrumentProtocol, PwmSetting) and read with
// the intake a window and the recorder use. Nothing here waits in a nested
// event loop: the pauses between commands are steps run from a timer, and a
// reading is handed over when it arrives.
class CsvRecorder;
class OpenSession;
class SampleSession;

class RemoteBoard : public QObject, private DataSink
{
    Q_OBJECT

public:
    struct Output
    {
        int frequencyHz = PwmSetting::initialFrequencyHz;
        int dutyPercent = PwmSetting::initialDutyPercent;
        bool on = false;
    };

    // How long a reading or a sample may take before the board counts as
    // silent.
    static constexpr int replyTimeoutMs = 5000;
    // The most samples FETCh:DATA? may ask for.
    static constexpr int sampleCapacity = 65536;

    explicit RemoteBoard(QObject *parent = nullptr);
    ~RemoteBoard() override;

    // The board of this port name or USB serial number (empty: the first).
    void setWantedBoard(const QString &name) { m_wanted = name; }
    QString wantedBoard() const { return m_wanted; }
    // Opens the board unless it is open; empty, or why it cannot be used.
    QString ensureOpen();
    // Leaves the board in use, stopped, for the one called `name`; empty,
    // or why that one cannot be used.
    QString select(const QString &name);
    // The open board's device path and USB serial number; empty before.
    QString location() const;
    QString serialNumber() const;

    // Hands the first reading of `instrument` (voltmeter, counter) that
    // arrives from now on to `done`, starting the instrument when another
    // runs; or, where there is none in time, why. Nothing is called once
    // `context` is gone.
    using ReadingDone = std::function<void(const Reading *reading, const QString &failure)>;
    void nextReading(const InstrumentProtocol &instrument, QObject *context, ReadingDone done);

    // As the PWM window shows it, where one is open.
    Output output(int index) const;
    // Sets output `index` (0: PAD0, 1: PAD1). A setting that is or was on
    // goes to the board (off: its setting with 0 Hz); empty, or why not.
    QString setOutput(int index, const Output &output);

    // The plotter that INITiate starts (osciloscope, accelerometer).
    void setAcquisition(const InstrumentProtocol &plotter);
    const InstrumentProtocol &acquisition() const { return *m_acquisition; }
    QString initiate();
    void abort();
    // The samples a window of the acquisition's plotter shows, computed
    // channels included; none without such a window.
    const SampleSession *shownSamples() const;
    bool isAcquiring() const { return m_acquiring; }
    const SampleStore &samples() const { return m_samples; }
    // Samples since INITiate, counting those the store no longer holds.
    qint64 samplesTaken() const { return m_samplesTaken; }
    // Samples a second; none before it is known.
    std::optional<double> sampleRate() const { return m_rate.framesPerSecond(); }
    // Calls `done` once `count` samples have come since INITiate (empty
    // failure), or with why they will not.
    void whenSamples(qint64 count, QObject *context, std::function<void(const QString &failure)> done);

    // RECord: the folder its files go to, and one recording at a time of
    // `instrument`'s readings or samples (the columns a window records). It
    // starts the instrument as a measurement or INITiate does, and ends when
    // another instrument takes the board. The file is opened off this thread.
    void setRecordFolder(const QString &folder) { m_recordFolder = folder; }
    QString recordFolder() const { return m_recordFolder; }
    QString startRecording(const QString &path, const InstrumentProtocol &instrument);
    void stopRecording();
    bool isRecording() const;

    // The one trigger over the samples, a plotter's on a rising edge;
    // a Single capture taken ends the acquisition, its samples kept.
    ScopeTrigger &trigger() { return m_trigger; }
    const ScopeTrigger &trigger() const { return m_trigger; }

    // Every instrument stopped and the outputs as at the start; pending
    // readings fail.
    void reset();
    // The last client left: a voltmeter or counter that measurements started
    // stops as a window's Quit stops it, rather than being asked for readings
    // nobody takes. The outputs, an INITiated acquisition (its samples wait
    // for a later FETCh) and a recording's instrument run on.
    void clientsGone();
    // No command is waiting to go out.
    bool isIdle() const { return m_steps.empty() && !m_stepTimer.isActive(); }
    // For good: the instrument stopped and the port closed, as a window's Quit.
    void stop();
    // The same for now, so a window of the panel can take the board; what
    // waits is told `reason`, and the next command opens it again.
    void release(const QString &reason);

signals:
    // The last queued command went out.
    void becameIdle();

private:
    struct Step
    {
        std::function<void()> run;
        int waitAfterMs = 0;
    };
    struct ReadingWait
    {
        const InstrumentProtocol *instrument;
        QPointer<QObject> context;
        ReadingDone done;
        qint64 askedNs;
        qint64 deadlineNs;
    };
    struct SampleWait
    {
        qint64 count;
        QPointer<QObject> context;
        std::function<void(const QString &)> done;
        qint64 deadlineNs;
    };

    void makeLink();
    void queue(std::function<void()> run, int waitAfterMs);
    void runStep();
    // Queues what makes `instrument` run (none: nothing runs).
    void planInstrument(const InstrumentProtocol *instrument);
    void queueSetting(int index);
    void take(const QByteArray &bytes, qint64 readNs);
    void takeReading(const Reading &reading) override;
    void takeSample(const Sample &sample, const double *computed,
                    const QStringList &computedNames) override;
    void checkDeadlines();
    void failAll(const QString &failure);
    // The samples stop being kept; who waits for them is told `reason`.
    void endAcquisition(const QString &reason);
    void lost(const QString &message);
    void endOwnAcquisition();
    // The next reading `open`'s window takes, or why none comes.
    void nextShownReading(OpenSession &open, QObject *context, ReadingDone done);

    std::unique_ptr<QSerialPort> m_port;
    std::unique_ptr<BoardLink> m_link;
    QString m_wanted;
    std::unique_ptr<InstrumentIntake> m_intake;
    // What runs on the board now, and once the queued steps are done.
    const InstrumentProtocol *m_running = nullptr;
    const InstrumentProtocol *m_planned = nullptr;
    const InstrumentProtocol *m_acquisition;
    bool m_acquiring = false;
    std::deque<Step> m_steps;
    QTimer m_stepTimer;
    QTimer m_deadlineTimer;
    std::vector<ReadingWait> m_readingWaits;
    std::vector<SampleWait> m_sampleWaits;
    Output m_outputs[PwmSetting::outputCount];
    SampleStore m_samples{sampleCapacity};
    qint64 m_samplesTaken = 0;
    RateMeter m_rate;
    QString m_recordFolder;
    std::unique_ptr<CsvRecorder> m_recorder;
    const InstrumentProtocol *m_recorded = nullptr;
    ScopeTrigger m_trigger;
};

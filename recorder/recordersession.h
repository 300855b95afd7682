#pragma once

#include "boardlink.h"
#include "instrumentintake.h"
#include "messagestream.h"
#include "mqttpublisher.h"
#include "ratelimit.h"
#include "recorderoptions.h"
#include "recordingfiles.h"
#include "statusline.h"
#include "stopsignals.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSerialPort>
#include <QTimer>

#include <memory>
#include <optional>

// One run of the recorder: finds and opens the board as a window does,
// starts the instrument with the window's bytes, writes every row to the
// files and, if asked, to the broker, and ends as the window's Quit does:
// the file complete, then the board stopped.
class RecorderSession : public QObject, private DataSink
{
    Q_OBJECT

public:
    explicit RecorderSession(const RecorderOptions &options, QObject *parent = nullptr);

    // Call from the running event loop. Returns the exit status when the
    // recording cannot begin; otherwise it runs until a signal, --duration
    // or a failed write ends it, and then exits the event loop with its status.
    std::optional<int> start();

private:
    std::optional<int> findBoard();
    // The computed channels asked for, into the file's header and the
    // messages; a status when they cannot be computed.
    std::optional<int> takeChannels();
    void startInstrument();
    void takeReading(const Reading &reading) override;
    void takeSample(const Sample &sample, const double *computed,
                    const QStringList &computedNames) override;
    void boardLost(const QString &message);
    void boardBack();
    void searchNoted(const QString &note);
    void writeFailed(const QString &reason, qint64 rowsInFile);
    void tick();
    void checkEnd();
    void finish(int status);

    const RecorderOptions m_options;
    const InstrumentProtocol &m_protocol;
    StatusLine m_status;
    StopSignals m_stopSignals;
    QSerialPort m_port;
    BoardLink m_board;
    InstrumentIntake m_intake;
    RecordingFiles m_files;
    RateLimit m_rateLimit;
    std::unique_ptr<MqttPublisher> m_publisher;
    // Numbered by the file's rows.
    MessageStream m_messages;
    QTimer m_statusTimer;
    QTimer m_endTimer;
    QElapsedTimer m_elapsed;
    qint64 m_originNs = 0;
    qint64 m_rowsAtLastTick = 0;
    qint64 m_lastTickMs = 0;
    QString m_lastSearchNote;
    // Of the board found at the start; empty where it has none.
    QString m_serialNumber;
    bool m_finishing = false;
    bool m_writeFailed = false;
};

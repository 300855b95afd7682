#include "recordersession.h"

#include "board.h"
#include "boardoptions.h"
#include "boarddiscovery.h"
#include "exitstatus.h"
#include "monotonicclock.h"
#include "plottersettings.h"
#include "portlisting.h"
#include "settingsfile.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <csignal>

namespace {

// What the search sees of the system's ports, for the message when the
// wanted board is not among them.
QString boardList()
{
    QStringList names;
    for (const PortCandidate &port : PortListing::availablePorts()) {
        if (firstBoard({port}))
            names.append(port.serialNumber.isEmpty()
                             ? port.portName
                             : QStringLiteral("%1 (%2)").arg(port.portName, port.serialNumber));
    }
    return names.isEmpty() ? QStringLiteral("none") : names.join(QStringLiteral(", "));
}

} // namespace

RecorderSession::RecorderSession(const RecorderOptions &options, QObject *parent)
    : QObject(parent),
      m_options(options),
      m_protocol(*options.instrument),
      m_status(options.quiet),
      m_board(&m_port, m_protocol.stopCopies),
      m_intake(m_protocol, m_board),
      m_files(m_protocol.name, options.out, options.rotation, options.rotateBytes,
              m_protocol.header),
      m_rateLimit(options.rateLimit),
      m_messages(m_protocol.header)
{
    m_intake.addSink(this);
    connect(&m_stopSignals, &StopSignals::received, this, [this] { finish(ExitStatus::done); });
    connect(&m_board, &BoardLink::stateChanged, this, [this](BoardLink::State state) {
        if (state == BoardLink::State::Open)
            startInstrument();
    });
    connect(&m_board, &BoardLink::received, this,
            [this](const QByteArray &bytes, qint64 readNs) { m_intake.take(bytes, readNs); });
    connect(&m_board, &BoardLink::connectionLost, this, &RecorderSession::boardLost);
    connect(&m_board, &BoardLink::reconnected, this, &RecorderSession::boardBack);
    connect(&m_board, &BoardLink::searchNote, this, &RecorderSession::searchNoted);
    connect(&m_files, &RecordingFiles::failed, this, &RecorderSession::writeFailed);
    m_statusTimer.setInterval(1000);
    connect(&m_statusTimer, &QTimer::timeout, this, &RecorderSession::tick);
    m_endTimer.setSingleShot(true);
    m_endTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_endTimer, &QTimer::timeout, this, &RecorderSession::checkEnd);
}

std::optional<int> RecorderSession::findBoard()
{
    if (!m_options.port.isEmpty()) {
        const QString path = QFileInfo(m_options.port).absoluteFilePath();
        if (!QFileInfo::exists(path)) {
            m_status.error(tr("there is no device %1.").arg(path));
            return ExitStatus::noBoard;
        }
        BoardOptions::takePortAsBoard(path);
        return std::nullopt;
    }
    m_board.setWantedBoard(m_options.board);
    const std::optional<PortCandidate> found = firstBoard(PortListing::availablePorts(), m_options.board);
    if (found) {
        m_serialNumber = found->serialNumber;
        return std::nullopt;
    }
    if (m_options.board.isEmpty())
        m_status.error(tr("no board is plugged in (a serial port with USB vendor id 0d28)."));
    else
        m_status.error(tr("there is no board %1. Boards: %2.")
                           .arg(m_options.board, boardList()));
    return ExitStatus::noBoard;
}

std::optional<int> RecorderSession::takeChannels()
{
    QVector<MathChannel> channels = m_options.mathChannels;
    if (m_options.mathFromSettings) {
        // The board's own before its window's, as a window takes them. A
        // plot window keeps its values under its instrument's name.
        QVariantMap kept;
        if (!m_serialNumber.isEmpty()) {
            kept = SettingsFile::readPanelGroup(
                PlotterSettings::boardGroup(m_protocol.name, m_serialNumber));
        }
        if (kept.isEmpty())
            kept = SettingsFile::readPanelGroup(m_protocol.name);
        channels = PlotterSettings::fromValues(kept, {}).mathChannels;
        if (channels.isEmpty())
            m_status.note(tr("the panel keeps no computed channels for the %1.")
                              .arg(m_protocol.name));
    }
    if (channels.isEmpty())
        return std::nullopt;
    SampleSession &samples = m_intake.samples();
    FormulaError error;
    if (!samples.setChannels(channels, &error)) {
        m_status.error(tr("the computed channels the panel keeps for the %1 cannot "
                                      "be computed: %2.")
                           .arg(m_protocol.name, error.text()));
        return ExitStatus::usage;
    }
    m_files.setHeader(samples.recordingHeader());
    QStringList computed;
    for (int channel = samples.mathChannels().inputCount(); channel < samples.names().size(); ++channel)
        computed.append(samples.mathChannels().label(channel));
    m_status.note(tr("computing %1.").arg(computed.join(QStringLiteral(", "))));
    return std::nullopt;
}

std::optional<int> RecorderSession::start()
{
    if (!m_stopSignals.isReady()) {
        m_status.error(tr("cannot watch for SIGINT, SIGTERM and SIGHUP."));
        return ExitStatus::usage;
    }
    // A reader of standard output that went away makes a write fail, not the process die.
    std::signal(SIGPIPE, SIG_IGN);
    if (const std::optional<int> status = findBoard())
        return status;
    if (const std::optional<int> status = takeChannels())
        return status;
    m_originNs = monotonicNowNs();
    m_elapsed.start();
    if (m_options.mqtt) {
        m_publisher = std::make_unique<MqttPublisher>(*m_options.mqtt, this);
        const QString topic = m_options.mqtt->topicFor(m_protocol.name);
        if (!m_publisher->start()) {
            m_status.error(tr("cannot publish to %1: %2.")
                               .arg(m_options.mqtt->displayText(), m_publisher->errorString()));
            return ExitStatus::brokerSetUp;
        }
        m_messages.start(m_publisher.get(), topic, m_originNs);
        m_status.note(tr("publishing to %1 on %2.")
                          .arg(topic, m_options.mqtt->displayText()));
        connect(m_publisher.get(), &MqttPublisher::connectionChanged, this, [this](bool connected) {
            const QString broker = m_options.mqtt->displayText();
            const QString reason = m_publisher->failureReason();
            if (connected)
                m_status.note(tr("connected to %1.").arg(broker));
            else if (reason.isEmpty())
                m_status.note(tr("the broker %1 is unreachable; trying again.").arg(broker));
            else
                m_status.note(tr("the broker %1 is unreachable (%2); trying again.")
                                  .arg(broker, reason));
        });
    }
    if (!m_files.start(m_originNs)) {
        m_status.error(m_files.errorString() + QLatin1Char('.'));
        return ExitStatus::cannotWrite;
    }
    // The start sequence runs from here, as the board opens.
    if (m_board.connectBoard(QIODevice::ReadWrite) != BoardLink::Outcome::Opened) {
        m_files.discard();
        m_status.error(m_board.failureText());
        return ExitStatus::noBoard;
    }
    // A signal may have come during the start sequence's wait.
    if (m_finishing)
        return std::nullopt;
    m_status.note(tr("recording the %1 on %2 to %3.")
                      .arg(m_protocol.name, m_board.location(), m_files.fileName()));
    m_statusTimer.start();
    checkEnd();
    tick();
    return std::nullopt;
}

void RecorderSession::startInstrument()
{
    m_intake.startFresh();
    m_board.startInstrument(m_protocol, [this] { m_board.wait(Board::waitMs); });
}

void RecorderSession::takeReading(const Reading &reading)
{
    if (m_finishing || !m_rateLimit.admit(reading.readNs))
        return;
    m_files.appendRow(reading.readNs, reading.cells);
    m_messages.publishReading(m_files.rowCount(), reading);
}

void RecorderSession::takeSample(const Sample &sample, const double *computed,
                                 const QStringList &computedNames)
{
    if (m_finishing || !m_rateLimit.admit(sample.timeNs))
        return;
    m_files.appendSample(sample, computed, computedNames);
    m_messages.publishSample(m_files.rowCount(), sample, computed, computedNames);
}

void RecorderSession::boardLost(const QString &message)
{
    m_intake.markGap();
    m_messages.publishBlock();
    m_lastSearchNote.clear();
    m_status.note(message);
}

void RecorderSession::boardBack()
{
    m_status.note(tr("the board is back on %1; the recording goes on in %2.")
                      .arg(m_board.location(), m_files.fileName()));
}

void RecorderSession::searchNoted(const QString &note)
{
    // Said once, not at every search.
    if (note.isEmpty() || note == m_lastSearchNote)
        return;
    m_lastSearchNote = note;
    m_status.note(note);
}

void RecorderSession::writeFailed(const QString &reason, qint64 rowsInFile)
{
    // Also when the last rows fail while finishing: the status must say so.
    m_writeFailed = true;
    m_status.error(tr("cannot write %1: %2. The file holds %3 rows.")
                       .arg(m_files.fileName(), reason)
                       .arg(rowsInFile));
    finish(ExitStatus::cannotWrite);
}

void RecorderSession::tick()
{
    m_files.followClock();
    const qint64 nowMs = m_elapsed.elapsed();
    const qint64 rows = m_files.rowCount();
    StatusFigures figures;
    figures.rows = rows;
    figures.rowsPerSecond =
        nowMs > m_lastTickMs ? double(rows - m_rowsAtLastTick) * 1000 / double(nowMs - m_lastTickMs) : 0;
    figures.damaged = m_intake.damaged();
    figures.fileBytes = m_files.fileBytes();
    figures.elapsedMs = nowMs;
    figures.boardAway = m_board.state() == BoardLink::State::Lost;
    if (m_publisher) {
        figures.publishing = true;
        figures.brokerConnected = m_publisher->isConnected();
        figures.messagesDropped = m_publisher->droppedMessages();
    }
    m_rowsAtLastTick = rows;
    m_lastTickMs = nowMs;
    m_status.show(figures);
}

void RecorderSession::checkEnd()
{
    if (m_options.durationMs <= 0)
        return;
    const qint64 left = m_options.durationMs - m_elapsed.elapsed();
    if (left <= 0) {
        finish(ExitStatus::done);
        return;
    }
    // QTimer counts in int milliseconds: a long run is reached a day at a time.
    m_endTimer.start(int(std::min<qint64>(left, 24LL * 3600 * 1000)));
}

void RecorderSession::finish(int status)
{
    if (m_finishing)
        return;
    m_finishing = true;
    m_statusTimer.stop();
    m_endTimer.stop();
    m_messages.stop();
    // As a window's Quit: the file complete first, then the board stopped.
    const qint64 rows = m_files.stop();
    if (m_writeFailed)
        status = ExitStatus::cannotWrite;
    m_board.stop();
    tick();
    m_status.finish();
    if (m_publisher) {
        m_publisher->finish(1000);
        m_status.note(tr("%1 messages published, %2 dropped.")
                          .arg(m_publisher->sentMessages())
                          .arg(m_publisher->droppedMessages()));
    }
    if (status == ExitStatus::done)
        m_status.note(tr("stopped; %1 holds %2 rows.").arg(m_files.fileName()).arg(rows));
    QCoreApplication::exit(status);
}

#include "remoteboard.h"

#include "board.h"
#include "csvrecorder.h"
#include "monotonicclock.h"
#include "opensession.h"
#include "recordfolder.h"

namespace {

// As many stop commands as the instrument that needs the most: extra copies
// are harmless, too few leave a voltmeter running.
constexpr int mostStopCopies = 20;

constexpr qint64 nsPerMs = 1000000;

} // namespace

RemoteBoard::RemoteBoard(QObject *parent)
    : QObject(parent), m_acquisition(&InstrumentProtocol::osciloscope()),
      m_recordFolder(RecordFolder::defaultPath())
{
    m_stepTimer.setSingleShot(true);
    m_stepTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_stepTimer, &QTimer::timeout, this, &RemoteBoard::runStep);
    m_deadlineTimer.setInterval(250);
    connect(&m_deadlineTimer, &QTimer::timeout, this, &RemoteBoard::checkDeadlines);
    m_trigger.setMode(TriggerMode::RisingEdge);
}

RemoteBoard::~RemoteBoard()
{
    stop();
}

void RemoteBoard::makeLink()
{
    m_link.reset();
    m_port = std::make_unique<QSerialPort>();
    m_link = std::make_unique<BoardLink>(m_port.get(), mostStopCopies);
    m_link->setWantedBoard(m_wanted);
    connect(m_link.get(), &BoardLink::received, this, &RemoteBoard::take);
    connect(m_link.get(), &BoardLink::connectionLost, this, &RemoteBoard::lost);
    m_running = m_planned = nullptr;
}

QString RemoteBoard::ensureOpen()
{
    if (!m_link)
        makeLink();
    switch (m_link->state()) {
    case BoardLink::State::Open:
        return QString();
    case BoardLink::State::Lost:
        return QStringLiteral("the board on %1 is gone; waiting for it to come back").arg(m_link->location());
    case BoardLink::State::Stopping:
    case BoardLink::State::Stopped:
        return QStringLiteral("the server is stopping");
    case BoardLink::State::Disconnected:
        break;
    }
    if (m_link->connectBoard(QIODevice::ReadWrite) != BoardLink::Outcome::Opened)
        return m_link->failureText();
    m_running = m_planned = nullptr;
    return QString();
}

QString RemoteBoard::select(const QString &name)
{
    reset();
    m_steps.clear();
    m_stepTimer.stop();
    // The destructor of the old link stops the board it holds and closes it.
    m_wanted = name;
    makeLink();
    const QString failure = ensureOpen();
    emit becameIdle();
    return failure;
}

QString RemoteBoard::location() const
{
    return m_link && m_link->state() != BoardLink::State::Disconnected ? m_link->location() : QString();
}

QString RemoteBoard::serialNumber() const
{
    return m_link ? m_link->serialNumber() : QString();
}

void RemoteBoard::queue(std::function<void()> run, int waitAfterMs)
{
    m_steps.push_back({std::move(run), waitAfterMs});
    if (!m_stepTimer.isActive())
        m_stepTimer.start(0);
}

void RemoteBoard::runStep()
{
    if (m_steps.empty()) {
        emit becameIdle();
        return;
    }
    const Step step = std::move(m_steps.front());
    m_steps.pop_front();
    step.run();
    // The last step's wait, too: the board takes a new command only after it.
    m_stepTimer.start(step.waitAfterMs);
}

void RemoteBoard::planInstrument(const InstrumentProtocol *instrument)
{
    if (m_planned == instrument)
        return;
    if (m_recorded && instrument != m_recorded)
        stopRecording();
    bool waited = false;
    if (m_planned) {
        const int copies = m_planned->stopCopies;
        queue([this, copies] {
            m_intake.reset();
            m_running = nullptr;
            for (int i = 0; i < copies; ++i)
                m_link->send("r");
        }, Board::waitMs);
        waited = true;
    }
    m_planned = instrument;
    if (!instrument)
        return;
    if (instrument->waitsBeforeStart && !waited)
        queue([] {}, Board::waitMs);
    queue([this, instrument] {
        m_running = instrument;
        m_intake = std::make_unique<InstrumentIntake>(*instrument, *m_link);
        m_intake->addSink(this);
        m_link->startInstrument(*instrument, {});
    }, 0);
}

void RemoteBoard::take(const QByteArray &bytes, qint64 readNs)
{
    if (!m_intake)
        return;
    m_intake->take(bytes, readNs);
    if (m_running && m_running->sendsSamples())
        m_rate.update(m_samples);
    if (m_acquiring) {
        m_trigger.update(m_samples, readNs);
        if (m_trigger.status() == TriggerStatus::Stopped)
            endAcquisition(QStringLiteral("a Single capture was taken"));
    }
    // Every waiter of a plotter's samples is looked at once per read.
    for (size_t i = 0; i < m_sampleWaits.size();) {
        SampleWait &wait = m_sampleWaits[i];
        if (!wait.context || m_samplesTaken >= wait.count) {
            const SampleWait done = std::move(wait);
            m_sampleWaits.erase(m_sampleWaits.begin() + qptrdiff(i));
            if (done.context)
                done.done(QString());
        } else {
            ++i;
        }
    }
}

void RemoteBoard::takeReading(const Reading &reading)
{
    std::vector<ReadingWait> waits;
    waits.swap(m_readingWaits);
    if (m_recorded && m_recorded == m_running)
        m_recorder->appendRow(reading.readNs, reading.cells);
    for (ReadingWait &wait : waits) {
        if (wait.context && wait.instrument == m_running && reading.readNs > wait.askedNs)
            wait.done(&reading, QString());
        else if (wait.context)
            m_readingWaits.push_back(std::move(wait));
    }
}

void RemoteBoard::takeSample(const Sample &sample, const double *, const QStringList &)
{
    if (m_recorded && m_recorded == m_running)
        m_recorder->appendSample(sample);
    if (!m_acquiring)
        return;
    m_samples.append(sample);
    ++m_samplesTaken;
}

void RemoteBoard::nextReading(const InstrumentProtocol &instrument, QObject *context, ReadingDone done)
{
    if (OpenSession *open = OpenSession::find(instrument)) {
        nextShownReading(*open, context, std::move(done));
        return;
    }
    const QString failure = ensureOpen();
    if (!failure.isEmpty()) {
        done(nullptr, failure);
        return;
    }
    if (m_planned != &instrument)
        endAcquisition(QStringLiteral("a measurement stopped the acquisition"));
    planInstrument(&instrument);
    const qint64 now = monotonicNowNs();
    m_readingWaits.push_back({&instrument, context, std::move(done), now,
                              now + qint64(replyTimeoutMs) * nsPerMs});
    m_deadlineTimer.start();
}

void RemoteBoard::whenSamples(qint64 count, QObject *context,
                              std::function<void(const QString &failure)> done)
{
    if (m_samplesTaken >= count) {
        done(QString());
        return;
    }
    if (!m_acquiring) {
        done(QStringLiteral("no acquisition runs"));
        return;
    }
    // The deadline counts from the last sample: a slow stream still fills it.
    m_sampleWaits.push_back({count, context, std::move(done),
                             monotonicNowNs() + qint64(replyTimeoutMs) * nsPerMs});
    m_deadlineTimer.start();
}

void RemoteBoard::checkDeadlines()
{
    const qint64 now = monotonicNowNs();
    const QString silent = QStringLiteral("the board sent nothing for %1 s").arg(replyTimeoutMs / 1000);
    std::vector<ReadingWait> readingWaits;
    readingWaits.swap(m_readingWaits);
    for (ReadingWait &wait : readingWaits) {
        if (wait.context && now >= wait.deadlineNs)
            wait.done(nullptr, silent);
        else if (wait.context)
            m_readingWaits.push_back(std::move(wait));
    }
    std::vector<SampleWait> sampleWaits;
    sampleWaits.swap(m_sampleWaits);
    for (SampleWait &wait : sampleWaits) {
        // Silent: nothing came, or nothing for as long.
        const bool silentSince = m_samples.isEmpty()
                                 || now - m_samples.newest().timeNs > qint64(replyTimeoutMs) * nsPerMs;
        if (wait.context && now >= wait.deadlineNs && silentSince)
            wait.done(silent);
        else if (wait.context)
            m_sampleWaits.push_back(std::move(wait));
    }
    if (m_readingWaits.empty() && m_sampleWaits.empty())
        m_deadlineTimer.stop();
}

void RemoteBoard::failAll(const QString &failure)
{
    std::vector<ReadingWait> readingWaits;
    readingWaits.swap(m_readingWaits);
    for (ReadingWait &wait : readingWaits) {
        if (wait.context)
            wait.done(nullptr, failure);
    }
    std::vector<SampleWait> sampleWaits;
    sampleWaits.swap(m_sampleWaits);
    for (SampleWait &wait : sampleWaits) {
        if (wait.context)
            wait.done(failure);
    }
    m_deadlineTimer.stop();
}

void RemoteBoard::lost(const QString &message)
{
    // A board that comes back is fresh from a reset: nothing runs, the
    // outputs are off.
    m_steps.clear();
    m_stepTimer.stop();
    m_intake.reset();
    m_running = m_planned = nullptr;
    m_acquiring = false;
    stopRecording();
    for (Output &output : m_outputs)
        output.on = false;
    failAll(message);
    emit becameIdle();
}

void RemoteBoard::setAcquisition(const InstrumentProtocol &plotter)
{
    if (&plotter == m_acquisition)
        return;
    endOwnAcquisition();
    m_acquisition = &plotter;
}

QString RemoteBoard::initiate()
{
    if (OpenSession *open = OpenSession::find(*m_acquisition)) {
        open->requestPlotting(true);
        return QString();
    }
    const QString failure = ensureOpen();
    if (!failure.isEmpty())
        return failure;
    m_samples.clear();
    m_samplesTaken = 0;
    m_rate.reset();
    // A Single capture taken: the next one.
    if (m_trigger.captureMode() == CaptureMode::Single)
        m_trigger.armSingle();
    m_acquiring = true;
    planInstrument(m_acquisition);
    return QString();
}

void RemoteBoard::endAcquisition(const QString &reason)
{
    if (!m_acquiring)
        return;
    m_acquiring = false;
    std::vector<SampleWait> sampleWaits;
    sampleWaits.swap(m_sampleWaits);
    for (SampleWait &wait : sampleWaits) {
        if (wait.context)
            wait.done(reason);
    }
}

void RemoteBoard::abort()
{
    if (OpenSession *open = OpenSession::find(*m_acquisition))
        open->requestPlotting(false);
    endOwnAcquisition();
}

void RemoteBoard::endOwnAcquisition()
{
    if (!m_acquiring)
        return;
    endAcquisition(QStringLiteral("the acquisition was aborted"));
    if (m_link && m_link->state() == BoardLink::State::Open)
        planInstrument(nullptr);
}

void RemoteBoard::reset()
{
    m_acquiring = false;
    m_trigger = ScopeTrigger();
    m_trigger.setMode(TriggerMode::RisingEdge);
    m_samples.clear();
    m_samplesTaken = 0;
    stopRecording();
    failAll(QStringLiteral("the board was reset"));
    const bool open = m_link && m_link->state() == BoardLink::State::Open;
    for (int index = 0; index < PwmSetting::outputCount; ++index) {
        const bool wasOn = m_outputs[index].on;
        m_outputs[index] = Output();
        if (wasOn && open)
            queueSetting(index);
    }
    if (open)
        planInstrument(nullptr);
}

void RemoteBoard::clientsGone()
{
    const bool measuring = m_planned && m_planned->sendsData() && !m_planned->sendsSamples();
    if (measuring && !isRecording() && m_link && m_link->state() == BoardLink::State::Open)
        planInstrument(nullptr);
}

void RemoteBoard::stop()
{
    m_steps.clear();
    m_stepTimer.stop();
    failAll(QStringLiteral("the server is stopping"));
    stopRecording();
    if (m_link)
        m_link->stop();
    m_intake.reset();
    m_running = m_planned = nullptr;
}

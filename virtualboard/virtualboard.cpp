#include "virtualboard.h"

#include "waveshapes.h"

#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr int tickMs = 10;
// What a USB serial chip would buffer before the board has to drop bytes.
constexpr int maxOutputBytes = 256 * 1024;
// After a stall the board does not try to catch up on more than this.
constexpr double maxCatchUpSeconds = 0.1;
constexpr double pi = 3.14159265358979323846;

} // namespace

VirtualBoard::VirtualBoard(QObject *parent) : QObject(parent)
{
    m_streamTimer.setInterval(tickMs);
    m_streamTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_streamTimer, &QTimer::timeout, this, &VirtualBoard::tick);
    m_counterTimer.setInterval(200);
    connect(&m_counterTimer, &QTimer::timeout, this, [this] {
        if (!m_silent)
            writeToPanel(QByteArray::number(m_pad0Frequency > 0 ? m_pad0Frequency
                                                                 : m_counterFrequency)
                         + '\n');
    });
    m_floodTimer.setInterval(tickMs);
    connect(&m_floodTimer, &QTimer::timeout, this, [this] {
        const qint64 due = m_floodClock.elapsed() * m_floodRate / 1000 - m_floodSent;
        const qint64 count = qMin<qint64>(due, qint64(m_floodRate * maxCatchUpSeconds) + 1);
        QByteArray bytes(int(qMax<qint64>(count, 0)), Qt::Uninitialized);
        for (char &b : bytes) {
            m_random ^= m_random << 13;
            m_random ^= m_random >> 17;
            m_random ^= m_random << 5;
            b = char(m_random);
        }
        m_floodSent += due;
        writeToPanel(bytes);
    });
}

VirtualBoard::~VirtualBoard()
{
    unplug();
    if (!m_linkPath.isEmpty())
        QFile::remove(m_linkPath);
}

bool VirtualBoard::start()
{
    char name[256] = {};
    if (::openpty(&m_masterFd, &m_slaveFd, name, nullptr, nullptr) != 0) {
        m_errorString = QString::fromLocal8Bit(std::strerror(errno));
        m_masterFd = m_slaveFd = -1;
        return false;
    }
    // Raw bytes both ways: no echo, no line editing, no CR/LF translation.
    termios tio{};
    ::tcgetattr(m_slaveFd, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(m_slaveFd, TCSANOW, &tio);
    ::fcntl(m_masterFd, F_SETFL, ::fcntl(m_masterFd, F_GETFL) | O_NONBLOCK);
    // A program started from this process (a panel under test) must not
    // inherit the board's ends: an unplug would not reach it while it held them.
    ::fcntl(m_masterFd, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_slaveFd, F_SETFD, FD_CLOEXEC);
    // The board keeps its own slave descriptor open (never read), so the
    // master side stays usable while no panel has the port open.
    m_ptyPath = QString::fromLocal8Bit(name);
    if (!m_linkPath.isEmpty() && !setLinkPath(m_linkPath))
        return false;

    m_readNotifier = new QSocketNotifier(m_masterFd, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &VirtualBoard::readFromPanel);
    m_writeNotifier = new QSocketNotifier(m_masterFd, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &VirtualBoard::flushOutput);
    return true;
}

void VirtualBoard::setFrameRate(int framesPerSecond)
{
    m_frameRate = qMax(1, framesPerSecond);
    m_framesSent = 0;
    m_clock.restart();
    m_lastTickMs = -1;
}

void VirtualBoard::setStepPeriod(int periodMs)
{
    m_stepPeriodMs = qMax(0, periodMs);
    m_nextStepMs = m_clock.isValid() ? m_clock.elapsed() + m_stepPeriodMs : m_stepPeriodMs;
}

void VirtualBoard::setCounterInterval(int ms)
{
    m_counterTimer.setInterval(ms);
}

void VirtualBoard::setVoltages(int pad0, int pad1, int pad2)
{
    m_fixedVoltages = true;
    m_voltages[0] = pad0;
    m_voltages[1] = pad1;
    m_voltages[2] = pad2;
}

void VirtualBoard::setFlood(int bytesPerSecond)
{
    m_floodRate = qMax(0, bytesPerSecond);
    m_floodSent = 0;
    m_floodClock.restart();
    if (m_floodRate > 0)
        m_floodTimer.start();
    else
        m_floodTimer.stop();
}

bool VirtualBoard::setLinkPath(const QString &path)
{
    if (!m_linkPath.isEmpty() && m_linkPath != path)
        QFile::remove(m_linkPath);
    m_linkPath = path;
    if (path.isEmpty() || m_ptyPath.isEmpty())
        return true;
    QFile::remove(path);
    if (!QFile::link(m_ptyPath, path)) {
        m_errorString = QStringLiteral("cannot link %1 to %2").arg(path, m_ptyPath);
        return false;
    }
    return true;
}

void VirtualBoard::replug(int delayMs, const QString &linkPath)
{
    unplug();
    // A reset board: nothing running, PWM outputs off.
    setMode(Mode::Idle);
    m_pad0Frequency = 0;
    m_lineBuffer.clear();
    QTimer::singleShot(delayMs, this, [this, linkPath] {
        if (isPlugged())
            return;
        if (!linkPath.isEmpty())
            m_linkPath = linkPath;
        if (start())
            emit plugged(devicePath());
    });
}

void VirtualBoard::sendRaw(const QByteArray &bytes)
{
    writeToPanel(bytes);
}

void VirtualBoard::unplug()
{
    m_streamTimer.stop();
    m_counterTimer.stop();
    m_floodTimer.stop();
    delete m_readNotifier;
    m_readNotifier = nullptr;
    delete m_writeNotifier;
    m_writeNotifier = nullptr;
    if (m_masterFd >= 0)
        ::close(m_masterFd);
    if (m_slaveFd >= 0)
        ::close(m_slaveFd);
    m_masterFd = m_slaveFd = -1;
    m_output.clear();
}

void VirtualBoard::readFromPanel()
{
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_masterFd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        const QByteArray bytes(buffer, int(n));
        m_received.append(bytes);
        emit bytesReceived(bytes);
        for (char c : bytes) {
            if (c == '\n') {
                handleLine(m_lineBuffer);
                m_lineBuffer.clear();
            } else if (c != '\r' && m_lineBuffer.size() < 1024) {
                m_lineBuffer.append(c);
            }
        }
        if (m_masterFd < 0) // unplugged from a slot
            break;
    }
}

void VirtualBoard::handleLine(const QByteArray &line)
{
    if (m_expectingChannelSetting) {
        m_pwmLines.append(line);
        if (m_pwmLines.size() == 3) {
            ChannelSetting setting{m_pwmLines[0].toInt(), m_pwmLines[1].toInt(),
                                   m_pwmLines[2].toInt()};
            m_channelSettings.append(setting);
            if (setting.output == 0)
                m_pad0Frequency = setting.frequency;
            m_pwmLines.clear();
            m_expectingChannelSetting = false;
        }
        return;
    }

    if (line == "v") {
        setMode(Mode::Voltmeter);
        sendReading();
    } else if (line == "c") {
        if (m_mode == Mode::Voltmeter)
            sendReading();
        else
            setMode(Mode::CounterArmed);
    } else if (line == "g") {
        if (m_mode == Mode::CounterArmed)
            setMode(Mode::Counter);
    } else if (line == "a") {
        setMode(Mode::Accelerometer);
    } else if (line == "o") {
        setMode(Mode::Oscilloscope);
    } else if (line == "p") {
        setMode(Mode::Pwm);
    } else if (line == "m") {
        if (m_mode == Mode::Pwm)
            m_expectingChannelSetting = true;
    } else if (line == "r") {
        // Stops the running instrument. PWM outputs are hardware timers and
        // keep their setting, so a counter opened later can measure PAD0.
        setMode(Mode::Idle);
    }
}

void VirtualBoard::setMode(Mode mode)
{
    if (mode == m_mode)
        return;
    m_mode = mode;
    m_expectingChannelSetting = false;
    m_pwmLines.clear();
    m_streamTimer.stop();
    m_counterTimer.stop();
    if (mode == Mode::Accelerometer || mode == Mode::Oscilloscope) {
        m_framesSent = 0;
        m_framesMade = 0;
        m_clock.start();
        m_lastTickMs = -1;
        m_stepHigh = false;
        m_stepPending = false;
        m_nextStepMs = m_stepPeriodMs;
        m_streamTimer.start();
    } else if (mode == Mode::Counter) {
        m_counterTimer.start();
    }
    emit modeChanged(mode);
}

void VirtualBoard::sendReading()
{
    if (m_silent)
        return;
    int v[3] = {0, 0, 0};
    if (m_fixedVoltages) {
        std::copy(std::begin(m_voltages), std::end(m_voltages), v);
    } else {
        const double t = m_clock.isValid() ? m_clock.elapsed() / 1000.0 : 0.0;
        v[0] = int(1650 + 1200 * std::sin(2 * pi * 0.2 * t));
        v[1] = int(3300 * std::fmod(t / 10.0, 1.0));
        v[2] = 1200 + int(m_random % 7);
        m_random = m_random * 1664525u + 1013904223u;
    }
    if (!m_clock.isValid())
        m_clock.start();
    writeToPanel(QByteArray::number(v[0]) + ',' + QByteArray::number(v[1]) + ','
                 + QByteArray::number(v[2]) + '\n');
}

QByteArray VirtualBoard::nextFrame()
{
    const double t = double(m_framesSent) / m_frameRate; // seconds of signal
    m_random = m_random * 1664525u + 1013904223u;
    const int noise = int(m_random >> 27) - 16; // -16 .. 15
    WaveShapes::Values values;
    if (m_mode == Mode::Oscilloscope && m_stepPeriodMs > 0)
        values = {m_stepHigh ? stepHighMv : stepLowMv, stepRestMv, stepRestMv};
    else if (m_mode == Mode::Oscilloscope)
        values = WaveShapes::osciloscope(t);
    else
        values = WaveShapes::accelerometer(t, noise);
    ++m_framesSent;
    return WaveShapes::frame(values);
}

qint64 VirtualBoard::takeLongestStallMs()
{
    return std::exchange(m_longestStallMs, 0);
}

void VirtualBoard::tick()
{
    const qint64 nowMs = m_clock.elapsed();
    if (m_lastTickMs >= 0)
        m_longestStallMs = qMax(m_longestStallMs, nowMs - m_lastTickMs);
    m_lastTickMs = nowMs;
    const double elapsed = nowMs / 1000.0;
    qint64 due = qint64(elapsed * m_frameRate) - m_framesSent;
    const qint64 limit = qint64(m_frameRate * maxCatchUpSeconds) + 1;
    if (due > limit) { // skip what a stalled board would have lost
        m_framesSent += due - limit;
        due = limit;
    }
    if (m_stepPeriodMs > 0 && m_mode == Mode::Oscilloscope && nowMs >= m_nextStepMs) {
        m_stepHigh = !m_stepHigh;
        m_stepPending = true;
        m_random = m_random * 1664525u + 1013904223u;
        m_nextStepMs = nowMs + m_stepPeriodMs + qint64((m_random >> 16) % 20);
    }
    if (due <= 0)
        return;
    m_framesMade += due;
    QByteArray bytes;
    bytes.reserve(int(due * 16));
    for (qint64 i = 0; i < due; ++i)
        bytes.append(nextFrame());
    if (!m_silent)
        writeToPanel(bytes);
    if (m_stepPending && !m_silent) {
        // Stamped once the frames are written: what a USB device's read
        // would deliver to the panel now.
        m_stepPending = false;
        const qint64 nowNs = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                 std::chrono::steady_clock::now().time_since_epoch())
                                 .count();
        emit stepped(m_stepHigh ? stepHighMv : stepLowMv, nowNs);
    }
}

void VirtualBoard::writeToPanel(const QByteArray &bytes)
{
    if (m_masterFd < 0)
        return;
    const int room = maxOutputBytes - int(m_output.size());
    if (bytes.size() > room) {
        const qint64 lost = bytes.size() - qMax(room, 0);
        m_droppedBytes += lost;
        if (m_output.isEmpty())
            m_droppedAfterOwnStall += lost;
        m_output.append(bytes.left(qMax(room, 0)));
    } else {
        m_output.append(bytes);
    }
    flushOutput();
}

void VirtualBoard::flushOutput()
{
    if (m_masterFd < 0)
        return;
    while (!m_output.isEmpty()) {
        const int piece = m_chunkSize > 0 ? qMin(m_chunkSize, int(m_output.size()))
                                          : int(m_output.size());
        const ssize_t n = ::write(m_masterFd, m_output.constData(), size_t(piece));
        if (n <= 0)
            break;
        m_output.remove(0, int(n));
        if (m_chunkSize > 0 && !m_output.isEmpty()) {
            // One piece at a time, so the panel sees each piece on its own.
            m_writeNotifier->setEnabled(false);
            QTimer::singleShot(m_chunkIntervalMs, Qt::PreciseTimer, this, &VirtualBoard::flushOutput);
            return;
        }
    }
    m_writeNotifier->setEnabled(!m_output.isEmpty());
}

#include "instrumentdialog.h"

#include "board.h"
#include "boardchoice.h"
#include "instrumentprotocol.h"
#include "publishcontrol.h"
#include "rawdatawindow.h"
#include "recordingcontrol.h"
#include "recordingopening.h"
#include "windowmemory.h"
#include "windowtitle.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QMenu>
#include <QMessageBox>

#include <algorithm>

namespace {

// A companion asked for again comes to the front.
void bringToFront(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

InstrumentDialog::InstrumentDialog(int stopCopies, QWidget *parent)
    : QDialog(parent), serial(new QSerialPort(this)), board(serial, stopCopies),
      m_closeGuard(*new CloseGuard(this, [this] { requestQuit(); })),
      m_rawDataAction(new QAction(tr("Show Raw Data"), this)),
      m_title(new WindowTitle(this)),
      m_boardChoice(new BoardChoice(this, *m_title, board, [this](const PortCandidate &target) {
          moveToBoard(target);
      })),
      m_memory(new WindowMemory(
          this, [this] { return keptValues(); },
          [this](const QVariantMap &values) { applyKept(values); }))
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_rawDataAction->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_D));
    connect(m_rawDataAction, &QAction::triggered, this, &InstrumentDialog::showRawData);
    addAction(m_rawDataAction);
    addAction(m_boardChoice->action());
    addAction(m_memory->restoreDefaultsAction());
    connect(m_title, &WindowTitle::changed, this, &InstrumentDialog::updateRawDataTitle);
    connect(&board, &BoardLink::leftBoard, this, [this] {
        // As a loss, without its box: the lines do not join across the move.
        if (m_history)
            m_history->markGap();
        onConnectionLost();
    });
    connect(&board, &BoardLink::stateChanged, this, &InstrumentDialog::handleStateChange);
    connect(&board, &BoardLink::connectionLost, this, &InstrumentDialog::showConnectionLost);
    connect(&board, &BoardLink::searchNote, this, &InstrumentDialog::showSearchNote);
    connect(&board, &BoardLink::reconnected, this, &InstrumentDialog::onReconnected);
    // Connected before the instrument's own slots, so a command sent in
    // answer to some bytes is shown after them.
    connect(&board, &BoardLink::received, this, [this](const QByteArray &bytes) {
        if (m_rawDataWindow)
            m_rawDataWindow->addReceived(bytes);
    });
    connect(&board, &BoardLink::sent, this, [this](const QByteArray &command) {
        if (m_rawDataWindow)
            m_rawDataWindow->addSent(command);
    });
}

InstrumentDialog::~InstrumentDialog() = default;

bool InstrumentDialog::event(QEvent *event)
{
    if (event->type() != QEvent::ContextMenu)
        return QDialog::event(event);
    // The context menu (Qt::ActionsContextMenu) and whatever its actions
    // open run in a loop of their own: a held close is carried out only once
    // that loop has returned, never from inside it.
    BusyScope busy(this);
    return QDialog::event(event);
}

bool InstrumentDialog::connectBoard(QIODevice::OpenMode mode)
{
    if (board.connectBoard(mode) == BoardLink::Outcome::Opened)
        return true;
    QMessageBox::information(this, tr("Serial port error"), board.failureText(), QMessageBox::Ok,
                             QMessageBox::NoButton);
    return false;
}

void InstrumentDialog::handleStateChange(BoardLink::State state)
{
    if (state == BoardLink::State::Open)
        startInstrument();
}

void InstrumentDialog::waitFor(int ms)
{
    BusyScope busy(this);
    board.wait(ms);
}

void InstrumentDialog::delay()
{
    waitFor(Board::waitMs);
}

void InstrumentDialog::requestQuit()
{
    if (isQuitting())
        return;
    m_closeGuard.hold();
    if (!m_closeGuard.isBusy()) {
        m_closeGuard.release();
        runQuit();
    }
}

void InstrumentDialog::stopRun()
{
    // The stop's own wait is one of this window's waits: a close arriving
    // in it is held, not run a second time.
    BusyScope busy(this);
    if (publishing)
        publishing->stop();
    // A recording ends, its file complete, before the port closes.
    if (recording)
        recording->stop();
    board.stop();
}

void InstrumentDialog::runQuit()
{
    stopRun();
    close();
}

std::function<void(const std::function<void()> &)> InstrumentDialog::busyGuard()
{
    return [this](const std::function<void()> &work) {
        // The menus and dialogs of what this window owns run loops of their
        // own: the window must outlive them.
        BusyScope busy(this);
        work();
    };
}

RecordingControl *InstrumentDialog::addRecording(const InstrumentProtocol &instrument,
                                                 const SampleStore *computedFrom)
{
    recording = new RecordingControl(this, instrument, computedFrom);
    recording->setGuard(busyGuard());
    insertAction(m_rawDataAction, recording->action());
    return recording;
}

PublishControl *InstrumentDialog::addPublishing(const InstrumentProtocol &instrument)
{
    publishing = new PublishControl(this, instrument);
    publishing->setGuard(busyGuard());
    insertAction(m_rawDataAction, publishing->action());
    return publishing;
}

void InstrumentDialog::feedControls(SinkFanOut &sinks)
{
    if (recording)
        sinks.add(&recording->recorder());
    if (publishing)
        sinks.add(&publishing->publisher());
}

void InstrumentDialog::addReadingActions(std::function<QString()> shownReading)
{
    auto *copy = new QAction(tr("Copy Reading"), this);
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, this,
            [shownReading] { QApplication::clipboard()->setText(shownReading()); });
    // Before the recording's action, which addRecording() added already.
    insertAction(recording ? recording->action() : nullptr, copy);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void InstrumentDialog::addReadingTools(std::function<QString()> shownReading,
                                       const InstrumentProtocol &instrument)
{
    addRecording(instrument);
    addReadingActions(std::move(shownReading));
    addPublishing(instrument)->showStatusIn(*m_title);
    m_readings = std::make_unique<ReadingIntake>(instrument);
    feedControls(m_readings->sinks());
    m_history = std::make_unique<ReadingHistory>(int(instrument.columns.size()));
    m_chartAction = new QAction(tr("Show Chart"), this);
    m_chartAction->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_G));
    connect(m_chartAction, &QAction::triggered, this, &InstrumentDialog::showChart);
    insertAction(m_rawDataAction, m_chartAction);
}

std::vector<Reading> InstrumentDialog::takeReadings(const QByteArray &bytes, qint64 readTimeNs)
{
    return m_readings->take(bytes, readTimeNs);
}

void InstrumentDialog::resetReadings()
{
    m_readings->reset();
}

void InstrumentDialog::addReading(const Reading &reading)
{
    if (reading.gapBefore)
        m_history->markGap();
    m_history->add(reading.wallMs, reading.values.data());
}

ReadingChart *InstrumentDialog::createChart(const ReadingHistory &history,
                                           std::function<qint64()> nowMs)
{
    Q_UNUSED(history)
    Q_UNUSED(nowMs)
    return nullptr;
}

void InstrumentDialog::showChart()
{
    if (!m_chartWindow) {
        m_chartWindow = createChart(*m_history, [this] { return m_readings->clock().nowMs(); });
        if (!m_chartWindow)
            return;
        m_memory->followChart(m_chartWindow);
        RecordingOpening::follow(m_chartWindow, this);
    }
    bringToFront(m_chartWindow);
}

void InstrumentDialog::showRawData()
{
    if (!m_rawDataWindow) {
        m_rawDataWindow = new RawDataWindow(this);
        updateRawDataTitle();
    }
    bringToFront(m_rawDataWindow);
}

void InstrumentDialog::updateRawDataTitle()
{
    if (!m_rawDataWindow)
        return;
    const QString board = m_boardChoice->boardDescription();
    m_rawDataWindow->setWindowTitle(board.isEmpty()
                                        ? tr("Raw Data – %1").arg(m_title->base())
                                        : tr("Raw Data – %1 (%2)").arg(m_title->base(), board));
}

QAction *InstrumentDialog::boardAction() const
{
    return m_boardChoice->action();
}

void InstrumentDialog::setKeepsSettings(bool keeps)
{
    m_memory->setKeeping(keeps);
}

void InstrumentDialog::moveToBoard(const PortCandidate &target)
{
    if (isQuitting() || isQuitPending())
        return;
    // The old board's stop waits: a quit meanwhile is carried out after it.
    BusyScope busy(this);
    board.switchTo(target);
}

void InstrumentDialog::addWindowEntries(QMenu &menu) const
{
    menu.addAction(m_rawDataAction);
    menu.addAction(m_boardChoice->action());
    menu.addAction(m_memory->restoreDefaultsAction());
}

void InstrumentDialog::closeCompanions()
{
    if (m_chartWindow)
        m_chartWindow->close();
    if (m_rawDataWindow)
        m_rawDataWindow->close();
}

void InstrumentDialog::closeEvent(QCloseEvent *event)
{
    if (board.state() != BoardLink::State::Stopped) {
        // Inside one of this window's waits, or a menu or dialog of it is
        // open: the window must outlive them. The quit runs when they are over.
        if (m_closeGuard.holdClose(event))
            return;
        if (isQuitting()) {
            event->ignore();
            return;
        }
        // Idle: stop here and now, so that closing all windows (a logout) is
        // not refused.
        stopRun();
    }
    m_memory->save();
    closeCompanions();
    QDialog::closeEvent(event);
}

void InstrumentDialog::reject()
{
    if (board.state() == BoardLink::State::Stopped) {
        QDialog::reject();
        return;
    }
    QMetaObject::invokeMethod(this, &InstrumentDialog::requestQuit, Qt::QueuedConnection);
}

void InstrumentDialog::showPortMessage(const QString &text)
{
    if (m_portBox) {
        m_portBox->setText(text);
        return;
    }
    // Not exec(): a nested loop here could run inside another window's wait.
    m_portBox = new QMessageBox(QMessageBox::Warning, tr("Serial port error"), text,
                                QMessageBox::Ok, this);
    m_portBox->setAttribute(Qt::WA_DeleteOnClose);
    // It tells why the window waits and runs no loop of its own: a quit
    // while it is up is the ordinary way out of the wait.
    m_closeGuard.ignorePopup(m_portBox);
    m_portBox->open();
}

void InstrumentDialog::showConnectionLost(const QString &message)
{
    // The chart's lines do not join across the time the board was away.
    if (m_history)
        m_history->markGap();
    onConnectionLost();
    m_lossMessage = message;
    showPortMessage(message);
}

void InstrumentDialog::showSearchNote(const QString &note)
{
    // The user may have closed the box; the window keeps waiting quietly.
    if (m_portBox && board.state() == BoardLink::State::Lost)
        m_portBox->setText(note.isEmpty() ? m_lossMessage : m_lossMessage + "\n\n" + note);
}

void InstrumentDialog::onReconnected()
{
    if (m_portBox)
        m_portBox->close();
}

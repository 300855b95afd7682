#include "instrumentdialog.h"

#include "board.h"
#include "recordingcontrol.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QMessageBox>

InstrumentDialog::InstrumentDialog(int stopCopies, QWidget *parent)
    : QDialog(parent), serial(new QSerialPort(this)), board(serial, stopCopies)
{
    setAttribute(Qt::WA_DeleteOnClose);
    connect(&board, &BoardLink::stateChanged, this, &InstrumentDialog::handleStateChange);
    connect(&board, &BoardLink::connectionLost, this, &InstrumentDialog::showConnectionLost);
    connect(&board, &BoardLink::searchNote, this, &InstrumentDialog::showSearchNote);
    connect(&board, &BoardLink::reconnected, this, &InstrumentDialog::onReconnected);
}

InstrumentDialog::~InstrumentDialog() = default;

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
    m_quitRequested = true;
    if (m_busy == 0)
        runQuit();
}

void InstrumentDialog::resumePendingQuit()
{
    if (m_busy == 0 && isQuitPending())
        QMetaObject::invokeMethod(this, &InstrumentDialog::requestQuit, Qt::QueuedConnection);
}

void InstrumentDialog::stopRun()
{
    // The stop's own wait is one of this window's waits: a close arriving
    // in it is held, not run a second time.
    BusyScope busy(this);
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

RecordingControl *InstrumentDialog::addRecording(const QString &kind, const QStringList &header)
{
    recording = new RecordingControl(this, kind, header);
    recording->setGuard([this](const std::function<void()> &work) {
        // Its dialog runs a loop of its own: the window must outlive it.
        BusyScope busy(this);
        work();
    });
    addAction(recording->action());
    return recording;
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

void InstrumentDialog::closeEvent(QCloseEvent *event)
{
    if (board.state() == BoardLink::State::Stopped) {
        QDialog::closeEvent(event);
        return;
    }
    m_quitRequested = true;
    if (m_busy > 0 || isQuitting()) {
        // Inside one of this window's waits: the window must outlive it. The
        // quit runs when the wait is over.
        event->ignore();
        return;
    }
    // Idle: stop here and now, so that closing all windows (a logout) is
    // not refused.
    stopRun();
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
    m_portBox->open();
}

void InstrumentDialog::showConnectionLost(const QString &message)
{
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

#include "instrumentdialog.h"

#include "board.h"

#include <QCloseEvent>
#include <QMessageBox>

InstrumentDialog::InstrumentDialog(int stopCopies, QWidget *parent)
    : QDialog(parent), serial(new QSerialPort(this)), board(serial, stopCopies)
{
    setAttribute(Qt::WA_DeleteOnClose);
    connect(&board, &BoardLink::connectionLost, this, &InstrumentDialog::showConnectionLost);
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

void InstrumentDialog::delay()
{
    ++m_busy;
    board.wait(Board::waitMs);
    --m_busy;
    resumePendingQuit();
}

void InstrumentDialog::requestQuit()
{
    if (m_quitting || m_finished)
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

void InstrumentDialog::runQuit()
{
    m_quitting = true;
    board.stop();
    m_finished = true;
    close();
}

void InstrumentDialog::closeEvent(QCloseEvent *event)
{
    if (m_finished) {
        QDialog::closeEvent(event);
        return;
    }
    // close() is ignored inside a close event, so the quit that ends in
    // close() runs from the event loop.
    event->ignore();
    QMetaObject::invokeMethod(this, &InstrumentDialog::requestQuit, Qt::QueuedConnection);
}

void InstrumentDialog::reject()
{
    if (m_finished) {
        QDialog::reject();
        return;
    }
    QMetaObject::invokeMethod(this, &InstrumentDialog::requestQuit, Qt::QueuedConnection);
}

void InstrumentDialog::showConnectionLost(const QString &message)
{
    onConnectionLost();
    // Not exec(): a nested loop here could run inside another window's wait.
    auto *box = new QMessageBox(QMessageBox::Warning, tr("Serial port error"), message,
                                QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

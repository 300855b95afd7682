#pragma once

#include "boardlink.h"

#include <QDialog>
#include <QSerialPort>

// What every instrument window shares: its own port (`serial`), the board
// link that speaks over it, and the rule that any close (Quit, the frame's
// close button, Escape) stops the instrument, closes the port and destroys
// the window. A close that arrives while one of the window's own waits is
// running is held until the window is idle, so a window is never destroyed
// under its own feet.
class InstrumentDialog : public QDialog
{
    Q_OBJECT

public:
    ~InstrumentDialog() override;

    bool isQuitting() const { return m_quitting; }

protected:
    // `stopCopies`: how many "r\n" stop this instrument.
    InstrumentDialog(int stopCopies, QWidget *parent);

    // Finds and opens the board. When that fails the user is told why, in a
    // modal box on this window, and false is returned.
    bool connectBoard(QIODevice::OpenMode mode);

    // Stops the instrument and closes the window once no wait of this
    // window is running. Quit buttons call this.
    void requestQuit();

    // Marks a span during which a quit must wait (a PWM setting going out).
    class BusyScope
    {
    public:
        explicit BusyScope(InstrumentDialog *dialog) : m_dialog(dialog) { ++m_dialog->m_busy; }
        ~BusyScope() { --m_dialog->m_busy; m_dialog->resumePendingQuit(); }
        BusyScope(const BusyScope &) = delete;
        BusyScope &operator=(const BusyScope &) = delete;

    private:
        InstrumentDialog *const m_dialog;
    };

    // True once a quit was asked for while this window was busy.
    bool isQuitPending() const { return m_quitRequested && !m_quitting; }

    // The port failed under a running instrument; it is already closed.
    virtual void onConnectionLost() {}

    void closeEvent(QCloseEvent *event) override;
    void reject() override;

    QSerialPort *const serial;
    BoardLink board;

protected slots:
    // The short wait between commands; the event loop keeps running.
    void delay();

private:
    void runQuit();
    void resumePendingQuit();
    void showConnectionLost(const QString &message);

    int m_busy = 0;
    bool m_quitRequested = false;
    bool m_quitting = false;
    bool m_finished = false;
};

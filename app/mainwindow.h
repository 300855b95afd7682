#pragma once

#include <QMainWindow>
#include <QPointer>

namespace Ui {
class MainWindow;
}
class Accelerometer;
class QDialog;
struct InstrumentProtocol;
class Counter;
class Osciloscope;
class Pwm;
class RemoteControl;
class WindowMemory;
class Voltmeter;

// The launcher: one box per instrument; each press opens a new window.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Presses the buttons of the instruments named (see
    // InstrumentProtocol::all()) in this order, each once the window
    // of the one before is built. Unknown names are skipped.
    void openInstruments(const QStringList &names);
    // The SCPI server of the panel ("Remote Control…" in the context menu).
    RemoteControl &remoteControl() { return *m_remote; }

protected:
    // Keeps its place and size for the next start.
    void closeEvent(QCloseEvent *event) override;
    // The choices of the whole panel: its language.
    void contextMenuEvent(QContextMenuEvent *event) override;

private slots:
    void on_pushButtonVoltmeter_clicked();
    void on_pushButtonAccelerometer_clicked();
    void on_pushButtonOsciloscope_clicked();
    void on_pushButtonCounter_clicked();
    void on_pushButtonPwm_clicked();

private:
    // A new window of `instrument`, shown with its title; the board is the
    // window's, not the remote clients'.
    QDialog *open(const InstrumentProtocol &instrument);
    void showRemoteControl();
    static QString buttonSuffix(const InstrumentProtocol &instrument);

    Ui::MainWindow *ui;
    WindowMemory *const m_memory;
    RemoteControl *const m_remote;
    // The latest window of each kind. Not owned: a window destroys itself
    // when it is closed, which clears its pointer.
    QPointer<Pwm> pwm;
    QPointer<Accelerometer> accelerometer;
    QPointer<Counter> counter;
    QPointer<Osciloscope> osciloscope;
    QPointer<Voltmeter> voltmeter;
};

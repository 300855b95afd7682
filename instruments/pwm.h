#pragma once

#include "instrumentdialog.h"

#include <QByteArray>
#include <QQueue>

class QSpinBox;

namespace Ui {
class Pwm;
}

// Sets frequency and duty cycle of the board's two PWM outputs. Only writes:
// one four-line channel setting per Enable press.
class Pwm : public InstrumentDialog
{
    Q_OBJECT

public:
    explicit Pwm(QWidget *parent = nullptr);
    ~Pwm() override;

private slots:
    void on_pushButtonEnable0_clicked();
    void on_pushButtonEnable1_clicked();
    void on_pushButtonQuit_clicked();

private:
    void startInstrument() override;
    void onReconnected() override;
    void fitWarning();
    // Queues a setting of `output`; sends the queue unless a setting is
    // already going out (that one sends it when it is done).
    void enableOutput(int output);
    void sendChannelSetting(int output);
    // Writes `text` as one command line and waits.
    void sendLine(const QByteArray &text);

    Ui::Pwm *ui;
    // The line last sent, for the debug trace; kept on purpose.
    QByteArray commandBuffer;
    // Outputs whose Enable was pressed while a setting was going out.
    QQueue<int> pendingOutputs;
    bool sendingSetting = false;
};

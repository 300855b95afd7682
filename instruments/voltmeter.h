#pragma once

#include "chartwindow.h"
#include "instrumentdialog.h"

#include <QStringList>

namespace Ui {
class Voltmeter;
}

// Shows the board's three analog inputs in millivolts. Every notification
// asks for the next reading with "c"; one complete reading in 101 reaches
// the labels.
class Voltmeter : public InstrumentDialog
{
    Q_OBJECT

public:
    explicit Voltmeter(QWidget *parent = nullptr);
    // What its chart shows, also of a file.
    static ChartProfile chartProfile();
    ~Voltmeter() override;

private slots:
    void readSerial(const QByteArray &bytes, qint64 readTimeNs);
    void updateLCD(QStringList data);
    void on_pushButtonQuit_clicked();

private:
    void startInstrument() override;
    ReadingChart *createChart(const ReadingHistory &history, std::function<qint64()> nowMs) override;

    Ui::Voltmeter *ui;
    int displayCounter = 0;
};

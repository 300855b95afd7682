#pragma once

#include "readingwindow.h"

#include <QStringList>

namespace Ui {
class Voltmeter;
}

// Shows the board's three analog inputs in millivolts. Every notification
// asks for the next reading with "c"; one complete reading in 101 reaches
// the labels.
class Voltmeter : public ReadingWindow
{
    Q_OBJECT

public:
    explicit Voltmeter(QWidget *parent = nullptr);
    ~Voltmeter() override;

private slots:
    void readSerial(const QByteArray &bytes, qint64 readTimeNs);
    void updateLCD(QStringList data);
    void on_pushButtonQuit_clicked();

private:
    void startInstrument() override;

    Ui::Voltmeter *ui;
    int displayCounter = 0;
};

#pragma once

#include "readingwindow.h"

namespace Ui {
class Counter;
}

// Shows the frequency the board measures on PAD0, one reply line at a time,
// exactly as the board words it.
class Counter : public ReadingWindow
{
    Q_OBJECT

public:
    explicit Counter(QWidget *parent = nullptr);
    ~Counter() override;

private slots:
    void updateLCD(const QByteArray &bytes, qint64 readTimeNs);
    void on_quitButton_clicked();
    // A shorter wait. Nothing calls it; kept on purpose, as the window's interface.
    void delay2();

private:
    Ui::Counter *ui;
};

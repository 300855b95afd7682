#pragma once

#include "instrumentdialog.h"
#include "linesplitter.h"

namespace Ui {
class Counter;
}

// Shows the frequency the board measures on PAD0, one reply line at a time,
// exactly as the board words it.
class Counter : public InstrumentDialog
{
    Q_OBJECT

public:
    explicit Counter(QWidget *parent = nullptr);
    ~Counter() override;

private slots:
    void updateLCD();
    void on_quitButton_clicked();

private:
    Ui::Counter *ui;
    LineSplitter lineSplitter;
};

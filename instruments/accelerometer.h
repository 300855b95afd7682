#pragma once

#include "plotter.h"

namespace Ui {
class Accelerometer;
}

// Live plot of the board's three accelerometer axes, in raw units on a
// hidden left scale, read in g on the right one.
class Accelerometer : public Plotter
{
    Q_OBJECT

public:
    explicit Accelerometer(QWidget *parent = nullptr, Source source = Source::Board);
    ~Accelerometer() override;

private:
    Ui::Accelerometer *ui;
};

#pragma once

#include "plotter.h"

namespace Ui {
class Osciloscope;
}

// Live plot of the board's analog inputs PAD0, PAD1 and PAD2, in millivolts.
class Osciloscope : public Plotter
{
    Q_OBJECT

public:
    explicit Osciloscope(QWidget *parent = nullptr, Source source = Source::Board);
    ~Osciloscope() override;

private:
    Ui::Osciloscope *ui;
};

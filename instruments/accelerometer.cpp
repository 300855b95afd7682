#include "accelerometer.h"
#include "ui_accelerometer.h"

namespace {

// Raw 2000 is 0 g and 1000 raw units are 1 g (the protocol's frame unit),
// so the right axis spans the same height as the left one.
const PlotterProfile accelerometerProfile{
    InstrumentProtocol::accelerometer(),
    {-200, 4200},
    false,
    {0, 500},
    true,
    {-2.2, 2.2},
    true,
};

} // namespace

Accelerometer::Accelerometer(QWidget *parent, Source source)
    : Plotter(accelerometerProfile, source, parent), ui(new Ui::Accelerometer)
{
    ui->setupUi(this);
    setUpPlot(ui->plot, ui->stopButton);
}

Accelerometer::~Accelerometer()
{
    delete ui;
}

#include "osciloscope.h"
#include "ui_osciloscope.h"

namespace {

const PlotterProfile osciloscopeProfile{
    InstrumentProtocol::osciloscope(),
    {-100, 3400},
    true,
    {0, 200},
    false,
    {0, 0},
    true,
};

} // namespace

Osciloscope::Osciloscope(QWidget *parent, Source source)
    : Plotter(osciloscopeProfile, source, parent), ui(new Ui::Osciloscope)
{
    ui->setupUi(this);
    setUpPlot(ui->plot, ui->stopButton);
}

Osciloscope::~Osciloscope()
{
    delete ui;
}

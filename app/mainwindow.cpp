#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "accelerometer.h"
#include "counter.h"
#include "osciloscope.h"
#include "pwm.h"
#include "voltmeter.h"

#include <QHash>
#include <QPushButton>

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    ui->setupUi(this);
    // The boxes' texts need more than the first size with most desktop
    // fonts; open large enough that no button or description is cut off.
    resize(size().expandedTo(minimumSizeHint()).boundedTo(maximumSize()));
}

MainWindow::~MainWindow()
{
    delete ui;
}

void MainWindow::openInstruments(const QStringList &names)
{
    const QHash<QString, QPushButton *> buttons = {
        {QStringLiteral("voltmeter"), ui->pushButtonVoltmeter},
        {QStringLiteral("accelerometer"), ui->pushButtonAccelerometer},
        {QStringLiteral("osciloscope"), ui->pushButtonOsciloscope},
        {QStringLiteral("pwm"), ui->pushButtonPwm},
        {QStringLiteral("counter"), ui->pushButtonCounter}};
    // A window's start may run the event loop (its waits, an error box),
    // and the launcher may be closed in it.
    const QPointer<MainWindow> self(this);
    for (const QString &name : names) {
        if (!self)
            return;
        if (QPushButton *button = buttons.value(name))
            button->click();
    }
}

// Each window finds and starts the board in its constructor, which may wait
// with the event loop running; the pointer is set only once it returns.

void MainWindow::on_pushButtonVoltmeter_clicked()
{
    voltmeter = new Voltmeter();
    voltmeter->show();
    voltmeter->setWindowTitle(tr("Voltmeter"));
}

void MainWindow::on_pushButtonAccelerometer_clicked()
{
    accelerometer = new Accelerometer();
    accelerometer->show();
    accelerometer->setWindowTitle(tr("Accelerometer"));
}

void MainWindow::on_pushButtonOsciloscope_clicked()
{
    osciloscope = new Osciloscope();
    osciloscope->show();
    osciloscope->setWindowTitle(tr("Osciloscope"));
}

void MainWindow::on_pushButtonCounter_clicked()
{
    counter = new Counter();
    counter->show();
    counter->setWindowTitle(tr("Counter"));
}

void MainWindow::on_pushButtonPwm_clicked()
{
    pwm = new Pwm();
    pwm->show();
    pwm->setWindowTitle(tr("PWM Generator"));
}

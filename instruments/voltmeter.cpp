#include "voltmeter.h"
#include "ui_voltmeter.h"

#include <QDebug>

Voltmeter::Voltmeter(QWidget *parent) : InstrumentDialog(20, parent), ui(new Ui::Voltmeter)
{
    ui->setupUi(this);
    ui->labelVolt0->setText(QStringLiteral("0"));

    if (!connectBoard(QIODevice::ReadWrite))
        return;
    delay();
    board.send("v");
    connect(serial, &QSerialPort::readyRead, this, &Voltmeter::readSerial);
}

Voltmeter::~Voltmeter()
{
    delete ui;
}

void Voltmeter::readSerial()
{
    board.send("c");
    // Take every complete reading there is, so the shown one is never stale.
    const QList<QByteArray> lines = lineSplitter.feed(serial->readAll());
    for (const QByteArray &line : lines) {
        if (const std::optional<QStringList> reading = accumulator.addLine(line)) {
            qDebug() << *reading;
            updateLCD(*reading);
        }
    }
}

void Voltmeter::updateLCD(QStringList data)
{
    if (displayCounter > 99) {
        // The board's text as sent, never read as markup.
        for (QLabel *label : {ui->labelVolt0, ui->labelVolt1, ui->labelVolt2})
            label->setTextFormat(Qt::PlainText);
        ui->labelVolt0->setText(data.at(0));
        ui->labelVolt1->setText(data.at(1));
        ui->labelVolt2->setText(data.at(2));
        displayCounter = 0;
    } else {
        ++displayCounter;
    }
}

void Voltmeter::on_pushButtonQuit_clicked()
{
    requestQuit();
}

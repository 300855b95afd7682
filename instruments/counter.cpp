#include "counter.h"
#include "ui_counter.h"

Counter::Counter(QWidget *parent) : InstrumentDialog(20, parent), ui(new Ui::Counter)
{
    ui->setupUi(this);

    if (!connectBoard(QIODevice::ReadWrite))
        return;
    delay();
    board.send("c");
    // Connected between the two commands: nothing read before "g" matters.
    connect(serial, &QSerialPort::readyRead, this, &Counter::updateLCD);
    board.send("g");
}

Counter::~Counter()
{
    delete ui;
}

void Counter::updateLCD()
{
    // A reading counts once its line feed is here; of several, the newest is
    // the current one.
    const QList<QByteArray> lines = lineSplitter.feed(serial->readAll());
    if (lines.isEmpty())
        return;
    // The board's words as sent, never markup.
    ui->countLabel->setTextFormat(Qt::PlainText);
    ui->countLabel->setText(QString::fromUtf8(lines.constLast()));
}

void Counter::on_quitButton_clicked()
{
    requestQuit();
}

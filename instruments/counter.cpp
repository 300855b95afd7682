#include "counter.h"
#include "ui_counter.h"

#include "instrumentprotocol.h"
#include "shownnumber.h"

Counter::Counter(QWidget *parent)
    : ReadingWindow(InstrumentProtocol::counter(), parent), ui(new Ui::Counter)
{
    ui->setupUi(this);

    connect(&board, &BoardLink::received, this, &Counter::updateLCD);
    connectReadings([this] { return ui->countLabel->text(); });
}

void Counter::delay2()
{
    waitFor(50);
}

Counter::~Counter()
{
    delete ui;
}

void Counter::updateLCD(const QByteArray &bytes, qint64 readTimeNs)
{
    // A reading counts once its line feed is here; of several, the newest is
    // the current one, and every one is recorded.
    const std::vector<Reading> readings = takeReadings(bytes, readTimeNs);
    if (readings.empty())
        return;
    for (const Reading &reading : readings)
        addReading(reading);
    // The board's words as sent, never markup.
    ui->countLabel->setTextFormat(Qt::PlainText);
    ui->countLabel->setText(ShownNumber::localized(readings.back().shown(0)));
}

void Counter::on_quitButton_clicked()
{
    requestQuit();
}

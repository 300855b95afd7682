#include "voltmeter.h"
#include "ui_voltmeter.h"

#include "boardtrace.h"
#include "instrumentprotocol.h"

#include <QDebug>
#include <QTextDocumentFragment>

Voltmeter::Voltmeter(QWidget *parent) : ReadingWindow(InstrumentProtocol::voltmeter(), parent), ui(new Ui::Voltmeter)
{
    ui->setupUi(this);
    ui->labelVolt0->setText(QStringLiteral("0"));
    const auto shownReading = [this] {
        QStringList shown;
        for (const QLabel *label : {ui->labelVolt0, ui->labelVolt1, ui->labelVolt2}) {
            // The form starts with styled placeholders; copy what they show.
            shown.append(label->textFormat() == Qt::PlainText
                             ? label->text()
                             : QTextDocumentFragment::fromHtml(label->text()).toPlainText());
        }
        return shown.join(QLatin1Char('\t'));
    };
    connect(&board, &BoardLink::received, this, &Voltmeter::readSerial);
    connectReadings(shownReading);
}

void Voltmeter::startInstrument()
{
    displayCounter = 0;
    ReadingWindow::startInstrument();
}

Voltmeter::~Voltmeter()
{
    delete ui;
}

void Voltmeter::readSerial(const QByteArray &bytes, qint64 readTimeNs)
{
    // One request in flight is enough: a board that stopped reading must not
    // make requests pile up.
    board.sendRequest(instrument.request);
    // Take every complete reading there is, so the shown one is never stale.
    for (const Reading &reading : takeReadings(bytes, readTimeNs)) {
        // The debug trace of each reading, kept on purpose.
        qCDebug(boardTrace) << reading.fields;
        addReading(reading);
        updateLCD(reading.fields);
    }
}

void Voltmeter::updateLCD(QStringList data)
{
    if (displayCounter > 99) {
        // The board's text as sent, never read as markup.
        for (QLabel *label : {ui->labelVolt0, ui->labelVolt1, ui->labelVolt2})
            label->setTextFormat(Qt::PlainText);
        ui->labelVolt0->setText(ReadingAccumulator::withoutLineEnd(data.at(0)));
        ui->labelVolt1->setText(ReadingAccumulator::withoutLineEnd(data.at(1)));
        ui->labelVolt2->setText(ReadingAccumulator::withoutLineEnd(data.at(2)));
        displayCounter = 0;
    } else {
        ++displayCounter;
    }
}

void Voltmeter::on_pushButtonQuit_clicked()
{
    requestQuit();
}

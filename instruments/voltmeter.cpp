#include "voltmeter.h"
#include "ui_voltmeter.h"

#include "boardtrace.h"
#include "instrumentprotocol.h"
#include "publishcontrol.h"
#include "recordingcontrol.h"

#include <QDebug>
#include <QTextDocumentFragment>

#include <cmath>

namespace {

const InstrumentProtocol &protocol()
{
    return InstrumentProtocol::named(QStringLiteral("voltmeter"));
}

} // namespace

Voltmeter::Voltmeter(QWidget *parent)
    : InstrumentDialog(protocol().stopCopies, parent), ui(new Ui::Voltmeter)
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
    addReadingTools(protocol(), shownReading, chartProfile());

    connect(&board, &BoardLink::received, this, &Voltmeter::readSerial);
    connectBoard(QIODevice::ReadWrite);
}

void Voltmeter::startInstrument()
{
    // A fresh connection: nothing half-read from the last one counts.
    lineSplitter.reset();
    accumulator.reset();
    displayCounter = 0;
    protocol().start(board, [this] { delay(); });
}

Voltmeter::~Voltmeter()
{
    delete ui;
}

void Voltmeter::readSerial(const QByteArray &bytes, qint64 readTimeNs)
{
    // One request in flight is enough: a board that stopped reading must not
    // make requests pile up.
    board.sendRequest(protocol().request);
    // Take every complete reading there is, so the shown one is never stale.
    const QList<QByteArray> lines = lineSplitter.feed(bytes);
    for (const QByteArray &line : lines) {
        if (const std::optional<QStringList> reading = accumulator.addLine(line)) {
            // The debug trace of each reading, kept on purpose.
            qCDebug(boardTrace) << *reading;
            // Every reading, not only the shown ones; only numbers reach the file.
            if (recording->isRecording()) {
                recording->recorder().appendRow(readTimeNs, RecordedRow::voltmeter(*reading));
            }
            if (publishing->isPublishing())
                publishing->publisher().publishReading(readTimeNs, RecordedRow::voltmeter(*reading));
            double values[3];
            for (int i = 0; i < 3; ++i) {
                bool ok = false;
                values[i] = ReadingAccumulator::withoutLineEnd(reading->at(i)).toDouble(&ok);
                if (!ok)
                    values[i] = std::nan("");
            }
            addChartReading(readTimeNs, values);
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

ChartProfile Voltmeter::chartProfile()
{
    return {tr("Voltmeter Chart"),
            {QStringLiteral("PAD0_mV"), QStringLiteral("PAD1_mV"), QStringLiteral("PAD2_mV")},
            {QStringLiteral("PAD0"), QStringLiteral("PAD1"), QStringLiteral("PAD2")},
            {Qt::red, Qt::blue, Qt::black},
            QStringLiteral("mV"),
            QStringLiteral("voltmeter-chart")};
}

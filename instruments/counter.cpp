#include "counter.h"
#include "ui_counter.h"

#include "readingaccumulator.h"
#include "csv.h"
#include "recordingcontrol.h"

#include <limits>

namespace {

// A reply that is not a number: the reading counts, without a value.
const double notANumber = std::numeric_limits<double>::quiet_NaN();

} // namespace

Counter::Counter(QWidget *parent) : InstrumentDialog(20, parent), ui(new Ui::Counter)
{
    ui->setupUi(this);

    addRecording(QStringLiteral("counter"),
                 {QStringLiteral("reading"), QStringLiteral("time_s"), QStringLiteral("frequency_hz")});
    addReadingActions([this] { return ui->countLabel->text(); });
    addChart({tr("Counter Chart"), {QStringLiteral("frequency_hz")}, {tr("Frequency")}, {Qt::red},
              QStringLiteral("Hz"), QStringLiteral("counter-chart")});
    connect(&board, &BoardLink::received, this, &Counter::updateLCD);
    connectBoard(QIODevice::ReadWrite);
}

void Counter::startInstrument()
{
    lineSplitter.reset();
    delay();
    board.send("c");
    // Listening between the two commands: nothing read before "g" matters.
    board.startListening();
    board.send("g");
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
    const QList<QByteArray> lines = lineSplitter.feed(bytes);
    if (lines.isEmpty())
        return;
    for (const QByteArray &line : lines) {
        const QString reading =
            ReadingAccumulator::withoutLineEnd(QString::fromUtf8(line.constData(), line.size()));
        bool ok = false;
        const double frequency = reading.toDouble(&ok);
        addChartReading(readTimeNs, ok ? &frequency : &notANumber);
        // Only a number reaches the file.
        if (recording->isRecording())
            recording->recorder().appendRow(readTimeNs, {Csv::number(reading)});
    }
    // The board's words as sent, never markup.
    ui->countLabel->setTextFormat(Qt::PlainText);
    ui->countLabel->setText(ReadingAccumulator::withoutLineEnd(QString::fromUtf8(lines.constLast())));
}

void Counter::on_quitButton_clicked()
{
    requestQuit();
}

#include "counter.h"
#include "ui_counter.h"

#include "instrumentprotocol.h"
#include "publishcontrol.h"
#include "readingaccumulator.h"
#include "recordingcontrol.h"

#include <limits>

namespace {

// A reply that is not a number: the reading counts, without a value.
const double notANumber = std::numeric_limits<double>::quiet_NaN();

const InstrumentProtocol &protocol()
{
    return InstrumentProtocol::named(QStringLiteral("counter"));
}

} // namespace

Counter::Counter(QWidget *parent)
    : InstrumentDialog(protocol().stopCopies, parent), ui(new Ui::Counter)
{
    ui->setupUi(this);

    addReadingTools(protocol(), [this] { return ui->countLabel->text(); }, chartProfile());
    connect(&board, &BoardLink::received, this, &Counter::updateLCD);
    connectBoard(QIODevice::ReadWrite);
}

void Counter::startInstrument()
{
    lineSplitter.reset();
    protocol().start(board, [this] { delay(); });
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
        const QString reading = RecordedRow::counterText(line);
        bool ok = false;
        const double frequency = reading.toDouble(&ok);
        addChartReading(readTimeNs, ok ? &frequency : &notANumber);
        // Only a number reaches the file.
        if (recording->isRecording())
            recording->recorder().appendRow(readTimeNs, RecordedRow::counter(reading));
        if (publishing->isPublishing())
            publishing->publisher().publishReading(readTimeNs, RecordedRow::counter(reading));
    }
    // The board's words as sent, never markup.
    ui->countLabel->setTextFormat(Qt::PlainText);
    ui->countLabel->setText(ReadingAccumulator::withoutLineEnd(QString::fromUtf8(lines.constLast())));
}

void Counter::on_quitButton_clicked()
{
    requestQuit();
}

ChartProfile Counter::chartProfile()
{
    return {tr("Counter Chart"), {QStringLiteral("frequency_hz")}, {tr("Frequency")}, {Qt::red},
            QStringLiteral("Hz"), QStringLiteral("counter-chart")};
}

#include "readingwindow.h"

#include "instrumentprotocol.h"

ReadingWindow::ReadingWindow(const InstrumentProtocol &instrument, QWidget *parent)
    : InstrumentDialog(instrument.stopCopies, parent), instrument(instrument)
{
}

ChartProfile ReadingWindow::chartProfile(const InstrumentProtocol &instrument)
{
    // A colour for each value, as the voltmeter's pads have had theirs.
    const QList<QColor> colors{Qt::red, Qt::blue, Qt::black};
    return {&instrument, colors.mid(0, int(instrument.columns.size()))};
}

void ReadingWindow::connectReadings(std::function<QString()> shownReading)
{
    addReadingTools(std::move(shownReading), instrument);
    connectBoard(QIODevice::ReadWrite);
}

void ReadingWindow::startInstrument()
{
    resetReadings();
    board.startInstrument(instrument, [this] { delay(); });
}

ReadingChart *ReadingWindow::createChart(const ReadingHistory &history, std::function<qint64()> nowMs)
{
    return new ChartWindow(chartProfile(instrument), history, std::move(nowMs), busyGuard(), this);
}

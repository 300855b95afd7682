#include "readingwindow.h"

#include "instrumentprotocol.h"

ReadingWindow::ReadingWindow(const InstrumentProtocol &instrument, QWidget *parent)
    : InstrumentDialog(instrument.stopCopies, parent), instrument(instrument)
{
}

ChartProfile ReadingWindow::chartProfile(const InstrumentProtocol &instrument)
{
    return {&instrument};
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

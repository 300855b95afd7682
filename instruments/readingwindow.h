#pragma once

#include "chartwindow.h"
#include "instrumentdialog.h"

#include <functional>

// What the voltmeter's and the counter's windows share: the instrument's
// readings shown as text, with their recording, publishing and chart, and
// the instrument started anew on every connection.
class ReadingWindow : public InstrumentDialog
{
    Q_OBJECT

public:
    // What the chart of `instrument`'s readings shows, also of a file.
    static ChartProfile chartProfile(const InstrumentProtocol &instrument);

protected:
    ReadingWindow(const InstrumentProtocol &instrument, QWidget *parent);

    // Call once the form is built: the reading tools, `shownReading` for
    // Copy Reading, then finds and starts the board.
    void connectReadings(std::function<QString()> shownReading);
    // A fresh connection: nothing half-read from the last one counts.
    void startInstrument() override;

    const InstrumentProtocol &instrument;

private:
    ReadingChart *createChart(const ReadingHistory &history, std::function<qint64()> nowMs) override;
};

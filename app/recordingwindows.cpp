#include "recordingwindows.h"

#include "accelerometer.h"
#include "instrumentprotocol.h"
#include "osciloscope.h"
#include "readingwindow.h"
#include "recordingload.h"
#include "recordingopening.h"
#include "recordingplayer.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>

namespace {

QString titled(const QString &instrumentTitle, const QString &path, const QString &remark = {})
{
    const QString title = QStringLiteral("%1 – %2").arg(instrumentTitle, QFileInfo(path).fileName());
    return remark.isEmpty() ? title : QStringLiteral("%1 (%2)").arg(title, remark);
}

// Never a nested loop here: the box shows and the caller goes on.
void tellFailure(const QString &path, const QString &reason, QWidget *from)
{
    auto *box = new QMessageBox(QMessageBox::Warning, QMessageBox::tr("Open Recording"),
                                QMessageBox::tr("Could not open %1: %2")
                                    .arg(QFileInfo(path).fileName(), reason),
                                QMessageBox::Ok, from);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void showChart(const QString &path, const std::shared_ptr<const Recording> &recording)
{
    const ChartProfile profile =
        ReadingWindow::chartProfile(InstrumentProtocol::named(recording->instrument));
    // The chart keeps a reference: the history goes with the chart.
    auto *history = new ReadingHistory(recording->valueCount);
    for (const Recording::Reading &reading : recording->readings) {
        if (reading.gapBefore)
            history->markGap();
        history->add(reading.wallMs, reading.values.data());
    }
    const qint64 lastMs = history->lastMs();
    auto *chart = new ChartWindow(
        profile, *history, [lastMs] { return lastMs; },
        [](const std::function<void()> &work) { work(); }, nullptr);
    QObject::connect(chart, &QObject::destroyed, [history] { delete history; });
    chart->setWindowTitle(
        titled(profile.instrument->chartTitle(), path, RecordingPlayer::remarks(*recording)));
    chart->setSpan(0);
    RecordingWindows::offerOpening(chart);
    chart->show();
}

} // namespace

namespace RecordingWindows {

void offerOpening(QWidget *window)
{
    RecordingOpenAction *command = RecordingOpening::action(window);
    command->setVisible(true);
    QObject::connect(command, &RecordingOpenAction::fileChosen, window, &RecordingWindows::open);
}

void open(const QString &path, QWidget *from)
{
    auto *load = new RecordingLoad(path);
    const QPointer<QWidget> asker(from);
    auto window = std::make_shared<QPointer<Plotter>>();
    auto title = std::make_shared<QString>();
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(load, &RecordingLoad::instrumentFound, load, [=](const QString &instrument) {
        Plotter *plotter = nullptr;
        if (instrument == InstrumentProtocol::osciloscope().name)
            plotter = new Osciloscope(nullptr, Plotter::Source::Elsewhere);
        else if (instrument == InstrumentProtocol::accelerometer().name)
            plotter = new Accelerometer(nullptr, Plotter::Source::Elsewhere);
        if (!plotter)
            return;
        *title = titled(InstrumentProtocol::named(instrument).title(), path);
        plotter->setWindowTitle(*title);
        offerOpening(plotter);
        plotter->show();
        // Closing the window ends the reading.
        load->setParent(plotter);
        *window = plotter;
    });
    QObject::connect(load, &RecordingLoad::progressed, load, [=](double fraction) {
        if (*window && clock->hasExpired(quietLoadMs))
            (*window)->setWindowTitle(QStringLiteral("%1 (%2)").arg(
                *title, QObject::tr("reading: %1 %").arg(qRound(fraction * 100))));
    });
    QObject::connect(load, &RecordingLoad::finished, load, [=] {
        load->deleteLater();
        const std::shared_ptr<const Recording> recording = load->recording();
        if (!recording) {
            // The box first: were the window the last one, the panel would
            // end with it, before the box is seen.
            tellFailure(path, load->error(), asker);
            if (*window)
                (*window)->close();
            return;
        }
        if (recording->isChart()) {
            showChart(path, recording);
            return;
        }
        if (!*window)
            return;
        new RecordingPlayer(*window, recording);
        const QString remark = RecordingPlayer::remarks(*recording);
        (*window)->setWindowTitle(remark.isEmpty() ? *title
                                                   : QStringLiteral("%1 (%2)").arg(*title, remark));
    });
}

} // namespace RecordingWindows

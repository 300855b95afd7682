// Opening a 1,000,000-row Osciloscope recording: rows read per second on
// the reading thread, the time from asking to the first picture of the whole
// file, and the resident memory it takes, measured in-process.
#include "benchreport.h"
#include "csv.h"
#include "playback.h"
#include "plotter.h"
#include "recordingreader.h"
#include "recordingwindows.h"
#include "sampleintake.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <qcustomplot.h>


namespace {

constexpr int rows = 1000000;

// As the recorder writes it: 720 frames/s, a read every 4 ms.
void writeRecording(const QString &path, int count)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    std::string out = "sample,time_s,PAD0,PAD1,PAD2\n";
    for (int i = 1; i <= count; ++i) {
        Csv::appendInteger(out, i);
        out += ',';
        Csv::appendSeconds(out, qint64(i / 3) * 4166667);
        for (int channel = 0; channel < 3; ++channel) {
            out += ',';
            Csv::appendInteger(out, 1650 + int(1600 * std::sin(i * 0.01 + channel)));
        }
        out += '\n';
        if (out.size() > (1 << 20)) {
            file.write(out.data(), qint64(out.size()));
            out.clear();
        }
    }
    file.write(out.data(), qint64(out.size()));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath("run.csv");
    writeRecording(path, rows);
    const QString small = dir.filePath("small.csv");
    writeRecording(small, 10);
    const double megabytes = double(QFile(path).size()) / 1e6;

    ReadProgress progress;
    QString error;
    const double readStart = Bench::seconds();
    const std::optional<Recording> read = readRecordingFile(path, &progress, &error);
    const double readSeconds = Bench::seconds() - readStart;
    if (!read || read->samples.size() != size_t(rows))
        qFatal("not read: %s", qPrintable(error));
    const double rowsPerSecond = rows / readSeconds;
    Bench::row(QStringLiteral("Recording read, 1,000,000 rows (%1 MB), in-process")
                   .arg(Bench::number(megabytes)),
               QStringLiteral(">= 1,000,000 rows/s"),
               QStringLiteral("%1 rows/s (%2 s)").arg(qRound64(rowsPerSecond)).arg(Bench::number(readSeconds, 2)),
               rowsPerSecond / 1e6);

    // A window of a small file first: what any window costs (fonts, the
    // plot's buffers) is not the file's.
    RecordingWindows::open(small, nullptr);
    Plotter *first = nullptr;
    for (QElapsedTimer waited; !first || first->intake().lastIndex() != 10;) {
        if (!waited.isValid())
            waited.start();
        if (waited.elapsed() > 10000)
            qFatal("the small file did not open");
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (auto *plotter = qobject_cast<Plotter *>(top))
                first = plotter;
        }
    }
    // Play at As Fast As Possible against the live intake of the same
    // samples as frames: the cost per sample of each path into a store.
    {
        auto shared = std::make_shared<const Recording>(*read);
        SampleIntake played(rows);
        Playback playback(shared, played);
        playback.setSpeed(Playback::asFastAsPossible);
        playback.play();
        const double playStart = Bench::cpuSeconds();
        while (playback.position() < shared->samples.size())
            playback.advance(0);
        const double playSeconds = Bench::cpuSeconds() - playStart;
        std::string frames;
        for (const Sample &sample : shared->samples) {
            frames += '$';
            for (int channel = 0; channel < Sample::channelCount; ++channel) {
                if (channel > 0)
                    frames += ' ';
                Csv::appendInteger(frames, sample.values[size_t(channel)]);
            }
            frames += ';';
        }
        SampleIntake live(rows);
        const double liveStart = Bench::cpuSeconds();
        // As a tty hands them over: 4 KiB reads.
        for (size_t at = 0; at < frames.size(); at += 4096)
            live.takeBytes(frames.data() + at, qsizetype(std::min<size_t>(4096, frames.size() - at)));
        const double liveSeconds = Bench::cpuSeconds() - liveStart;
        Bench::row(QStringLiteral("Play As Fast As Possible, CPU per sample against the live intake, in-process"),
                   QStringLiteral("<= the intake's"),
                   QStringLiteral("%1 against %2 ns/sample")
                       .arg(Bench::number(playSeconds * 1e9 / rows), Bench::number(liveSeconds * 1e9 / rows)),
                   liveSeconds / std::max(playSeconds, 1e-9));
    }

    const qint64 before = Bench::residentBytes();
    QElapsedTimer clock;
    clock.start();
    RecordingWindows::open(path, nullptr);
    qint64 firstPictureMs = -1;
    Plotter *window = nullptr;
    while (firstPictureMs < 0 && clock.elapsed() < 60000) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (auto *plotter = qobject_cast<Plotter *>(top); plotter && plotter != first)
                window = plotter;
        }
        if (!window || window->intake().lastIndex() != rows)
            continue;
        auto *plot = window->findChild<QCustomPlot *>();
        // The whole file in view is the first picture of it.
        if (plot && plot->xAxis->range().upper >= rows - 1)
            firstPictureMs = clock.elapsed();
    }
    if (firstPictureMs < 0)
        qFatal("no picture within a minute");
    Bench::row(QStringLiteral("Open a 1,000,000-row recording, time to first picture, in-process"),
               QStringLiteral("<= 1000 ms"), QStringLiteral("%1 ms").arg(firstPictureMs),
               1000.0 / double(std::max<qint64>(firstPictureMs, 1)));

    // Twice the samples in the store's form: the store, and the file's
    // samples kept for playing.
    const qint64 grown = Bench::residentBytes() - before;
    const double limit = 2.0 * rows * sizeof(Sample);
    Bench::row(QStringLiteral("Resident memory for a 1,000,000-row recording's window, in-process"),
               QStringLiteral("<= %1 MiB (twice the samples as stored)").arg(qRound(limit / 1048576)),
               QStringLiteral("%1 MiB").arg(Bench::number(double(grown) / 1048576)),
               limit / double(std::max<qint64>(grown, 1)));
    window->close();
    first->close();
    return 0;
}

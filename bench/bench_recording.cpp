// The CPU a recording adds: rows arrive paced at the board's rates, as its
// reads bring them, once into a recorder that records (formatting here,
// writing on its own thread) and once into one that does not. Process CPU
// time over wall time, all threads.
#include "benchreport.h"
#include "csvrecorder.h"
#include "samplestore.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>

namespace {

// Board-like samples to cycle through, so the run measures the recorder.
std::vector<Sample> sampleTable()
{
    std::vector<Sample> table(4096);
    for (size_t i = 0; i < table.size(); ++i) {
        const double t = double(i) / 720.0;
        table[i].values = {int(1650 + 1400 * std::sin(31.4 * t)),
                           std::fmod(t * 2, 1.0) < 0.5 ? 2800 : 400,
                           int(3000 * std::fmod(t * 3, 1.0)) + 150};
        table[i].validMask = 0b111;
    }
    return table;
}

// Percent of a core used while `rowsPerSecond` rows arrive for `seconds`,
// each millisecond those due by then; a running recording is stopped (its
// file finished) inside the measured time.
double cpuPercent(CsvRecorder &recorder, int rowsPerSecond, double seconds)
{
    static const std::vector<Sample> table = sampleTable();
    const qint64 total = qint64(rowsPerSecond * seconds);
    qint64 appended = 0;

    QEventLoop loop;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(1);
    const qint64 startNs = monotonicNowNs();
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = monotonicNowNs();
        const qint64 due = std::min(total, (now - startNs) * rowsPerSecond / 1000000000);
        for (; appended < due; ++appended) {
            Sample sample = table[size_t(appended) % table.size()];
            sample.timeNs = now;
            recorder.appendSample(sample);
        }
        if (appended == total)
            loop.quit();
    });

    const double cpuStart = Bench::cpuSeconds();
    const double start = Bench::seconds();
    tick.start();
    loop.exec();
    const bool recorded = recorder.isRecording();
    if (recorded && recorder.stop() != total)
        qFatal("the recording lost rows: %lld of %lld", recorder.rowsWritten(), total);
    const double wall = Bench::seconds() - start;
    return 100 * (Bench::cpuSeconds() - cpuStart) / wall;
}

void measure(int rowsPerSecond, const QString &rate)
{
    constexpr double seconds = 3;
    QTemporaryDir dir;
    CsvRecorder idle;
    const double without = cpuPercent(idle, rowsPerSecond, seconds);

    CsvRecorder recorder;
    recorder.start(dir.filePath(QStringLiteral("bench.csv")),
                   {"sample", "time_s", "PAD0", "PAD1", "PAD2"});
    const double with = cpuPercent(recorder, rowsPerSecond, seconds);

    const double extra = std::max(with - without, 0.0);
    Bench::row(QStringLiteral("Recording at %1 rows/s, extra CPU").arg(rate),
               QStringLiteral("<= 5 % of a core"),
               Bench::number(extra, 2) + QStringLiteral(" % (") + Bench::number(with, 2)
                   + QStringLiteral(" % against ") + Bench::number(without, 2)
                   + QStringLiteral(" %)"),
               5 / std::max(extra, 0.01));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    measure(720, QStringLiteral("720"));
    measure(75000, QStringLiteral("75,000"));
    return 0;
}

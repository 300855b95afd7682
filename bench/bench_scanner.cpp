// Frame scanner throughput on a stream shaped like the board's and on noise.
#include "benchreport.h"
#include "framescanner.h"

#include <QByteArray>

#include <cmath>
#include <random>

namespace {

// Where the scanned text goes, so the compiler cannot drop the work.
volatile qint64 sink = 0;

QByteArray noise(int bytes, bool withNul)
{
    std::mt19937 random(12345);
    QByteArray data(bytes, Qt::Uninitialized);
    for (char &b : data) {
        do
            b = char(random());
        while (!withNul && b == '\0');
    }
    return data;
}

// MB/s through feed(), in reads of `readSize` bytes; the best of several runs.
double throughput(const QByteArray &data, int readSize, qint64 *framesOut)
{
    double best = 0;
    for (int run = 0; run < 7; ++run) {
        FrameScanner scanner;
        qint64 frames = 0;
        qint64 textBytes = 0;
        const double start = Bench::seconds();
        for (int from = 0; from < data.size(); from += readSize) {
            const int size = qMin(readSize, int(data.size()) - from);
            scanner.feed(data.constData() + from, size, [&](QLatin1String text) {
                ++frames;
                textBytes += text.size();
            });
        }
        const double elapsed = Bench::seconds() - start;
        best = std::max(best, data.size() / elapsed / 1e6);
        sink = sink + textBytes;
        *framesOut = frames;
    }
    return best;
}

} // namespace

int main()
{
    constexpr int size = 64 * 1024 * 1024;
    // What one readyRead() typically brings at full speed.
    constexpr int readSize = 4096;
    constexpr double target = 500;

    qint64 frames = 0;
    const QByteArray stream = Bench::boardStream(INT_MAX, 0, size);
    const double realistic = throughput(stream, readSize, &frames);
    if (frames == 0)
        return 1;
    Bench::row(QStringLiteral("Frame scanner, 3-channel stream"), QStringLiteral(">= 500 MB/s"),
               Bench::number(realistic, 0) + QStringLiteral(" MB/s"), realistic / target);

    // Random bytes hold a NUL every 256 bytes on average, which ends the read.
    const double random = throughput(noise(size, true), readSize, &frames);
    Bench::row(QStringLiteral("Frame scanner, random bytes"), QStringLiteral(">= 500 MB/s"),
               Bench::number(random, 0) + QStringLiteral(" MB/s"), random / target);
    // Without NULs every byte is looked at: the worst case.
    const double noNul = throughput(noise(size, false), readSize, &frames);
    Bench::row(QStringLiteral("Frame scanner, random bytes without NUL"),
               QStringLiteral(">= 500 MB/s"), Bench::number(noNul, 0) + QStringLiteral(" MB/s"),
               noNul / target);
    return 0;
}

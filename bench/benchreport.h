#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <climits>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

namespace Bench {

// One row of the benchmark table, on stdout for scripts/bench to gather:
// "ROW<TAB>figure<TAB>target<TAB>measured<TAB>ratio". The ratio is how far
// the target is met: above 1 means met, for figures where more is better
// and for those where less is better alike.
inline void row(const QString &figure, const QString &target, const QString &measured,
                double ratio)
{
    std::printf("ROW\t%s\t%s\t%s\t%.2f\n", qPrintable(figure), qPrintable(target),
                qPrintable(measured), ratio);
    std::fflush(stdout);
}

inline double seconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// CPU time this process has used, all threads, in seconds.
inline double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Resident set size in bytes, after handing freed heap pages back, so what
// remains is memory in use.
inline qint64 residentBytes()
{
    malloc_trim(0);
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        qFatal("cannot read /proc/self/statm");
    return statm.readAll().split(' ').value(1).toLongLong() * sysconf(_SC_PAGESIZE);
}

inline double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

inline QString number(double value, int decimals = 1)
{
    return QString::number(value, 'f', decimals);
}

// Frames as the board streams them at 720 frames/s, three channels in
// millivolts ("$1650 2800 150;"): frame numbers `first` onwards, until
// `frames` frames or `bytes` bytes, whichever comes first.
inline QByteArray boardStream(int frames, int first = 0, int bytes = INT_MAX)
{
    QByteArray stream;
    stream.reserve(int(std::min<qint64>(qint64(frames) * 17, qint64(bytes) + 32)));
    for (int i = first; i < first + frames && stream.size() < bytes; ++i) {
        const double t = i / 720.0;
        stream.append('$')
            .append(QByteArray::number(int(1650 + 1400 * std::sin(31.4 * t))))
            .append(' ')
            .append(QByteArray::number(std::fmod(t * 2, 1.0) < 0.5 ? 2800 : 400))
            .append(' ')
            .append(QByteArray::number(int(3000 * std::fmod(t * 3, 1.0)) + 150))
            .append(';');
    }
    return stream;
}

} // namespace Bench

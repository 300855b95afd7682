#pragma once

#include <QString>
#include <QStringList>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

#include <sys/resource.h>

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

} // namespace Bench

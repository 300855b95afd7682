#include "readingchart.h"

const QList<qint64> &ReadingChart::spans()
{
    // 1 min, 10 min, 1 h, 8 h, All.
    static const QList<qint64> spans{60000, 600000, 3600000, 28800000, 0};
    return spans;
}

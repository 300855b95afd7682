// The voltmeter's reply handling: reads cut into lines, lines gathered into
// readings of three or more comma-separated fields.
#include "fuzzcheck.h"
#include "linemodel.h"
#include "readingaccumulator.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    ReadingAccumulator accumulator;
    checkLinesInReads(data, size, [&](const QList<QByteArray> &lines) {
        for (const QByteArray &line : lines) {
            const std::optional<QStringList> reading = accumulator.addLine(line);
            FUZZ_CHECK(accumulator.text().size() <= Board::maxLineLength);
            // Every complete line is used or dropped whole; nothing carries over.
            FUZZ_CHECK(accumulator.text().isEmpty());
            if (reading) {
                FUZZ_CHECK(reading->size() >= 3);
                FUZZ_CHECK(reading->join(QLatin1Char(',')) == QString::fromUtf8(line.constData(), line.size()));
                FUZZ_CHECK(reading->constLast().endsWith(QLatin1Char('\n')));
            } else {
                FUZZ_CHECK(QString::fromUtf8(line.constData(), line.size()).count(QLatin1Char(',')) < 2);
            }
        }
    });
    return 0;
}

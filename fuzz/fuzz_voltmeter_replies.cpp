// The voltmeter's reply handling: reads cut into lines, lines gathered into
// readings of three or more comma-separated fields.
#include "fuzzcheck.h"
#include "linemodel.h"
#include "linesplitter.h"
#include "readingaccumulator.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    if (size == 0)
        return 0;
    const Chunking chunking{data + 1, size - 1, data[0]};
    constexpr int maxLength = Board::maxLineLength;

    LineSplitter splitter;
    ReadingAccumulator accumulator;
    QList<QByteArray> allLines;
    for (size_t from = 0; from < chunking.size;) {
        const size_t to = chunking.next(from);
        const QByteArray read(reinterpret_cast<const char *>(chunking.data + from), int(to - from));
        const QList<QByteArray> lines = splitter.feed(read);
        FUZZ_CHECK(splitter.pendingLength() <= maxLength);
        for (const QByteArray &line : lines) {
            FUZZ_CHECK(!line.isEmpty() && line.size() <= maxLength);
            FUZZ_CHECK(line.indexOf('\n') == line.size() - 1);
            allLines.append(line);

            const std::optional<QStringList> reading = accumulator.addLine(line);
            FUZZ_CHECK(accumulator.text().size() <= maxLength);
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
        from = to;
    }
    FUZZ_CHECK(allLines == expectedLines(chunking.data, chunking.size, maxLength));
    return 0;
}

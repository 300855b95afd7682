// The counter's reply handling: whatever the reads look like, only whole
// lines come out, the same lines as for the stream in one piece, and the
// newest line of each read is the one the counter shows.
#include "fuzzcheck.h"
#include "linemodel.h"
#include "linesplitter.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    if (size == 0)
        return 0;
    const Chunking chunking{data + 1, size - 1, data[0]};
    constexpr int maxLength = Board::maxLineLength;
    const QList<QByteArray> expected = expectedLines(chunking.data, chunking.size, maxLength);

    LineSplitter splitter;
    QList<QByteArray> allLines;
    QByteArray shown;
    for (size_t from = 0; from < chunking.size;) {
        const size_t to = chunking.next(from);
        const QByteArray read(reinterpret_cast<const char *>(chunking.data + from), int(to - from));
        const QList<QByteArray> lines = splitter.feed(read);
        FUZZ_CHECK(splitter.pendingLength() <= maxLength);
        for (const QByteArray &line : lines) {
            FUZZ_CHECK(!line.isEmpty() && line.size() <= maxLength);
            FUZZ_CHECK(line.endsWith('\n'));
            FUZZ_CHECK(line.count('\n') == 1);
        }
        allLines += lines;
        if (!lines.isEmpty())
            shown = lines.constLast();
        from = to;
    }
    FUZZ_CHECK(allLines == expected);
    FUZZ_CHECK(shown == (expected.isEmpty() ? QByteArray() : expected.constLast()));
    return 0;
}

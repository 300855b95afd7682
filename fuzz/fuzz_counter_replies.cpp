// The counter's reply handling: whatever the reads look like, only whole
// lines come out, the same lines as for the stream in one piece, and the
// newest line of each read is the one the counter shows.
#include "fuzzcheck.h"
#include "linemodel.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    QByteArray shown;
    const auto showNewest = [&](const QList<QByteArray> &lines) {
        if (!lines.isEmpty())
            shown = lines.constLast();
    };
    const QList<QByteArray> expected = checkLinesInReads(data, size, showNewest);
    FUZZ_CHECK(shown == (expected.isEmpty() ? QByteArray() : expected.constLast()));
    return 0;
}

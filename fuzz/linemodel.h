#pragma once

#include "fuzzcheck.h"
#include "linesplitter.h"

#include <QByteArray>
#include <QList>

// What a line splitter must deliver for a whole stream: every piece that ends
// with a line feed and is no longer than `maxLength`, in order. Longer pieces
// are garbage; a last piece without its line feed has not arrived yet.
inline QList<QByteArray> expectedLines(const unsigned char *data, size_t size, int maxLength)
{
    QList<QByteArray> lines;
    size_t start = 0;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] != '\n')
            continue;
        const size_t length = i + 1 - start;
        if (length <= size_t(maxLength))
            lines.append(QByteArray(reinterpret_cast<const char *>(data + start), int(length)));
        start = i + 1;
    }
    return lines;
}

// The input's first byte picks how the rest, the stream, is cut into reads.
// Feeds those reads to a line splitter and checks what every read gives:
// only whole lines, one line feed each, at its end, none longer than the
// board's longest, and nothing pending beyond that. Each read's lines go to
// `onRead`; all of them together must be the stream's lines in one piece,
// which it returns.
template<typename OnRead>
QList<QByteArray> checkLinesInReads(const unsigned char *data, size_t size, OnRead onRead)
{
    if (size == 0)
        return {};
    const Chunking chunking{data + 1, size - 1, data[0]};
    constexpr int maxLength = Board::maxLineLength;
    LineSplitter splitter;
    QList<QByteArray> allLines;
    for (size_t from = 0; from < chunking.size;) {
        const size_t to = chunking.next(from);
        const QByteArray read(reinterpret_cast<const char *>(chunking.data + from), int(to - from));
        const QList<QByteArray> lines = splitter.feed(read);
        FUZZ_CHECK(splitter.pendingLength() <= maxLength);
        for (const QByteArray &line : lines) {
            FUZZ_CHECK(!line.isEmpty() && line.size() <= maxLength);
            FUZZ_CHECK(line.indexOf('\n') == line.size() - 1);
        }
        allLines += lines;
        onRead(lines);
        from = to;
    }
    const QList<QByteArray> expected = expectedLines(chunking.data, chunking.size, maxLength);
    FUZZ_CHECK(allLines == expected);
    return expected;
}

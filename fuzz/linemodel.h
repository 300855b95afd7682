#pragma once

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

#include "linesplitter.h"

QList<QByteArray> LineSplitter::feed(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    int from = 0;
    while (from < bytes.size()) {
        const int lineFeed = bytes.indexOf('\n', from);
        const int stop = lineFeed < 0 ? int(bytes.size()) : lineFeed + 1;
        if (!m_discarding)
            m_pending.append(bytes.constData() + from, stop - from);
        if (m_pending.size() > m_maxLength) {
            m_pending.clear();
            m_discarding = true;
        }
        if (lineFeed >= 0) {
            if (!m_discarding)
                lines.append(m_pending);
            m_pending.clear();
            m_discarding = false;
        }
        from = stop;
    }
    return lines;
}

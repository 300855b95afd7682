#pragma once

#include "board.h"

#include <QByteArray>
#include <QList>

// Cuts a byte stream into complete lines (each with its line feed). A line
// shows only once its line feed has arrived. Text that runs past
// `maxLength` without a line feed is garbage: it is dropped up to and
// including the next line feed, where reading picks up again.
class LineSplitter
{
public:
    explicit LineSplitter(int maxLength = Board::maxLineLength) : m_maxLength(maxLength) {}

    QList<QByteArray> feed(const QByteArray &bytes);

    int pendingLength() const { return int(m_pending.size()); }

    // Forgets a half-received line, for a fresh connection.
    void reset()
    {
        m_pending.clear();
        m_discarding = false;
    }

private:
    const int m_maxLength;
    QByteArray m_pending;
    bool m_discarding = false;
};

#pragma once

#include <QtGlobal>

#include <algorithm>
#include <cmath>

// Lets at most `perSecond` rows a second through, evenly: a row is taken
// when its time has come, the others in between are skipped. After a pause
// (the board away) it makes up for at most one row, never with a burst.
class RateLimit
{
public:
    // 0: every row.
    explicit RateLimit(double perSecond)
        : m_periodNs(perSecond > 0 ? qint64(std::llround(1e9 / perSecond)) : 0)
    {
    }

    bool admit(qint64 timeNs)
    {
        if (m_periodNs == 0)
            return true;
        if (m_started && timeNs < m_dueNs)
            return false;
        // From the slot this row fills, not from its own time: rows that
        // come in bunches (one read, one time) still average the rate.
        m_dueNs = (m_started ? std::max(m_dueNs, timeNs - m_periodNs) : timeNs) + m_periodNs;
        m_started = true;
        return true;
    }

private:
    const qint64 m_periodNs;
    qint64 m_dueNs = 0;
    bool m_started = false;
};

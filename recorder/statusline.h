#pragma once

#include <QString>
#include <QtGlobal>

// The figures the status line shows.
struct StatusFigures
{
    qint64 rows = 0;
    double rowsPerSecond = 0;
    quint64 damaged = 0;
    qint64 fileBytes = 0;
    qint64 elapsedMs = 0;
    bool boardAway = false;
    bool publishing = false;
    bool brokerConnected = false;
    quint64 messagesDropped = 0;
};

// One line on a terminal, rewritten in place once a second; messages go
// above it. Writes nothing when stderr is no terminal or when quiet: then
// only the messages are written (errors always).
class StatusLine
{
public:
    explicit StatusLine(bool quiet);

    bool isShown() const { return m_shown; }
    void show(const StatusFigures &figures);
    // A line of its own above the status; notes are left out when quiet.
    void note(const QString &text);
    void error(const QString &text);
    // Ends the status line, so what follows starts on a line of its own.
    void finish();

    // "12,345 rows  720/s  0 damaged  1.2 MB  0:17:05  broker unreachable, 12 messages dropped"
    static QString text(const StatusFigures &figures);
    // 1536 → "1.5 KB"; 1000-based, as file managers show sizes.
    static QString sizeText(qint64 bytes);
    static QString elapsedText(qint64 ms);

private:
    void write(const QString &line);
    void clear();

    const bool m_quiet;
    const bool m_shown;
    bool m_lineOpen = false;
};

#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <deque>

// What crossed the serial line, as lines of text for a person to read: the
// board's bytes and the commands sent to it, the latest `maxLines` only.
// A line ends at a line feed (a CR before it is part of the line end) and
// after a ";", which ends the plotters' frames; empty lines between frames
// are not kept. Only the first `maxLineBytes` bytes of a line are kept, so
// a board sending garbage without line ends costs no memory.
class RawLog
{
public:
    struct Line
    {
        QByteArray bytes;
        // A command the panel sent, not something the board sent.
        bool sent = false;
        // Longer than what is kept.
        bool cut = false;
    };

    static constexpr int defaultMaxLines = 2000;
    static constexpr int maxLineBytes = 200;

    explicit RawLog(int maxLines = defaultMaxLines) : m_maxLines(qMax(maxLines, 1)) {}

    // Bytes the board sent, in the pieces they were read in.
    void addReceived(const char *data, qsizetype size);
    void addReceived(const QByteArray &bytes) { addReceived(bytes.constData(), bytes.size()); }
    // One command the panel wrote, without its line feed.
    void addSent(const QByteArray &command);
    // Forgets every line, the half-received one too; the counts go on.
    void clear();

    // Oldest first.
    const std::deque<Line> &lines() const { return m_lines; }
    // Lines ever completed, received and sent: the number of the line after
    // the newest one. Line n is lines()[n - firstNumber()].
    qint64 lineCount() const { return m_lineCount; }
    qint64 firstNumber() const { return m_lineCount - qint64(m_lines.size()); }
    // Lines the board sent, ever; for a rate.
    qint64 receivedLineCount() const { return m_receivedLineCount; }

private:
    // Adds to the line being received, up to maxLineBytes.
    void append(const char *data, qsizetype size);
    void endLine();
    void push(Line line);

    const int m_maxLines;
    std::deque<Line> m_lines;
    Line m_partial;
    qint64 m_lineCount = 0;
    qint64 m_receivedLineCount = 0;
    // The last line ended with a ";" and nothing came since.
    bool m_afterFrame = false;
    // The last read ended with a CR, held until the next byte tells whether
    // it is part of a line end.
    bool m_pendingCr = false;
};

namespace RawText {

// Longest shown line, in characters, before the "…".
constexpr int maxShownChars = 200;

// `bytes` as shown: printable ASCII as it is, any other byte (and "\",
// so that the text reads one way only) as "\xNN"; cut at maxShownChars
// characters, never inside an escape, with "…" where anything is left out
// (also when `cut`: the line was longer than the bytes kept).
QString shown(const QByteArray &bytes, bool cut = false);

} // namespace RawText

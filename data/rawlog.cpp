#include "rawlog.h"

#include <cstring>

void RawLog::addReceived(const char *data, qsizetype size)
{
    const char *p = data;
    const char *const end = data + qMax<qsizetype>(size, 0);
    if (p < end && m_pendingCr) {
        m_pendingCr = false;
        if (*p != '\n')
            append("\r", 1);
    }
    while (p < end) {
        // The run up to the next line end goes in whole.
        const char *stop = p;
        while (stop < end && *stop != '\n' && *stop != ';')
            ++stop;
        if (stop == end) {
            // A CR that ends a read may be the first half of a line end.
            const bool cr = stop[-1] == '\r';
            append(p, stop - p - cr);
            m_pendingCr = cr;
            break;
        }
        const bool lineFeed = *stop == '\n';
        // The CR of a CR LF belongs to the line end.
        const char *const textEnd = lineFeed && stop > p && stop[-1] == '\r' ? stop - 1 : stop;
        append(p, textEnd - p);
        p = stop + 1;
        if (!lineFeed) {
            append(stop, 1);
            m_afterFrame = true;
            endLine();
            continue;
        }
        // A frame's line feed comes after its ";": there is no line to end.
        const bool nothingSinceFrame = m_afterFrame && m_partial.bytes.isEmpty() && !m_partial.cut;
        m_afterFrame = false;
        if (!nothingSinceFrame)
            endLine();
    }
}

void RawLog::append(const char *data, qsizetype size)
{
    if (size <= 0)
        return;
    m_afterFrame = false;
    const qsizetype room = maxLineBytes - m_partial.bytes.size();
    if (size > room)
        m_partial.cut = true;
    if (room > 0)
        m_partial.bytes.append(data, int(qMin(size, room)));
}

void RawLog::addSent(const QByteArray &command)
{
    Line line;
    line.sent = true;
    line.cut = command.size() > maxLineBytes;
    line.bytes = command.left(maxLineBytes);
    push(std::move(line));
}

void RawLog::clear()
{
    m_lines.clear();
    m_partial = Line();
    m_afterFrame = false;
    m_pendingCr = false;
}

void RawLog::endLine()
{
    ++m_receivedLineCount;
    push(std::move(m_partial));
    m_partial = Line();
}

void RawLog::push(Line line)
{
    m_lines.push_back(std::move(line));
    ++m_lineCount;
    while (int(m_lines.size()) > m_maxLines)
        m_lines.pop_front();
}

namespace RawText {

QString shown(const QByteArray &bytes, bool cut)
{
    static const char hex[] = "0123456789ABCDEF";
    QString text;
    text.reserve(qMin(int(bytes.size()) * 4, maxShownChars) + 1);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = byte >= 0x20 && byte <= 0x7E && byte != '\\';
        if (text.size() + (plain ? 1 : 4) > maxShownChars) {
            cut = true;
            break;
        }
        if (plain) {
            text.append(QLatin1Char(c));
        } else {
            text.append(QLatin1String("\\x"));
            text.append(QLatin1Char(hex[byte >> 4]));
            text.append(QLatin1Char(hex[byte & 0x0F]));
        }
    }
    if (cut)
        text.append(QChar(0x2026));
    return text;
}

} // namespace RawText

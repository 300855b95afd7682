#pragma once

#include "board.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Turns the voltmeter's reply lines into readings: a complete line (ended by
// its line feed) with three or more fields separated by ",". Empty fields
// count and nothing is trimmed, so the line end stays in the last field. A
// complete line with fewer fields is a damaged reading and is dropped.
// Pieces of a line without their line feed are gathered first; text that
// grows past `maxLength` without becoming a line is dropped.
class ReadingAccumulator
{
public:
    explicit ReadingAccumulator(int maxLength = Board::maxLineLength) : m_maxLength(maxLength) {}

    // Appends one reply line or piece of one; returns the fields once they
    // form a reading and starts over.
    std::optional<QStringList> add(const QString &line);

    // The same for a line as it came from the port: decoded as UTF-8 whole,
    // so a NUL byte in it does not cut off the rest and its line feed.
    std::optional<QStringList> addLine(const QByteArray &line)
    {
        return add(QString::fromUtf8(line.constData(), line.size()));
    }

    // Forgets a half-gathered line, for a fresh connection.
    void reset() { m_text = QStringLiteral(""); }

    const QString &text() const { return m_text; }

    // `field` without the line end the board put after it (CR, LF), as it
    // is shown and recorded.
    static QString withoutLineEnd(const QString &field);

private:
    const int m_maxLength;
    QString m_text = QStringLiteral("");
};

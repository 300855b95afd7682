#pragma once

#include "board.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Gathers the voltmeter's reply lines until they hold a reading: three or
// more fields separated by ",". Empty fields count and nothing is trimmed,
// so the line end stays in the third field. Text that grows past
// `maxLength` without becoming a reading is dropped.
class ReadingAccumulator
{
public:
    explicit ReadingAccumulator(int maxLength = Board::maxLineLength) : m_maxLength(maxLength) {}

    // Appends one reply line; returns the fields once they form a reading
    // and starts over.
    std::optional<QStringList> add(const QString &line);

    // The same for a line as it came from the port: decoded as UTF-8 whole,
    // so a NUL byte in it does not cut off the rest and its line feed.
    std::optional<QStringList> addLine(const QByteArray &line)
    {
        return add(QString::fromUtf8(line.constData(), line.size()));
    }

    const QString &text() const { return m_text; }

private:
    const int m_maxLength;
    QString m_text = QStringLiteral("");
};

#pragma once

#include "board.h"

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

    const QString &text() const { return m_text; }

private:
    const int m_maxLength;
    QString m_text = QStringLiteral("");
};

#include "readingaccumulator.h"

std::optional<QStringList> ReadingAccumulator::add(const QString &line)
{
    m_text.append(line);
    QStringList fields = m_text.split(QLatin1Char(','), Qt::KeepEmptyParts);
    if (fields.size() >= 3) {
        m_text = QStringLiteral("");
        return fields;
    }
    if (m_text.size() > m_maxLength)
        m_text = QStringLiteral("");
    return std::nullopt;
}

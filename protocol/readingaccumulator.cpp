#include "readingaccumulator.h"

std::optional<QStringList> ReadingAccumulator::add(const QString &line)
{
    m_text.append(line);
    if (!m_text.endsWith(QLatin1Char('\n'))) {
        if (m_text.size() > m_maxLength)
            m_text = QStringLiteral("");
        return std::nullopt;
    }
    QStringList fields = m_text.split(QLatin1Char(','), Qt::KeepEmptyParts);
    m_text = QStringLiteral("");
    if (fields.size() < 3)
        return std::nullopt;
    return fields;
}

QString ReadingAccumulator::withoutLineEnd(const QString &field)
{
    qsizetype end = field.size();
    while (end > 0 && (field.at(end - 1) == QLatin1Char('\n') || field.at(end - 1) == QLatin1Char('\r')))
        --end;
    return field.left(end);
}

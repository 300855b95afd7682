// SCPI's parameters and answers: numbers with their units, booleans,
// strings, choices and channel lists.
#include "scpiparser.h"

#include <QHash>
#include <QRegularExpression>

#include <cmath>

namespace Scpi {

bool isMnemonic(const QByteArray &word, const char *mnemonic)
{
    const QByteArray longForm = QByteArray(mnemonic).toUpper();
    QByteArray shortForm;
    for (const char *c = mnemonic; *c; ++c) {
        if ((*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9'))
            shortForm.append(*c);
    }
    const QByteArray upper = word.toUpper();
    return upper == shortForm || upper == longForm;
}

std::optional<double> number(const QByteArray &text, Quantity quantity, double minimum,
                             double maximum, int *error)
{
    if (isMnemonic(text, "MINimum"))
        return minimum;
    if (isMnemonic(text, "MAXimum"))
        return maximum;
    static const QRegularExpression form(QStringLiteral(
        "^([+-]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][+-]?\\d+)?)\\s*([A-Za-z%]*)$"));
    const QRegularExpressionMatch match = form.match(QString::fromLatin1(text));
    if (!match.hasMatch()) {
        *error = ScpiError::dataType;
        return std::nullopt;
    }
    const double value = match.captured(1).toDouble();
    const QString suffix = match.captured(2).toUpper();
    // SCPI's multipliers: M is milli, MA mega; MHZ is the one exception.
    static const QHash<QString, double> multipliers{{QString(), 1.0},
                                                    {QStringLiteral("G"), 1e9},
                                                    {QStringLiteral("MA"), 1e6},
                                                    {QStringLiteral("K"), 1e3},
                                                    {QStringLiteral("M"), 1e-3},
                                                    {QStringLiteral("U"), 1e-6}};
    double factor = 0;
    if (quantity == Quantity::Hertz && suffix == QLatin1String("MHZ")) {
        factor = 1e6;
    } else if (quantity == Quantity::Hertz && suffix.endsWith(QLatin1String("HZ"))) {
        factor = multipliers.value(suffix.chopped(2), 0);
    } else if (quantity == Quantity::Percent && (suffix == QLatin1String("PCT") || suffix == QLatin1String("%"))) {
        factor = 1;
    } else if (quantity != Quantity::Percent || suffix.isEmpty()) {
        factor = multipliers.value(suffix, 0);
    }
    if (factor == 0 || !std::isfinite(value * factor)) {
        *error = factor == 0 ? ScpiError::invalidSuffix : ScpiError::dataOutOfRange;
        return std::nullopt;
    }
    return value * factor;
}

std::optional<int> wholeNumber(const QByteArray &text, Quantity quantity, int minimum, int maximum,
                               int *error)
{
    const std::optional<double> value = number(text, quantity, minimum, maximum, error);
    if (!value)
        return std::nullopt;
    // Rounded as a double first: a huge value has no int.
    const double rounded = std::round(*value);
    if (!(rounded >= minimum && rounded <= maximum)) {
        *error = ScpiError::dataOutOfRange;
        return std::nullopt;
    }
    return int(rounded);
}

std::optional<bool> boolean(const QByteArray &text, int *error)
{
    if (isMnemonic(text, "ON"))
        return true;
    if (isMnemonic(text, "OFF"))
        return false;
    const std::optional<double> value = number(text, Quantity::Plain, 0, 1, error);
    if (!value)
        return std::nullopt;
    return std::round(*value) != 0;
}

std::optional<QByteArray> string(const QByteArray &text, int *error)
{
    if (text.size() < 2 || (text.front() != '"' && text.front() != '\'') || text.back() != text.front()) {
        *error = ScpiError::dataType;
        return std::nullopt;
    }
    const char quote = text.front();
    QByteArray content;
    for (int i = 1; i < text.size() - 1; ++i) {
        content.append(text.at(i));
        if (text.at(i) == quote) {
            // Inside, a quote only comes doubled.
            if (text.at(i + 1) != quote || i + 1 == text.size() - 1) {
                *error = ScpiError::invalidStringData;
                return std::nullopt;
            }
            ++i;
        }
    }
    return content;
}

std::optional<QVector<int>> channelList(const QByteArray &text, int last, int *error)
{
    const QByteArray compact = QByteArray(text).replace(' ', "");
    if (!compact.startsWith("(@") || !compact.endsWith(')') || compact.size() < 4) {
        *error = ScpiError::dataType;
        return std::nullopt;
    }
    QVector<int> channels;
    for (const QByteArray &item : compact.mid(2, compact.size() - 3).split(',')) {
        const QList<QByteArray> ends = item.split(':');
        bool firstOk = false;
        bool lastOk = false;
        const int from = ends.first().toInt(&firstOk);
        const int to = ends.size() == 2 ? ends.last().toInt(&lastOk) : from;
        if (!firstOk || ends.size() > 2 || (ends.size() == 2 && !lastOk)) {
            *error = ScpiError::syntax;
            return std::nullopt;
        }
        if (from < 0 || to < 0 || from > last || to > last) {
            *error = ScpiError::dataOutOfRange;
            return std::nullopt;
        }
        for (int channel = from; from <= to ? channel <= to : channel >= to;
             channel += from <= to ? 1 : -1)
            channels.append(channel);
    }
    return channels;
}

std::optional<int> choice(const QByteArray &text, const char *const *mnemonics, int *error)
{
    for (int i = 0; mnemonics[i]; ++i) {
        if (isMnemonic(text, mnemonics[i]))
            return i;
    }
    *error = ScpiError::illegalParameterValue;
    return std::nullopt;
}

QByteArray quoted(const QByteArray &text)
{
    return '"' + QByteArray(text).replace('"', "\"\"") + '"';
}

QByteArray number(double value)
{
    if (!std::isfinite(value))
        return QByteArrayLiteral("9.91E+37");
    return QByteArray::number(value, 'g', 12);
}

} // namespace Scpi

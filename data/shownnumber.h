#pragma once

#include <QString>

// Numbers as the windows show them to people: with the decimal sign of the
// language the user chose, "." until one is chosen. Files, the line and the
// server's answers keep ".", so they are written without this.
namespace ShownNumber {

// The sign; the language's loader sets it once, before any window opens.
inline QChar &decimalSign()
{
    static QChar sign = QLatin1Char('.');
    return sign;
}

// `number`, as QString::number writes it, with that sign.
inline QString localized(QString number)
{
    if (decimalSign() != QLatin1Char('.'))
        number.replace(QLatin1Char('.'), decimalSign());
    return number;
}

} // namespace ShownNumber

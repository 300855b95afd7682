#include "settingvalues.h"

#include <cmath>

namespace SettingValues {

namespace {
// A list or a map where one value belongs is not read as text.
std::optional<QString> text(const QVariant &value)
{
    if (!value.isValid() || value.type() == QVariant::StringList || value.type() == QVariant::List
        || value.type() == QVariant::Map || !value.canConvert<QString>())
        return std::nullopt;
    return value.toString().trimmed();
}
} // namespace

std::optional<qint64> integer(const QVariant &value, qint64 lower, qint64 upper)
{
    const std::optional<QString> written = text(value);
    bool ok = false;
    const qint64 number = written ? written->toLongLong(&ok) : 0;
    if (!ok || number < lower || number > upper)
        return std::nullopt;
    return number;
}

std::optional<double> number(const QVariant &value, double lower, double upper)
{
    const std::optional<QString> written = text(value);
    bool ok = false;
    const double number = written ? written->toDouble(&ok) : 0;
    if (!ok || !std::isfinite(number) || number < lower || number > upper)
        return std::nullopt;
    return number;
}

std::optional<bool> boolean(const QVariant &value)
{
    const std::optional<QString> written = text(value);
    if (written == QLatin1String("true"))
        return true;
    if (written == QLatin1String("false"))
        return false;
    return std::nullopt;
}

std::optional<int> choice(const QVariant &value, const QStringList &names)
{
    const std::optional<QString> written = text(value);
    const int index = written ? names.indexOf(*written) : -1;
    if (index < 0)
        return std::nullopt;
    return index;
}

} // namespace SettingValues

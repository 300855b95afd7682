#include "windowsettings.h"

#include "settingvalues.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {
const QString geometryKey = QStringLiteral("geometry");
const QString chartSpanKey = QStringLiteral("chart/spanMs");
} // namespace

WindowSettings WindowSettings::fromValues(const QVariantMap &values,
                                          const QList<qint64> &chartSpans)
{
    WindowSettings settings;
    const QStringList parts = values.value(geometryKey).toStringList();
    if (parts.size() == 4) {
        std::array<int, 4> numbers{};
        bool ok = true;
        for (int i = 0; i < 4 && ok; ++i) {
            const std::optional<qint64> number = SettingValues::integer(parts[i], -maximumExtent, maximumExtent);
            ok = number.has_value();
            numbers[size_t(i)] = ok ? int(*number) : 0;
        }
        if (ok && numbers[2] > 0 && numbers[3] > 0)
            settings.geometry = QRect(numbers[0], numbers[1], numbers[2], numbers[3]);
    }
    const std::optional<qint64> span =
        SettingValues::integer(values.value(chartSpanKey), 0, std::numeric_limits<qint64>::max());
    if (span && chartSpans.contains(*span))
        settings.chartSpanMs = span;
    return settings;
}

QVariantMap WindowSettings::toValues() const
{
    QVariantMap values;
    if (geometry) {
        values.insert(geometryKey, QStringList{QString::number(geometry->x()), QString::number(geometry->y()),
                                               QString::number(geometry->width()),
                                               QString::number(geometry->height())});
    }
    if (chartSpanMs)
        values.insert(chartSpanKey, *chartSpanMs);
    return values;
}

QRect placedOnScreens(const QRect &stored, const QList<QRect> &screens)
{
    if (screens.isEmpty())
        return stored;
    for (const QRect &screen : screens) {
        const QRect seen = screen.intersected(stored);
        // Its title bar's side must be reachable, and most of it seen.
        if (screen.contains(QPoint(stored.center().x(), stored.top()))
            && qint64(seen.width()) * seen.height() * 2 >= qint64(stored.width()) * stored.height())
            return stored;
    }
    const QRect screen = screens.first();
    QRect placed(QPoint(), stored.size().boundedTo(screen.size()));
    placed.moveCenter(screen.center());
    return placed;
}

#pragma once

#include <QList>
#include <QRect>
#include <QVariantMap>

#include <optional>

// What every instrument window keeps for its next opening, as plain values:
// where it was and how large, and its chart's span. Read from the settings
// file's values; what cannot be read stays unset, and the window keeps its
// specified place, size and span.
struct WindowSettings
{
    // The window's frame-less geometry, as QWidget::geometry() gives it.
    std::optional<QRect> geometry;
    std::optional<qint64> chartSpanMs;

    // A size beyond this is not a window's.
    static constexpr int maximumExtent = 100000;

    // `chartSpans` are the spans a chart offers.
    static WindowSettings fromValues(const QVariantMap &values, const QList<qint64> &chartSpans);
    QVariantMap toValues() const;
};

// Where a window kept at `stored` opens, given the screens' available
// areas: where it was when that is mostly on a screen still there;
// otherwise moved onto the first screen, as large as fits.
QRect placedOnScreens(const QRect &stored, const QList<QRect> &screens);

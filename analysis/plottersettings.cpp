#include "plottersettings.h"

#include "settingvalues.h"

#include <QStringList>

#include <cmath>

namespace {

const QStringList yRangeNames{QStringLiteral("specified"), QStringLiteral("automatic"),
                              QStringLiteral("chosen")};
const QStringList modeNames{QStringLiteral("off"), QStringLiteral("rising"),
                            QStringLiteral("falling")};
const QStringList viewNames{QStringLiteral("time"), QStringLiteral("spectrum"),
                            QStringLiteral("xy")};
const QString automatic = QStringLiteral("automatic");

namespace Key {
const QString yRange = QStringLiteral("yRange/choice");
const QString yFrom = QStringLiteral("yRange/from");
const QString yTo = QStringLiteral("yRange/to");
const QString mode = QStringLiteral("trigger/mode");
const QString source = QStringLiteral("trigger/source");
const QString level = QStringLiteral("trigger/level");
const QString measurements = QStringLiteral("showMeasurements");
const QString cursors = QStringLiteral("showCursors");
const QString view = QStringLiteral("view/shown");
const QString spectrumLength = QStringLiteral("view/spectrumLength");
const QString xyX = QStringLiteral("view/xyX");
const QString xyY = QStringLiteral("view/xyY");
const QString rollingLength = QStringLiteral("rollingLength");
} // namespace Key

} // namespace

PlotterSettings PlotterSettings::fromValues(const QVariantMap &values, const Limits &limits)
{
    using namespace SettingValues;
    PlotterSettings settings;
    const int lastChannel = limits.channelCount - 1;
    const AxisSpan scale = limits.fullScale;

    const std::optional<double> from = number(values.value(Key::yFrom), -ViewZoom::maximumYSize, ViewZoom::maximumYSize);
    const std::optional<double> to = number(values.value(Key::yTo), -ViewZoom::maximumYSize, ViewZoom::maximumYSize);
    if (const std::optional<int> range = choice(values.value(Key::yRange), yRangeNames)) {
        // A set range is taken only with both ends, in order.
        const bool chosenReadable = from && to && *to - *from >= ViewZoom::minimumYSize
                                    && *to - *from <= ViewZoom::maximumYSize;
        if (static_cast<YRange>(*range) != YRange::Chosen || chosenReadable) {
            settings.yRange = static_cast<YRange>(*range);
            if (settings.yRange == YRange::Chosen)
                settings.chosenY = {*from, *to};
        }
    }
    if (const std::optional<int> mode = choice(values.value(Key::mode), modeNames))
        settings.triggerMode = static_cast<TriggerMode>(*mode);
    if (const std::optional<qint64> source = integer(values.value(Key::source), 0, lastChannel))
        settings.triggerSource = int(*source);
    const std::optional<qint64> level =
        integer(values.value(Key::level), qint64(std::ceil(scale.lower)), qint64(std::floor(scale.upper)));
    if (level && scale.upper > scale.lower)
        settings.triggerLevel = int(*level);
    if (const std::optional<bool> shown = boolean(values.value(Key::measurements)))
        settings.showMeasurements = *shown;
    if (const std::optional<bool> shown = boolean(values.value(Key::cursors)))
        settings.showCursors = *shown;
    if (const std::optional<int> view = choice(values.value(Key::view), viewNames))
        settings.view = static_cast<View>(*view);
    const std::optional<qint64> length = integer(values.value(Key::spectrumLength), 1, 1 << 30);
    if (length && limits.spectrumLengths.contains(int(*length)))
        settings.spectrumLength = int(*length);
    const std::optional<qint64> x = integer(values.value(Key::xyX), 0, lastChannel);
    const std::optional<qint64> y = integer(values.value(Key::xyY), 0, lastChannel);
    // Both, or the specified pair.
    if (x && y) {
        settings.xyX = int(*x);
        settings.xyY = int(*y);
    }
    if (const std::optional<qint64> rolling = integer(values.value(Key::rollingLength), ViewZoom::minimumRollingLength, ViewZoom::maximumRollingLength))
        settings.rollingLength = int(*rolling);
    return settings;
}

QVariantMap PlotterSettings::toValues() const
{
    QVariantMap values;
    values.insert(Key::yRange, yRangeNames[int(yRange)]);
    if (yRange == YRange::Chosen) {
        values.insert(Key::yFrom, chosenY.lower);
        values.insert(Key::yTo, chosenY.upper);
    }
    values.insert(Key::mode, modeNames[int(triggerMode)]);
    values.insert(Key::source, triggerSource);
    values.insert(Key::level, triggerLevel ? QVariant(*triggerLevel) : QVariant(automatic));
    values.insert(Key::measurements, showMeasurements);
    values.insert(Key::cursors, showCursors);
    values.insert(Key::view, viewNames[int(view)]);
    values.insert(Key::spectrumLength, spectrumLength);
    values.insert(Key::xyX, xyX);
    values.insert(Key::xyY, xyY);
    values.insert(Key::rollingLength, rollingLength);
    return values;
}

bool PlotterSettings::operator==(const PlotterSettings &other) const
{
    return toValues() == other.toValues();
}

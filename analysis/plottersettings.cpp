#include "plottersettings.h"

#include "settingvalues.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace {

const QStringList yRangeNames{QStringLiteral("specified"), QStringLiteral("automatic"),
                              QStringLiteral("chosen")};
const QStringList modeNames{QStringLiteral("off"), QStringLiteral("rising"),
                            QStringLiteral("falling")};
const QStringList viewNames{QStringLiteral("time"), QStringLiteral("spectrum"),
                            QStringLiteral("xy"), QStringLiteral("lanes")};
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
const QString hiddenInputs = QStringLiteral("channels/hiddenInputs");
QString laneRange(int channel, const char *end)
{
    return QStringLiteral("lanes/%1/%2").arg(channel).arg(QLatin1String(end));
}
QString mathChannel(int number, const char *part)
{
    return QStringLiteral("channels/%1/%2").arg(number).arg(QLatin1String(part));
}
} // namespace Key

// A text of the settings file kept only within a formula's length.
std::optional<QString> shortText(const QVariant &value)
{
    if (value.userType() != QMetaType::QString || value.toString().size() > 1000)
        return std::nullopt;
    return value.toString();
}

} // namespace

PlotterSettings PlotterSettings::fromValues(const QVariantMap &values, const Limits &limits)
{
    using namespace SettingValues;
    PlotterSettings settings;
    // Numbered from 1, up to the first that cannot be read.
    for (int number = 1; number <= MathChannels::maxCount; ++number) {
        const std::optional<QString> name = shortText(values.value(Key::mathChannel(number, "name")));
        const std::optional<QString> formula = shortText(values.value(Key::mathChannel(number, "formula")));
        if (!name || !formula)
            break;
        const QString unit = shortText(values.value(Key::mathChannel(number, "unit"))).value_or(QString());
        settings.mathChannels.append(MathChannel(*name, *formula, unit));
    }
    if (const std::optional<qint64> hidden =
            integer(values.value(Key::hiddenInputs), 0, (qint64(1) << limits.channelCount) - 1))
        settings.hiddenInputs = quint32(*hidden);
    // Any channel a window may have; fitToChannels() checks the ones it has.
    const int lastChannel = limits.channelCount + MathChannels::maxCount - 1;
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
    for (int channel = 0; channel <= lastChannel; ++channel) {
        const std::optional<double> low = number(values.value(Key::laneRange(channel, "from")), -ViewZoom::maximumYSize, ViewZoom::maximumYSize);
        const std::optional<double> high = number(values.value(Key::laneRange(channel, "to")), -ViewZoom::maximumYSize, ViewZoom::maximumYSize);
        if (low && high && *high > *low)
            settings.laneRanges.insert(channel, {*low, *high});
    }
    settings.fitToChannels(limits.channelCount + int(settings.mathChannels.size()));
    return settings;
}

void PlotterSettings::fitToChannels(int channelCount)
{
    const PlotterSettings defaults;
    const auto exists = [channelCount](int channel) { return channel >= 0 && channel < channelCount; };
    if (!exists(triggerSource))
        triggerSource = defaults.triggerSource;
    // Both, or the specified pair.
    if (!exists(xyX) || !exists(xyY)) {
        xyX = defaults.xyX;
        xyY = defaults.xyY;
    }
    for (auto lane = laneRanges.begin(); lane != laneRanges.end();)
        lane = exists(lane.key()) ? std::next(lane) : laneRanges.erase(lane);
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
    values.insert(Key::hiddenInputs, hiddenInputs);
    for (auto lane = laneRanges.cbegin(); lane != laneRanges.cend(); ++lane) {
        values.insert(Key::laneRange(lane.key(), "from"), lane->lower);
        values.insert(Key::laneRange(lane.key(), "to"), lane->upper);
    }
    for (int i = 0; i < mathChannels.size(); ++i) {
        values.insert(Key::mathChannel(i + 1, "name"), mathChannels.at(i).name());
        values.insert(Key::mathChannel(i + 1, "formula"), mathChannels.at(i).formula());
        values.insert(Key::mathChannel(i + 1, "unit"), mathChannels.at(i).unit());
    }
    return values;
}

bool PlotterSettings::operator==(const PlotterSettings &other) const
{
    return toValues() == other.toValues();
}

QString PlotterSettings::boardGroup(const QString &instrument, const QString &serialNumber)
{
    QString serial = serialNumber;
    serial.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_-]")), QStringLiteral("_"));
    return QStringLiteral("%1-board-%2").arg(instrument, serial);
}

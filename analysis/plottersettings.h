#pragma once

#include "mathchannels.h"
#include "scopetrigger.h"
#include "viewzoom.h"

#include <QList>
#include <QMap>
#include <QVariantMap>

#include <optional>

// What a plot window keeps for its next opening, as plain values: the Y
// Range choice and a set range, the trigger, the measurements and cursors,
// the view with its settings, and the rolling length. A default-made one is
// the window as specified. Read from the settings file's values, where
// anything that cannot be read, or lies outside the window's limits, keeps
// its default; unknown keys are left alone.
struct PlotterSettings
{
    enum class YRange { Specified, Automatic, Chosen };
    enum class View { Time, Spectrum, XY, Lanes };

    // What the values may be in this window.
    struct Limits
    {
        // Beyond it a trigger level or a set range cannot be reached.
        AxisSpan fullScale{0, 0};
        QList<int> spectrumLengths;
        int channelCount = 3;
    };

    YRange yRange = YRange::Specified;
    // With YRange::Chosen, in the plot's own units.
    AxisSpan chosenY{0, 0};
    TriggerMode triggerMode = TriggerMode::Off;
    int triggerSource = 0;
    // None: the level follows the signal.
    std::optional<int> triggerLevel;
    bool showMeasurements = false;
    bool showCursors = false;
    View view = View::Time;
    int spectrumLength = 1024;
    int xyX = 0;
    int xyY = 1;
    int rollingLength = 500;
    // The lanes whose range the user set, by channel; the others follow
    // their signal.
    QMap<int, AxisSpan> laneRanges;
    // Checked again when the window takes them: formulas that no longer
    // compile leave the window without computed channels.
    QVector<MathChannel> mathChannels;
    // Bit i set: input i is hidden.
    quint32 hiddenInputs = 0;

    // Channels are counted inputs first, then computed channels; the trigger
    // and XY may take either. Read against the computed channels read with
    // them (see fitToChannels()).
    static PlotterSettings fromValues(const QVariantMap &values, const Limits &limits);
    // Every choice that names a channel the window does not have among its
    // `channelCount` goes back to its default. A window calls it once its
    // channels are final: they may be others than those kept with these
    // choices (a board brings its own computed channels).
    void fitToChannels(int channelCount);
    QVariantMap toValues() const;

    // The settings file's group where a board keeps its own computed
    // channels for `instrument`, by its USB serial number: a calibration
    // belongs to its board, whichever program runs it.
    static QString boardGroup(const QString &instrument, const QString &serialNumber);

    bool operator==(const PlotterSettings &other) const;
    bool operator!=(const PlotterSettings &other) const { return !(*this == other); }
};

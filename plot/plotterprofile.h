#pragma once

#include "instrumentprotocol.h"
#include "samplestore.h"

#include <QColor>

#include <array>

// Everything in which the two plotters differ, apart from their forms.
struct PlotterProfile
{
    struct Range
    {
        double lower;
        double upper;
    };

    // Start, stop and the recording's columns.
    const InstrumentProtocol &protocol;
    Range yRange;
    QColor yLabelColor;
    // The accelerometer paints the raw left scale in the background colour;
    // its right axis carries the readable scale.
    QColor yTickLabelColor;
    // In force only until the first refresh.
    Range initialXRange;
    bool showRightAxis;
    Range rightAxisRange;
    // The channels as files name them (exported data's header).
    std::array<const char *, Sample::channelCount> channelNames;
    // Start of the file names suggested for this window's images and data.
    const char *fileStem;
    // A trigger to make a periodic signal stand still.
    bool hasTrigger;
};

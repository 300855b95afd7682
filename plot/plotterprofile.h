#pragma once

#include "instrumentprotocol.h"
#include "samplestore.h"

#include <QColor>

// Everything in which the two plotters differ, apart from their forms.
struct PlotterProfile
{
    struct Range
    {
        double lower;
        double upper;
    };

    // Start, stop, the channels' names and the files' columns and names.
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
    // A trigger to make a periodic signal stand still.
    bool hasTrigger;
};

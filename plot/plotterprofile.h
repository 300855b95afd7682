#pragma once

#include "instrumentprotocol.h"
#include "samplestore.h"

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
    // The left axis' label and tick labels in the text colour. The
    // accelerometer paints its raw left scale in the background colour
    // instead; its right axis carries the readable scale.
    bool showsLeftScale;
    // In force only until the first refresh.
    Range initialXRange;
    bool showRightAxis;
    Range rightAxisRange;
    // A trigger to make a periodic signal stand still.
    bool hasTrigger;
};

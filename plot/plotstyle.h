#pragma once

#include "plotterprofile.h"

#include <QStringList>

#include <array>

class QCPGraph;
class QCustomPlot;

// How a plotter's plot looks: its set-up as the window opens (background,
// axes, the three graphs with their pens) and its styling (grids, pens,
// ticks), in one place for both plotters.
namespace PlotStyle {

// Clears the plot, sets the profile's ranges and adds the three graphs.
std::array<QCPGraph *, Sample::channelCount> setUp(QCustomPlot *plot,
                                                    const PlotterProfile &profile);
// Grids, pens, tick labels; QCustomPlot's own mouse handling off.
void style(QCustomPlot *plot, const PlotterProfile &profile);

} // namespace PlotStyle

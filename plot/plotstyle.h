#pragma once

#include "plotcolours.h"
#include "plotterprofile.h"

#include <QStringList>

#include <array>

class QCPAxis;
class QCPGraph;
class QCustomPlot;

// How a plotter's plot looks: its set-up as the window opens (background,
// axes, the three graphs with their pens) and its styling (grids, pens,
// ticks), in one place for both plotters, in the colours of a palette.
namespace PlotStyle {

// Clears the plot, sets the profile's ranges and adds the three graphs.
std::array<QCPGraph *, Sample::channelCount> setUp(QCustomPlot *plot, const PlotterProfile &profile,
                                                    const PlotColours::Palette &palette);
// Grids, pens, tick labels; QCustomPlot's own mouse handling off.
void style(QCustomPlot *plot, const PlotterProfile &profile, const PlotColours::Palette &palette);
// Everything the two above coloured, and the notes' backgrounds, again in
// `palette`'s colours.
void colour(QCustomPlot *plot, const PlotterProfile &profile, const PlotColours::Palette &palette);
// An axis with QCustomPlot's own look (lines, texts, grid) in the palette's
// plain colours.
void colourPlainAxis(QCPAxis *axis, const PlotColours::Palette &palette);

} // namespace PlotStyle

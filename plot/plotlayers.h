#pragma once

class QCustomPlot;

// How the plot is drawn on screen, apart from what it shows.
namespace PlotLayers {

// The grids of the plot's visible axes drawn at the screen's device pixels:
// on a scaled screen the dotted grid is the unscaled one magnified, dots of
// whole device pixels, drawn with the raster engine's fast hairline pens.
// The axes' own grids keep their pens and settings, which these follow;
// exports draw the grid with those pens as they are.
// Lines that stay where they were between redraws are copied from a
// picture of them taken once.
void drawGridsAtDevicePixels(QCustomPlot *plot);

// Whether the plot's last redraw copied grid lines from such a picture.
bool drewGridFromCache(const QCustomPlot *plot);

} // namespace PlotLayers

#pragma once

#include <QColor>

#include <array>

// Every colour a plot or chart draws in, for a light and for a dark
// background: the one table the drawing takes its colours from. The light
// one is the plots' own look; the dark one keeps each colour's hue, light
// enough to read on the dark background.
namespace PlotColours {

enum class Scheme { Light, Dark };

struct Palette
{
    QColor background;
    // Tick labels, axis labels, cursor and measurement readouts.
    QColor text;
    // The notes that only inform: damaged frames, publishing, trigger status.
    QColor quietText;
    QColor recordingText;
    QColor grid;
    QColor subGrid;
    QColor xAxisLine;
    // The y axis' line, every tick and the colour key's border.
    QColor faintLine;
    // QCustomPlot's own look, kept where the panel sets none: the charts,
    // the right axis, the colour key's texts and the zero lines.
    QColor plainBackground;
    QColor plainText;
    QColor plainGrid;
    std::array<QColor, 3> inputs;
    std::array<QColor, 4> computed;
    std::array<QColor, 2> cursors;
    QColor xyLine;
};

const Palette &palette(Scheme scheme);

// The scheme that suits a desktop whose windows are this colour.
Scheme schemeForWindow(const QColor &windowColour);

// A chart's band behind its line of `colour`: a quarter of it over the
// background.
QColor bandColour(const QColor &colour, const QColor &background);

} // namespace PlotColours

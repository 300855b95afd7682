#include "plotcolours.h"

namespace {

const PlotColours::Palette light{
    QColor(240, 240, 240),
    QColor(10, 10, 10),
    QColor(110, 110, 110),
    QColor(Qt::red),
    QColor(100, 100, 100),
    QColor(50, 50, 50),
    QColor(100, 100, 100),
    QColor(170, 170, 170),
    QColor(Qt::white),
    QColor(Qt::black),
    QColor(200, 200, 200),
    {QColor(Qt::red), QColor(Qt::blue), QColor(Qt::black)},
    // Apart from the inputs' red, blue and black.
    {QColor(0, 150, 0), QColor(200, 0, 200), QColor(230, 120, 0), QColor(0, 150, 150)},
    // Distinct from the channels' red, blue and black.
    {QColor(0, 140, 0), QColor(200, 0, 200)},
    QColor(20, 60, 170),
};

// Each colour of the light table in the same hue, at a contrast of at least
// 4.5:1 against the background, so that its texts read as well; lines a
// little less bright than the texts, so that the texts stand out.
const PlotColours::Palette dark{
    QColor(32, 32, 32),
    QColor(225, 225, 225),
    QColor(165, 165, 165),
    QColor(255, 105, 105),
    QColor(125, 125, 125),
    QColor(85, 85, 85),
    QColor(125, 125, 125),
    QColor(95, 95, 95),
    QColor(32, 32, 32),
    QColor(225, 225, 225),
    QColor(75, 75, 75),
    // Black becomes white: the third channel stays the neutral one.
    {QColor(255, 105, 105), QColor(120, 150, 255), QColor(225, 225, 225)},
    {QColor(90, 205, 90), QColor(235, 115, 235), QColor(255, 165, 60), QColor(60, 200, 200)},
    {QColor(90, 205, 90), QColor(235, 115, 235)},
    QColor(120, 150, 255),
};

} // namespace

namespace PlotColours {

const Palette &palette(Scheme scheme)
{
    return scheme == Scheme::Dark ? dark : light;
}

Scheme schemeForWindow(const QColor &windowColour)
{
    return windowColour.lightness() < 128 ? Scheme::Dark : Scheme::Light;
}

QColor bandColour(const QColor &colour, const QColor &background)
{
    const auto mix = [](double line, double under) { return 0.75 * under + line / 4; };
    return QColor::fromRgbF(mix(colour.redF(), background.redF()),
                            mix(colour.greenF(), background.greenF()),
                            mix(colour.blueF(), background.blueF()));
}

} // namespace PlotColours

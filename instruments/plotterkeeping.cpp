// What a plot window keeps for its next opening: every part of the plot
// gives and takes back its own choices (see PlotterSettings).
#include "plotter.h"

#include "spectrumview.h"
#include "xyview.h"

namespace {

PlotterSettings::Limits limitsOf(const PlotterProfile &profile)
{
    PlotterSettings::Limits limits;
    limits.fullScale = {profile.yRange.lower, profile.yRange.upper};
    for (const int length : SpectrumView::lengths)
        limits.spectrumLengths.append(length);
    limits.channelCount = Sample::channelCount;
    return limits;
}

} // namespace

QVariantMap Plotter::keptValues() const
{
    PlotterSettings settings;
    scopeView.saveTo(settings);
    viewport.saveTo(settings);
    settings.view = PlotterSettings::View(int(views.view()));
    settings.spectrumLength = views.spectrum().length();
    settings.xyX = views.xy().xChannel();
    settings.xyY = views.xy().yChannel();
    return settings.toValues();
}

void Plotter::applyKept(const QVariantMap &values)
{
    const PlotterSettings settings = PlotterSettings::fromValues(values, limitsOf(profile));
    scopeView.restoreFrom(settings);
    viewport.restoreFrom(settings);
    views.spectrum().setLength(settings.spectrumLength);
    views.xy().setChannels(settings.xyX, settings.xyY);
    views.setView(ViewSwitch::View(int(settings.view)));
    redrawSoon();
}

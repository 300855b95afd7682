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
    settings.mathChannels = mathMenu.channels();
    for (int input = 0; input < Sample::channelCount; ++input)
        settings.hiddenInputs |= mathMenu.isShown(input) ? 0u : 1u << input;
    return settings.toValues();
}

void Plotter::applyKept(const QVariantMap &values)
{
    PlotterSettings settings = PlotterSettings::fromValues(values, limitsOf(profile));
    // First: the trigger and XY may read a computed channel. Formulas that
    // no longer compile: none, and nothing that would read them.
    if (!mathMenu.setChannels(settings.mathChannels)) {
        QVariantMap inputsOnly = values;
        for (const QString &key : values.keys()) {
            if (key.startsWith(QLatin1String("channels/")) && key.at(9).isDigit())
                inputsOnly.remove(key);
        }
        settings = PlotterSettings::fromValues(inputsOnly, limitsOf(profile));
        mathMenu.setChannels({});
    }
    mathMenu.setHiddenInputs(settings.hiddenInputs);
    scopeView.restoreFrom(settings);
    viewport.restoreFrom(settings);
    views.spectrum().setLength(settings.spectrumLength);
    views.xy().setChannels(settings.xyX, settings.xyY);
    views.setView(ViewSwitch::View(int(settings.view)));
    redrawSoon();
}

// What a plot window keeps for its next opening: every part of the plot
// gives and takes back its own choices (see PlotterSettings).
#include "plotter.h"

#include "lanesview.h"
#include "settingsfile.h"
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

// The computed channels' keys among a window's values.
bool isMathChannelKey(const QString &key)
{
    return key.startsWith(QLatin1String("channels/")) && key.size() > 9 && key.at(9).isDigit();
}

} // namespace

std::optional<QVector<MathChannel>> Plotter::boardsChannels() const
{
    if (board.serialNumber().isEmpty())
        return std::nullopt;
    const QVariantMap kept =
        SettingsFile::readGroup(PlotterSettings::boardGroup(profile.protocol.name, board.serialNumber()));
    if (kept.isEmpty())
        return std::nullopt;
    return PlotterSettings::fromValues(kept, limitsOf(profile)).mathChannels;
}

void Plotter::keepBoardsChannels() const
{
    if (board.serialNumber().isEmpty())
        return;
    PlotterSettings settings;
    settings.mathChannels = session.channels();
    QVariantMap values = settings.toValues();
    for (const QString &key : values.keys()) {
        if (!isMathChannelKey(key))
            values.remove(key);
    }
    // Written even when empty of channels: a board whose last channel was
    // removed keeps none.
    values.insert(QStringLiteral("channels/count"), session.channels().size());
    SettingsFile::writeGroup(PlotterSettings::boardGroup(profile.protocol.name, board.serialNumber()), values);
}

QVariantMap Plotter::keptValues() const
{
    PlotterSettings settings;
    scopeView.saveTo(settings);
    viewport.saveTo(settings);
    views.lanes().saveTo(settings);
    settings.view = PlotterSettings::View(int(views.view()));
    settings.spectrumLength = views.spectrum().length();
    settings.xyX = views.xy().xChannel();
    settings.xyY = views.xy().yChannel();
    settings.mathChannels = session.channels();
    for (int input = 0; input < Sample::channelCount; ++input)
        settings.hiddenInputs |= mathMenu.isShown(input) ? 0u : 1u << input;
    return settings.toValues();
}

void Plotter::applyKept(const QVariantMap &values)
{
    PlotterSettings settings = PlotterSettings::fromValues(values, limitsOf(profile));
    // The board's own channels before the window's; Restore Defaults
    // (no values) takes them away too.
    const std::optional<QVector<MathChannel>> own = boardsChannels();
    if (own && !values.isEmpty())
        settings.mathChannels = *own;
    // First: the trigger and XY may read a computed channel. Formulas that
    // no longer compile: none. The choices were kept with other channels
    // than these, perhaps: those naming one the window lacks go back.
    if (!session.setChannels(settings.mathChannels))
        session.setChannels({});
    settings.fitToChannels(int(session.names().size()));
    mathMenu.setHiddenInputs(settings.hiddenInputs);
    scopeView.restoreFrom(settings);
    viewport.restoreFrom(settings);
    views.lanes().restoreFrom(settings);
    views.spectrum().setLength(settings.spectrumLength);
    views.xy().setChannels(settings.xyX, settings.xyY);
    views.setView(ViewSwitch::View(int(settings.view)));
    redrawSoon();
}

#pragma once

#include "mathchannels.h"

#include "spectrum.h"
#include "viewswitch.h"

#include <QColor>

#include <array>

class QCPGraph;
class QCPItemText;
class QCPItemTracer;

// The magnitude spectrum of each channel over the newest samples, in dB of
// the channel's full scale against Hz (bins until the sample rate is known),
// with the largest peak of each channel marked and labelled in its colour.
// Computed at most ten times a second, and only when samples came.
class SpectrumView : public AlternateView
{
    Q_OBJECT

public:
    static constexpr std::array<int, 5> lengths{256, 512, 1024, 4096, 16384};
    static constexpr qint64 minimumIntervalNs = 100000000;

    // `fullScale` in the inputs' counts; computed channels are in `computedUnit`.
    SpectrumView(const QStringList &channelNames, double fullScale, CountUnit computedUnit = {},
                 QObject *parent = nullptr);

    void addTo(QCustomPlot *plot, const std::array<QColor, 3> &channelColors) override;
    void setChannelNames(const QStringList &names, const std::vector<QColor> &colors) override;
    // The channels' colours alone.
    void setChannelColours(const std::vector<QColor> &colors);
    void show() override;
    void hide() override;
    bool update(const SampleStore &store, SampleSpan shown, std::optional<double> rateHz,
                qint64 nowNs) override;
    void addToMenu(QMenu &menu) const override;
    QStringList tableHeader() const override;
    QList<QStringList> tableRows() const override;

    int length() const { return m_length; }
    void setLength(int length);
    // The peak labels as drawn, one per channel with a spectrum.
    QStringList peakTexts() const;
    const ChannelSpectra &spectra() const { return m_spectra; }
    // The x axis is in Hz, not in bins.
    bool knowsRate() const { return m_spectra.sampleRateHz.has_value(); }

private:
    void createParts();
    void draw();

    static constexpr size_t maxChannels = Sample::channelCount + MathChannels::maxCount;

    QStringList m_channelNames;
    const double m_fullScale;
    const CountUnit m_computedUnit;
    int m_length = 1024;
    SpectrumAnalyzer m_analyzer;
    ChannelSpectra m_spectra;
    bool m_stale = true;
    quint64 m_computedAppendCount = 0;
    qint64 m_computedNs = 0;

    QCustomPlot *m_plot = nullptr;
    std::vector<QColor> m_colors;
    // One per channel the window may have; those past its channels stay
    // empty and hidden.
    std::array<QCPGraph *, maxChannels> m_graphs{};
    std::array<QCPItemTracer *, maxChannels> m_peakMarks{};
    std::array<QCPItemText *, maxChannels> m_peakLabels{};
    std::array<QAction *, lengths.size()> m_lengthActions{};
};

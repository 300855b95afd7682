#include "spectrumview.h"

#include "plotcompat.h"
#include "plotnote.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace {

constexpr double lowestDb = -140;
constexpr double highestDb = 10;

QString hertzText(double hertz)
{
    return QString::number(hertz, 'f', hertz < 10 ? 2 : hertz < 100 ? 1 : 0);
}

} // namespace

SpectrumView::SpectrumView(const QStringList &channelNames, double fullScale,
                           CountUnit computedUnit, QObject *parent)
    : m_channelNames(channelNames), m_fullScale(fullScale), m_computedUnit(computedUnit)
{
    setParent(parent);
    auto *group = new QActionGroup(this);
    for (size_t i = 0; i < lengths.size(); ++i) {
        const int length = lengths[i];
        QAction *action = group->addAction(QString::number(length));
        action->setCheckable(true);
        action->setChecked(length == m_length);
        connect(action, &QAction::triggered, this, [this, length] { setLength(length); });
        m_lengthActions[i] = action;
    }
}

void SpectrumView::addTo(QCustomPlot *plot, const std::array<QColor, 3> &channelColors)
{
    // The graphs and items come with the first show: a window that never
    // shows a spectrum carries none of them.
    m_plot = plot;
    m_colors.assign(channelColors.begin(), channelColors.end());
}

void SpectrumView::setChannelNames(const QStringList &names, const std::vector<QColor> &colors)
{
    m_channelNames = names;
    setChannelColours(colors);
    m_stale = true;
}

void SpectrumView::setChannelColours(const std::vector<QColor> &colors)
{
    m_colors = colors;
    for (size_t i = 0; i < m_graphs.size() && i < m_colors.size(); ++i) {
        if (!m_graphs[i])
            break;
        m_graphs[i]->setPen(QPen(m_colors[i]));
        m_peakMarks[i]->setPen(QPen(m_colors[i]));
        m_peakLabels[i]->setColor(m_colors[i]);
    }
}

void SpectrumView::createParts()
{
    for (size_t i = 0; i < m_graphs.size(); ++i) {
        const QColor color = m_colors.at(std::min(i, m_colors.size() - 1));
        m_graphs[i] = m_plot->addGraph();
        m_graphs[i]->setPen(QPen(color));

        m_peakMarks[i] = new QCPItemTracer(m_plot);
        m_peakMarks[i]->setStyle(QCPItemTracer::tsCircle);
        m_peakMarks[i]->setSize(9);
        m_peakMarks[i]->setPen(QPen(color));
        m_peakMarks[i]->setVisible(false);

        // Listed in the top right corner: the peaks of the three channels
        // often lie too close together to label them in place.
        m_peakLabels[i] = addPlotNote(m_plot, m_plot->currentLayer()->name(), color,
                                       palette().background);
        m_peakLabels[i]->position->setCoords(1, 0.06 + 0.05 * double(i));
        m_peakLabels[i]->setPositionAlignment(Qt::AlignRight | Qt::AlignTop);
    }
}

void SpectrumView::show()
{
    if (!m_graphs[0])
        createParts();
    PlotCompat::setFixedTickStep(m_plot->yAxis, 20);
    m_plot->yAxis->setRange(lowestDb, highestDb);
    colourAxes(m_plot);
    m_plot->yAxis->setLabel(tr("dB of full scale"));
    // Frequency in decades: a board's signals are mostly slow beside its
    // sample rate, and a square's harmonics stay apart.
    m_plot->xAxis->setScaleType(QCPAxis::stLogarithmic);
    m_plot->xAxis->setTicker(QSharedPointer<QCPAxisTicker>(new QCPAxisTickerLog));
    for (QCPGraph *graph : m_graphs)
        graph->setVisible(true);
    m_stale = true;
    draw();
}

void SpectrumView::hide()
{
    if (!m_graphs[0])
        return;
    for (size_t i = 0; i < m_graphs.size(); ++i) {
        m_graphs[i]->setVisible(false);
        m_peakMarks[i]->setVisible(false);
        m_peakLabels[i]->setVisible(false);
    }
}

void SpectrumView::setLength(int length)
{
    for (size_t i = 0; i < lengths.size(); ++i)
        m_lengthActions[i]->setChecked(lengths[i] == length);
    if (length == m_length)
        return;
    m_length = length;
    m_stale = true;
    emit changed();
}

bool SpectrumView::update(const SampleStore &store, SampleSpan, std::optional<double> rateHz,
                          qint64 nowNs)
{
    const bool newSamples = store.appendCount() != m_computedAppendCount;
    if (!m_stale && (!newSamples || nowNs - m_computedNs < minimumIntervalNs))
        return false;
    m_stale = false;
    m_computedAppendCount = store.appendCount();
    m_computedNs = nowNs;
    computeSpectra(m_analyzer, store, m_length, m_fullScale, rateHz, m_spectra, m_computedUnit);
    draw();
    return true;
}

void SpectrumView::draw()
{
    if (!m_graphs[0])
        return;
    // From the first bin past DC: a log axis has no 0, and the mean is gone.
    const int lastBin = m_length / 2;
    if (m_spectra.length > 0)
        m_plot->xAxis->setRange(m_spectra.binPosition(1), m_spectra.binPosition(lastBin));
    else
        m_plot->xAxis->setRange(1, lastBin);
    m_plot->xAxis->setLabel(m_spectra.sampleRateHz ? tr("frequency (Hz)")
                                                   : tr("frequency (bins; sample rate not yet known)"));
    const std::vector<double> none;
    for (size_t i = 0; i < m_graphs.size(); ++i) {
        const std::vector<double> &levels =
            i < m_spectra.levelsDb.size() && int(i) < m_channelNames.size() ? m_spectra.levelsDb[i]
                                                                           : none;
        QVector<double> keys;
        QVector<double> values;
        keys.reserve(int(levels.size()));
        values.reserve(int(levels.size()));
        for (size_t k = 1; k < levels.size(); ++k) {
            keys.append(m_spectra.binPosition(double(k)));
            values.append(levels[k]);
        }
        m_graphs[i]->setData(keys, values, true);

        const std::optional<SpectrumPeak> peak = largestPeak(levels);
        m_peakMarks[i]->setVisible(peak.has_value());
        m_peakLabels[i]->setVisible(peak.has_value());
        if (!peak)
            continue;
        const double at = m_spectra.binPosition(peak->bin);
        m_peakMarks[i]->position->setCoords(at, peak->levelDb);
        m_peakLabels[i]->setText(
            QStringLiteral("%1  %2 %3  %4 dB")
                .arg(m_channelNames.at(int(i)),
                     m_spectra.sampleRateHz ? hertzText(at) : QString::number(peak->bin, 'f', 1),
                     m_spectra.sampleRateHz ? QStringLiteral("Hz") : QStringLiteral("bins"),
                     QString::number(peak->levelDb, 'f', 1)));
    }
}

void SpectrumView::addToMenu(QMenu &menu) const
{
    QMenu *lengthMenu = menu.addMenu(tr("Spectrum Length"));
    for (QAction *action : m_lengthActions)
        lengthMenu->addAction(action);
}

QStringList SpectrumView::tableHeader() const
{
    QStringList header{m_spectra.sampleRateHz ? QStringLiteral("frequency_hz")
                                              : QStringLiteral("bin")};
    for (size_t i = 0; i < m_spectra.levelsDb.size(); ++i)
        header.append(m_channelNames.value(int(i)) + QStringLiteral("_db"));
    return header;
}

QList<QStringList> SpectrumView::tableRows() const
{
    size_t bins = 0;
    for (const std::vector<double> &levels : m_spectra.levelsDb)
        bins = std::max(bins, levels.size());
    QList<QStringList> rows;
    rows.reserve(int(bins));
    for (size_t k = 0; k < bins; ++k) {
        QStringList row{QString::number(m_spectra.binPosition(double(k)), 'g', 10)};
        for (const std::vector<double> &levels : m_spectra.levelsDb)
            row.append(k < levels.size() ? QString::number(levels[k], 'f', 2) : QString());
        rows.append(row);
    }
    return rows;
}

QStringList SpectrumView::peakTexts() const
{
    return shownTexts(m_peakLabels);
}

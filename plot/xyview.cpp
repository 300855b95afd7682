#include "xyview.h"

#include "measurements.h"

#include "plotcompat.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include <qcustomplot.h>

namespace {

// The older half of the line: the same colour, mostly see-through.
constexpr int fadedAlpha = 60;

} // namespace

XYView::XYView(const QStringList &channelNames, double fullScaleLower,
               double fullScaleUpper, QObject *parent)
    : m_lower(fullScaleLower), m_upper(fullScaleUpper), m_xGroup(new QActionGroup(this)),
      m_yGroup(new QActionGroup(this))
{
    setParent(parent);
    m_channelNames = channelNames;
    addChannelActions();
    m_xActions[size_t(m_xChannel)]->setChecked(true);
    m_yActions[size_t(m_yChannel)]->setChecked(true);
}

void XYView::addChannelActions()
{
    for (int channel = int(m_xActions.size()); channel < m_channelNames.size(); ++channel) {
        const QString name = m_channelNames.at(channel);
        QAction *x = m_xGroup->addAction(name);
        QAction *y = m_yGroup->addAction(name);
        x->setCheckable(true);
        y->setCheckable(true);
        connect(x, &QAction::triggered, this, [this, channel] { setChannels(channel, m_yChannel); });
        connect(y, &QAction::triggered, this, [this, channel] { setChannels(m_xChannel, channel); });
        m_xActions.push_back(x);
        m_yActions.push_back(y);
    }
}

void XYView::addTo(QCustomPlot *plot, const std::array<QColor, 3> &)
{
    // The curves come with the first show.
    m_plot = plot;
}

void XYView::setChannelNames(const QStringList &names, const std::vector<QColor> &)
{
    m_channelNames = names;
    // The inputs' actions stay; the computed channels' are made anew.
    while (m_xActions.size() > size_t(Sample::channelCount)) {
        delete m_xActions.back();
        delete m_yActions.back();
        m_xActions.pop_back();
        m_yActions.pop_back();
    }
    addChannelActions();
    const int channels = int(m_xActions.size());
    setChannels(m_xChannel < channels ? m_xChannel : 0, m_yChannel < channels ? m_yChannel : 1);
    m_stale = true;
}

void XYView::show()
{
    QColor faded = palette().xyLine;
    faded.setAlpha(fadedAlpha);
    for (size_t i = 0; i < m_curves.size(); ++i) {
        if (!m_curves[i])
            m_curves[i] = new QCPCurve(m_plot->xAxis, m_plot->yAxis);
        m_curves[i]->setPen(QPen(i == 0 ? faded : palette().xyLine));
    }
    for (QCPAxis *axis : {m_plot->xAxis, m_plot->yAxis})
        PlotCompat::setFixedTickStep(axis, 500);
    colourAxes(m_plot);
    for (QCPCurve *curve : m_curves)
        curve->setVisible(true);
    m_stale = true;
    fitAxes();
}

void XYView::hide()
{
    for (QCPCurve *curve : m_curves) {
        if (curve)
            curve->setVisible(false);
    }
}

bool XYView::fitAxes()
{
    const QCPRange before[] = {m_plot->xAxis->range(), m_plot->yAxis->range()};
    m_plot->xAxis->setLabel(m_channelNames.value(m_xChannel));
    m_plot->yAxis->setLabel(m_channelNames.value(m_yChannel));
    // The axis rect's size follows the labels and the hidden right axis:
    // laid out now, not at the next redraw.
    for (const auto phase : {QCPLayoutElement::upPreparation, QCPLayoutElement::upMargins,
                             QCPLayoutElement::upLayout})
        m_plot->plotLayout()->update(phase);
    // The full scale on the shorter side, centred; the longer side shows
    // more at the same units per pixel.
    const QRect area = m_plot->axisRect()->rect();
    const bool wide = area.width() >= area.height();
    QCPAxis *full = wide ? m_plot->yAxis : m_plot->xAxis;
    QCPAxis *other = wide ? m_plot->xAxis : m_plot->yAxis;
    full->setRange(m_lower, m_upper);
    other->setRange(m_lower, m_upper);
    other->setScaleRatio(full, 1.0);
    return m_plot->xAxis->range() != before[0] || m_plot->yAxis->range() != before[1];
}

void XYView::setChannels(int xChannel, int yChannel)
{
    // A pair the window does not have (a damaged setting): the specified one.
    const int channels = int(m_xActions.size());
    if (xChannel < 0 || xChannel >= channels || yChannel < 0 || yChannel >= channels) {
        xChannel = 0;
        yChannel = 1;
    }
    for (size_t channel = 0; channel < m_xActions.size(); ++channel) {
        m_xActions[channel]->setChecked(int(channel) == xChannel);
        m_yActions[channel]->setChecked(int(channel) == yChannel);
    }
    if (xChannel == m_xChannel && yChannel == m_yChannel)
        return;
    m_xChannel = xChannel;
    m_yChannel = yChannel;
    m_stale = true;
    emit changed();
}

bool XYView::update(const SampleStore &store, SampleSpan shown, std::optional<double>, qint64)
{
    // The axes follow the plot's size.
    m_stale = fitAxes() || m_stale;
    if (!m_stale && store.appendCount() == m_drawnAppendCount && shown.begin == m_drawnSpan.begin
        && shown.end == m_drawnSpan.end)
        return false;
    m_stale = false;
    m_drawnAppendCount = store.appendCount();
    m_drawnSpan = shown;
    m_points = xyPoints(store, shown, m_xChannel, m_yChannel);

    // A NaN point breaks a curve's line; the newer curve starts at the last
    // older point, so the two halves join.
    std::array<QVector<QCPCurveData>, 2> halves;
    for (size_t i = 0; i < m_points.size(); ++i) {
        const XYPoint &point = m_points[i];
        const size_t half = point.age <= 0.5 ? 1 : 0;
        QVector<QCPCurveData> &data = halves[half];
        if (point.startsLine && !data.isEmpty())
            data.append(QCPCurveData(double(data.size()), qQNaN(), qQNaN()));
        else if (half == 1 && data.isEmpty() && i > 0 && !point.startsLine)
            data.append(QCPCurveData(0, m_points[i - 1].x, m_points[i - 1].y));
        data.append(QCPCurveData(double(data.size()), point.x, point.y));
    }
    for (size_t i = 0; i < m_curves.size(); ++i)
        m_curves[i]->data()->set(halves[i], true);
    return true;
}

void XYView::addToMenu(QMenu &menu) const
{
    QMenu *xMenu = menu.addMenu(tr("X Channel"));
    QMenu *yMenu = menu.addMenu(tr("Y Channel"));
    for (size_t channel = 0; channel < 3; ++channel) {
        xMenu->addAction(m_xActions[channel]);
        yMenu->addAction(m_yActions[channel]);
    }
}

QStringList XYView::tableHeader() const
{
    return {QStringLiteral("sample"), m_channelNames.value(m_xChannel),
            m_channelNames.value(m_yChannel)};
}

QList<QStringList> XYView::tableRows() const
{
    QList<QStringList> rows;
    rows.reserve(int(m_points.size()));
    for (const XYPoint &point : m_points)
        rows.append({QString::number(point.index), channelValueText(point.x),
                     channelValueText(point.y)});
    return rows;
}

#include "viewswitch.h"

#include "lanesview.h"
#include "spectrumview.h"
#include "xyview.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QWidget>

#include <qcustomplot.h>

struct ViewSwitch::AxisLook
{
    QCPAxis *axis;
    QCPAxis::ScaleType scaleType;
    QCPRange range;
    QSharedPointer<QCPAxisTicker> ticker;
    QColor tickLabelColor;
    QString label;
    bool visible;
};

ViewSwitch::ViewSwitch(const QStringList &channelNames, double fullScaleLower,
                       double fullScaleUpper, CountUnit computedUnit)
    : m_spectrum(std::make_unique<SpectrumView>(channelNames, fullScaleUpper - fullScaleLower,
                                                computedUnit)),
      m_xy(std::make_unique<XYView>(channelNames, fullScaleLower, fullScaleUpper)),
      m_lanes(std::make_unique<LanesView>()),
      m_group(new QActionGroup(this)),
      m_timeAction(new QAction(tr("Time"), m_group)),
      m_spectrumAction(new QAction(tr("Spectrum"), m_group)),
      m_xyAction(new QAction(tr("XY"), m_group)),
      m_lanesAction(new QAction(tr("Lanes"), m_group))
{
    // Exclusive, but the menu's own unchecking is not used: choosing the view
    // shown goes back to Time, which setView() checks.
    m_group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction *action : {m_timeAction, m_spectrumAction, m_xyAction, m_lanesAction})
        action->setCheckable(true);
    m_timeAction->setChecked(true);
    m_spectrumAction->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_F));
    m_xyAction->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_Y));
    m_lanesAction->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_L));
    connect(m_timeAction, &QAction::triggered, this, [this] { setView(View::Time); });
    connect(m_spectrumAction, &QAction::triggered, this, [this] {
        setView(m_view == View::Spectrum ? View::Time : View::Spectrum);
    });
    connect(m_xyAction, &QAction::triggered, this,
            [this] { setView(m_view == View::XY ? View::Time : View::XY); });
    connect(m_lanesAction, &QAction::triggered, this,
            [this] { setView(m_view == View::Lanes ? View::Time : View::Lanes); });
    connect(m_lanes.get(), &LanesView::changed, this, &ViewSwitch::changed);
    for (AlternateView *view : std::initializer_list<AlternateView *>{m_spectrum.get(), m_xy.get()})
        connect(view, &AlternateView::changed, this, &ViewSwitch::changed);
}

ViewSwitch::~ViewSwitch() = default;

void ViewSwitch::addActionsTo(QWidget *window) const
{
    window->addAction(m_spectrumAction);
    window->addAction(m_xyAction);
    window->addAction(m_lanesAction);
}

void ViewSwitch::addTo(QCustomPlot *plot, const std::array<QColor, 3> &channelColors,
                       const QList<QCPLayerable *> &notes)
{
    m_plot = plot;
    m_notes = notes;
    m_spectrum->addTo(plot, channelColors);
    m_xy->addTo(plot, channelColors);
    m_lanes->addTo(plot);
}

void ViewSwitch::setChannels(const QStringList &names, const std::vector<QColor> &colors)
{
    for (AlternateView *view : std::initializer_list<AlternateView *>{m_spectrum.get(), m_xy.get()})
        view->setChannelNames(names, colors);
}

void ViewSwitch::addToMenu(QMenu &menu) const
{
    QMenu *views = menu.addMenu(tr("View"));
    views->addActions(m_group->actions());
    if (const AlternateView *view = shownView())
        view->addToMenu(menu);
    m_lanes->addToMenu(menu);
}

AlternateView *ViewSwitch::shownView() const
{
    switch (m_view) {
    case View::Spectrum:
        return m_spectrum.get();
    case View::XY:
        return m_xy.get();
    case View::Time:
    case View::Lanes:
        break;
    }
    return nullptr;
}

void ViewSwitch::setView(View view)
{
    m_timeAction->setChecked(view == View::Time);
    m_spectrumAction->setChecked(view == View::Spectrum);
    m_xyAction->setChecked(view == View::XY);
    m_lanesAction->setChecked(view == View::Lanes);
    if (view == m_view || !m_plot)
        return;
    m_lanes->hide();
    // Every view starts from the time view's look, and leaves it as it was.
    if (AlternateView *leaving = shownView()) {
        leaving->hide();
        restoreTimeLook();
    }
    m_view = view;
    if (AlternateView *shown = shownView()) {
        keepTimeLook();
        // No other view has a right axis.
        m_plot->yAxis2->setVisible(false);
        shown->show();
    }
    if (m_view == View::Lanes)
        m_lanes->show();
    emit changed();
}

void ViewSwitch::keepTimeLook()
{
    m_timeAxes.clear();
    for (QCPAxis *axis : m_plot->axisRect()->axes())
        m_timeAxes.push_back({axis, axis->scaleType(), axis->range(), axis->ticker(), axis->tickLabelColor(),
                              axis->label(), axis->visible()});
    m_hiddenTimeParts.clear();
    QList<QCPLayerable *> parts;
    for (int i = 0; i < m_plot->plottableCount(); ++i)
        parts.append(m_plot->plottable(i));
    for (int i = 0; i < m_plot->itemCount(); ++i)
        parts.append(m_plot->item(i));
    for (QCPLayerable *part : parts) {
        if (part->visible() && !m_notes.contains(part)) {
            part->setVisible(false);
            m_hiddenTimeParts.append(part);
        }
    }
}

void ViewSwitch::restoreTimeLook()
{
    for (const AxisLook &look : m_timeAxes) {
        look.axis->setScaleType(look.scaleType);
        look.axis->setTicker(look.ticker);
        look.axis->setRange(look.range);
        look.axis->setTickLabelColor(look.tickLabelColor);
        look.axis->setLabel(look.label);
        look.axis->setVisible(look.visible);
    }
    for (const QPointer<QCPLayerable> &part : qAsConst(m_hiddenTimeParts)) {
        if (part)
            part->setVisible(true);
    }
    m_hiddenTimeParts.clear();
}

bool ViewSwitch::update(const SampleStore &store, SampleSpan shown, std::optional<double> rateHz,
                        qint64 nowNs)
{
    AlternateView *view = shownView();
    return view && view->update(store, shown, rateHz, nowNs);
}

QStringList ViewSwitch::tableHeader() const
{
    const AlternateView *view = shownView();
    return view ? view->tableHeader() : QStringList();
}

QList<QStringList> ViewSwitch::tableRows() const
{
    const AlternateView *view = shownView();
    return view ? view->tableRows() : QList<QStringList>();
}

#pragma once

#include "viewswitch.h"
#include "xypoints.h"

#include <array>
#include <vector>

class QActionGroup;
class QCPCurve;

// One channel against another over the samples the time view would show,
// at equal units per pixel on both axes across the full scale: a line whose
// older half is faded, so the newest samples stand out.
class XYView : public AlternateView
{
    Q_OBJECT

public:
    XYView(const QStringList &channelNames, double fullScaleLower,
           double fullScaleUpper, QObject *parent = nullptr);

    void addTo(QCustomPlot *plot, const std::array<QColor, 3> &channelColors) override;
    void setChannelNames(const QStringList &names, const std::vector<QColor> &colors) override;
    void show() override;
    void hide() override;
    bool update(const SampleStore &store, SampleSpan shown, std::optional<double> rateHz,
                qint64 nowNs) override;
    void addToMenu(QMenu &menu) const override;
    QStringList tableHeader() const override;
    QList<QStringList> tableRows() const override;

    int xChannel() const { return m_xChannel; }
    int yChannel() const { return m_yChannel; }
    void setChannels(int xChannel, int yChannel);
    // The points drawn, oldest first.
    const std::vector<XYPoint> &points() const { return m_points; }

private:
    // Says whether the ranges changed.
    bool fitAxes();
    // X and Y actions for the channels that have none yet.
    void addChannelActions();

    QStringList m_channelNames;
    const double m_lower;
    const double m_upper;
    int m_xChannel = 0;
    int m_yChannel = 1;
    std::vector<XYPoint> m_points;
    quint64 m_drawnAppendCount = 0;
    SampleSpan m_drawnSpan;
    bool m_stale = true;

    QCustomPlot *m_plot = nullptr;
    // The older half, faded, then the newer half.
    std::array<QCPCurve *, 2> m_curves{};
    QActionGroup *const m_xGroup;
    QActionGroup *const m_yGroup;
    std::vector<QAction *> m_xActions;
    std::vector<QAction *> m_yActions;
};

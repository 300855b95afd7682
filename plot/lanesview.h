#pragma once

#include "plottersettings.h"

#include <QMap>
#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <optional>
#include <vector>

class QAction;
class QCPAxis;
class QCPAxisRect;
class QCPGraph;
class QCPItemStraightLine;
class QCPMarginGroup;
class QCustomPlot;
class QMenu;
class QPoint;
class QPointF;
class QWidget;

// The time view stacked into lanes: each shown channel's graph in a lane of
// its own, with its own y axis and range (following the signal, or set by
// the user), over the time axis they share. The lanes lie inside the plot's
// one axis rect, so the time axis, its zoom and pan, the cursors, the
// notes and the hover readout stay as they are and span every lane; the
// graphs only move to their lane's axes and keep the data the time graphs
// give them. On the way back everything returns to the time view's axes.
class LanesView : public QObject
{
    Q_OBJECT

public:
    LanesView();
    ~LanesView() override;

    void addTo(QCustomPlot *plot);
    // The trigger's level line: drawn in its source's lane.
    void setLevelLine(QCPItemStraightLine *line);
    // The channels' names and graphs, inputs then computed; bit i of `shown`
    // set: channel i is drawn, and gets a lane.
    void setChannels(const QStringList &names, const std::vector<QCPGraph *> &graphs,
                     quint32 shown);

    void show();
    void hide();
    bool isShown() const { return m_shown; }

    // Per redraw, once the graphs are drawn: each lane's range, and the
    // level line in the lane of `triggerSource`.
    void finishRedraw(int triggerSource);

    // The context menu is about to open at this point of the plot.
    void setMenuPosition(const QPoint &plotPosition);
    void addToMenu(QMenu &menu) const;
    // "Lane Range…": the window runs askLaneRange() for it, as one of its loops.
    QAction *laneRangeAction() const { return m_rangeAction; }
    void askLaneRange(QWidget *window);

    // The lanes, top to bottom.
    int laneCount() const { return int(m_lanes.size()); }
    QCPAxisRect *laneRect(int lane) const;
    int laneChannel(int lane) const;

    // The ranges the user set, kept for the next opening.
    void saveTo(PlotterSettings &settings) const;
    void restoreFrom(const PlotterSettings &settings);

signals:
    // A lane's range was set or freed: redraw.
    void changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class LaneRect;
    class LaneMargin;
    struct Lane
    {
        int channel;
        LaneRect *rect;
        QPointer<QCPGraph> graph;
        // The axis the graph shows its values on in the time view.
        QPointer<QCPAxis> timeValueAxis;
    };

    void build();
    void tearDown();
    void placeBands();
    QCPAxis *valueAxis(const Lane &lane) const;
    // The lane under a point of the plot, over its graph or beside it, on
    // its axis (`onAxis`).
    const Lane *laneAt(const QPointF &point, bool *onAxis = nullptr) const;
    void setLaneRange(int channel, AxisSpan range);

    QCustomPlot *m_plot = nullptr;
    LaneMargin *m_margin = nullptr;
    QPointer<QCPItemStraightLine> m_levelLine;
    QStringList m_names;
    std::vector<QPointer<QCPGraph>> m_graphs;
    quint32 m_shownChannels = ~0u;
    bool m_shown = false;
    std::vector<Lane> m_lanes;
    // The time view's axes' visibility, for the way back.
    bool m_yAxisVisible = true;
    bool m_yAxis2Visible = false;
    QMargins m_insetMargins;
    // By channel.
    QMap<int, AxisSpan> m_setRanges;
    // A drag on a lane's axis: where it began and the range then.
    struct AxisDrag
    {
        int channel;
        double startY;
        AxisSpan startRange;
    };
    std::optional<AxisDrag> m_drag;
    std::optional<int> m_menuChannel;
    QAction *m_rangeAction = nullptr;
    QAction *m_automaticAction = nullptr;
};

#pragma once

#include "mathchannels.h"
#include "plotcolours.h"

#include "samplestore.h"

#include <QColor>
#include <QObject>

#include <array>
#include <optional>
#include <vector>

class QAction;
class QCPGraph;
class QCPItemStraightLine;
class QCPItemText;
class QCustomPlot;
class QMouseEvent;

// Two vertical cursors, A and B, over a plot, and their readout in its top
// right corner: the samples under them, Δ samples, Δt from the samples' read
// times, 1/Δt and each channel's values and difference. A cursor stands on a
// sample index, so it stays on its sample while the view zooms, pans or
// rolls. Shown and hidden with its action (Ctrl+K); dragged with the mouse.
class PlotCursors : public QObject
{
    Q_OBJECT

public:
    PlotCursors(const SampleStore &store,
                const QStringList &channelNames,
                QObject *parent = nullptr);

    // "Show Cursors", checkable, Ctrl+K.
    QAction *showAction() const { return m_showAction; }
    bool isShown() const;

    // Adds the lines and the readout to `plot` on `layer`, the readout in the
    // colours of `graphs`, under the first of `above` that is shown.
    void addItems(QCustomPlot *plot, const QString &layer, const std::vector<QCPGraph *> &graphs,
                  std::vector<QCPItemText *> above, const PlotColours::Palette &palette);
    // The lines' and the readout's colours, the channels' lines in their
    // graphs' colours.
    void setPalette(const PlotColours::Palette &palette, const std::vector<QCPGraph *> &graphs);
    // The channels changed: their names and graphs, inputs then computed.
    void setChannels(const QStringList &names, const std::vector<QCPGraph *> &graphs);

    // Once per redraw, the x axis set: keys on it count from `keyOrigin`.
    void update(qint64 keyOrigin);

    // The mouse over the plot; each says whether it took the event.
    bool mousePressed(const QMouseEvent *event);
    bool mouseMoved(const QMouseEvent *event);
    bool mouseReleased(const QMouseEvent *event);

    // The sample indexes A and B stand on; the readout lines as drawn.
    qint64 indexA() const { return m_indexes[0]; }
    qint64 indexB() const { return m_indexes[1]; }
    QStringList readoutTexts() const;

signals:
    // A cursor moved, or they were shown or hidden: redraw now.
    void changed();

private:
    void placeInView();
    // The cursor within grabbing distance of `x` (pixels), if any.
    std::optional<int> cursorNear(double x) const;
    qint64 indexAt(double x) const;
    void colourChannels(const std::vector<QCPGraph *> &graphs);

    const SampleStore &m_store;
    QStringList m_channelNames;
    QAction *const m_showAction;
    QCustomPlot *m_plot = nullptr;
    std::array<QCPItemStraightLine *, 2> m_lines{};
    std::array<QCPItemText *, 2> m_labels{};
    // Δ line, Δt line, then one line per channel.
    std::array<QCPItemText *, 2 + Sample::channelCount + MathChannels::maxCount> m_readout{};
    std::vector<QCPItemText *> m_above;
    std::array<qint64, 2> m_indexes{};
    qint64 m_keyOrigin = 0;
    std::optional<int> m_dragged;
    bool m_overCursor = false;
};

#pragma once

#include "plotcolours.h"
#include "samplesession.h"

#include <QAction>
#include <QColor>
#include <QObject>
#include <QStringList>
#include <QVector>

#include <functional>
#include <vector>

class QCPAxis;
class QCPGraph;
class QCustomPlot;
class QMenu;
class QWidget;

// A plot window's commands for its computed channels: "Add Math
// Channel…", "Math Channels ▸" with Edit…/Remove each, and "Show PAD0"… to
// hide an input. The channels are the session's; this edits them there and
// keeps one graph per computed channel after the inputs' graphs, and the
// colour key the plot draws while there are any, following the session
// whoever changes it. With none, the plot is as it was.
class MathChannelMenu : public QObject
{
    Q_OBJECT

public:
    // Runs `work`, which opens a dialog, while the window is kept alive.
    using BusyRunner = std::function<void(const std::function<void()> &work)>;

    MathChannelMenu(SampleSession &session, QWidget *window, BusyRunner runBusy);

    // The plot and its input graphs, once it is set up; the computed
    // channels are drawn against `valueAxis`, the axis in the inputs' unit.
    void attach(QCustomPlot *plot, const std::vector<QCPGraph *> &inputGraphs, QCPAxis *valueAxis);
    void addActionsTo(QWidget *window);
    void addToMenu(QMenu &menu);
    // Off while another view than Time is shown: its graphs, and so the
    // key, are hidden then.
    void setEnabled(bool enabled);
    // The computed channels' colours and the key's.
    void setPalette(const PlotColours::Palette &palette);

    std::vector<QCPGraph *> graphs() const;
    std::vector<QColor> colors() const;
    // False for an input the user hid.
    bool isShown(int channel) const;
    // Bit i set: channel i is shown.
    quint32 shownChannels() const;
    // Bit i set: input i is hidden, as "Show …" unchecked.
    void setHiddenInputs(quint32 hidden);

signals:
    // The channels, or which of them are shown, changed.
    void channelsChanged();

private:
    // `index` == the count: a new channel.
    void editChannel(int index);
    void updateGraphs();
    void updateKey();
    const MathChannels &model() const { return m_session.mathChannels(); }

    SampleSession &m_session;
    QWidget *const m_window;
    const BusyRunner m_runBusy;
    QAction *const m_addAction = new QAction(this);
    std::vector<QAction *> m_showActions;
    QCustomPlot *m_plot = nullptr;
    QCPAxis *m_valueAxis = nullptr;
    bool m_enabled = true;
    std::vector<QCPGraph *> m_inputGraphs;
    std::vector<QCPGraph *> m_computedGraphs;
    const PlotColours::Palette *m_palette = &PlotColours::palette(PlotColours::Scheme::Light);
};

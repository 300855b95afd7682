#pragma once

#include "plotcolours.h"

#include <QObject>

class QMenu;

// Which colours every plot and chart of the panel draws in: the user's
// choice under "Plot Colours" (Light, Dark, or Follow the Desktop, the
// default), kept in the settings file, and with Follow the Desktop the
// desktop's own palette, followed as it changes. One for the panel, so that
// a change re-colours every open plot at once.
class PlotLook : public QObject
{
    Q_OBJECT

public:
    enum class Choice { Light, Dark, FollowDesktop };

    // Made, with the kept choice, the first time it is asked for.
    static PlotLook &instance();

    Choice choice() const { return m_choice; }
    // Kept for the next start.
    void choose(Choice choice);
    PlotColours::Scheme scheme() const { return m_scheme; }
    const PlotColours::Palette &palette() const { return PlotColours::palette(m_scheme); }

    // Appends the "Plot Colours" submenu to a plot's context menu.
    void addToMenu(QMenu &menu);

signals:
    // The plots must take palette().
    void schemeChanged();

private:
    PlotLook();
    void update();

    Choice m_choice = Choice::FollowDesktop;
    PlotColours::Scheme m_scheme = PlotColours::Scheme::Light;
};

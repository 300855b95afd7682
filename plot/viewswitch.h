#pragma once

#include "samplespan.h"
#include "samplestore.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>

class QAction;
class LanesView;
class SpectrumView;
class XYView;
class QActionGroup;
class QCPAxis;
class QCPAxisTicker;
class QCPLayerable;
class QCustomPlot;
class QMenu;
class QWidget;

// Another way to look at the samples in a plot window's plot, drawn instead
// of the time view: its own plottables and items on the same plot, its own
// axes, its own table for Export Shown Data.
class AlternateView : public QObject
{
    Q_OBJECT

public:
    // Adds the plottables and items, hidden.
    virtual void addTo(QCustomPlot *plot, const std::array<QColor, 3> &channelColors) = 0;
    // The channels changed: names and colours, inputs then computed.
    virtual void setChannelNames(const QStringList &names, const std::vector<QColor> &colors) = 0;
    // Shows them and sets up the axes; the switch has hidden the right axis
    // and restores the time view's.
    virtual void show() = 0;
    virtual void hide() = 0;
    // Once per redraw tick: takes in the store; `shown` is what the time
    // view shows (or would), `rateHz` the plot's measured sample rate. Says
    // whether the picture changed.
    virtual bool update(const SampleStore &store, SampleSpan shown, std::optional<double> rateHz,
                        qint64 nowNs) = 0;
    // The view's own submenus.
    virtual void addToMenu(QMenu &menu) const = 0;
    // What is drawn, as a table.
    virtual QStringList tableHeader() const = 0;
    virtual QList<QStringList> tableRows() const = 0;

signals:
    // A command changed what is shown.
    void changed();
};

// The "View" submenu of a plot window: "Time" (the window's own drawing),
// "Spectrum" (Ctrl+F), "XY" (Ctrl+Y) and "Lanes" (Ctrl+L, the time view
// with a lane per channel). Choosing the view shown, from the menu or by
// its key, goes back to Time. While another view is shown, the
// time view's plottables and items are hidden and its axes kept aside,
// untouched, for its return; the notes stay.
class ViewSwitch : public QObject
{
    Q_OBJECT

public:
    enum class View { Time, Spectrum, XY, Lanes };

    // The spectra are in dB of the span of `fullScale`; XY spans it.
    // Computed channels hold values in `computedUnit`.
    ViewSwitch(const QStringList &channelNames, double fullScaleLower,
               double fullScaleUpper, CountUnit computedUnit = {});
    ~ViewSwitch() override;

    void addActionsTo(QWidget *window) const;
    // `notes` stay visible in every view.
    void addTo(QCustomPlot *plot, const std::array<QColor, 3> &channelColors,
               const QList<QCPLayerable *> &notes);
    // The "View" submenu, then the shown view's own submenus.
    // The channels changed: names and colours, inputs then computed.
    void setChannels(const QStringList &names, const std::vector<QColor> &colors);
    void addToMenu(QMenu &menu) const;

    View view() const { return m_view; }
    // The time graphs are shown: in one plot, or in lanes.
    bool showsTime() const { return m_view == View::Time || m_view == View::Lanes; }
    void setView(View view);

    SpectrumView &spectrum() const { return *m_spectrum; }
    XYView &xy() const { return *m_xy; }
    LanesView &lanes() const { return *m_lanes; }

    // For the view shown other than Time.
    bool update(const SampleStore &store, SampleSpan shown, std::optional<double> rateHz,
                qint64 nowNs);
    QStringList tableHeader() const;
    QList<QStringList> tableRows() const;

signals:
    // The view changed or a view's command changed what it shows.
    void changed();

private:
    struct AxisLook;
    AlternateView *shownView() const;
    void keepTimeLook();
    void restoreTimeLook();

    QCustomPlot *m_plot = nullptr;
    QList<QCPLayerable *> m_notes;
    View m_view = View::Time;
    std::unique_ptr<SpectrumView> m_spectrum;
    std::unique_ptr<XYView> m_xy;
    std::unique_ptr<LanesView> m_lanes;
    QActionGroup *m_group = nullptr;
    QAction *m_timeAction = nullptr;
    QAction *m_spectrumAction = nullptr;
    QAction *m_xyAction = nullptr;
    QAction *m_lanesAction = nullptr;
    // The time view as it was when another was chosen.
    std::vector<AxisLook> m_timeAxes;
    QList<QPointer<QCPLayerable>> m_hiddenTimeParts;
};

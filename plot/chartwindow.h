#pragma once

#include "plotcolours.h"
#include "readingchart.h"
#include "readinghistory.h"

#include <QStringList>
#include <QTimer>

#include <functional>

class ChartBand;
class CloseGuard;
class QAction;
class QActionGroup;
class QCPGraph;
class QCustomPlot;
class QLabel;
class QMenu;

struct InstrumentProtocol;

// What a chart shows of an instrument's readings: its title, names, unit and
// export come from the instrument; each channel has the colour of the plots'
// input of its number.
struct ChartProfile
{
    const InstrumentProtocol *instrument = nullptr;
};

// A chart of every reading an instrument keeps (its ReadingHistory) over
// wall-clock time: each channel's mean as a line, with the minimum and
// maximum of what each pixel column stands for as a band around it, and the
// span's minimum, mean, maximum and reading count in a line above. It
// follows the newest readings over the chosen span until the user zooms
// (wheel) or pans (drag); "Follow" comes back. Redrawn from a timer, only
// while something changed.
class ChartWindow : public ReadingChart
{
    Q_OBJECT

public:
    // Runs work that starts a loop of its own (a menu, a file dialog), so the
    // instrument can hold its close until it is over.
    using Guard = std::function<void(const std::function<void()> &work)>;

    // A window of its own, owned by (and closed with) `instrument`, which
    // owns `history` too. `nowMs` is the wall clock the history's times use.
    ChartWindow(const ChartProfile &profile, const ReadingHistory &history,
                std::function<qint64()> nowMs, Guard guard, QWidget *instrument);
    ~ChartWindow() override;

    // The Span menu offers spans().
    qint64 spanMs() const override { return m_spanMs; }
    bool isFollowing() const { return m_following; }

    static constexpr int refreshIntervalMs = 250;

public slots:
    void follow();
    void setSpan(qint64 spanMs) override;
    // Draws what the history holds now.
    void redraw();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createActions();
    void showMenu(const QPoint &position);
    void exportShown();
    // Sets the time axis to `lower`..`upper` (seconds), as far as the limits
    // of a zoom allow.
    void setShownRange(double lower, double upper);
    // The time span to draw, in ms.
    std::pair<qint64, qint64> shownSpan() const;
    // The statistics line, for what is drawn.
    void updateStatistics(const std::vector<ReadingHistory::Interval> &shown);
    void stopFollowing();
    void colour(const PlotColours::Palette &palette);

    const ChartProfile m_profile;
    const ReadingHistory &m_history;
    const std::function<qint64()> m_nowMs;
    // Its own close waits for its menu and dialogs, and so does the
    // instrument's, which would close it.
    CloseGuard *const m_closeGuard;
    const Guard m_guard;
    QLabel *const m_statistics;
    QCustomPlot *const m_plot;
    // Per channel: the mean line, and the band from minimum to maximum.
    QList<QCPGraph *> m_means;
    QList<ChartBand *> m_bands;
    QActionGroup *m_spanGroup = nullptr;
    QAction *m_followAction = nullptr;
    QAction *m_exportAction = nullptr;
    QTimer m_refreshTimer;
    qint64 m_spanMs = defaultSpanMs;
    bool m_following = true;
    // Set while the chart itself moves the axis.
    bool m_settingRange = false;
    qint64 m_drawnCount = -1;
};

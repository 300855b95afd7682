#pragma once

#include <QtGlobal>

#include <deque>
#include <optional>
#include <utility>

class SampleStore;
struct Sample;

enum class TriggerMode { Off, RisingEdge, FallingEdge };

// The order Ctrl+T steps through: Off, rising, falling, and back to Off.
TriggerMode nextTriggerMode(TriggerMode mode);

// What becomes of the view between crossings. Auto rolls again after a
// second without one; Normal holds the last capture and waits for the next;
// Single takes one capture, crossing after it was armed, and holds it.
enum class CaptureMode { Auto, Normal, Single };

enum class TriggerStatus {
    // Trigger switched off: the rolling view.
    Off,
    // view() holds the window to draw; in Normal the next crossing may
    // replace it.
    Triggered,
    // Auto: no crossing shown yet, or none for a second: the rolling view.
    Auto,
    // Normal or Single: no capture yet; nothing rolls meanwhile.
    Armed,
    // Normal: a capture shown, the holdoff since it not over.
    Waiting,
    // Single: its capture is taken and shown; nothing replaces it.
    Stopped,
};

// The samples a triggered view shows, the crossing (the sample reaching the
// level, or the one right before) the pre-trigger's share of them from the
// left edge (100 of 500 by default); x on the plot counts from triggerIndex.
struct TriggeredView
{
    qint64 triggerIndex = 0;
    qint64 firstIndex = 0;
    qint64 lastIndex = 0;
};

// A scope trigger over the sample store, without widgets. Called once per
// redraw; it looks only at the samples that arrived since the last call.
//
// A sample is judged once the samples after it in a view have arrived, against the level
// of the window a crossing there would show: the middle between the
// source's lowest and highest value in it, or the user's level. So the view
// is always complete, its crossing is measured against its own samples
// whatever came before them, and how the samples were split between calls
// changes nothing. A crossing needs the source to have been beyond the level
// by the hysteresis on the far side first (a Schmitt trigger), so noise on a
// slow edge crosses once. A view holds until its samples after the crossing
// have passed and the next crossing is complete too, and the holdoff (in the
// samples' own time) since the last capture is over. Every shown window starts on the same
// sample of a steady periodic signal's period, so redraws repeat the
// picture.
class ScopeTrigger
{
public:
    // A triggered view's samples; the pre-trigger puts the crossing
    // between 10 % and 90 % of them from the left.
    static constexpr int viewLength = 500;
    static constexpr int defaultPreTriggerPercent = 20;
    static constexpr int minPreTriggerPercent = 10;
    static constexpr int maxPreTriggerPercent = 90;
    static constexpr qint64 maxHoldoffNs = 10000000000;
    // The level drawn and its hysteresis follow this many newest samples.
    static constexpr int levelWindowLength = 500;
    static constexpr double hysteresisShare = 0.02;
    // Without a crossing for this long the view falls back to rolling.
    static constexpr qint64 autoAfterNs = 1000000000;

    // A change of mode, source or level drops the crossing shown; the next
    // update reads every sample held again, so a new view can come at once.
    TriggerMode mode() const { return m_mode; }
    void setMode(TriggerMode mode);
    // An input or a computed channel; other values are clamped. A source
    // the store does not have (a computed channel removed) finds nothing.
    static constexpr int maxSourceChannel = 15;
    int sourceChannel() const { return m_source; }
    void setSourceChannel(int channel);
    // A level the user set; without one the level is the middle between the
    // source's lowest and highest value over the newest 500 samples.
    std::optional<int> userLevel() const { return m_userLevel; }
    void setUserLevel(int level);
    void clearUserLevel();

    // Changing it keeps what is shown; Single arms (see armSingle()).
    CaptureMode captureMode() const { return m_captureMode; }
    void setCaptureMode(CaptureMode mode);
    // Single, armed again: the first crossing after the samples seen so
    // far is captured.
    void armSingle();
    // Clamped to 10..90. A taken Single capture is shown again around the
    // same crossing, as far as its samples are held; otherwise the held
    // samples are read again.
    int preTriggerPercent() const { return m_preTriggerPercent; }
    void setPreTriggerPercent(int percent);
    int preTriggerSamples() const { return viewLength * m_preTriggerPercent / 100; }
    int postTriggerSamples() const { return viewLength - preTriggerSamples(); }
    // The least time between two captures' crossings, clamped to 0..10 s.
    qint64 holdoffNs() const { return m_holdoffNs; }
    void setHoldoffNs(qint64 holdoffNs);
    // Views shown since construction: each new one is a capture.
    quint64 captureCount() const { return m_captureCount; }

    // Takes in the samples new since the last call; `nowNs` from
    // monotonicNowNs() times the fall-back to Auto.
    void update(const SampleStore &store, qint64 nowNs);

    TriggerStatus status() const;
    // The window to draw while Triggered and all of its samples are still
    // held in `store`; nothing otherwise (draw the rolling view then).
    std::optional<TriggeredView> view(const SampleStore &store) const;

    // The level for the dashed line, that of a crossing judged next: none
    // until the source has a value in the newest 500 samples or a user level
    // is set.
    bool hasLevel() const { return m_hasLevel; }
    double level() const { return m_level; }
    double hysteresis() const { return m_hysteresis; }

private:
    // Forgets edges, crossings and the position read up to; the next update
    // reads every sample held again.
    void restart();
    void followLevel(const SampleStore &store);
    // Takes the source's values up to `lastIndex` into the window's extremes.
    void extendWindowTo(const SampleStore &store, qint64 lastIndex);
    void judge(int position, const SampleStore &store, qint64 nowNs);
    bool crossesLevel(double value, double level, double hysteresis);
    bool holdsWindowOf(const SampleStore &store, qint64 triggerIndex) const;

    // A new view may be shown for the crossing at `index`.
    bool mayCapture(qint64 index, qint64 timeNs) const;

    TriggerMode m_mode = TriggerMode::Off;
    CaptureMode m_captureMode = CaptureMode::Auto;
    int m_preTriggerPercent = defaultPreTriggerPercent;
    qint64 m_holdoffNs = 0;
    int m_source = 0;
    std::optional<int> m_userLevel;

    bool m_hasLevel = false;
    double m_level = 0;
    double m_hysteresis = 0;

    // The source was beyond the level by the hysteresis on the far side
    // since the last crossing.
    bool m_armed = false;
    // The source's last value judged and its index, for where a crossing
    // lies between two samples.
    std::optional<std::pair<qint64, double>> m_lastValue;
    // How far the sample last aligned on lies past the crossing, in
    // samples (-1 to 1).
    std::optional<double> m_alignOffset;
    std::optional<qint64> m_newestSeen;
    std::optional<qint64> m_lastJudgedIndex;
    // The window of the sample judged next: the last index taken into it,
    // and (index, value) of its candidates for lowest and highest, the
    // extreme first.
    std::optional<qint64> m_lastWindowedIndex;
    std::deque<std::pair<qint64, double>> m_lows;
    std::deque<std::pair<qint64, double>> m_highs;
    // (newest index, time) of each call that brought samples, back to the
    // sample judged next.
    std::deque<std::pair<qint64, qint64>> m_arrivals;
    std::optional<qint64> m_shownIndex;
    // When a crossing last arrived or was shown.
    qint64 m_lastCrossingNs = 0;
    qint64 m_nowNs = 0;
    // Normal and Single capture only crossings after this index: the last
    // capture's, or the newest sample when Single was armed. Reading the
    // held samples again does not capture one twice.
    std::optional<qint64> m_capturedUpTo;
    // The samples' time of the last capture's crossing, for the holdoff.
    std::optional<qint64> m_lastCaptureNs;
    bool m_singleTaken = false;
    quint64 m_captureCount = 0;
};

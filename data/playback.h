#pragma once

#include "recordingreader.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <memory>

class SampleIntake;

// A recording's samples fed to an intake as the board sent them, at the
// recorded pace times the speed, from a timer: a source like the board.
// Each run appends after what the intake holds, indexes and times going on
// from there, so every view of the store reads it as it reads a live
// board; the file's gaps stay gaps, though one plays for a second at most.
class Playback : public QObject
{
    Q_OBJECT

public:
    // Speed 0: as fast as the window takes it.
    static constexpr double asFastAsPossible = 0;
    // A file without times plays at this many samples a second (at 1×).
    static constexpr qint64 untimedSpacingNs = 1000000;
    // The longest a gap plays, whatever the speed.
    static constexpr qint64 longestGapNs = 1000000000;
    // Per tick at most, however fast: the window stays responsive.
    static constexpr size_t mostPerTick = 100000;
    static constexpr int tickMs = 10;

    Playback(std::shared_ptr<const Recording> recording, SampleIntake &intake,
             QObject *parent = nullptr);

    void setSpeed(double speed);
    double speed() const { return m_speed; }
    // Plays on from where it paused; from the start once it has ended.
    void play();
    void pause();
    bool isPlaying() const { return m_timer.isActive(); }
    // The next sample of the file to feed.
    size_t position() const { return m_position; }

    // Feeds what is due `elapsedNs` after play() (or the last change of
    // speed); returns how many samples. The timer calls it; so can tests.
    size_t advance(qint64 elapsedNs);

signals:
    // The last sample was fed: playing has stopped.
    void ended();

private:
    // The file's time of sample `position`.
    qint64 fileTimeNs(size_t position) const;
    // From here on, elapsed time counts from the sample at m_position.
    void rebase();

    const std::shared_ptr<const Recording> m_recording;
    SampleIntake &m_intake;
    QTimer m_timer;
    QElapsedTimer m_clock;
    double m_speed = 1;
    size_t m_position = 0;
    // What is added to the file's indexes and times for this run.
    qint64 m_indexShift = 0;
    qint64 m_timeShift = 0;
    // The file's time that elapsed time 0 stands for.
    qint64 m_baseFileNs = 0;
    qint64 m_elapsedAtBase = 0;
    // The elapsed time of the last advance().
    qint64 m_lastElapsedNs = 0;
};

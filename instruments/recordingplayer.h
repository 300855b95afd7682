#pragma once

#include "playback.h"

#include <QObject>

#include <memory>

class Plotter;
class QAction;

// A plotter window's file: its samples go to the window's intake, which
// shows them stopped and whole; "Play"/"Pause" (Space) runs the file through
// the window again at the pace chosen under "Speed" (¼×, 1×, 4×, 16×, As
// Fast As Possible), and Start/Stop Plot does the same.
class RecordingPlayer : public QObject
{
    Q_OBJECT

public:
    RecordingPlayer(Plotter *window, std::shared_ptr<const Recording> recording);

    Playback &playback() { return m_playback; }
    QAction *playAction() const { return m_playAction; }

    // What the window says of the file beside its name: rows left out, a
    // cut-off last row; "" when nothing.
    static QString remarks(const Recording &recording);

private:
    Plotter *const m_window;
    Playback m_playback;
    QAction *const m_playAction;
};

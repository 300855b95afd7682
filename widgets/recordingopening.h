#pragma once

#include <QString>

#include <functional>

class QAction;
class QWidget;

// "Open Recording…" (Ctrl+O), one command in every plot and chart window:
// asks for a file the panel wrote and opens it in a window of its own. The
// application knows those windows and says how (setOpener()); until it has,
// the command is hidden.
namespace RecordingOpening {

using Opener = std::function<void(const QString &path, QWidget *from)>;
void setOpener(Opener opener);

// The command of `window`, made the first time it is asked for. Its file
// dialog runs under the window's CloseGuard.
QAction *action(QWidget *window);

// Opens `path` as the command does, its messages over `from`.
void open(const QString &path, QWidget *from);

} // namespace RecordingOpening

#pragma once

#include <QAction>
#include <QString>

class QWidget;

// "Open Recording…" (Ctrl+O), one command in every plot and chart window:
// asks for a file the panel wrote and says which one (fileChosen()). Whoever
// made the window and knows the windows that show such files listens to it
// and shows the command; until then it is hidden.
class RecordingOpenAction : public QAction
{
    Q_OBJECT

public:
    explicit RecordingOpenAction(QWidget *window);

signals:
    // The user chose `path` with the command of `from`.
    void fileChosen(const QString &path, QWidget *from);
};

namespace RecordingOpening {

// The command of `window`, made the first time it is asked for. Its file
// dialog runs under the window's CloseGuard.
RecordingOpenAction *action(QWidget *window);

// `companion`'s command (a chart's) is shown as `window`'s is, and what is
// chosen with it is told through `window`'s.
void follow(QWidget *companion, QWidget *window);

} // namespace RecordingOpening

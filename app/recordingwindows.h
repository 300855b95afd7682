#pragma once

#include <QString>

class QWidget;

// Opens a file the panel wrote in a window of its own, which its header
// chooses: the Osciloscope's or the Accelerometer's plot, stopped with the
// whole file in view, or the Voltmeter's or the Counter's chart. The file
// is read on a thread of its own; the window opens once the header is read
// and says how far the reading is when it takes longer than half a second.
// What cannot be read is told in a box over `from`.
namespace RecordingWindows {

void open(const QString &path, QWidget *from);

// Shows the "Open Recording…" command of `window` (see RecordingOpening),
// which opens what is chosen with it as open() does.
void offerOpening(QWidget *window);

// How long a reading goes on before the window says how far it is.
constexpr int quietLoadMs = 500;

} // namespace RecordingWindows

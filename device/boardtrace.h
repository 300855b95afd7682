#pragma once

#include <QLoggingCategory>

// The panel's traces in the debug log: "connected maked true" when a board
// is found, each voltmeter reading, the lines of a PWM setting. A category
// of their own, so that they can be shown to a person at a terminal without
// every reading filling the log of a panel started from the desktop.
Q_DECLARE_LOGGING_CATEGORY(boardTrace)

namespace BoardTrace {

// Turns the traces off unless standard error is a terminal. QT_LOGGING_RULES
// (or QT_LOGGING_CONF), read after this, still turns them on:
// QT_LOGGING_RULES=boardpanel.trace.debug=true.
void showOnlyOnATerminal();
// For the programs without a window, whose stderr belongs to their own
// messages: warnings and errors there after the program's name, the traces
// and other debug output dropped. Names the program too: call it first.
void sendMessagesPlainToStderr(const QString &program, const QString &version);

} // namespace BoardTrace

#pragma once

#include "virtualboard.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

class QDialog;

namespace TestSupport {

// One of the five instrument windows: how to make one, what it writes, and
// how the board and the user meet it.
struct InstrumentKind
{
    QString name;
    // Written on opening, in this order.
    QByteArray startCommands;
    // Every line the window may ever write.
    QList<QByteArray> commands;
    // How many "r\n" stop it.
    int stopCopies;
    const char *quitButton;
    // The PWM generator only writes.
    bool reads;
    // Whether the short wait comes before the first command.
    bool waitsBeforeStart;
    // The board's mode once the start commands are in.
    VirtualBoard::Mode mode;
    // Something the board says to this window (empty: nothing, it does not read).
    QByteArray reply;
    const char *launcherButton;
    // The title the launcher gives the window.
    QString launcherTitle;

    QByteArray stopCommands() const { return QByteArray("r\n").repeated(stopCopies); }
    QDialog *create() const;
    // Creates the window and shows it.
    QDialog *open() const;
};

QList<InstrumentKind> instrumentKinds();
InstrumentKind instrumentKind(const QString &name);

// A "kind" column (the window's name), one row per window.
void addInstrumentRows();
// "kind" and "how" columns: every window closed every way (see closeWays()).
void addInstrumentCloseRows();
// The current row's window.
InstrumentKind fetchInstrumentKind();

// A counter's window, opened on the silent `board`, records the reading 100;
// `makeGap` then parts it from that board (a replug, a move) and returns the
// board the window starts next, which says 200; the window quits. Both
// readings must be in the one file, at least `minimumGapSeconds` apart.
void recordCountsAcrossAGap(VirtualBoard &board,
                            const std::function<VirtualBoard &(QDialog *)> &makeGap,
                            double minimumGapSeconds);

} // namespace TestSupport

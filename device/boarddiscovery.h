#pragma once

#include "portlisting.h"

#include <functional>
#include <optional>

// The first port in the list that reports a product identifier and the
// board's vendor identifier; with `wanted`, the first such port of that
// name ("ttyACM1" or "/dev/ttyACM1") or USB serial number.
std::optional<PortCandidate> firstBoard(const QList<PortCandidate> &ports,
                                        const QString &wanted = QString());

// The same, and logs "connected maked true" when one is found.
std::optional<PortCandidate> findBoard(const QList<PortCandidate> &ports,
                                       const QString &wanted = QString());

// Every board in the list, in list order.
QList<PortCandidate> boardsIn(const QList<PortCandidate> &ports);

// The board a new window takes: the first board listed, `preferred` (a name
// or serial number as for firstBoard) ahead of the others. One that another
// window of this panel holds (`heldByPanel`) is passed over for the next
// free one; when none is free, the first all the same, so that opening it
// fails as it always did. Nothing when `preferred` names no board there.
std::optional<PortCandidate> chooseBoard(const QList<PortCandidate> &ports,
                                         const QString &preferred,
                                         const std::function<bool(const PortCandidate &)> &heldByPanel);

// The board with this USB serial number, wherever it is listed now.
std::optional<PortCandidate> boardWithSerial(const QList<PortCandidate> &ports,
                                             const QString &serialNumber);

// The port's name as the user knows it: "ttyACM1" for "/dev/ttyACM1" (and
// for a link of that name elsewhere), "pts/3" for "/dev/pts/3".
QString portLabel(const QString &portName);

// The trace written whenever the board has been found and is about to be used.
void logBoardFound();

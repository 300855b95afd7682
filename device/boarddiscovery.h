#pragma once

#include "portlisting.h"

#include <optional>

// The first port in the list that reports a product identifier and the
// board's vendor identifier; with `wanted`, the first such port of that
// name ("ttyACM1" or "/dev/ttyACM1") or USB serial number.
std::optional<PortCandidate> firstBoard(const QList<PortCandidate> &ports,
                                        const QString &wanted = QString());

// The same, and logs "connected maked true" when one is found.
std::optional<PortCandidate> findBoard(const QList<PortCandidate> &ports,
                                       const QString &wanted = QString());

// The trace written whenever the board has been found and is about to be used.
void logBoardFound();

#pragma once

#include "portlisting.h"

#include <optional>

// The first port in the list that reports a product identifier and the
// board's vendor identifier.
std::optional<PortCandidate> firstBoard(const QList<PortCandidate> &ports);

// The same, and logs "connected maked true" when one is found.
std::optional<PortCandidate> findBoard(const QList<PortCandidate> &ports);

// The trace written whenever the board has been found and is about to be used.
void logBoardFound();

#pragma once

#include "portlisting.h"

#include <optional>

// The first port in the list that reports a product identifier and the
// board's vendor identifier. Logs "connected maked true" when one is found.
std::optional<PortCandidate> findBoard(const QList<PortCandidate> &ports);

#pragma once

#include "viewzoom.h"

#include <optional>

class QWidget;

namespace RangeDialog {

// "Set Range": asks for an axis' From and To, starting from `shown`, with
// `decimals` places, To above From; none when cancelled. Runs a loop of its
// own: the caller keeps `window` alive through it.
std::optional<AxisSpan> ask(QWidget *window, AxisSpan shown, int decimals);

} // namespace RangeDialog

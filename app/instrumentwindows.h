#pragma once

class QDialog;
struct InstrumentProtocol;

// The window class of each instrument in the table (InstrumentProtocol::all()).
namespace InstrumentWindows {

// A new window of `instrument`, which finds and starts the board; not shown yet.
QDialog *create(const InstrumentProtocol &instrument);

} // namespace InstrumentWindows

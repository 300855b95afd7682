#pragma once

#include <QByteArray>

#include <array>

// What the simulated board's inputs carry at `t` seconds of signal: plain
// functions, apart from the board's timing and its line.
namespace WaveShapes {

using Values = std::array<int, 3>;

// PAD0 a 5 Hz sine, PAD1 a 2 Hz square, PAD2 a 3 Hz saw, in millivolts.
Values osciloscope(double t);
// Raw accelerometer units: 2000 is 0 g, 1000 units per g; gravity on Z, a
// slow sway on X and Y, `noise` (-16 .. 15) on each.
Values accelerometer(double t, int noise);
// The sample frame of `values`: "$a b c;".
QByteArray frame(const Values &values);

} // namespace WaveShapes

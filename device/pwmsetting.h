#pragma once

#include <QByteArray>

// The PWM generator's channel setting on the line, for every front end (the
// PWM window, the remote-control server): four command lines, each followed
// by the short wait: "m", the output ("0" for PAD0, "1" for PAD1), the
// frequency in hertz and the duty cycle in percent, as plain decimal digits.
// The board takes settings only while the PWM generator runs ("p").
namespace PwmSetting {

constexpr int outputCount = 2;
constexpr int lineCount = 4;

// What the window's spin boxes allow, and so what is ever sent.
constexpr int minFrequencyHz = 0;
constexpr int maxFrequencyHz = 50000;
constexpr int minDutyPercent = 1;
constexpr int maxDutyPercent = 99;
// The window's values at its start.
constexpr int initialFrequencyHz = 0;
constexpr int initialDutyPercent = 1;

// Line `line` (0 to lineCount - 1) of the setting of `output` (0 or 1). The
// values are read per line, so that a front end may hand over what holds
// when that line goes out.
QByteArray line(int line, int output, int frequencyHz, int dutyPercent);

} // namespace PwmSetting

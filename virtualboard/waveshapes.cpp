#include "waveshapes.h"

#include <cmath>

namespace {
constexpr double pi = 3.14159265358979323846;
} // namespace

namespace WaveShapes {

Values osciloscope(double t)
{
    return {int(1650 + 1400 * std::sin(2 * pi * 5 * t)), std::fmod(t * 2, 1.0) < 0.5 ? 2800 : 400,
            int(3000 * std::fmod(t * 3, 1.0)) + 150};
}

Values accelerometer(double t, int noise)
{
    return {int(2000 + 300 * std::sin(2 * pi * 0.5 * t)) + noise,
            int(2000 + 200 * std::sin(2 * pi * 0.3 * t + 1.0)) + noise / 2,
            int(3000 + 60 * std::sin(2 * pi * 1.1 * t)) + noise};
}

QByteArray frame(const Values &values)
{
    QByteArray text;
    text.reserve(20);
    text.append('$').append(QByteArray::number(values[0])).append(' ')
        .append(QByteArray::number(values[1])).append(' ').append(QByteArray::number(values[2]))
        .append(';');
    return text;
}

} // namespace WaveShapes

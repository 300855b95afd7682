#include "pwmsetting.h"

QByteArray PwmSetting::line(int line, int output, int frequencyHz, int dutyPercent)
{
    switch (line) {
    case 0:
        return QByteArrayLiteral("m");
    case 1:
        return QByteArray::number(output);
    case 2:
        return QByteArray::number(frequencyHz);
    default:
        return QByteArray::number(dutyPercent);
    }
}

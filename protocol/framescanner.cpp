#include "framescanner.h"

const std::array<FrameScanner::ByteClass, 256> FrameScanner::s_classes = [] {
    std::array<ByteClass, 256> classes{};
    classes.fill(Drop);
    for (unsigned char c = '0'; c <= '9'; ++c)
        classes[c] = Keep;
    for (unsigned char c : {' ', '\t', '\n', '\v', '\f', '\r', '-'})
        classes[c] = Keep;
    classes[static_cast<unsigned char>(';')] = End;
    classes[static_cast<unsigned char>('$')] = Start;
    return classes;
}();

QStringList FrameScanner::fields(QLatin1String frameText)
{
    return QString(frameText).split(QLatin1Char(' '), Qt::KeepEmptyParts);
}

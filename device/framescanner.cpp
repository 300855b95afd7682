#include "framescanner.h"

const std::array<FrameScanner::ByteClass, 256> FrameScanner::s_classes = [] {
    std::array<ByteClass, 256> classes{};
    classes.fill(Drop);
    for (char c = '0'; c <= '9'; ++c)
        classes[size_t(c)] = Keep;
    for (char c : {' ', '\t', '\n', '\v', '\f', '\r', '-'})
        classes[size_t(c)] = Keep;
    classes[size_t(';')] = End;
    classes[size_t('$')] = Start;
    return classes;
}();

QStringList FrameScanner::fields(QLatin1String frameText)
{
    return QString(frameText).split(QLatin1Char(' '), Qt::KeepEmptyParts);
}

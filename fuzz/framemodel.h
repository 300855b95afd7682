#pragma once

#include "framescanner.h"

#include <string>
#include <vector>

inline bool isKeptFrameByte(unsigned char c)
{
    return (c >= '0' && c <= '9') || c == '-' || c == ' ' || c == '\t' || c == '\n' || c == '\v'
           || c == '\f' || c == '\r';
}

// The frame rules written out one byte at a time.
struct ModelScanner
{
    bool inside = false;
    std::string text;
    // Frames dropped as overlong.
    unsigned long long dropped = 0;

    template<typename OnFrame>
    void feed(const unsigned char *data, size_t size, OnFrame &&onFrame)
    {
        for (size_t i = 0; i < size; ++i) {
            const unsigned char c = data[i];
            if (c == 0)
                return; // a NUL ends the read
            if (c == '$') {
                inside = true;
                text.clear();
            } else if (!inside) {
                continue;
            } else if (c == ';') {
                inside = false;
                onFrame(text);
            } else if (isKeptFrameByte(c)) {
                if (text.size() == size_t(FrameScanner::maxFrameLength)) {
                    inside = false;
                    ++dropped;
                } else {
                    text.push_back(char(c));
                }
            }
        }
    }

    void feed(const unsigned char *data, size_t size, std::vector<std::string> &frames)
    {
        feed(data, size, [&frames](const std::string &frame) { frames.push_back(frame); });
    }
};

#pragma once

#include <QLatin1String>
#include <QStringList>

#include <array>
#include <cstring>

// Turns the plotters' byte stream into sample frames: "$", decimal fields
// separated by single spaces, ";". Digits and white space are kept, every
// other byte inside a frame is dropped except "-", which keeps negative
// samples negative. A "$" inside a frame starts the frame over. A NUL byte
// ends the read: the rest of that read is lost. A frame that grows past
// maxFrameLength is garbage and is dropped until the next "$"; such
// frames are counted, so a window can say that it skipped some.
class FrameScanner
{
public:
    // Longest sample frame kept; anything longer is garbage.
    static constexpr int maxFrameLength = 256;

    // Scans one read and calls onFrame(QLatin1String frameText) for every
    // frame completed in it, in order. The text is valid during the call only.
    template<typename OnFrame>
    void feed(const char *data, qsizetype size, OnFrame &&onFrame);

    // The fields of a frame text: split at every space, empty fields kept.
    static QStringList fields(QLatin1String frameText);

    bool isInsideFrame() const { return m_insideFrame; }
    QLatin1String frameText() const { return QLatin1String(m_text.data(), m_length); }

    // Frames dropped as overlong since construction.
    quint64 droppedFrames() const { return m_droppedFrames; }

    // Forgets a half-received frame, for a fresh connection.
    void reset()
    {
        m_insideFrame = false;
        m_length = 0;
    }

private:
    enum ByteClass : unsigned char { Drop, Keep, End, Start };
    static const std::array<ByteClass, 256> s_classes;

    bool m_insideFrame = false;
    int m_length = 0;
    quint64 m_droppedFrames = 0;
    std::array<char, maxFrameLength> m_text{};
};

template<typename OnFrame>
void FrameScanner::feed(const char *data, qsizetype size, OnFrame &&onFrame)
{
    if (size <= 0)
        return;
    const char *p = data;
    const char *nul = static_cast<const char *>(std::memchr(data, '\0', size_t(size)));
    const char *const end = nul ? nul : data + size;

    while (p < end) {
        if (!m_insideFrame) {
            const char *start = static_cast<const char *>(std::memchr(p, '$', size_t(end - p)));
            if (!start)
                return;
            m_insideFrame = true;
            m_length = 0;
            p = start + 1;
            continue;
        }
        const char *const first = p++;
        switch (s_classes[static_cast<unsigned char>(*first)]) {
        case Keep: {
            // Digits and spaces come in runs: take a whole run at once.
            while (p < end && s_classes[static_cast<unsigned char>(*p)] == Keep)
                ++p;
            const qsizetype run = p - first;
            if (run > qsizetype(m_text.size()) - m_length) {
                // Overlong: wait for the next "$"; the rest of the run holds none.
                m_insideFrame = false;
                ++m_droppedFrames;
                break;
            }
            std::memcpy(m_text.data() + m_length, first, size_t(run));
            m_length += int(run);
            break;
        }
        case End:
            m_insideFrame = false;
            onFrame(QLatin1String(m_text.data(), m_length));
            break;
        case Start:
            m_length = 0;
            break;
        case Drop:
            break;
        }
    }
}

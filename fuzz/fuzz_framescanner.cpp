// The frame scanner against a plain byte-by-byte model of the frame rules,
// fed in reads cut at fuzzer-chosen points.
#include "framemodel.h"
#include "framescanner.h"
#include "fuzzcheck.h"

#include <string>
#include <vector>

namespace {

void checkFrame(const std::string &text)
{
    FUZZ_CHECK(text.size() <= size_t(FrameScanner::maxFrameLength));
    for (char c : text)
        FUZZ_CHECK(isKeptFrameByte(static_cast<unsigned char>(c)));
    const QStringList fields = FrameScanner::fields(QLatin1String(text.data(), int(text.size())));
    FUZZ_CHECK(!fields.isEmpty());
    FUZZ_CHECK(fields.join(QLatin1Char(' ')).toStdString() == text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    if (size == 0)
        return 0;
    const Chunking chunking{data + 1, size - 1, data[0]};

    FrameScanner scanner;
    ModelScanner model;
    std::vector<std::string> frames;
    std::vector<std::string> expected;
    for (size_t from = 0; from < chunking.size;) {
        const size_t to = chunking.next(from);
        scanner.feed(reinterpret_cast<const char *>(chunking.data + from), qsizetype(to - from),
                     [&](QLatin1String text) {
                         FUZZ_CHECK(text.size() >= 0);
                         frames.emplace_back(text.data(), size_t(text.size()));
                     });
        model.feed(chunking.data + from, to - from, expected);
        FUZZ_CHECK(scanner.isInsideFrame() == model.inside);
        if (model.inside)
            FUZZ_CHECK(std::string(scanner.frameText().data(), size_t(scanner.frameText().size()))
                       == model.text);
        from = to;
    }

    FUZZ_CHECK(frames == expected);
    for (const std::string &text : frames)
        checkFrame(text);
    return 0;
}

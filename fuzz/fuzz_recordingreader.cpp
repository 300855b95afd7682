// The recording reader on any bytes: fed whole or in pieces it comes to the
// same end, keeps no more rows than asked, hands out samples whose indexes
// only grow, and says where it stopped when it refuses a file.
#include "fuzzcheck.h"
#include "recordingreader.h"

#include <cmath>

namespace {

constexpr qint64 rowsKept = 64;

std::optional<Recording> readWhole(const char *data, size_t size, QString *error)
{
    RecordingReader reader(rowsKept);
    std::optional<Recording> recording;
    if (reader.feed(data, size))
        recording = reader.finish();
    *error = reader.error();
    return recording;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    if (size == 0)
        return 0;
    const Chunking chunking{data + 1, size - 1, data[0]};
    const char *text = reinterpret_cast<const char *>(chunking.data);
    RecordingReader pieces(rowsKept);
    bool fine = true;
    for (size_t at = 0; at < chunking.size && fine;) {
        const size_t next = chunking.next(at);
        fine = pieces.feed(text + at, next - at);
        at = next;
    }
    std::optional<Recording> recording;
    if (fine)
        recording = pieces.finish();

    QString wholeError;
    const std::optional<Recording> whole = readWhole(text, chunking.size, &wholeError);
    FUZZ_CHECK(recording.has_value() == whole.has_value());
    FUZZ_CHECK(pieces.error() == wholeError);
    if (!recording) {
        FUZZ_CHECK(!wholeError.isEmpty());
        return 0;
    }
    FUZZ_CHECK(wholeError.isEmpty());
    FUZZ_CHECK(!recording->instrument.isEmpty());
    FUZZ_CHECK(recording->rows > 0);
    FUZZ_CHECK(qint64(recording->samples.size() + recording->readings.size())
               == std::min(recording->rows, rowsKept));
    FUZZ_CHECK(recording->rowsLeftOut == recording->rows - std::min(recording->rows, rowsKept));
    for (size_t i = 1; i < recording->samples.size(); ++i)
        FUZZ_CHECK(recording->samples[i].index > recording->samples[i - 1].index);
    for (size_t i = 0; i < recording->samples.size(); ++i) {
        FUZZ_CHECK(recording->samples[i].index == whole->samples[i].index);
        FUZZ_CHECK(recording->samples[i].validMask < 8);
    }
    for (const Recording::Reading &reading : recording->readings)
        FUZZ_CHECK(std::abs(reading.timeNs) <= qint64(1e18));
    return 0;
}

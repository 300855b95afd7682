// The sample intake against a plain byte-by-byte model: the frame rules one
// byte at a time, fields converted with QString::toInt. The input's first
// byte steers where reads are cut; the rest is read in segments, each ending
// with a NUL (a NUL ends a read) or the input's end, and the byte after a
// NUL says what happens before the next segment: nothing, a gap, Stop or
// Start Plot, or a replug. The same segments read whole, read in cut
// pieces, and taken by the model must give the same samples, indexes, gap
// marks and damage count.
#include "framemodel.h"
#include "fuzzcheck.h"
#include "sampleintake.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

constexpr int capacity = 64;

enum class Between { Nothing, Gap, StopOrStart, Replug };

struct ModelIntake
{
    ModelScanner scanner;
    std::vector<Sample> samples;
    qint64 index = 0;
    bool gapPending = false;
    bool paused = false;
    quint64 damaged = 0;

    void feed(const unsigned char *data, size_t size)
    {
        scanner.feed(data, size, [this](const std::string &text) { take(text); });
    }

    void take(const std::string &text)
    {
        const QStringList fields =
            QString::fromLatin1(text.data(), int(text.size())).split(QLatin1Char(' '));
        const int used = std::min(int(fields.size()), Sample::channelCount);
        Sample sample;
        for (int channel = 0; channel < used; ++channel) {
            bool isNumber = false;
            const int value = fields.at(channel).toInt(&isNumber);
            if (isNumber) {
                sample.values[size_t(channel)] = value;
                sample.validMask |= quint8(1u << channel);
            }
        }
        if (sample.validMask != (1u << used) - 1)
            ++damaged;
        if (paused)
            return;
        sample.index = ++index;
        sample.gapBefore = std::exchange(gapPending, false);
        samples.push_back(sample);
    }

    void apply(Between between)
    {
        switch (between) {
        case Between::Nothing:
            break;
        case Between::Gap:
            gapPending = true;
            break;
        case Between::StopOrStart:
            gapPending = gapPending || paused;
            paused = !paused;
            break;
        case Between::Replug:
            gapPending = true;
            scanner.inside = false;
            scanner.text.clear();
            break;
        }
    }
};

void apply(SampleIntake &intake, Between between)
{
    switch (between) {
    case Between::Nothing:
        break;
    case Between::Gap:
        intake.markGap();
        break;
    case Between::StopOrStart:
        intake.setPaused(!intake.isPaused());
        break;
    case Between::Replug:
        intake.markGap();
        intake.dropPartialFrame();
        break;
    }
}

bool sameSample(const Sample &a, const Sample &b)
{
    if (a.index != b.index || a.gapBefore != b.gapBefore || a.validMask != b.validMask)
        return false;
    for (int channel = 0; channel < Sample::channelCount; ++channel)
        if (a.hasValue(channel) && a.values[size_t(channel)] != b.values[size_t(channel)])
            return false;
    return true;
}

void checkAgainstModel(const SampleIntake &intake, const ModelIntake &model)
{
    const SampleStore &store = intake.store();
    FUZZ_CHECK(intake.lastIndex() == model.index);
    FUZZ_CHECK(intake.damagedFrames() == model.damaged + model.scanner.dropped);
    FUZZ_CHECK(intake.isPaused() == model.paused);
    const size_t held = std::min(model.samples.size(), size_t(store.capacity()));
    FUZZ_CHECK(size_t(store.size()) == held);
    for (int position = 0; position < store.size(); ++position) {
        FUZZ_CHECK(sameSample(store.at(position),
                              model.samples[model.samples.size() - held + size_t(position)]));
        if (position > 0)
            FUZZ_CHECK(store.at(position).timeNs >= store.at(position - 1).timeNs);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    if (size == 0)
        return 0;
    const Chunking chunking{data + 1, size - 1, data[0]};

    SampleIntake whole(capacity);
    SampleIntake pieces(capacity);
    ModelIntake model;
    int wholeNotices = 0;
    int piecesNotices = 0;
    QObject::connect(&whole, &SampleIntake::samplesAdded, [&] { ++wholeNotices; });
    QObject::connect(&pieces, &SampleIntake::samplesAdded, [&] { ++piecesNotices; });
    int wholeReads = 0;
    int piecesReads = 0;

    const unsigned char *const bytes = chunking.data;
    for (size_t from = 0; from < chunking.size;) {
        const auto *nul = static_cast<const unsigned char *>(
            std::memchr(bytes + from, 0, chunking.size - from));
        const size_t end = nul ? size_t(nul - bytes) + 1 : chunking.size;

        whole.takeBytes(reinterpret_cast<const char *>(bytes + from), qsizetype(end - from),
                        wholeReads++);
        for (size_t at = from; at < end;) {
            const size_t to = std::min(chunking.next(at), end);
            pieces.takeBytes(reinterpret_cast<const char *>(bytes + at), qsizetype(to - at),
                             piecesReads++);
            at = to;
        }
        model.feed(bytes + from, end - from);
        FUZZ_CHECK(wholeNotices <= wholeReads && piecesNotices <= piecesReads);

        from = end;
        if (nul && from < chunking.size) {
            const auto between = Between(bytes[from] & 3u);
            apply(whole, between);
            apply(pieces, between);
            model.apply(between);
            ++from;
        }
    }

    checkAgainstModel(whole, model);
    checkAgainstModel(pieces, model);
    return 0;
}

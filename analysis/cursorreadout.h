#pragma once

#include "samplestore.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// What the two cursors A and B read, from the samples they stand on.
struct CursorReadout
{
    qint64 indexA = 0;
    qint64 indexB = 0;
    // B less A, in samples.
    qint64 deltaSamples = 0;
    // From the samples' read times; none unless both are held.
    std::optional<double> deltaMs;
    // None also when both samples came in the same read.
    std::optional<double> inverseHz;
    struct Channel
    {
        std::optional<double> atA;
        std::optional<double> atB;
        std::optional<double> difference;
    };
    // Every channel of the store, inputs then computed ones.
    std::vector<Channel> channels;
};

// The hover readout of the sample with this index, as received:
// "Sample 1234", then a line per channel, "PAD0: 1650" ("–" without a
// value); "" when it is not held.
QString sampleReadout(const SampleStore &store, qint64 index, const QStringList &channelNames);

// Reads the samples with indexes `indexA` and `indexB`; one no longer held
// (or never received) reads as none.
CursorReadout readCursors(const SampleStore &store, qint64 indexA, qint64 indexB);

// The readout as drawn, the same in every locale, "–" for what is not known:
// "A 1200  B 1450  Δ 250 samples", "Δt 347.2 ms  1/Δt 2.88 Hz", then one
// line per channel: "PAD0  A 1650  B 3012  Δ 1362".
QStringList cursorReadoutLines(const CursorReadout &readout, const QStringList &channelNames);

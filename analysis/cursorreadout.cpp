#include "cursorreadout.h"

namespace {

const QString unknown = QStringLiteral("–");

template<typename Number>
QString orUnknown(const std::optional<Number> &value)
{
    return value ? QString::number(*value) : unknown;
}

QString orUnknown(const std::optional<double> &value, int significant)
{
    return value ? QString::number(*value, 'g', significant) : unknown;
}

} // namespace

CursorReadout readCursors(const SampleStore &store, qint64 indexA, qint64 indexB)
{
    CursorReadout readout;
    readout.indexA = indexA;
    readout.indexB = indexB;
    readout.deltaSamples = indexB - indexA;
    const int positionA = store.positionOf(indexA);
    const int positionB = store.positionOf(indexB);
    const Sample *a = positionA >= 0 ? &store.at(positionA) : nullptr;
    const Sample *b = positionB >= 0 ? &store.at(positionB) : nullptr;
    // Samples read at one moment (or from a file without times) give no
    // time between them: unknown, not 0 ms.
    if (a && b && (a->timeNs != b->timeNs || indexA == indexB)) {
        const qint64 deltaNs = b->timeNs - a->timeNs;
        readout.deltaMs = double(deltaNs) / 1e6;
        if (deltaNs != 0)
            readout.inverseHz = 1e9 / double(deltaNs);
    }
    for (int channel = 0; channel < Sample::channelCount; ++channel) {
        CursorReadout::Channel &read = readout.channels[size_t(channel)];
        if (a && a->hasValue(channel))
            read.atA = a->values[size_t(channel)];
        if (b && b->hasValue(channel))
            read.atB = b->values[size_t(channel)];
        if (read.atA && read.atB)
            read.difference = qint64(*read.atB) - qint64(*read.atA);
    }
    return readout;
}

QStringList cursorReadoutLines(const CursorReadout &readout,
                               const std::array<const char *, Sample::channelCount> &channelNames)
{
    QStringList lines{
        QStringLiteral("A %1  B %2  Δ %3 samples")
            .arg(readout.indexA)
            .arg(readout.indexB)
            .arg(readout.deltaSamples),
        QStringLiteral("Δt %1 ms  1/Δt %2 Hz")
            .arg(orUnknown(readout.deltaMs, 6), orUnknown(readout.inverseHz, 4)),
    };
    for (size_t channel = 0; channel < readout.channels.size(); ++channel) {
        const CursorReadout::Channel &read = readout.channels[channel];
        lines.append(QStringLiteral("%1  A %2  B %3  Δ %4")
                         .arg(QLatin1String(channelNames[channel]), orUnknown(read.atA),
                              orUnknown(read.atB), orUnknown(read.difference)));
    }
    return lines;
}

QString sampleReadout(const SampleStore &store, qint64 index,
                      const std::array<const char *, Sample::channelCount> &channelNames)
{
    const int position = store.positionOf(index);
    if (position < 0)
        return QString();
    const Sample &sample = store.at(position);
    QString readout = QStringLiteral("Sample %1").arg(index);
    for (int channel = 0; channel < Sample::channelCount; ++channel) {
        const QString value = sample.hasValue(channel)
                                  ? QString::number(sample.values[size_t(channel)])
                                  : QStringLiteral("–");
        readout += QStringLiteral("\n%1: %2").arg(QLatin1String(channelNames[size_t(channel)]), value);
    }
    return readout;
}

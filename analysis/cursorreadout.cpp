#include "cursorreadout.h"

#include "measurements.h"
#include "shownnumber.h"

#include <QCoreApplication>
#include <QLocale>

#include <cmath>

namespace {

// Where translators find these texts.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(CursorReadout)
};

const QString unknown = QStringLiteral("–");

QString orUnknown(const std::optional<double> &value)
{
    return value ? ShownNumber::localized(channelValueText(*value)) : unknown;
}

QString orUnknown(const std::optional<double> &value, int significant)
{
    return value ? ShownNumber::localized(QString::number(*value, 'g', significant)) : unknown;
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
    readout.channels.resize(size_t(store.channelCount()));
    for (int channel = 0; channel < store.channelCount(); ++channel) {
        CursorReadout::Channel &read = readout.channels[size_t(channel)];
        double value = 0;
        if (a && store.value(positionA, channel, &value))
            read.atA = value;
        if (b && store.value(positionB, channel, &value))
            read.atB = value;
        if (read.atA && read.atB)
            read.difference = *read.atB - *read.atA;
    }
    return readout;
}

QStringList cursorReadoutLines(const CursorReadout &readout, const QStringList &channelNames)
{
    QStringList lines{
        Text::tr("A %1  B %2  Δ %3 samples")
            .arg(readout.indexA)
            .arg(readout.indexB)
            .arg(readout.deltaSamples),
        QStringLiteral("Δt %1 ms  1/Δt %2 Hz")
            .arg(orUnknown(readout.deltaMs, 6), orUnknown(readout.inverseHz, 4)),
    };
    for (size_t channel = 0; channel < readout.channels.size(); ++channel) {
        const CursorReadout::Channel &read = readout.channels[channel];
        lines.append(QStringLiteral("%1  A %2  B %3  Δ %4")
                         .arg(channelNames.value(int(channel)), orUnknown(read.atA),
                              orUnknown(read.atB), orUnknown(read.difference)));
    }
    return lines;
}

QString sampleReadout(const SampleStore &store, qint64 index, const QStringList &channelNames)
{
    const int position = store.positionOf(index);
    if (position < 0)
        return QString();
    QString readout = Text::tr("Sample %1").arg(index);
    for (int channel = 0; channel < store.channelCount(); ++channel) {
        double value = 0;
        const QString text =
            store.value(position, channel, &value) ? ShownNumber::localized(channelValueText(value)) : unknown;
        readout += QStringLiteral("\n%1: %2").arg(channelNames.value(channel), text);
    }
    return readout;
}

#pragma once

#include "mathchannels.h"
#include "mqtttarget.h"

#include <QString>
#include <QStringList>

#include <optional>

struct InstrumentProtocol;

// What the recorder was asked to do, from its command line.
struct RecorderOptions
{
    enum class Rotation { None, Daily, Hourly, Size };

    const InstrumentProtocol *instrument = nullptr;
    // "-" is standard output; empty: a name of the recorder's own choosing.
    QString out;
    // A port name or USB serial number (--board), or a device path taken as
    // the board whatever it reports (--port); at most one of them.
    QString board;
    QString port;
    // 0: until stopped.
    qint64 durationMs = 0;
    Rotation rotation = Rotation::None;
    qint64 rotateBytes = 0;
    // Rows a second at most; 0: every row.
    double rateLimit = 0;
    std::optional<MqttTarget> mqtt;
    bool quiet = false;
    // Computed channels of a sample instrument, as a window computes them:
    // those given, or those the panel keeps for the board.
    QVector<MathChannel> mathChannels;
    bool mathFromSettings = false;

    bool writesToStandardOutput() const { return out == QLatin1String("-"); }
};

namespace RecorderCommandLine {

// Reads `arguments` (the program's name first) into `options`. Returns the
// exit status when the program is done: after --help or --version (0, the
// text in `output`) or a mistake (ExitStatus::usage, or brokerSetUp for a
// credentials file that cannot be read; the message in `errors`).
std::optional<int> parse(const QStringList &arguments, RecorderOptions &options,
                         QString *output, QString *errors);

// "90s", "15m", "8h", "2d" (a bare number is seconds; fractions allowed) in
// milliseconds; nothing for anything else or for no time at all.
std::optional<qint64> durationMs(const QString &text);
// "10M", "512K", "1G" (powers of 1024; a bare number is bytes) in bytes.
std::optional<qint64> sizeBytes(const QString &text);
// "5/s" or "5" (fractions allowed: "0.5/s") in rows a second.
std::optional<double> ratePerSecond(const QString &text);
// "M1=PAD0-PAD1" or "M1[mV]=PAD0-PAD1" as a channel; nothing without a "=".
// Whether name and formula are valid is the instrument's to say.
std::optional<MathChannel> mathChannel(const QString &text);

} // namespace RecorderCommandLine

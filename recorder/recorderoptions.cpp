#include "recorderoptions.h"

#include "boardoptions.h"
#include "exitstatus.h"
#include "instrumentprotocol.h"
#include "languages.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <cmath>

namespace {

// Where translators find these texts.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(RecorderCommandLine)
};

const char *const exitStatusHelp = QT_TRANSLATE_NOOP(
    "RecorderCommandLine",
    "\nExit status:\n"
    "  0  stopped by SIGINT, SIGTERM or SIGHUP, or at the end of --duration; the file is complete\n"
    "  1  the board is not there or its port cannot be opened\n"
    "  2  the command line was not understood\n"
    "  3  the file cannot be created or written (a full disk, standard output closed)\n"
    "  4  publishing cannot be set up (credentials file unreadable, TLS)\n");

// Whole milliseconds or bytes of a number and a unit, within 64 bits.
std::optional<qint64> scaled(const QString &number, double unit)
{
    bool ok = false;
    const double value = number.toDouble(&ok) * unit;
    // Clamped before the conversion: a double past 2^63 has no integer.
    constexpr double largest = 4e18; // well inside 2^63
    if (!ok || !(value >= 1) || value > largest)
        return std::nullopt;
    return qint64(std::llround(value));
}

// A number and a unit letter, either case, as `form` captures them, times
// the unit's factor (the empty unit's without one), within 64 bits.
std::optional<qint64> withUnit(const QString &text, const QRegularExpression &form,
                               const QHash<QString, double> &factors)
{
    const QRegularExpressionMatch match = form.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    return scaled(match.captured(1), factors.value(match.captured(2).toUpper()));
}

// Sets `target` from option `name` when it is given; what is wrong when
// `read` cannot read it.
template<typename Read, typename Value>
QString readOption(const QCommandLineParser &parser, const QString &name, const QString &takes,
                   Read read, Value &target)
{
    if (!parser.isSet(name))
        return QString();
    const QString text = parser.value(name);
    const auto value = read(text);
    if (!value)
        return Text::tr("--%1 takes %2, not '%3'.").arg(name, takes, text);
    target = *value;
    return QString();
}

// The computed channels asked for, checked as a window's dialog checks them.
QString mathMistake(const QCommandLineParser &parser, RecorderOptions &options)
{
    const QStringList given = parser.values(QStringLiteral("math"));
    options.mathFromSettings = parser.isSet(QStringLiteral("math-from-settings"));
    if (given.isEmpty() && !options.mathFromSettings)
        return QString();
    const InstrumentProtocol &instrument = *options.instrument;
    if (!instrument.sendsSamples()) {
        QStringList computing;
        for (const InstrumentProtocol &each : InstrumentProtocol::all()) {
            if (each.sendsSamples())
                computing.append(each.name);
        }
        return Text::tr("The %1 has no computed channels; only these have: %2.")
            .arg(instrument.name, computing.join(QStringLiteral(", ")));
    }
    if (options.mathFromSettings && !given.isEmpty())
        return Text::tr("Give --math or --math-from-settings, not both.");
    for (const QString &text : given) {
        const std::optional<MathChannel> channel = RecorderCommandLine::mathChannel(text);
        if (!channel)
            return Text::tr("--math takes NAME=FORMULA or NAME[UNIT]=FORMULA, not '%1'.").arg(text);
        options.mathChannels.append(*channel);
    }
    const FormulaError error =
        MathChannels(instrument.columns, instrument.frameUnit).validate(options.mathChannels);
    if (!error.isEmpty())
        return QStringLiteral("--math: %1.").arg(error.text());
    return QString();
}

QString mistakeIn(const QCommandLineParser &parser, RecorderOptions &options)
{
    if (parser.isSet(Languages::option()))
        if (QString mistake = Languages::mistakeIn(parser.value(Languages::option())); !mistake.isEmpty())
            return mistake;
    if (!parser.positionalArguments().isEmpty())
        return Text::tr("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
    const QString names = InstrumentProtocol::recordableNames().join(QStringLiteral(", "));
    if (!parser.isSet(QStringLiteral("instrument")))
        return Text::tr("Which instrument? Give --instrument NAME: %1.").arg(names);
    const QString name = parser.value(QStringLiteral("instrument"));
    options.instrument = InstrumentProtocol::find(name);
    if (!options.instrument || !options.instrument->sendsData())
        return Text::tr("Unknown instrument '%1'. Instruments: %2.").arg(name, names);

    options.out = parser.value(QStringLiteral("out"));
    options.board = parser.value(QStringLiteral("board"));
    options.port = parser.value(QStringLiteral("port"));
    options.quiet = parser.isSet(QStringLiteral("quiet"));
    if (!options.board.isEmpty() && !options.port.isEmpty())
        return Text::tr("Give --board or --port, not both.");
    if (parser.isSet(QStringLiteral("out")) && options.out.isEmpty())
        return Text::tr("--out needs a file name, or - for standard output.");

    QString mistake = readOption(parser, QStringLiteral("duration"),
                                 Text::tr("a time such as 90s, 15m, 8h or 2d"),
                                 RecorderCommandLine::durationMs, options.durationMs);
    if (!mistake.isEmpty())
        return mistake;
    if (parser.isSet(QStringLiteral("rotate"))) {
        const QString rotate = parser.value(QStringLiteral("rotate"));
        if (rotate == QLatin1String("daily")) {
            options.rotation = RecorderOptions::Rotation::Daily;
        } else if (rotate == QLatin1String("hourly")) {
            options.rotation = RecorderOptions::Rotation::Hourly;
        } else if (const std::optional<qint64> bytes = RecorderCommandLine::sizeBytes(rotate)) {
            options.rotation = RecorderOptions::Rotation::Size;
            options.rotateBytes = *bytes;
        } else {
            return Text::tr("--rotate takes daily, hourly or a size such as 10M, not '%1'.")
                .arg(rotate);
        }
        if (options.writesToStandardOutput())
            return Text::tr("Standard output cannot be rotated: give --out a file name.");
    }
    mistake = readOption(parser, QStringLiteral("rate-limit"),
                         Text::tr("rows a second such as 10/s"),
                         RecorderCommandLine::ratePerSecond, options.rateLimit);
    if (!mistake.isEmpty())
        return mistake;
    if (parser.isSet(QStringLiteral("mqtt"))) {
        QString error;
        options.mqtt = MqttTarget::parse(parser.value(QStringLiteral("mqtt")), &error);
        if (!options.mqtt || !options.mqtt->fitsTopic(options.instrument->name, &error))
            return QStringLiteral("--mqtt: %1.").arg(error);
    } else if (parser.isSet(QStringLiteral("mqtt-credentials"))) {
        return Text::tr("--mqtt-credentials needs --mqtt.");
    }
    return mathMistake(parser, options);
}

// The broker's credentials file, where publishing has one. A service reads
// its secrets from where systemd puts them (LoadCredential=, in
// $CREDENTIALS_DIRECTORY), since its user of its own cannot read a private
// file: there a bare name is a credential's, and without the option the
// credential "mqtt" is read when it is there.
std::optional<QString> credentialsPath(const QCommandLineParser &parser)
{
    const QString directory = qEnvironmentVariable("CREDENTIALS_DIRECTORY");
    if (parser.isSet(QStringLiteral("mqtt-credentials"))) {
        const QString given = parser.value(QStringLiteral("mqtt-credentials"));
        if (!directory.isEmpty() && !given.contains(QLatin1Char('/')))
            return QDir(directory).filePath(given);
        return given;
    }
    const QString credential = QDir(directory).filePath(QStringLiteral("mqtt"));
    if (parser.isSet(QStringLiteral("mqtt")) && !directory.isEmpty() && QFileInfo::exists(credential))
        return credential;
    return std::nullopt;
}

} // namespace

namespace RecorderCommandLine {

std::optional<qint64> durationMs(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d+(?:\\.\\d+)?)([smhd]?)$"));
    static const QHash<QString, double> ms{{QString(), 1e3},
                                           {QStringLiteral("S"), 1e3},
                                           {QStringLiteral("M"), 60e3},
                                           {QStringLiteral("H"), 3600e3},
                                           {QStringLiteral("D"), 86400e3}};
    return withUnit(text, form, ms);
}

std::optional<qint64> sizeBytes(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d+(?:\\.\\d+)?)([kKmMgG]?)$"));
    static const QHash<QString, double> bytes{{QString(), 1.0},
                                              {QStringLiteral("K"), 1024.0},
                                              {QStringLiteral("M"), 1024.0 * 1024},
                                              {QStringLiteral("G"), 1024.0 * 1024 * 1024}};
    return withUnit(text, form, bytes);
}

std::optional<double> ratePerSecond(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d+(?:\\.\\d+)?)(?:/s)?$"));
    const QRegularExpressionMatch match = form.match(text.trimmed());
    const double rate = match.hasMatch() ? match.captured(1).toDouble() : 0;
    if (!(rate > 0) || !std::isfinite(rate))
        return std::nullopt;
    return rate;
}

std::optional<MathChannel> mathChannel(const QString &text)
{
    // The unit as the window's dialog keeps it: a text of its own beside the name.
    static const QRegularExpression form(QStringLiteral("^([^=\\[]*)(?:\\[([^\\]]*)\\])?\\s*=(.*)$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return MathChannel(match.captured(1).trimmed(), match.captured(3), match.captured(2).trimmed());
}

std::optional<int> parse(const QStringList &arguments, RecorderOptions &options, QString *output,
                         QString *errors)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(Text::tr(
        "Records what one instrument of the USB measurement board sends to a CSV file, "
        "without a window: the file a window's Start Recording writes. Ends on SIGINT, "
        "SIGTERM or SIGHUP, or after --duration, with the board stopped and the file complete."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addOptions({
        {QStringLiteral("instrument"),
         Text::tr("The instrument to run: %1.")
             .arg(InstrumentProtocol::recordableNames().join(QStringLiteral(", "))),
         QStringLiteral("NAME")},
        {QStringLiteral("out"),
         Text::tr("The CSV file; - for standard output. Default: <instrument>-<date>-<time>"
                        ".csv in the current folder."),
         QStringLiteral("FILE")},
    });
    parser.addOptions(BoardOptions::options());
    parser.addOptions({
        {QStringLiteral("duration"),
         Text::tr("Stop after this time: 90s, 15m, 8h, 2d."), QStringLiteral("TIME")},
        {QStringLiteral("rotate"),
         Text::tr("Start a new file every day (FILE-2026-12-08.csv), every hour "
                        "(FILE-2026-12-08T14.csv) or when the file reaches SIZE (10M, 512K; "
                        "FILE-<date>T<time>.csv), each with its header."),
         QStringLiteral("daily|hourly|SIZE")},
        {QStringLiteral("rate-limit"),
         Text::tr("Record at most N rows a second; the others are skipped."),
         QStringLiteral("N/s")},
        {QStringLiteral("mqtt"),
         Text::tr("Also publish every reading, or the samples in up to 20 messages a "
                        "second, to TOPIC-PREFIX/<instrument> on this broker: "
                        "mqtt[s]://[USER:PASSWORD@]HOST[:PORT]/TOPIC-PREFIX[?qos=0|1|2]."),
         QStringLiteral("URL")},
        {QStringLiteral("mqtt-credentials"),
         Text::tr("Read the broker's user (first line) and password (second line) from "
                        "FILE, rather than from the URL, where other users can see them. Under "
                        "systemd a FILE without a / is a credential (LoadCredential=), and "
                        "without this option the credential mqtt is read if there is one."),
         QStringLiteral("FILE")},
        {QStringLiteral("math"),
         Text::tr("Also compute the channel NAME from FORMULA, as a window's Add Math "
                        "Channel does, into a column of its own (osciloscope, accelerometer; "
                        "up to 4, each may use the inputs and the channels before it); UNIT is "
                        "optional: M1[mV]=PAD0-PAD1."),
         QStringLiteral("NAME[UNIT]=FORMULA")},
        {QStringLiteral("math-from-settings"),
         Text::tr("Compute the channels the panel keeps for the board (by its USB serial "
                        "number), or else those its window keeps.")},
        {QStringLiteral("quiet"),
         Text::tr("No status line and no messages but errors.")},
    });
    parser.addOption(Languages::option());

    if (!parser.parse(arguments)) {
        *errors = parser.errorText();
        return ExitStatus::usage;
    }
    if (parser.isSet(help)) {
        *output = parser.helpText() + Text::tr(exitStatusHelp);
        return ExitStatus::done;
    }
    if (parser.isSet(version)) {
        *output = QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                  QCoreApplication::applicationVersion());
        return ExitStatus::done;
    }
    const QString mistake = mistakeIn(parser, options);
    if (!mistake.isEmpty()) {
        *errors = mistake;
        return ExitStatus::usage;
    }
    if (const std::optional<QString> path = credentialsPath(parser)) {
        QString error;
        if (!MqttTarget::readCredentials(*path, *options.mqtt, &error)) {
            *errors = QStringLiteral("--mqtt-credentials: %1.").arg(error);
            return ExitStatus::brokerSetUp;
        }
    }
    return std::nullopt;
}

} // namespace RecorderCommandLine

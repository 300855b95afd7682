#include "commandline.h"

#include "instrumentprotocol.h"
#include "listenaddress.h"
#include "languages.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

namespace {

// What shells and their users expect from a command line that was not understood.
constexpr int usageErrorStatus = 2;

// QGuiApplication, QApplication and the X11 platform take these out of the
// arguments themselves; a session manager, for one, restarts programs with
// -session. Hidden, because they are the toolkit's and not the program's;
// --help-all lists them.
const char *const toolkitOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
    "qwindowicon", "qwindowtitle", "session", "display", "geometry", "title", "icon",
    "name", "visual", "style", "stylesheet", "qmljsdebugger"};
const char *const toolkitFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "testability"};

void acceptToolkitOptions(QCommandLineParser &parser)
{
    for (const char *name : toolkitOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : toolkitFlags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

QString toolkitOptionsHelp()
{
    QStringList options;
    for (const char *name : toolkitOptionsWithValue)
        options << QStringLiteral("-%1 <value>").arg(QLatin1String(name));
    for (const char *name : toolkitFlags)
        options << QStringLiteral("-%1").arg(QLatin1String(name));
    return QLatin1Char('\n') + QCoreApplication::translate("CommandLine", "Qt options, as in every Qt program:")
           + QStringLiteral("\n  ")
           + options.join(QStringLiteral("\n  ")) + QLatin1Char('\n');
}

const QString openOptionName = QStringLiteral("open");
const QString replayOptionName = QStringLiteral("replay");
const QString boardOptionName = QStringLiteral("board");
const QString resetOptionName = QStringLiteral("reset-settings");
const QString listenOptionName = QStringLiteral("listen");

QString mistakeIn(const QCommandLineParser &parser, bool understood)
{
    if (!understood)
        return parser.errorText();
    for (const QString &name : parser.values(openOptionName)) {
        if (!InstrumentProtocol::find(name)) {
            return QCoreApplication::translate("CommandLine",
                                               "Unknown instrument '%1' after '--open'. Instruments: %2.")
                .arg(name, CommandLine::instrumentNames().join(QStringLiteral(", ")));
        }
    }
    QHostAddress address;
    quint16 port = 0;
    if (parser.isSet(listenOptionName) && !ListenAddress::read(parser.value(listenOptionName), &address, &port)) {
        return QCoreApplication::translate("CommandLine",
                                           "--listen takes [ADDR:]PORT, such as 5025 or 0.0.0.0:5025, not '%1'.")
            .arg(parser.value(listenOptionName));
    }
    if (parser.isSet(Languages::option()))
        return Languages::mistakeIn(parser.value(Languages::option()));
    return QString();
}

// The program's options and ours, in the language spoken when called.
void describe(QCommandLineParser &parser, const CommandLine::Description &describeProgram)
{
    describeProgram(parser);
    // The toolkit's options are written with one dash, like -style.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(QCommandLineOption(
        openOptionName,
        QCoreApplication::translate("CommandLine",
                                    "Open the instrument NAME once the launcher is shown, as its "
                                    "button does: %1. May be given more than once.")
            .arg(CommandLine::instrumentNames().join(QStringLiteral(", "))),
        QStringLiteral("NAME")));
    parser.addOption(QCommandLineOption(
        replayOptionName,
        QCoreApplication::translate("CommandLine",
                                    "Open FILE, a recording or an export the panel wrote, in a "
                                    "window of its own, as a FILE given alone does. May be given "
                                    "more than once."),
        QStringLiteral("FILE")));
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QCoreApplication::translate("CommandLine", "A recording or an export to open."),
                                 QStringLiteral("[FILE...]"));
    parser.addOption(QCommandLineOption(
        boardOptionName,
        QCoreApplication::translate("CommandLine",
                                    "Where several boards are attached, windows take the board on "
                                    "port NAME (ttyACM1 or /dev/ttyACM1) or with USB serial number "
                                    "NAME first."),
        QStringLiteral("NAME")));
    parser.addOption(QCommandLineOption(
        resetOptionName,
        QCoreApplication::translate("CommandLine",
                                    "Forget every setting the panel kept (windows' choices, places "
                                    "and sizes, folders) and open as on the first start.")));
    parser.addOption(QCommandLineOption(
        listenOptionName,
        QCoreApplication::translate("CommandLine",
                                    "Serve SCPI clients (lab scripts) on this address and port while "
                                    "the panel runs, as Remote Control in the launcher's menu does. "
                                    "Default address: 127.0.0.1, this computer only."),
        QStringLiteral("[ADDR:]PORT")));
    parser.addOption(Languages::option());
    acceptToolkitOptions(parser);
}

} // namespace

namespace CommandLine {

std::optional<int> answerBeforeWindows(QCommandLineParser &parser, int &argc, char *argv[],
                                       const Description &describeProgram)
{
    describe(parser, describeProgram);
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    bool understood = parser.parse(arguments);
    QString mistake = mistakeIn(parser, understood);
    const bool asksForAllHelp = parser.isSet(QStringLiteral("help-all"));
    const bool asksForHelp = asksForAllHelp || parser.isSet(QStringLiteral("help"));
    if (mistake.isEmpty() && !asksForHelp && !parser.isSet(QStringLiteral("version")))
        return std::nullopt;

    // Gives the program its name, and needs no display.
    const QCoreApplication app(argc, argv);
    // The texts were made before a language could be loaded: again, in it.
    QCommandLineParser spoken;
    const bool translated = Languages::speak(arguments) != Languages::codes().constFirst();
    if (translated) {
        describe(spoken, describeProgram);
        understood = spoken.parse(arguments);
        mistake = mistakeIn(spoken, understood);
    }
    const QCommandLineParser &said = translated ? spoken : parser;
    const QString name = QCoreApplication::applicationName();
    if (!mistake.isEmpty()) {
        QTextStream(stderr) << name << ": " << mistake << '\n'
                            << QCoreApplication::translate("CommandLine", "Try '%1 --help' for the options.")
                                   .arg(name)
                            << '\n';
        return usageErrorStatus;
    }
    QTextStream out(stdout);
    if (asksForHelp)
        out << said.helpText() << (asksForAllHelp ? toolkitOptionsHelp() : QString());
    else
        out << name << ' ' << QCoreApplication::applicationVersion() << '\n';
    return 0;
}

QStringList instrumentNames()
{
    return InstrumentProtocol::names();
}

QStringList instrumentsToOpen(const QCommandLineParser &parser)
{
    return parser.values(openOptionName);
}

QStringList recordingsToOpen(const QCommandLineParser &parser)
{
    return parser.values(replayOptionName) + parser.positionalArguments();
}

bool resetsSettings(const QCommandLineParser &parser)
{
    return parser.isSet(resetOptionName);
}

QString boardToUse(const QCommandLineParser &parser)
{
    return parser.value(boardOptionName);
}

std::optional<std::pair<QHostAddress, quint16>> listenAddress(const QCommandLineParser &parser)
{
    QHostAddress address;
    quint16 port = 0;
    if (!parser.isSet(listenOptionName) || !ListenAddress::read(parser.value(listenOptionName), &address, &port))
        return std::nullopt;
    return std::make_pair(address, port);
}

} // namespace CommandLine

#include "commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

namespace {

// What shells and their users expect from a command line that was not understood.
constexpr int usageErrorStatus = 2;

// QGuiApplication, QApplication and the X11 platform take these out of the
// arguments themselves; a session manager, for one, restarts programs with
// -session. Hidden, because they are the toolkit's and not the program's.
void acceptToolkitOptions(QCommandLineParser &parser)
{
    static const char *const optionsWithValue[] = {
        "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
        "qwindowicon", "qwindowtitle", "session", "display", "geometry", "title", "icon",
        "visual", "style", "stylesheet", "qmljsdebugger"};
    static const char *const flags[] = {"reverse", "widgetcount", "nograb", "dograb", "testability"};

    for (const char *name : optionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : flags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

QString mistakeIn(const QCommandLineParser &parser, bool understood)
{
    if (!understood)
        return parser.errorText();
    const QStringList extra = parser.positionalArguments();
    if (!extra.isEmpty())
        return QStringLiteral("Unexpected argument '%1'.").arg(extra.first());
    return QString();
}

} // namespace

namespace CommandLine {

std::optional<int> answerBeforeWindows(QCommandLineParser &parser, int &argc, char *argv[])
{
    // The toolkit's options are written with one dash, like -style.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    acceptToolkitOptions(parser);

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const bool understood = parser.parse(arguments);
    const QString mistake = mistakeIn(parser, understood);
    const bool asksForHelp = parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all"));
    if (mistake.isEmpty() && !asksForHelp && !parser.isSet(versionOption))
        return std::nullopt;

    // Gives the program its name, and needs no display.
    const QCoreApplication app(argc, argv);
    const QString name = QCoreApplication::applicationName();
    if (!mistake.isEmpty()) {
        QTextStream(stderr) << name << ": " << mistake << '\n'
                            << "Try '" << name << " --help' for the options.\n";
        return usageErrorStatus;
    }
    QTextStream out(stdout);
    if (asksForHelp)
        out << parser.helpText();
    else
        out << name << ' ' << QCoreApplication::applicationVersion() << '\n';
    return 0;
}

} // namespace CommandLine

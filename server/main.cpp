// The remote-control server without a window: SCPI over TCP for lab
// scripts, driving the board with the bytes the windows send.
#include "boardoptions.h"
#include "boardtrace.h"
#include "listenaddress.h"
#include "recordfolder.h"
#include "languages.h"
#include "remoteboard.h"
#include "scpiserver.h"
#include "stopsignals.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

#include <csignal>

namespace {

// Where translators find these texts.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(ServerMain)
};

void say(const QString &message)
{
    QTextStream(stderr) << QCoreApplication::applicationName() << ": " << message << '\n';
}

} // namespace

int main(int argc, char *argv[])
{
    BoardTrace::sendMessagesPlainToStderr(QStringLiteral("boardpanel-serve"),
                                          QStringLiteral(BOARDPANEL_VERSION));
    QCoreApplication app(argc, argv);
    Languages::speak(QCoreApplication::arguments());

    QCommandLineParser parser;
    parser.setApplicationDescription(Text::tr(
        "Lets scripts drive the USB measurement board over SCPI on a TCP port (as a raw "
        "socket: one command line in, one answer line out), without a window. Ends on SIGINT, "
        "SIGTERM or SIGHUP with the board stopped. SCPI has no authentication: anyone who "
        "reaches the port drives the board."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {QStringLiteral("listen"),
         Text::tr("Take clients on this address and port. Default: 127.0.0.1:5025, this "
                  "computer only."),
         QStringLiteral("[ADDR:]PORT")},
        {QStringLiteral("record-dir"),
         Text::tr("RECord:STARt writes its files in FOLDER, by name only. Default: %1.")
             .arg(RecordFolder::defaultPath()),
         QStringLiteral("FOLDER")},
    });
    parser.addOptions(BoardOptions::options());
    parser.addOption(Languages::option());
    parser.process(app);

    QHostAddress address = QHostAddress::LocalHost;
    quint16 port = ListenAddress::defaultPort;
    if (parser.isSet(QStringLiteral("listen"))
        && !ListenAddress::read(parser.value(QStringLiteral("listen")), &address, &port)) {
        say(Text::tr("--listen takes [ADDR:]PORT, such as 5025 or 0.0.0.0:5025, not '%1'.")
                .arg(parser.value(QStringLiteral("listen"))));
        return 2;
    }
    if (const QString mistake = Languages::mistakeIn(parser.value(Languages::option()));
        parser.isSet(Languages::option()) && !mistake.isEmpty()) {
        say(mistake);
        return 2;
    }
    if (parser.isSet(QStringLiteral("board")) && parser.isSet(QStringLiteral("port"))) {
        say(Text::tr("Give --board or --port, not both."));
        return 2;
    }
    if (parser.isSet(QStringLiteral("port"))) {
        BoardOptions::takePortAsBoard(QFileInfo(parser.value(QStringLiteral("port"))).absoluteFilePath());
    }

    StopSignals stopSignals;
    if (!stopSignals.isReady()) {
        say(Text::tr("cannot watch for SIGINT, SIGTERM and SIGHUP."));
        return 2;
    }
    // A client that went away makes a write fail, not the server die.
    std::signal(SIGPIPE, SIG_IGN);

    RemoteBoard board;
    board.setWantedBoard(parser.value(QStringLiteral("board")));
    if (parser.isSet(QStringLiteral("record-dir")))
        board.setRecordFolder(QFileInfo(parser.value(QStringLiteral("record-dir"))).absoluteFilePath());
    ScpiServer server(board);
    if (!server.listen(address, port)) {
        say(Text::tr("cannot listen on %1:%2: %3.")
                .arg(address.toString()).arg(port).arg(server.errorString()));
        return 1;
    }
    say(Text::tr("listening on %1:%2.").arg(address.toString()).arg(server.port()));
    const QString exposure = ListenAddress::exposure(address, server.port());
    if (!exposure.isEmpty())
        say(exposure);
    const QString failure = board.ensureOpen();
    if (!failure.isEmpty())
        say(Text::tr("%1 Commands that need the board answer with error -240 until it is there.")
                .arg(failure));

    QObject::connect(&stopSignals, &StopSignals::received, &app, [&] {
        server.close();
        board.stop();
        say(Text::tr("stopped."));
        QCoreApplication::quit();
    });
    return QCoreApplication::exec();
}

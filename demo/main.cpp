// The panel with a virtual board built in, so every instrument shows live
// data on a machine without the board. With --port it uses a serial device
// instead: a board whose USB ids differ, or a simulator running elsewhere.
#include "virtualboardthread.h"
#include "boardtrace.h"
#include "commandline.h"
#include "languages.h"
#include "recordingwindows.h"
#include "mainwindow.h"
#include "portlisting.h"
#include "replugsignal.h"
#include "screenshottour.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

namespace {

// The real board's pace of sample frames.
constexpr int frameRate = 720;

// Lists the device at `path()` as the board, ahead of the system's own
// ports, while there is one (the virtual board may be unplugged).
void listAsBoard(std::function<QString()> path)
{
    PortListing::setSource([path] {
        const QString now = path();
        // Each open window looks at the list every second: the system's part
        // is read again only when it may have changed, as without a board of
        // our own.
        static quint64 systemStamp = 0;
        static QList<PortCandidate> system;
        if (const quint64 stamp = PortListing::systemChangeStamp(); stamp != systemStamp || stamp == 0) {
            systemStamp = stamp;
            system = PortListing::systemPorts();
        }
        QList<PortCandidate> ports = system;
        if (!now.isEmpty())
            ports.prepend(PortListing::boardAt(now));
        return ports;
    });
}

void describeOptions(QCommandLineParser &parser, QCommandLineOption &port,
                     QCommandLineOption &screenshots)
{
    parser.setApplicationDescription(QStringLiteral(
        "The board panel with a virtual board built in: every instrument shows live data "
        "without hardware. With --port, the serial device at PATH is the board instead."));
    parser.addOption(port);
    screenshots.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(screenshots);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("boardpanel-demo"));
    QCoreApplication::setApplicationVersion(QStringLiteral(BOARDPANEL_VERSION));
    QCommandLineParser parser;
    QCommandLineOption portOption(
        QStringLiteral("port"),
        QStringLiteral("Use the serial device at PATH as the board (for a board with other "
                       "USB ids, or the standalone virtual board) instead of the built-in one."),
        QStringLiteral("PATH"));
    // For the screenshots script and the tests: opens every instrument in
    // turn, saves pictures of them into DIR and exits; non-zero when an
    // instrument got no data.
    QCommandLineOption screenshotsOption(QStringLiteral("screenshots"),
                                         QStringLiteral("Save screenshots into DIR and exit."),
                                         QStringLiteral("DIR"));
    const auto describe = [&](QCommandLineParser &described) {
        describeOptions(described, portOption, screenshotsOption);
    };
    if (const std::optional<int> status = CommandLine::answerBeforeWindows(parser, argc, argv, describe))
        return *status;

    QApplication app(argc, argv);
    Languages::speak(QCoreApplication::arguments());
    for (const QString &path : CommandLine::recordingsToOpen(parser))
        RecordingWindows::open(path, nullptr);
    QTemporaryDir settingsHome;
    BoardTrace::showOnlyOnATerminal();
    if (parser.isSet(screenshotsOption)) {
        // The readings the panel traces would bury the tour's own report.
        QLoggingCategory::setFilterRules(QStringLiteral("boardpanel.trace.debug=false"));
        // The pictures show the windows as they first open, whatever was
        // kept from earlier runs, and keep nothing.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsHome.path());
    }

    QTextStream err(stderr);
    VirtualBoardThread virtualBoard(frameRate);
    if (parser.isSet(portOption)) {
        const QFileInfo device(parser.value(portOption));
        if (!device.exists()) {
            err << "boardpanel-demo: there is no device " << device.filePath() << '\n';
            return 1;
        }
        // A relative name would be taken as one under /dev.
        listAsBoard([path = device.absoluteFilePath()] { return path; });
    } else {
        if (!virtualBoard.startBoard()) {
            err << "boardpanel-demo: could not start the virtual board: "
                << virtualBoard.errorString() << '\n';
            return 1;
        }
        listAsBoard([&virtualBoard] { return virtualBoard.devicePath(); });
    }
    // `kill -USR1` pulls the virtual board's cable; it is back a second later.
    ReplugSignal replug;
    QObject::connect(&replug, &ReplugSignal::requested, &replug,
                     [&virtualBoard] { virtualBoard.replug(1000); });

    int result = 0;
    {
        MainWindow window;
        window.show();
        ScreenshotTour tour(&window, parser.value(screenshotsOption));
        const QStringList instruments = CommandLine::instrumentsToOpen(parser);
        if (!instruments.isEmpty())
            QTimer::singleShot(0, &window, [&window, instruments] { window.openInstruments(instruments); });
        if (parser.isSet(screenshotsOption)) {
            QTimer::singleShot(0, &tour, [&] {
                const QStringList failures = tour.run();
                for (const QString &failure : failures)
                    err << "boardpanel-demo: " << failure << '\n';
                err.flush();
                app.exit(failures.isEmpty() ? 0 : 1);
            });
        }
        result = app.exec();
        // Windows closed last are still waiting to be destroyed; they stop
        // the board and close their ports while it still runs.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    PortListing::setSource({});
    virtualBoard.stopBoard();
    return result;
}

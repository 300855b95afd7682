// The panel. Its command line has --help, --version, --lang, --open, which
// presses launcher buttons for the user, --board, --reset-settings, --listen
// (SCPI clients) and files to open (--replay); the toolkit's own options still reach the application
// object.
#include "boardlink.h"
#include "boardtrace.h"
#include "commandline.h"
#include "languages.h"
#include "mainwindow.h"
#include "recordingwindows.h"
#include "remotecontrol.h"
#include "settingsfile.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationVersion(QStringLiteral(BOARDPANEL_VERSION));
    QCommandLineParser parser;
    const auto describe = [](QCommandLineParser &described) {
        described.setApplicationDescription(QCoreApplication::translate(
            "CommandLine", "Control panel for the USB measurement board: voltmeter, accelerometer, "
                           "oscilloscope, counter and PWM generator, each in its own window."));
    };
    if (const std::optional<int> status = CommandLine::answerBeforeWindows(parser, argc, argv, describe))
        return *status;

    QApplication app(argc, argv);
    Languages::speak(QCoreApplication::arguments());
    // Every voltmeter reading is traced: for a person at a terminal, not for
    // the log of a panel started from the desktop.
    BoardTrace::showOnlyOnATerminal();
    BoardLink::setPreferredBoard(CommandLine::boardToUse(parser));
    if (CommandLine::resetsSettings(parser) && !SettingsFile::forgetAll())
        qWarning("Could not remove the settings file %s", qPrintable(SettingsFile::path()));
    // Files given: their windows only, and the panel ends with the last of them.
    const QStringList recordings = CommandLine::recordingsToOpen(parser);
    if (!recordings.isEmpty()) {
        for (const QString &path : recordings)
            RecordingWindows::open(path, nullptr);
        return app.exec();
    }
    MainWindow window;
    window.show();
    // Asked for on the command line, or left on in Remote Control last time.
    if (const auto listen = CommandLine::listenAddress(parser)) {
        if (!window.remoteControl().apply({listen->first, listen->second, true}).isEmpty())
            return 1;
    } else if (const RemoteControl::Setting kept = RemoteControl::remembered(); kept.on) {
        window.remoteControl().apply(kept);
    }
    const QStringList instruments = CommandLine::instrumentsToOpen(parser);
    if (!instruments.isEmpty())
        QTimer::singleShot(0, &window, [&window, instruments] { window.openInstruments(instruments); });
    return app.exec();
}

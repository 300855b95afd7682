// The panel. Its command line has --help and --version and nothing that
// changes what it does; the toolkit's own options still reach the
// application object.
#include "commandline.h"
#include "mainwindow.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationVersion(QStringLiteral(BOARDPANEL_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Control panel for the USB measurement board: voltmeter, accelerometer, "
        "oscilloscope, counter and PWM generator, each in its own window."));
    if (const std::optional<int> status = CommandLine::answerBeforeWindows(parser, argc, argv))
        return *status;

    QApplication app(argc, argv);
    MainWindow window;
    window.show();
    return app.exec();
}

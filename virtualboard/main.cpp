// A virtual board on a pseudo-terminal, for trying the panel or a terminal
// program without hardware. Prints the device path, then serves until it is killed.
#include "virtualboard.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("virtualboard"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Simulates the measurement board on a pseudo-terminal."));
    parser.addHelpOption();
    const QCommandLineOption rate(QStringLiteral("rate"),
                                  QStringLiteral("Sample frames per second (default 720)."),
                                  QStringLiteral("frames"), QStringLiteral("720"));
    parser.addOption(rate);
    parser.process(app);

    VirtualBoard board;
    board.setFrameRate(parser.value(rate).toInt());
    if (!board.start()) {
        QTextStream(stderr) << "virtualboard: " << board.errorString() << '\n';
        return 1;
    }
    QTextStream(stdout) << board.devicePath() << Qt::endl;
    return app.exec();
}

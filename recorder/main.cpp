// The recorder without a window: one instrument of the board to a CSV file,
// and optionally to an MQTT broker, until SIGINT, SIGTERM, SIGHUP or --duration.
// No display is needed; nothing of the widgets is linked.
#include "exitstatus.h"
#include "recorderoptions.h"
#include "recordersession.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>

namespace {

// The board's trace ("connected maked true") is for the windows' debug log;
// here stderr belongs to the status line and the messages.
void writeMessage(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    QTextStream(stderr) << QCoreApplication::applicationName() << ": " << message << '\n';
}

} // namespace

int main(int argc, char *argv[])
{
    qInstallMessageHandler(writeMessage);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("boardpanel-record"));
    QCoreApplication::setApplicationVersion(QStringLiteral(BOARDPANEL_VERSION));

    RecorderOptions options;
    QString output;
    QString errors;
    if (const std::optional<int> status =
            RecorderCommandLine::parse(QCoreApplication::arguments(), options, &output, &errors)) {
        if (errors.isEmpty()) {
            QTextStream(stdout) << output;
        } else {
            QTextStream(stderr) << "boardpanel-record: " << errors << '\n'
                                << "Try 'boardpanel-record --help' for the options.\n";
        }
        return *status;
    }

    RecorderSession session(options);
    QTimer::singleShot(0, &session, [&session] {
        if (const std::optional<int> status = session.start())
            QCoreApplication::exit(*status);
    });
    return QCoreApplication::exec();
}

// The recorder without a window: one instrument of the board to a CSV file,
// and optionally to an MQTT broker, until SIGINT, SIGTERM, SIGHUP or --duration.
// No display is needed; nothing of the widgets is linked.
#include "boardtrace.h"
#include "exitstatus.h"
#include "languages.h"
#include "recorderoptions.h"
#include "recordersession.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>

int main(int argc, char *argv[])
{
    BoardTrace::sendMessagesPlainToStderr(QStringLiteral("boardpanel-record"),
                                          QStringLiteral(BOARDPANEL_VERSION));
    QCoreApplication app(argc, argv);
    Languages::speak(QCoreApplication::arguments());

    RecorderOptions options;
    QString output;
    QString errors;
    if (const std::optional<int> status =
            RecorderCommandLine::parse(QCoreApplication::arguments(), options, &output, &errors)) {
        if (errors.isEmpty()) {
            QTextStream(stdout) << output;
        } else {
            QTextStream(stderr) << "boardpanel-record: " << errors << '\n'
                                << QCoreApplication::translate("RecorderCommandLine",
                                                               "Try 'boardpanel-record --help' for the options.")
                                << '\n';
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

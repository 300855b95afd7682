#include "boardtrace.h"

#include <QCoreApplication>
#include <QTextStream>

#include <unistd.h>

Q_LOGGING_CATEGORY(boardTrace, "boardpanel.trace")

namespace BoardTrace {

void showOnlyOnATerminal()
{
    if (::isatty(STDERR_FILENO) == 0)
        QLoggingCategory::setFilterRules(QStringLiteral("boardpanel.trace.debug=false"));
}

namespace {

void writePlainMessage(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    QTextStream(stderr) << QCoreApplication::applicationName() << ": " << message << '\n';
}

} // namespace

void sendMessagesPlainToStderr(const QString &program, const QString &version)
{
    QCoreApplication::setApplicationName(program);
    QCoreApplication::setApplicationVersion(version);
    qInstallMessageHandler(writePlainMessage);
}

} // namespace BoardTrace

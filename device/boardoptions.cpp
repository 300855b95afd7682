#include "boardoptions.h"

#include "portlisting.h"

#include <QCoreApplication>
#include <QFileInfo>

QList<QCommandLineOption> BoardOptions::options()
{
    return {
        {QStringLiteral("board"),
         QCoreApplication::translate("BoardOptions", "Use the board on this port (ttyACM1 or /dev/ttyACM1) or with this USB "
                        "serial number. Default: the first board found."),
         QStringLiteral("NAME")},
        {QStringLiteral("port"),
         QCoreApplication::translate("BoardOptions", "Use the serial device at PATH as the board, whatever its USB ids (the "
                        "standalone virtual board, a board with other ids)."),
         QStringLiteral("PATH")},
    };
}

void BoardOptions::takePortAsBoard(const QString &path)
{
    PortListing::setSource([path] {
        return QFileInfo::exists(path) ? QList<PortCandidate>{PortListing::boardAt(path)}
                                       : QList<PortCandidate>{};
    });
}

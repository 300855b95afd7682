#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>

// The options by which a window-less program is told its board, the same
// for each: --board NAME (a port name or USB serial number) and --port PATH
// (a serial device taken as the board whatever its USB ids).
namespace BoardOptions {

QList<QCommandLineOption> options();

// Lists the device at `path` as the only board, while it is there, so that
// an unplug is waited out as a real board's is.
void takePortAsBoard(const QString &path);

} // namespace BoardOptions
